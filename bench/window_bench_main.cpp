// main() of the benchmarks that open windows: the application set up as the program sets it up.
// Run them with QT_QPA_PLATFORM=offscreen or under xvfb-run.
#include "ui/widgets/app_setup.h"

#include <benchmark/benchmark.h>

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tovrel::SetUpApplication(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
