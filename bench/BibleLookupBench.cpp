// Figures for looking a passage up offline (the Bible file parsed once, then from memory), for
// writing it into the offline view, and for the first creation of the web view, which the
// program therefore puts off until a passage is first shown online.
#include "base/ProgramFolder.h"
#include "base/ProgramInfo.h"
#include "bible/BibleFile.h"
#include "bible/OsisImport.h"
#include "bible/PassageLookup.h"
#include "bible/PassageParts.h"
#include "gui/PassageView.h"
#include "tests/support/TestEnvironment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextEdit>
#include <QWebEngineView>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

// The Luther 1912 text imported into the environment's program folder.
bool installBible(const TestEnvironment &env)
{
    const auto result = bible::importOsisBible(sharedReferenceDir() + u"/bibel/luth1912ap-osis"_s,
                                               env.programDir() + u"/libs/Bibel"_s);
    if (result.status != bible::ImportStatus::Ok)
        std::fprintf(stderr, "%s\n", result.errorText.toLocal8Bit().constData());
    return result.status == bible::ImportStatus::Ok;
}

// A 15-verse passage, its Bible file already read once.
void BM_LookUpPassage15Verses(benchmark::State &state)
{
    TestEnvironment env;
    if (!installBible(env)) {
        state.SkipWithError("import failed");
        return;
    }
    const QString reference = u"Mk 1,1-15"_s;
    bible::lookUpPassage(reference);
    for (auto _ : state) {
        auto lookup = bible::lookUpPassage(reference);
        benchmark::DoNotOptimize(lookup);
    }
}
BENCHMARK(BM_LookUpPassage15Verses)->Unit(benchmark::kMicrosecond);

// A pasted field of about 80 KB: ranges with optional verses inside, the book written in
// another case than its file, so that it is found only by listing the Bible folder.
QString longReference()
{
    QString text = u"kol 2,1-10"_s;
    while (text.size() < 80000)
        text += u"; 2,1-10(4-5)"_s;
    return text;
}

void BM_SplitLongReference(benchmark::State &state)
{
    const QString reference = longReference();
    for (auto _ : state) {
        auto parsed = bible::parsePassage(reference);
        benchmark::DoNotOptimize(parsed);
    }
}
BENCHMARK(BM_SplitLongReference)->Unit(benchmark::kMillisecond);

void BM_LookUpLongReference(benchmark::State &state)
{
    TestEnvironment env;
    if (!installBible(env)) {
        state.SkipWithError("import failed");
        return;
    }
    const QString reference = longReference();
    for (auto _ : state) {
        auto lookup = bible::lookUpPassage(reference);
        benchmark::DoNotOptimize(lookup);
    }
}
BENCHMARK(BM_LookUpLongReference)->Unit(benchmark::kMillisecond);

// The same with the Bible file read and parsed each time: Mark, and the largest book (Psalms).
void BM_LookUpPassage15VersesFileNotYetRead(benchmark::State &state)
{
    TestEnvironment env;
    if (!installBible(env)) {
        state.SkipWithError("import failed");
        return;
    }
    const QString reference = state.range(0) == 0 ? u"Mk 1,1-15"_s : u"Ps 119,1-15"_s;
    for (auto _ : state) {
        bible::BibleFile::clearCache();
        auto lookup = bible::lookUpPassage(reference);
        benchmark::DoNotOptimize(lookup);
    }
}
BENCHMARK(BM_LookUpPassage15VersesFileNotYetRead)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The whole offline part of a lookup: the passage looked up and written into a rich-text view
// like rchBibelstelle (cleared, bold heading, 15 verse lines).
void BM_ShowPassageOffline15Verses(benchmark::State &state)
{
    TestEnvironment env;
    if (!installBible(env)) {
        state.SkipWithError("import failed");
        return;
    }
    QTextEdit view;
    view.resize(800, 185);
    view.show();
    const QString reference = u"Mk 1,1-15"_s;
    bible::lookUpPassage(reference);
    for (auto _ : state) {
        const auto lookup = bible::lookUpPassage(reference);
        view.clear();
        bible::writePassageHeading(*view.document(), reference);
        bible::appendVerseLines(*view.document(), lookup.verseLines);
        benchmark::DoNotOptimize(view.document()->blockCount());
    }
}
BENCHMARK(BM_ShowPassageOffline15Verses)->Unit(benchmark::kMicrosecond);

// The first web view of the process starts the browser engine; measured once.
void BM_FirstWebViewCreation(benchmark::State &state)
{
    for (auto _ : state) {
        auto *view = new QWebEngineView;
        view->setUrl(bible::onlineAddress(u"Mk 1,1-15"_s));
        view->show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        delete view;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstWebViewCreation)->Iterations(1)->Unit(benchmark::kMillisecond);

// Each later web view (the engine already running).
void BM_LaterWebViewCreation(benchmark::State &state)
{
    for (auto _ : state) {
        auto *view = new QWebEngineView;
        view->setUrl(bible::onlineAddress(u"Mk 1,1-15"_s));
        view->show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        delete view;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LaterWebViewCreation)->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
