// PrintSet.dat from any bytes: the forms read, written and read again are the same.
#include "data/print_forms.h"
#include "fuzz_support.h"

#include <QFile>

#include <cstddef>
#include <cstdint>

using namespace tovrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (fuzz::SetUp(), true);
    (void)ready;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString path = fuzz::WriteScratch(QStringLiteral("PrintSet.dat"), bytes);
    PrintForms forms;
    QString error;
    LoadPrintForms(path, forms, &error);
    for (int n = 0; n <= PrintFormCount + 1; ++n) {
        FormListId(n);
        FormSuffix(n);
        forms[n % (PrintFormCount + 1)].ListIdNumber();
    }

    // Written to a new file and read back twice: the second round changes nothing.
    const QString first = fuzz::Scratch() + QStringLiteral("First.dat");
    const QString second = fuzz::Scratch() + QStringLiteral("Second.dat");
    QFile::remove(first);
    QFile::remove(second);
    if (!SavePrintForms(first, forms, &error)) return 0;
    PrintForms once;
    TOVREL_FUZZ_CHECK(LoadPrintForms(first, once, &error));
    TOVREL_FUZZ_CHECK(SavePrintForms(second, once, &error));
    PrintForms twice;
    TOVREL_FUZZ_CHECK(LoadPrintForms(second, twice, &error));
    TOVREL_FUZZ_CHECK(once == twice);
    TOVREL_FUZZ_CHECK(fuzz::ReadScratch(QStringLiteral("First.dat")) ==
                      fuzz::ReadScratch(QStringLiteral("Second.dat")));
    return 0;
}
