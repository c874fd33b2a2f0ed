// The main window's handler that opens the hymn-notes editor.
#include "gui/FrmMain.h"

#include "gui/MemoTool.h"

#include <QLineEdit>
#include <QTextCursor>
#include <QTextEdit>

void TfrmMain::grpLiederDblClick()
{
    // Every double-click opens an editor of its own. It belongs to the main window, so closing
    // the program closes it without a question about its note.
    auto *editor = new TfrmMemoTool(dialogs(), this);
    editor->show();
    editor->resize(500, editor->height());
    editor->Memo1->clear();
    QFont font = editor->font();
    font.setPointSize(12);
    editor->setFont(font);
    // The plan is taken once; later changes in the main window do not reach the editor.
    // Typed in as plain text: a hymn field holding "<" must not turn into markup.
    const QStringList lines
        = hymnPlanLines(txtEingangslied->text(), txtWochenlied->text(), txtVorpredigtslied->text(),
                        txtKollektenlied->text(), txtAusgangslied->text());
    QTextCursor cursor(editor->Memo1->document());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        cursor.insertText(lines.at(i));
    }
}
