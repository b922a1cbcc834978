// Writes the data folder the start-up comparison runs on: ten named cars of 2,000 records each.
#include "bench_data.h"

#include "base/file_io.h"
#include "data/log_file.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: tovrel_sample_books FOLDER\n", stderr);
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    QDir().mkpath(folder);
    if (!tovrel::bench::WriteTenCars(folder)) return 1;
    return 0;
}
