// Writing and reading note files of the notes editor: the six-line hymn plan and a long note.
#include "gui/MemoTool.h"
#include "storage/BoundedFile.h"
#include "storage/RichTextFile.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

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

double peakMiB()
{
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // KiB on Linux
}

// The notes of the largest accepted size (8 MiB) that cost the most to read: nothing but
// paragraph breaks (refused), and as many paragraphs as are taken, as RTF and as plain text.
QByteArray largestNote(int shape)
{
    const qsizetype size = boundedfile::kNoteLimit;
    if (shape == 0) {
        QByteArray rtf = "{\\rtf1\\ansi ";
        while (rtf.size() + 5 < size)
            rtf += "\\par";
        return rtf + '}';
    }
    const qsizetype paragraphs = richtextfile::kMaxParagraphs - 1;
    const QByteArray breakText = shape == 1 ? "\\par " : "\n";
    const QByteArray head = shape == 1 ? "{\\rtf1\\ansi " : "";
    const qsizetype room = size - head.size() - 1 - paragraphs * breakText.size();
    const QByteArray line(room / paragraphs, 'x');
    QByteArray note = head;
    for (qsizetype i = 0; i < paragraphs; ++i)
        note += line + breakText;
    if (shape == 1)
        note += '}';
    return note;
}

// Reading such a note from its file as the notes editor does. Run each shape alone
// (--benchmark_filter=BM_ReadLargestNote/0 and so on) so that "peak_growth_MiB", what the read
// added to the process's peak memory, belongs to it.
void BM_ReadLargestNote(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("notiz.rtf"));
    {
        const QByteArray note = largestNote(int(state.range(0)));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(note) != note.size()) {
            state.SkipWithError("cannot write the note");
            return;
        }
        state.counters["file_MiB"] = double(note.size()) / (1024.0 * 1024.0);
    }
    const double before = peakMiB();
    bool accepted = false;
    int blocks = 0;
    for (auto _ : state) {
        QTextDocument back;
        accepted = richtextfile::readFile(path, back).ok();
        blocks = back.blockCount();
    }
    state.counters["accepted"] = accepted;
    state.counters["paragraphs"] = blocks;
    state.counters["peak_growth_MiB"] = peakMiB() - before;
}
BENCHMARK(BM_ReadLargestNote)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
