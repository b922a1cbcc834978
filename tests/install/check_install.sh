#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what a desktop expects of it: both programs,
# a valid desktop entry and AppStream metadata, the icon in every size of the hicolor theme, the
# manual pages, and --help and --version answered without a screen.
#   check_install.sh BUILD_DIR SOURCE_DIR
set -u
build=$1
source=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail=0
problem() { echo "$*"; fail=1; }

if ! cmake --install "$build" --prefix "$prefix" > "$prefix.log" 2>&1; then
    cat "$prefix.log"; rm -f "$prefix.log"; echo "cmake --install failed"; exit 1
fi
rm -f "$prefix.log"

id=jp.quendra.Tovrel
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
for f in bin/tovrel bin/tovrel-cli share/man/man1/tovrel.1.gz share/man/man1/tovrel-cli.1.gz \
         share/icons/hicolor/scalable/apps/tovrel.svg; do
    [ -f "$prefix/$f" ] || problem "missing: $f"
done
[ -x "$prefix/bin/tovrel" ] && [ -x "$prefix/bin/tovrel-cli" ] || problem "programs not executable"

desktop-file-validate "$desktop" || problem "desktop-file-validate failed"
appstreamcli validate --no-net "$metainfo" > "$prefix/as.out" 2>&1 || { cat "$prefix/as.out"; problem "appstreamcli validate failed"; }
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || problem "metainfo does not launch $id.desktop"
grep -q '^Name\[ja\]=.*[^ -~]' "$desktop" || problem "no Japanese name"
grep -q '^Comment\[ja\]=.*[^ -~]' "$desktop" || problem "no Japanese comment"
grep -Eq '^Categories=.*(Office|Utility);' "$desktop" || problem "category is neither Office nor Utility"

# The entry's Exec and Icon lead to installed files.
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$prefix/bin/$exec_name" ] || problem "Exec=$exec_name is not an installed program"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 16 22 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
    if [ ! -f "$png" ]; then
        problem "missing icon $png"
    elif [ "$(identify -format '%wx%h' "$png")" != "${size}x${size}" ]; then
        problem "$png is not ${size}x${size}"
    fi
done

for page in tovrel tovrel-cli; do
    zcat "$prefix/share/man/man1/$page.1.gz" | groff -k -man -Tutf8 -ww -z 2> "$prefix/man.out"
    [ -s "$prefix/man.out" ] && { cat "$prefix/man.out"; problem "$page.1 has troff warnings"; }
done

# The version the about box shows (src/base/version.h), without a screen.
version=$(sed -n 's/^#define TOVREL_VERSION_TEXT "\(.*\)"/\1/p' "$source/src/base/version.h")
unset DISPLAY WAYLAND_DISPLAY
for program in tovrel tovrel-cli; do
    out=$("$prefix/bin/$program" --help 2>&1) || problem "$program --help exited $?"
    echo "$out" | grep -q "^usage: $program" || problem "$program --help prints no usage"
    out=$("$prefix/bin/$program" --version 2>&1) || problem "$program --version exited $?"
    [ "$out" = "$program $version" ] || problem "$program --version printed '$out', not '$program $version'"
done
# graph and pdf run in the drawing program, found from the installed tovrel-cli.
[ -x "$prefix/libexec/tovrel/tovrel-cli-draw" ] || problem "missing: libexec/tovrel/tovrel-cli-draw"
cp -r "$source/tests/fixtures/cli/graph0_points_paged/data" "$prefix/data"
"$prefix/bin/tovrel-cli" --data "$prefix/data" graph 0 --points > "$prefix/graph.out" 2>&1 \
    || { cat "$prefix/graph.out"; problem "installed tovrel-cli graph failed"; }
zcat "$prefix/share/man/man1/tovrel-cli.1.gz" | grep -q "Tovrel $version" || problem "manual page without the version"

exit $fail
