#include "gui/PassageView.h"

#include "bible/PassageLookup.h"

#include <QFont>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace bible {
namespace {

QTextCharFormat weighted(QFont::Weight weight)
{
    QTextCharFormat format;
    format.setFontWeight(weight);
    return format;
}

} // namespace

void writePassageHeading(QTextDocument &document, const QString &reference)
{
    const QTextCharFormat bold = weighted(QFont::Bold);
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    if (!document.isEmpty())
        cursor.insertBlock(QTextBlockFormat(), bold);
    cursor.insertText(passageHeading(reference), bold);
    cursor.insertBlock(QTextBlockFormat(), bold);
    cursor.insertBlock(QTextBlockFormat(), bold);
    cursor.endEditBlock();
}

void appendVerseLines(QTextDocument &document, const QStringList &lines)
{
    const QTextCharFormat regular = weighted(QFont::Normal);
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    for (const QString &line : lines) {
        cursor.insertBlock(QTextBlockFormat(), regular);
        cursor.insertText(line, regular);
    }
    cursor.endEditBlock();
}

QString partLabel(const PassagePart &part, const PassagePart *previous)
{
    QStringList label;
    if (previous && previous->span.book != part.span.book)
        label.append(part.span.book + u' ' + part.span.chapter);
    else if (previous && previous->span.chapter != part.span.chapter)
        label.append(QStringLiteral("Kapitel ") + part.span.chapter);
    if (part.span.optional)
        label.append(QStringLiteral("wahlweise"));
    return label.join(QStringLiteral(", "));
}

void appendPassageParts(QTextDocument &document, const QList<PassagePart> &parts)
{
    const QTextCharFormat regular = weighted(QFont::Normal);
    QTextCharFormat italic = regular;
    italic.setFontItalic(true);
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    const PassagePart *previous = nullptr;
    for (const PassagePart &part : parts) {
        if (previous)
            cursor.insertBlock(QTextBlockFormat(), regular); // the gap between two parts
        if (const QString label = partLabel(part, previous); !label.isEmpty()) {
            cursor.insertBlock(QTextBlockFormat(), italic);
            cursor.insertText(label, italic);
        }
        const QTextCharFormat &format = part.span.optional ? italic : regular;
        for (const PassageVerse &verse : part.verses) {
            cursor.insertBlock(QTextBlockFormat(), format);
            cursor.insertText(verseLine(verse.number, verse.text), format);
        }
        previous = &part;
    }
    cursor.endEditBlock();
}

} // namespace bible
