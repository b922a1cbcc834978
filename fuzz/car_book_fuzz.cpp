// The car book files from any bytes (Setting.dat, CarInfo01.dat and Mainte01.dat, separated by the
// byte 0x1E in the input): loading, saving into a new folder and loading again changes nothing more.
#include "data/car_book.h"
#include "fuzz_support.h"
#include "settings/settings.h"

#include <QDir>

#include <cstddef>
#include <cstdint>

using namespace tovrel;

namespace {

QString FreshFolder(const QString& name) {
    QDir folder(fuzz::Scratch() + name);
    folder.removeRecursively();
    QDir().mkpath(folder.path());
    return folder.path() + QLatin1Char('/');
}

bool SameBook(const CarBook& a, const CarBook& b) {
    const CarInfo& x = a.carInfo;
    const CarInfo& y = b.carInfo;
    return a.lists.Weather == b.lists.Weather && a.lists.GasSel == b.lists.GasSel &&
           a.lists.Stand == b.lists.Stand && a.lists.Pattern == b.lists.Pattern &&
           a.lists.Shop == b.lists.Shop && a.lists.Car == b.lists.Car && a.mainte == b.mainte &&
           x.MyCarName == y.MyCarName && x.Maker == y.Maker && x.Number == y.Number &&
           x.TourokuDate == y.TourokuDate && x.NousyaDate == y.NousyaDate && x.NousyaRun == y.NousyaRun &&
           x.MainteCheck == y.MainteCheck && x.MokuhyoMivra == y.MokuhyoMivra && x.MyCarJpg == y.MyCarJpg;
}

// Loads car 1 of the folder; false when a file could not be read in full.
bool Load(const QString& folder, Settings& settings, CarBook& book) {
    book.dataFolder = folder;
    book.currentCar = 1;
    QString error;
    const bool lists = book.LoadItemLists(settings, &error);
    return book.LoadCarInfo(&error) && lists;
}

bool Save(CarBook book, const QString& folder, const Settings& settings) {
    book.dataFolder = folder;
    QString error;
    const bool lists = book.SaveItemLists(settings, &error);
    return book.SaveCarInfo(&error) && lists;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (fuzz::SetUp(), true);
    (void)ready;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QList<QByteArray> parts = bytes.split('\x1e');
    const QString input = FreshFolder(QStringLiteral("input"));
    const char* const names[] = {"Setting.dat", "CarInfo01.dat", "Mainte01.dat"};
    for (int i = 0; i < 3 && i < parts.size(); ++i) {
        QFile file(input + QLatin1String(names[i]));
        if (file.open(QIODevice::WriteOnly)) file.write(parts[i]);
    }
    Settings settings;
    settings.MainteSelect = size % 2;

    CarBook book;
    Load(input, settings, book);
    book.lists.Car[1] = book.lists.Car[1].isEmpty() ? QStringLiteral("*car") : book.lists.Car[1];

    const QString once = FreshFolder(QStringLiteral("once"));
    if (!Save(book, once, settings)) return 0;
    CarBook first;
    TOVREL_FUZZ_CHECK(Load(once, settings, first));
    const QString twice = FreshFolder(QStringLiteral("twice"));
    TOVREL_FUZZ_CHECK(Save(first, twice, settings));
    CarBook second;
    TOVREL_FUZZ_CHECK(Load(twice, settings, second));
    TOVREL_FUZZ_CHECK(SameBook(first, second));
    return 0;
}
