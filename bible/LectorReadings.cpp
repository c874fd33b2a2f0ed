#include "bible/LectorReadings.h"

#include "bible/BibleFile.h"
#include "bible/BibleImport.h"
#include "bible/BibleReference.h"
#include "bible/PassageLookup.h"
#include "bible/PassageParts.h"
#include "order/PageKeeping.h"

#include <QFileInfo>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace lector {

namespace {

// One part of a reference (a verse or a range in one chapter) with its verses.
struct Part
{
    QString book;
    QString chapter;
    QString text; // the verses as written ("9-11")
    bool optional = false;
    QList<std::pair<int, QString>> verses;
};

// The parts of a reference, or the note that stands in its place.
struct Parts
{
    QList<Part> parts;
    QString note;
};

// Every part of a reference (after "." and ";", optional verses in parentheses, full book
// names) with its verses, as the passage lookup reads them; a missing book or chapter, or a
// reference that cannot be taken apart, as the note in their place.
Parts partsOf(const QString &reference)
{
    Parts result;
    const bible::ParsedPassage parsed
        = bible::parsePassage(bible::normaliseReference(reference.trimmed()));
    if (parsed.error != bible::ReferenceError::None) {
        result.note = bible::referenceErrorMessage({ parsed.error, {} });
        return result;
    }
    QList<bible::VerseSpan> readable;
    bible::PassageBooks books;
    for (const bible::VerseSpan &span : parsed.passage.spans) {
        if (!books.hasFile(span.book)) {
            result.note
                = QStringLiteral("Das Buch %1 ist in der eingelesenen Bibel nicht vorhanden.")
                      .arg(span.book);
            return result;
        }
        if (!books.file(span.book)->hasChapter(span.chapter)) {
            result.note = QStringLiteral("Das Kapitel %1 des Buches %2 ist in der eingelesenen "
                                         "Bibel nicht vorhanden.")
                              .arg(span.chapter, span.book);
            return result;
        }
        if (!span.hasVerseNumbers() || span.lastVerse < span.firstVerse) {
            result.note = QStringLiteral("„%1“ ist keine Versangabe.").arg(span.text);
            return result;
        }
        readable.append(span);
    }
    for (const bible::PassagePart &read :
         bible::readPassageParts(readable, bible::kMaxVersesShown, books)) {
        Part part { read.span.book, read.span.chapter, read.span.text, read.span.optional, {} };
        for (const bible::PassageVerse &verse : read.verses)
            part.verses.append({ verse.number, verse.text });
        result.parts.append(std::move(part));
    }
    return result;
}

// The lines above a reading's verses: the title, a reading's heading and reference, a part's
// label.
bool isHeading(Paragraph::Kind kind)
{
    return kind == Paragraph::Kind::Title || kind == Paragraph::Kind::Heading
        || kind == Paragraph::Kind::Reference || kind == Paragraph::Kind::Part;
}

QString dayText(const QString &dayName, const QDate &date)
{
    return dayName + QStringLiteral(", ") + date.toString(QStringLiteral("dd.MM.yyyy"));
}

} // namespace

QList<Reading> readingsOf(const ProperTexts &texts, bool withSermonText)
{
    QList<Reading> readings;
    const auto add = [&readings](const QString &heading, const QString &reference) {
        if (!reference.trimmed().isEmpty())
            readings.append({ heading, reference.trimmed() });
    };
    // The Old Testament reading is read where the day has one; otherwise the psalm field,
    // which older preparations used for either.
    if (!texts.atLesung.trimmed().isEmpty())
        add(QStringLiteral("Alttestamentliche Lesung"), texts.atLesung);
    else
        add(bible::isPsalmReference(texts.psalm) ? QStringLiteral("Psalm")
                                                 : QStringLiteral("Alttestamentliche Lesung"),
            texts.psalm);
    add(QStringLiteral("Epistel"), texts.epistel);
    add(QStringLiteral("Evangelium"), texts.evangelium);
    if (!withSermonText || texts.predigttext.trimmed().isEmpty())
        return readings;
    // A sermon on one of the readings: that reading is read once, under both names.
    const QString sermon = bible::normaliseReference(texts.predigttext.trimmed());
    for (Reading &reading : readings) {
        if (bible::normaliseReference(reading.reference) == sermon) {
            reading.heading += QStringLiteral(" und Predigttext");
            return readings;
        }
    }
    add(QStringLiteral("Predigttext"), texts.predigttext);
    return readings;
}

