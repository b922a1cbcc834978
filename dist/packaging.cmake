# `cpack -G DEB` in a build folder makes a Debian 12 package of what `cmake --install` installs
# (scripts/package.sh builds a release and runs it).
set(CPACK_PACKAGE_NAME tovrel)
set(CPACK_PACKAGE_VERSION ${TOVREL_VERSION})
set(CPACK_PACKAGE_VENDOR Quendra)
set(CPACK_PACKAGE_CONTACT "Tovrel maintainers <maintainers@tovrel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fuel economy and maintenance logbook for up to ten cars")
set(CPACK_PACKAGE_DESCRIPTION
    "Tovrel keeps the refuelling and maintenance log of up to ten cars, in Japanese: economy,\nunit prices with consumption tax and diesel tax, odometer readings, monthly and category\ntotals, maintenance due dates, trend graphs, printed reports and CSV export.\nThe companion tovrel-cli exports and prints without windows.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries come from the programs' links; the fonts that stand in for the stored font
# names and Qt's Japanese texts of its standard dialogs are read at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-mincho")
include(CPack)
