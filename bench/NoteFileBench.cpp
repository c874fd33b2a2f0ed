// Writing and reading note files of the notes editor: the six-line hymn plan and a long note.
#include "gui/MemoTool.h"
#include "storage/RichTextFile.h"

#include <QApplication>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

void fill(QTextDocument &doc, int lines)
{
    QTextCursor c(&doc);
    const QStringList plan = hymnPlanLines(QStringLiteral("EG 1,1-3"), QStringLiteral("EG 346"),
                                           QStringLiteral("EG 7"), QStringLiteral("EG 16"),
                                           QStringLiteral("EG 170 – Komm, Herr, segne uns"));
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    for (int i = 0; i < lines; ++i) {
        if (i > 0)
            c.insertBlock();
        c.insertText(plan.at(i % plan.size()), i % 3 == 0 ? bold : QTextCharFormat());
    }
}

void BM_WriteNote(benchmark::State &state)
{
    QTextDocument doc;
    fill(doc, int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(richtextfile::toRtf(doc));
}
BENCHMARK(BM_WriteNote)->Arg(6)->Arg(2000);

void BM_ReadNote(benchmark::State &state)
{
    QTextDocument doc;
    fill(doc, int(state.range(0)));
    const QByteArray rtf = richtextfile::toRtf(doc);
    for (auto _ : state) {
        QTextDocument back;
        richtextfile::fromRtf(rtf, back);
        benchmark::DoNotOptimize(back.blockCount());
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_ReadNote)->Arg(6)->Arg(2000);

} // namespace
