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

} // namespace bible
