// Profile INI files from any bytes: reading, a run of edits, writing and reading back.
#include "base/cp932.h"
#include "base/profile_ini.h"
#include "data/car_book.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>

using namespace tovrel;

namespace {

const char* const kSections[] = {"Car", "car", "Mainte", "MainteSetting", "MyCarInfo", ""};
const char* const kKeys[] = {"01", "02", " 03 ", "10", "MyCarName", "x"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (fuzz::SetUp(), true);
    (void)ready;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString path = fuzz::WriteScratch(QStringLiteral("Setting.dat"), bytes);

    ProfileIni ini(path);
    ReadMainteSettings(ini);

    // The last bytes of the input drive edits: which section and key, write or delete, what value.
    const qsizetype edits = std::min<qsizetype>(bytes.size() / 4, 24);
    for (qsizetype e = 0; e < edits; ++e) {
        const unsigned char op = static_cast<unsigned char>(bytes.at(bytes.size() - 1 - e));
        const QString section = QLatin1String(kSections[op % 6]);
        const QString key = QLatin1String(kKeys[(op / 6) % 6]);
        if (op >= 216) {
            ini.Delete(section, key);
            continue;
        }
        // Printable ASCII only, so that the value survives writing as it is.
        QString value;
        for (qsizetype i = e; i < e + (op % 9) && i < bytes.size(); ++i)
            value += QLatin1Char(static_cast<char>(0x20 + static_cast<unsigned char>(bytes.at(i)) % 0x5F));
        ini.Write(section, key, value);
        if (!section.isEmpty()) TOVREL_FUZZ_CHECK(ini.Read(section, key) == value.trimmed());
    }

    // A file that cannot be written back in full is never written (Flush refuses it).
    if (!ini.Problem().isEmpty()) {
        QString error;
        ini.Flush(&error);
        TOVREL_FUZZ_CHECK(fuzz::ReadScratch(QStringLiteral("Setting.dat")) == bytes);
        return 0;
    }
    // Reading what would be written finds every key where the edited file had it.
    const QByteArray written = ini.Bytes();
    const ProfileIni back(fuzz::WriteScratch(QStringLiteral("Back.dat"), written));
    for (const char* section : kSections) {
        for (const char* key : kKeys) {
            const QString s = QLatin1String(section);
            const QString k = QLatin1String(key);
            TOVREL_FUZZ_CHECK(back.Read(s, k, QStringLiteral("\x01")) ==
                              ini.Read(s, k, QStringLiteral("\x01")));
        }
    }
    // Writing what was read gives the same bytes again.
    TOVREL_FUZZ_CHECK(back.Bytes() == written);

    QString error;
    if (ini.Flush(&error)) {
        const ProfileIni flushed(path);
        TOVREL_FUZZ_CHECK(flushed.Bytes() == written);
    }
    return 0;
}
