#include "gui/OrderTextView.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace ordertext {
namespace {

QTextCharFormat charFormat(const LineFormat &format)
{
    QTextCharFormat result;
    result.setFontPointSize(format.pointSize);
    result.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.italic);
    return result;
}

} // namespace

void writeToDocument(QTextDocument &document, const QList<Line> &lines)
{
    // The generated text is not something to undo into; a fresh document also lays out faster.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    bool first = true;
    for (const Line &line : lines) {
        const QTextCharFormat format = charFormat(line.format);
        // An empty line keeps its format as the paragraph's, so typing there continues in it.
        if (first)
            cursor.setBlockCharFormat(format);
        else
            cursor.insertBlock(QTextBlockFormat(), format);
        first = false;
        cursor.insertText(line.text, format);
    }
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undo);
}

} // namespace ordertext
