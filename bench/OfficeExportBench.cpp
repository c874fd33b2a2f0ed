// Figures for the export of the order to LibreOffice: the longest order ("Liturgie I, Form 1"
// with communion, confirmation, baptism and wedding) exported by a click with the office
// already running, and the same click from a cold start that includes starting the office.
#include "base/ProgramInfo.h"
#include "gui/FrmMain.h"
#include "order/OccasionalServices.h"
#include "tests/office/OfficeProcess.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextEdit>

#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

std::unique_ptr<TfrmMain> windowWithLongestOrder(benchmark::State &state, ScriptedDialogs **dialogs)
{
    auto window = makeMainWindow(dialogs);
    for (QCheckBox *tick :
         { control<QCheckBox>(*window, "chkAbendmahl"),
           control<QCheckBox>(*window, "chkKonfirmation"), control<QCheckBox>(*window, "chkTaufe"),
           control<QCheckBox>(*window, "chkTrauung") })
        tick->setChecked(true);
    window->document().chooseBasicForm(0);
    if (shownSequence(*window)
        != occasional::rebuildSequence(0, { true, true, true, true }).entries())
        state.SkipWithError("the window did not build the longest list");
    control<QLineEdit>(*window, "txtEingangslied")->setText(QStringLiteral("EG 139,1-5"));
    control<QPushButton>(*window, "btnCompile")->click();
    return window;
}

// The office runs; each iteration exports once, the document is closed outside the timing.
void BM_btnExportClick(benchmark::State &state)
{
    TestEnvironment env;
    OfficeProcess office;
    if (!office.start()) {
        state.SkipWithError("LibreOffice did not start");
        return;
    }
    ScriptedDialogs *dialogs = nullptr;
    const auto window = windowWithLongestOrder(state, &dialogs);
    window->document().setPageFormat(1);
    for (auto _ : state) {
        control<QPushButton>(*window, "btnExport")->click();
        state.PauseTiming();
        closeAllDocuments();
        state.ResumeTiming();
    }
    if (!dialogs->messages.isEmpty())
        state.SkipWithError("the export reported a failure");
    state.counters["lines"] = control<QTextEdit>(*window, "txtAblauf")->document()->blockCount();
}
BENCHMARK(BM_btnExportClick)->Unit(benchmark::kMillisecond)->MinTime(5.0);

// Starting the office (with a user profile that exists already, as on a user's machine) until
// it answers, then the export.
void BM_ColdStartAndExport(benchmark::State &state)
{
    TestEnvironment env;
    QTemporaryDir profile;
    {
        OfficeProcess first; // creates the profile
        if (!first.start(profile.path() + QStringLiteral("/profile"))) {
            state.SkipWithError("LibreOffice did not start");
            return;
        }
    }
    ScriptedDialogs *dialogs = nullptr;
    const auto window = windowWithLongestOrder(state, &dialogs);
    window->document().setPageFormat(1);
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        OfficeProcess office;
        if (!office.start(profile.path() + QStringLiteral("/profile"))) {
            state.SkipWithError("LibreOffice did not start");
            break;
        }
        control<QPushButton>(*window, "btnExport")->click();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_ColdStartAndExport)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

} // namespace
