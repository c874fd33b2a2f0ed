// Process start to main window shown (and, second, to its first frame painted), for the real
// program and for a bare Qt window with four tabs, run in alternating pairs so that both see the
// same machine load. Each process reports its CPU time and peak memory when its window is shown
// (bench/StartupUsage.h); the counters give both and their ratios: the ratio of the means, and the
// median of the pairs' ratios, which a single run slowed down by the machine does not move. Both
// run headless (offscreen) in a fresh HOME.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

struct Usage
{
    double cpuMs = 0;
    double peakMb = 0;
};

// Starts the probe and reads what it reports once its window is shown; false when it did not
// start and end cleanly.
bool runUntilShown(const QString &program, const QProcessEnvironment &env, const QString &point,
                   Usage &usage)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, { point });
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return false;
    const QList<QByteArray> fields = process.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 2)
        return false;
    usage.cpuMs = fields[0].toDouble() / 1000.0;
    usage.peakMb = fields[1].toDouble() / 1024.0;
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// point: "--shown" (the window is shown and the event loop runs: the program's pages for the
// hidden tabs are not built yet, nothing is painted) or "--first-frame" (its first frame is
// painted: the bare window draws four captions, the program its tool bar, day panel and the
// fields of the first page).
void startupAgainstBareQtWindow(benchmark::State &state, const QString &point)
{
    const QString dir = QCoreApplication::applicationDirPath();
    const QString bare = dir + QStringLiteral("/bench_startup_bare");
    const QString probe = dir + QStringLiteral("/bench_startup_probe");
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    // Headless unless PERGOLAN_BENCH_PLATFORM names another platform (under xvfb-run: "xcb",
    // which also loads what a desktop start loads, such as OpenGL).
    const QString platform = qEnvironmentVariable("PERGOLAN_BENCH_PLATFORM");
    env.insert(QStringLiteral("QT_QPA_PLATFORM"),
               platform.isEmpty() ? QStringLiteral("offscreen") : platform);

    Usage bareSum;
    Usage programSum;
    std::vector<double> cpuRatios;
    std::vector<double> peakRatios;
    int pairs = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        Usage bareRun;
        Usage programRun;
        // Alternating which of the two starts first.
        const bool bareFirst = pairs % 2 == 0;
        const bool ok = bareFirst ? runUntilShown(bare, env, point, bareRun)
                && runUntilShown(probe, env, point, programRun)
                                  : runUntilShown(probe, env, point, programRun)
                && runUntilShown(bare, env, point, bareRun);
        if (!ok) {
            state.SkipWithError("a probe did not start and end cleanly");
            return;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        bareSum.cpuMs += bareRun.cpuMs;
        bareSum.peakMb += bareRun.peakMb;
        programSum.cpuMs += programRun.cpuMs;
        programSum.peakMb += programRun.peakMb;
        cpuRatios.push_back(programRun.cpuMs / bareRun.cpuMs);
        peakRatios.push_back(programRun.peakMb / bareRun.peakMb);
        ++pairs;
    }
    if (pairs == 0)
        return;
    state.counters["bare_cpu_ms"] = bareSum.cpuMs / pairs;
    state.counters["pergolan_cpu_ms"] = programSum.cpuMs / pairs;
    state.counters["cpu_ratio"] = programSum.cpuMs / bareSum.cpuMs;
    state.counters["bare_peak_MB"] = bareSum.peakMb / pairs;
    state.counters["pergolan_peak_MB"] = programSum.peakMb / pairs;
    state.counters["peak_ratio"] = programSum.peakMb / bareSum.peakMb;
    state.counters["cpu_ratio_median"] = median(cpuRatios);
    state.counters["peak_ratio_median"] = median(peakRatios);
}

} // namespace

void BM_StartupAgainstBareQtWindow(benchmark::State &state)
{
    startupAgainstBareQtWindow(state, QStringLiteral("--shown"));
}

void BM_FirstFrameAgainstBareQtWindow(benchmark::State &state)
{
    startupAgainstBareQtWindow(state, QStringLiteral("--first-frame"));
}

BENCHMARK(BM_StartupAgainstBareQtWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(3);
BENCHMARK(BM_FirstFrameAgainstBareQtWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(3);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
