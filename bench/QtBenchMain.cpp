// The main function of the benchmarks that need widgets: one headless application object,
// named as the program so per-user paths match, then Google Benchmark.
#include "base/ProgramInfo.h"

#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(programinfo::title());
    QApplication::setOrganizationName(programinfo::title());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
