// Figures for saving and opening a preparation: the service-order file alone, and the whole
// save button and loader of the main window (with the order settings file and the controls).
#include "base/Clock.h"
#include "base/ProgramInfo.h"
#include "gui/FrmMain.h"
#include "order/OccasionalServices.h"
#include "storage/ServiceOrderFile.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

#include <QToolButton>
#include <benchmark/benchmark.h>

namespace {

// A full preparation: the longest list there is (all four occasional services, 42 entries).
Preparation fullPreparation()
{
    Preparation p;
    p.dayName = QStringLiteral("Ostersonntag");
    p.series = QStringLiteral("3");
    p.wochenspruch = QStringLiteral("Christus spricht: Ich war tot, und siehe, ich bin lebendig "
                                    "von Ewigkeit zu Ewigkeit. (Offb 1,18)");
    p.psalm = QStringLiteral("Ps 118,14-24");
    p.epistel = QStringLiteral("1. Kor 15,1-11");
    p.evangelium = QStringLiteral("Mk 16,1-8");
    p.predigttext = QStringLiteral("1. Sam 2,1-8a");
    p.eingangslied = QStringLiteral("EG 99");
    p.wochenlied = QStringLiteral("EG 101");
    p.vorpredigtslied = QStringLiteral("EG 100");
    p.kollektenlied = QStringLiteral("EG 103");
    p.ausgangslied = QStringLiteral("EG 116");
    p.ticks = { true, true, true, true };
    p.pageFormat = 1;
    p.sequence = occasional::rebuildSequence(
                     0, { .abendmahl = true, .taufe = true, .konfirmation = true, .trauung = true })
                     .entries();
    return p;
}

void BM_WriteServiceOrderFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("3 Ostersonntag.ini"));
    const Preparation p = fullPreparation();
    for (auto _ : state) {
        const bool ok = serviceorder::writeFile(path, serviceorder::toIni(p)).ok();
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_WriteServiceOrderFile)->Unit(benchmark::kMicrosecond);

void BM_ReadServiceOrderFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("3 Ostersonntag.ini"));
    if (!serviceorder::writeFile(path, serviceorder::toIni(fullPreparation())))
        state.SkipWithError("the preparation could not be written");
    for (auto _ : state) {
        const Result<IniFile> ini = serviceorder::readFile(path);
        Preparation p = serviceorder::readTexts(*ini);
        serviceorder::StoredSequence sequence = serviceorder::readSequence(*ini);
        benchmark::DoNotOptimize(p);
        benchmark::DoNotOptimize(sequence);
        benchmark::DoNotOptimize(serviceorder::readPageFormat(*ini));
    }
}
BENCHMARK(BM_ReadServiceOrderFile)->Unit(benchmark::kMicrosecond);

// The main window with the full preparation in its controls.
std::unique_ptr<TfrmMain> windowWithFullPreparation(ScriptedDialogs **dialogs)
{
    auto window = makeMainWindow(dialogs);
    const Preparation p = fullPreparation();
    control<QComboBox>(*window, "cmbGrundform")->setCurrentIndex(0);
    for (QCheckBox *tick :
         { control<QCheckBox>(*window, "chkAbendmahl"),
           control<QCheckBox>(*window, "chkKonfirmation"), control<QCheckBox>(*window, "chkTaufe"),
           control<QCheckBox>(*window, "chkTrauung") })
        tick->setChecked(true);
    window->document().setDay(p.dayName, p.series);
    control<QLineEdit>(*window, "txtWochenspruch")->setText(p.wochenspruch);
    control<QLineEdit>(*window, "txtEingangslied")->setText(p.eingangslied);
    return window;
}

void BM_btnSaveClick(benchmark::State &state)
{
    TestEnvironment env;
    appclock::setTodayForTesting(QDate(2026, 3, 30));
    ScriptedDialogs *dialogs = nullptr;
    const auto window = windowWithFullPreparation(&dialogs);
    const QString path = env.dataDir() + QStringLiteral("/3/3 Ostersonntag.ini");
    for (auto _ : state) {
        dialogs->fileNames.push_back(path);
        control<QToolButton>(*window, "btnSave")->click();
    }
    if (!dialogs->messages.isEmpty())
        state.SkipWithError("saving reported an error");
    window->document().setModified(false);
}
BENCHMARK(BM_btnSaveClick)->Unit(benchmark::kMicrosecond);

void BM_LoadPreparation(benchmark::State &state)
{
    TestEnvironment env;
    appclock::setTodayForTesting(QDate(2026, 3, 30));
    ScriptedDialogs *dialogs = nullptr;
    const auto window = windowWithFullPreparation(&dialogs);
    const QString path = env.dataDir() + QStringLiteral("/3/3 Ostersonntag.ini");
    if (!serviceorder::writeFile(path, serviceorder::toIni(fullPreparation())))
        state.SkipWithError("the preparation could not be written");
    for (auto _ : state)
        openPreparation(*window, *dialogs, path);
    if (!dialogs->messages.isEmpty())
        state.SkipWithError("loading reported an error");
    window->document().setModified(false);
}
BENCHMARK(BM_LoadPreparation)->Unit(benchmark::kMicrosecond);

} // namespace
