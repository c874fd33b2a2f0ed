// Figures for choosing a day in the real main window: LoadDay without a stored preparation
// (the library is asked, the panel painted, the fields rewritten).
#include "base/Clock.h"
#include "base/ProgramInfo.h"
#include "gui/FrmMain.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QApplication>
#include <QComboBox>

#include <benchmark/benchmark.h>

namespace {

void BM_LoadDay(benchmark::State &state)
{
    TestEnvironment env;
    appclock::setTodayForTesting(QDate(2026, 2, 10));
    const auto window = makeMainWindow();
    const QString entries[]
        = { QStringLiteral("15.02.2026 - Estomihi"), QStringLiteral("04.10.2026 - Erntedank") };
    int i = 0;
    for (auto _ : state)
        if (!window->document().loadDay(entries[(i++) & 1]).ok())
            state.SkipWithError("the day could not be loaded");
}
BENCHMARK(BM_LoadDay)->Unit(benchmark::kMicrosecond);

void BM_cmbTagChange(benchmark::State &state)
{
    TestEnvironment env;
    appclock::setTodayForTesting(QDate(2026, 2, 10));
    const auto window = makeMainWindow();
    int i = 0;
    for (auto _ : state)
        control<QComboBox>(*window, "cmbTag")->setCurrentIndex(20 + ((i++) & 1));
}
BENCHMARK(BM_cmbTagChange)->Unit(benchmark::kMicrosecond);

} // namespace
