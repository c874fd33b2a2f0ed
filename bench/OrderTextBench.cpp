// Figures for generating the order of service: the longest list ("Liturgie I, Form 1" with
// communion, confirmation, baptism and wedding, 42 entries) as lines, into a view, and by a
// click on "Ablauf generieren" in the real main window.
#include "base/ProgramInfo.h"
#include "gui/FrmMain.h"
#include "gui/OrderTextView.h"
#include "order/OccasionalServices.h"
#include "order/OrderText.h"
#include "storage/LiturgicalTexts.h"
#include "tests/order/OrderCases.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

#include <benchmark/benchmark.h>

namespace {

QStringList longestList()
{
    return occasional::rebuildSequence(0, { true, true, true, true }).entries();
}

// The prepared day of the order-text cases, with the longest list and the full built-in texts.
ordertext::OrderInput input()
{
    using liturgicaltexts::Memo;
    ordertext::OrderInput in = ordercases::load(QStringLiteral("empty-list"), nullptr).input;
    in.sequence = longestList();
    in.dialog1 = liturgicaltexts::builtInText(Memo::Dialog1);
    in.dialog2 = liturgicaltexts::builtInText(Memo::Dialog2);
    in.dialog3 = liturgicaltexts::builtInText(Memo::Dialog3);
    in.gloriaPatri = liturgicaltexts::builtInText(Memo::GloriaPatri);
    in.kyrie = liturgicaltexts::builtInText(Memo::Kyrie);
    in.gloriaExcelsis = liturgicaltexts::builtInText(Memo::GloriaExcelsis);
    in.credo = liturgicaltexts::builtInText(Memo::Credo);
    in.vaterUnser = liturgicaltexts::builtInText(Memo::VaterUnser);
    in.segen = liturgicaltexts::builtInText(Memo::Segen);
    return in;
}

// Every element without a rule of its own gets a text file of three lines.
void writeTextFiles(const QString &folder)
{
    QDir().mkpath(folder);
    for (const QString &name : longestList()) {
        QFile file(folder + u'/' + ordertext::textFileName(name));
        if (file.open(QIODevice::WriteOnly))
            file.write("Erste Zeile\r\n   zweite Zeile\r\nletzte Zeile\r\n");
    }
    // The rules' own names must not have files: remove what was written for them.
    for (const char *own :
         { "eingangslied", "psalm", "predigt", "vorpredigtslied", "kollektenlied", "fürbitte",
           "vaterunser", "ausgangslied", "segen", "glaubensbekenntnis",
           "begrüßung mit wochenspruch", "1. dialog", "2. dialog", "3. dialog" })
        QFile::remove(folder + u'/' + QString::fromUtf8(own) + QStringLiteral(".txt"));
}

QTextEdit *orderView()
{
    static QTextEdit *view = [] {
        auto *v = new QTextEdit;
        QFont font(QStringLiteral("Verdana"));
        font.setPointSize(8);
        v->setFont(font);
        v->setLineWrapMode(QTextEdit::NoWrap);
        v->resize(555, 484);
        return v;
    }();
    return view;
}

void BM_GenerateLines(benchmark::State &state)
{
    const ordertext::OrderInput in = input();
    for (auto _ : state)
        benchmark::DoNotOptimize(ordertext::generate(in));
}
BENCHMARK(BM_GenerateLines)->Unit(benchmark::kMicrosecond);

void BM_GenerateLinesWithTextFiles(benchmark::State &state)
{
    TestEnvironment env;
    const QString folder = env.programDir() + QStringLiteral("/Texte");
    writeTextFiles(folder);
    ordertext::OrderInput in = input();
    in.textFilePath = [folder](const QString &name) { return folder + u'/' + name; };
    for (auto _ : state)
        benchmark::DoNotOptimize(ordertext::generate(in));
}
BENCHMARK(BM_GenerateLinesWithTextFiles)->Unit(benchmark::kMicrosecond);

// Generating and writing into a view configured as the order view, laid out completely.
void BM_GenerateIntoView(benchmark::State &state)
{
    const ordertext::OrderInput in = input();
    QTextEdit *view = orderView();
    for (auto _ : state) {
        ordertext::writeToDocument(*view->document(), ordertext::generate(in).lines);
        benchmark::DoNotOptimize(view->document()->documentLayout()->documentSize());
    }
}
BENCHMARK(BM_GenerateIntoView)->Unit(benchmark::kMicrosecond);

// The click in the real main window: tabs, page rectangle from the printer, the fields and
// memos read, the lines written into txtAblauf, laid out completely.
void compileInWindow(benchmark::State &state, bool withFiles)
{
    TestEnvironment env;
    QDir(env.programDir() + QStringLiteral("/Texte")).removeRecursively();
    if (withFiles)
        writeTextFiles(env.programDir() + QStringLiteral("/Texte"));
    const auto window = makeMainWindow();
    for (QCheckBox *tick :
         { control<QCheckBox>(*window, "chkAbendmahl"),
           control<QCheckBox>(*window, "chkKonfirmation"), control<QCheckBox>(*window, "chkTaufe"),
           control<QCheckBox>(*window, "chkTrauung") })
        tick->setChecked(true);
    // The start-up list has the opening hymn elsewhere; the basic form rebuilds it.
    window->document().chooseBasicForm(0);
    if (shownSequence(*window) != longestList())
        state.SkipWithError("the window did not build the longest list");
    control<QLineEdit>(*window, "txtEingangslied")->setText(QStringLiteral("EG 139,1-5"));
    for (auto _ : state) {
        control<QPushButton>(*window, "btnCompile")->click();
        benchmark::DoNotOptimize(
            control<QTextEdit>(*window, "txtAblauf")->document()->documentLayout()->documentSize());
    }
    state.counters["lines"] = control<QTextEdit>(*window, "txtAblauf")->document()->blockCount();
}

void BM_btnCompileClick(benchmark::State &state)
{
    compileInWindow(state, false);
}
BENCHMARK(BM_btnCompileClick)->Unit(benchmark::kMicrosecond);

void BM_btnCompileClickWithTextFiles(benchmark::State &state)
{
    compileInWindow(state, true);
}
BENCHMARK(BM_btnCompileClickWithTextFiles)->Unit(benchmark::kMicrosecond);

} // namespace
