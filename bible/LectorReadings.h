#pragma once

#include "storage/Preparation.h"

#include <QDate>
#include <QList>
#include <QString>

class QTextDocument;

// The readings for the lector: the day's readings in full text from the installed Bible, each
// under its heading with the day's name and date and its reference, verse by verse with the
// verse numbers, optional verses marked; in large print for reading aloud. The same paragraphs
// feed the printed document and the export to the office.
namespace lector {

inline constexpr int kDefaultPointSize = 14;

// One reading of the day: its heading and its reference as the propers field holds it.
struct Reading
{
    QString heading; // "Alttestamentliche Lesung", "Psalm", "Epistel", "Evangelium", "Predigttext"
    QString reference;
};

// The day's readings from the propers: the Old Testament reading ("Alttestamentliche
// Lesung"), or where that field is empty the psalm field (headed "Psalm" when it names a psalm,
// otherwise "Alttestamentliche Lesung"), the epistle, the gospel and, when asked for, the
// sermon text; empty fields are left out. A sermon text that is one of the readings (the same
// reference, blanks aside) is not read twice: that reading is headed, for example,
// "Evangelium und Predigttext".
QList<Reading> readingsOf(const ProperTexts &texts, bool withSermonText);

struct Paragraph
{
    enum class Kind {
        Title, // the document's first line
        Heading, // "<heading> – <day>, <date>"
        Reference, // the reference as written
        Part, // the verses of one part: "Verse 9-11 (wahlweise)"; only for readings of several
              // parts or optional verses
        Verse, // "<number> <text>"
        Note, // what could not be read at this place (missing book, chapter, verse)
    };
    Kind kind = Kind::Verse;
    QString text;
    int verse = 0; // Verse: its number
    bool optional = false; // Part and Verse: optional verses (in parentheses in the reference)

    friend bool operator==(const Paragraph &, const Paragraph &) = default;
};

struct Document
{
    enum class Status {
        Made,
        NoBible, // no Bible is installed: nothing to print (noBibleMessage says what to do)
    };
    Status status = Status::Made;
    QList<Paragraph> paragraphs;
};

// The document of the readings of a day. A reference whose book or chapter the Bible lacks, or
// that cannot be taken apart, gets a note at its place; the others are still made.
Document make(const QString &dayName, const QDate &date, const QList<Reading> &readings);

// The German message for Status::NoBible.
QString noBibleMessage();

// The paragraphs into a document for printing (or a PDF through the print dialog), in the
// point size chosen (headings somewhat larger), one block per paragraph. Each reading begins
// a page; its headings are marked to stay with the verse below them and its last verse with
// the verse before it (order/PageKeeping.h), which printing honours.
void fillDocument(QTextDocument &document, const QList<Paragraph> &paragraphs,
                  int pointSize = kDefaultPointSize);

} // namespace lector
