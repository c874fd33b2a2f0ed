// The lector's readings on A4 pages as they are printed (laid out for a PDF writer, 15 mm
// margins): for readings of every length, short and long verses, optional parts and large
// print, no page begins with only a reading's last verse (whole or its last lines), and no page
// ends with a heading, a reference or a part's label. Each row first finds the faults in the
// document as the text layout alone pages it, so that the row is known to meet them.
#include "bible/LectorReadings.h"
#include "order/PageKeeping.h"
#include "order/PrintLayout.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Kind = lector::Paragraph::Kind;

// A made-up verse text of so many words of different lengths.
QString verseText(int words, int seed)
{
    static const QStringList pool
        = { QStringLiteral("und"),     QStringLiteral("der"),   QStringLiteral("Herr"),
            QStringLiteral("sprach"),  QStringLiteral("zu"),    QStringLiteral("seinen"),
            QStringLiteral("Jüngern"), QStringLiteral("siehe"), QStringLiteral("Barmherzigkeit"),
            QStringLiteral("Volk") };
    QStringList text;
    for (int w = 0; w < words; ++w)
        text << pool.at((seed * 7 + w * 3) % pool.size());
    return text.join(u' ') + u'.';
}

// The shape of one reading: its verses, their length in words, the length of the last one,
// and an optional part (with its label) after so many verses (0: one part only).
struct Shape
{
    int verses = 0;
    int words = 0;
    int lastWords = 0;
    int partAfter = 0;
};

QList<lector::Paragraph> paragraphsOf(const QList<Shape> &readings)
{
    QList<lector::Paragraph> out;
    out.append({ Kind::Title, QStringLiteral("Lesungen – Ostersonntag, 05.04.2026") });
    for (const Shape &reading : readings) {
        out.append({ Kind::Heading, QStringLiteral("Evangelium – Ostersonntag, 05.04.2026") });
        out.append({ Kind::Reference, QStringLiteral("Mk 16,1-%1").arg(reading.verses) });
        for (int v = 1; v <= reading.verses; ++v) {
            const bool optional = reading.partAfter > 0 && v > reading.partAfter;
            if (reading.partAfter > 0 && v == reading.partAfter + 1)
                out.append({ Kind::Part,
                             QStringLiteral("Mk 16,%1-%2 (wahlweise)").arg(v).arg(reading.verses),
                             0, true });
            const int words = v == reading.verses ? reading.lastWords : reading.words;
            out.append(
                { Kind::Verse, QString::number(v) + u' ' + verseText(words, v), v, optional });
        }
    }
    return out;
}

bool isHeading(Kind kind)
{
    return kind == Kind::Title || kind == Kind::Heading || kind == Kind::Reference
        || kind == Kind::Part;
}

// The page of every line of every block, as printing paints them: a line on the page whose
// band holds its top.
QList<QList<int>> linePages(QTextDocument &document)
{
    const qreal height = document.pageSize().height();
    document.documentLayout()->documentSize(); // lays out the whole document
    QList<QList<int>> pages;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        QList<int> lines;
        for (int l = 0; l < layout->lineCount(); ++l)
            lines << int(std::floor((layout->position().y() + layout->lineAt(l).y()) / height));
        pages << lines;
    }
    return pages;
}

struct Faults
{
    int lastVerseAlone = 0; // pages that hold of a reading begun earlier only its last verse
    int headingAtEnd = 0; // pages whose last line is a heading's, with more to follow
    int pages = 0;
};

Faults faultsOf(QTextDocument &document, const QList<lector::Paragraph> &paragraphs)
{
    const QList<QList<int>> pages = linePages(document);
    EXPECT_EQ(pages.size(), paragraphs.size());
    Faults faults;
    faults.pages = document.pageCount();
    // Every reading: the heading at h, its last block at e - 1.
    for (qsizetype h = 0; h < paragraphs.size(); ++h) {
        if (paragraphs.at(h).kind != Kind::Heading)
            continue;
        qsizetype e = h + 1;
        while (e < paragraphs.size() && paragraphs.at(e).kind != Kind::Heading)
            ++e;
        const int endPage = pages.at(e - 1).last();
        if (pages.at(h).first() == endPage)
            continue;
        bool company = false;
        for (qsizetype b = h; b < e - 1; ++b)
            company = company || pages.at(b).contains(endPage);
        if (!company)
            ++faults.lastVerseAlone;
    }
    // The block of each page's last line.
    QList<qsizetype> lastBlockOfPage(faults.pages, -1);
    for (qsizetype b = 0; b < pages.size(); ++b) {
        for (const int page : pages.at(b)) {
            if (page < lastBlockOfPage.size())
                lastBlockOfPage[page] = b;
        }
    }
    for (qsizetype page = 0; page + 1 < lastBlockOfPage.size(); ++page) {
        const qsizetype b = lastBlockOfPage.at(page);
        if (b >= 0 && isHeading(paragraphs.at(b).kind))
            ++faults.headingAtEnd;
    }
    return faults;
}

TEST(LectorPages, NoPageBeginsWithAReadingsLastVerseAloneOrEndsWithAHeading)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setPageSize(QPageSize(QPageSize::A4));
    const QRect page = orderprint::pageRectFor(orderprint::metricsOf(writer));

    const struct
    {
        const char *name;
        int pointSize;
        int words; // of each verse
        int lastWords; // of the last verse
        int partAfter; // an optional part after so many verses; negative: after half of them
        int maxVerses; // the readings measured: 1 to so many verses
        QList<Shape> after; // readings that follow the one measured
        bool headingFaults; // the row meets headings at a page's end unmended
    } rows[] = {
        { "short verses", 14, 12, 12, 0, 90, {}, false },
        { "a long last verse split across pages", 14, 30, 80, 0, 45, {}, false },
        { "large print with an optional part", 20, 6, 6, -1, 90, {}, true },
        { "very large print, a reading after it", 28, 20, 20, -1, 40, { { 9, 20, 20, 0 } }, true },
    };
    for (const auto &row : rows) {
        Faults unmended;
        for (int verses = 1; verses <= row.maxVerses; ++verses) {
            const int partAfter = row.partAfter < 0 ? verses / 2
                : row.partAfter < verses            ? row.partAfter
                                                    : 0;
            const QList<lector::Paragraph> paragraphs = paragraphsOf(
                QList<Shape> { { verses, row.words, row.lastWords, partAfter } } + row.after);
            QTextDocument document;
            lector::fillDocument(document, paragraphs, row.pointSize);
            const std::unique_ptr<QTextDocument> copy = orderprint::laidOut(document, writer, page);
            const Faults before = faultsOf(*copy, paragraphs);
            unmended.lastVerseAlone += before.lastVerseAlone;
            unmended.headingAtEnd += before.headingAtEnd;

            pagekeeping::keepTogether(*copy);
            const Faults after = faultsOf(*copy, paragraphs);
            const std::string where = std::string(row.name) + ", " + std::to_string(verses)
                + " verses, " + std::to_string(after.pages) + " pages";
            EXPECT_EQ(after.lastVerseAlone, 0) << where;
            EXPECT_EQ(after.headingAtEnd, 0) << where;
            // Moving a few lines costs at most one page per reading.
            EXPECT_LE(after.pages, before.pages + 1 + row.after.size()) << where;
            EXPECT_EQ(copy->toPlainText(), document.toPlainText()) << where;
        }
        EXPECT_GT(unmended.lastVerseAlone, 0) << row.name << ": never met unmended";
        if (row.headingFaults) {
            EXPECT_GT(unmended.headingAtEnd, 0) << row.name << ": never met unmended";
        }
    }
}

} // namespace
