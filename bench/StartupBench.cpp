// Process start to main window shown, for the real program and for a bare Qt window with four
// tabs, timed in one run on the same machine. Both run headless (offscreen) in a fresh HOME.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString benchDir()
{
    return QCoreApplication::applicationDirPath();
}

void runUntilShown(benchmark::State &state, const QString &program)
{
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(env);
        QElapsedTimer timer;
        timer.start();
        process.start(program, { QStringLiteral("--benchmark") });
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            state.SkipWithError("the program did not start and end cleanly");
            return;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
}

void BM_BareQtWindowWithFourTabs(benchmark::State &state)
{
    runUntilShown(state, benchDir() + QStringLiteral("/bench_startup_bare"));
}

void BM_PergolanMainWindow(benchmark::State &state)
{
    runUntilShown(state, benchDir() + QStringLiteral("/bench_startup_probe"));
}

} // namespace

// Interleaved repetitions, so both see the same machine load.
BENCHMARK(BM_BareQtWindowWithFourTabs)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(3);
BENCHMARK(BM_PergolanMainWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(3);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
