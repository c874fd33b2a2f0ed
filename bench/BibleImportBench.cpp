// Figures for reading a whole Bible in (about 31,000 verses) from each source format, written
// as Bible files into a fresh folder and swapped in: Zefania XML and OSIS of real size
// (generated text), and the SWORD module of Debian's sword-text-web when it is installed.
// The peak resident memory of the process is reported as the counter peak_rss_MiB.
#include "bible/BibleImport.h"
#include "bible/SwordImport.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kBooks = 66;
constexpr int kChapters = 25;
constexpr int kVerses = 19; // 66 * 25 * 19 = 31,350 verses, about as many as a whole Bible

const QByteArray kVerseText = "Und es begab sich zu der Zeit, dass ein Gebot von dem Kaiser "
                              "Augustus ausging, dass alle Welt geschätzt würde.";

QByteArray zefaniaBible()
{
    QByteArray xml = "<?xml version='1.0' encoding='UTF-8'?>\n<XMLBIBLE biblename='Probe'>\n";
    for (int book = 1; book <= kBooks; ++book) {
        xml += "<BIBLEBOOK bnumber='" + QByteArray::number(book) + "'>\n";
        for (int chapter = 1; chapter <= kChapters; ++chapter) {
            xml += "<CHAPTER cnumber='" + QByteArray::number(chapter) + "'>\n";
            for (int verse = 1; verse <= kVerses; ++verse)
                xml += "<VERS vnumber='" + QByteArray::number(verse) + "'>" + kVerseText
                    + "<NOTE>Anmerkung</NOTE></VERS>\n";
            xml += "</CHAPTER>\n";
        }
        xml += "</BIBLEBOOK>\n";
    }
    return xml + "</XMLBIBLE>\n";
}

QByteArray osisBible()
{
    static const char *const ids[]
        = { "Gen",  "Exod",   "Lev",    "Num",   "Deut", "Josh",  "Judg", "Ruth", "1Sam", "2Sam",
            "1Kgs", "2Kgs",   "1Chr",   "2Chr",  "Ezra", "Neh",   "Esth", "Job",  "Ps",   "Prov",
            "Eccl", "Song",   "Isa",    "Jer",   "Lam",  "Ezek",  "Dan",  "Hos",  "Joel", "Amos",
            "Obad", "Jonah",  "Mic",    "Nah",   "Hab",  "Zeph",  "Hag",  "Zech", "Mal",  "Matt",
            "Mark", "Luke",   "John",   "Acts",  "Rom",  "1Cor",  "2Cor", "Gal",  "Eph",  "Phil",
            "Col",  "1Thess", "2Thess", "1Tim",  "2Tim", "Titus", "Phlm", "Heb",  "Jas",  "1Pet",
            "2Pet", "1John",  "2John",  "3John", "Jude", "Rev" };
    QByteArray xml = "<?xml version='1.0' encoding='UTF-8'?>\n<osis><osisText>\n";
    for (const char *id : ids) {
        const QByteArray book(id);
        xml += "<div type='book' osisID='" + book + "'>\n";
        for (int chapter = 1; chapter <= kChapters; ++chapter) {
            const QByteArray c = book + '.' + QByteArray::number(chapter);
            xml += "<chapter osisID='" + c + "'>\n";
            for (int verse = 1; verse <= kVerses; ++verse) {
                const QByteArray v = c + '.' + QByteArray::number(verse);
                xml += "<verse sID='" + v + "' osisID='" + v + "'/>" + kVerseText
                    + "<note>Anmerkung</note><verse eID='" + v + "'/>\n";
            }
            xml += "</chapter>\n";
        }
        xml += "</div>\n";
    }
    return xml + "</osisText></osis>\n";
}

void reportPeakMemory(benchmark::State &state)
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MiB"] = double(usage.ru_maxrss) / 1024.0;
}

void importFile(benchmark::State &state, const QByteArray &bytes)
{
    QTemporaryDir work;
    const QString source = work.filePath(u"bibel.xml"_s);
    QFile file(source);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        state.SkipWithError("cannot write the source");
        return;
    }
    file.close();
    for (auto _ : state) {
        const bible::ImportResult result = bible::importBible(source, work.filePath(u"Bibel"_s));
        if (result.status != bible::ImportStatus::Ok || result.summary.verses != 31350) {
            state.SkipWithError("import failed");
            return;
        }
    }
    reportPeakMemory(state);
}

void BM_ImportZefaniaBible(benchmark::State &state)
{
    importFile(state, zefaniaBible());
}
BENCHMARK(BM_ImportZefaniaBible)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportOsisBible(benchmark::State &state)
{
    importFile(state, osisBible());
}
BENCHMARK(BM_ImportOsisBible)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportSwordBible(benchmark::State &state)
{
    const QString module = u"engWEB2015eb"_s;
    const auto modules = bible::installedSwordBibles();
    if (std::none_of(modules.cbegin(), modules.cend(),
                     [&](const bible::SwordModule &m) { return m.name == module; })) {
        state.SkipWithError("sword-text-web is not installed");
        return;
    }
    QTemporaryDir work;
    for (auto _ : state) {
        const bible::ImportResult result
            = bible::importSwordBible(module, work.filePath(u"Bibel"_s));
        if (result.status != bible::ImportStatus::Ok) {
            state.SkipWithError("import failed");
            return;
        }
    }
    reportPeakMemory(state);
}
BENCHMARK(BM_ImportSwordBible)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