QString noBibleMessage()
{
    return QStringLiteral("Es ist noch keine Bibel eingelesen, aus der die Lesungen gedruckt "
                          "werden können. Auf der Seite „Perikope“ lesen Sie eine Bibel ein "
                          "(OSIS, Zefania XML oder ein installiertes SWORD-Modul, zum Beispiel "
                          "die Lutherbibel 1912).");
}

Document make(const QString &dayName, const QDate &date, const QList<Reading> &readings)
{
    Document document;
    if (!bible::bibleInstalled()) {
        document.status = Document::Status::NoBible;
        return document;
    }
    using Kind = Paragraph::Kind;
    QList<Paragraph> &out = document.paragraphs;
    out.append({ Kind::Title, QStringLiteral("Lesungen – ") + dayText(dayName, date) });
    for (const Reading &reading : readings) {
        out.append(
            { Kind::Heading, reading.heading + QStringLiteral(" – ") + dayText(dayName, date) });
        out.append({ Kind::Reference, reading.reference });
        const Parts parts = partsOf(reading.reference);
        if (!parts.note.isEmpty())
            out.append({ Kind::Note, parts.note });
        const bool labelParts = parts.parts.size() > 1
            || std::any_of(parts.parts.cbegin(), parts.parts.cend(),
                           [](const Part &part) { return part.optional; });
        for (const Part &part : parts.parts) {
            if (labelParts)
                out.append({ Kind::Part,
                             QStringLiteral("%1 %2,%3").arg(part.book, part.chapter, part.text)
                                 + (part.optional ? QStringLiteral(" (wahlweise)") : QString()),
                             0, part.optional });
            for (const auto &[number, text] : part.verses) {
                if (text.isEmpty())
                    out.append({ Kind::Note,
                                 QStringLiteral("Vers %1 ist in der eingelesenen Bibel nicht "
                                                "vorhanden.")
                                     .arg(number) });
                else
                    out.append({ Kind::Verse, QString::number(number) + u' ' + text, number,
                                 part.optional });
            }
        }
    }
    return document;
}

void fillDocument(QTextDocument &document, const QList<Paragraph> &paragraphs, int pointSize)
{
    document.clear();
    QFont font = document.defaultFont();
    font.setPointSize(pointSize);
    document.setDefaultFont(font);
    QTextCursor cursor(&document);
    int headings = 0;
    bool firstBlock = true;
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        const Paragraph &paragraph = paragraphs.at(i);
        QTextBlockFormat block;
        // On paper a heading stays with the verse below it, and a reading's last verse (or
        // note) with the verse before it: no page ends with a heading or begins with only the
        // end of a reading.
        if (isHeading(paragraph.kind))
            pagekeeping::keepWithNext(block);
        else if (i + 1 == paragraphs.size()
                 || paragraphs.at(i + 1).kind == Paragraph::Kind::Heading)
            pagekeeping::keepWithPrevious(block);
        QTextCharFormat chars;
        chars.setFontPointSize(pointSize);
        switch (paragraph.kind) {
        case Paragraph::Kind::Title:
            chars.setFontPointSize(pointSize + 4);
            chars.setFontWeight(QFont::Bold);
            block.setBottomMargin(pointSize);
            break;
        case Paragraph::Kind::Heading:
            chars.setFontPointSize(pointSize + 2);
            chars.setFontWeight(QFont::Bold);
            block.setTopMargin(pointSize);
            // Each reading begins on a page of its own, so that the lector can take it along.
            if (headings++ > 0)
                block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            break;
        case Paragraph::Kind::Reference:
            chars.setFontItalic(true);
            block.setBottomMargin(pointSize / 2);
            break;
        case Paragraph::Kind::Part:
            chars.setFontWeight(QFont::DemiBold);
            block.setTopMargin(pointSize / 2);
            break;
        case Paragraph::Kind::Verse:
            block.setBottomMargin(pointSize / 3);
            break;
        case Paragraph::Kind::Note:
            chars.setFontItalic(true);
            chars.setForeground(Qt::darkRed);
            break;
        }
        if (paragraph.optional)
            chars.setForeground(Qt::darkGray);
        if (firstBlock) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(chars);
            firstBlock = false;
        } else {
            cursor.insertBlock(block, chars);
        }
        if (paragraph.kind == Paragraph::Kind::Verse) {
            // The verse number raised and smaller, the text in the chosen size.
            QTextCharFormat number = chars;
            number.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
            number.setFontWeight(QFont::Bold);
            cursor.insertText(QString::number(paragraph.verse), number);
            cursor.insertText(paragraph.text.mid(QString::number(paragraph.verse).size()), chars);
        } else {
            cursor.insertText(paragraph.text, chars);
        }
    }
}

} // namespace lector
