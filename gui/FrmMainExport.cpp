// The main window's handler that exports the order to LibreOffice.
#include "gui/FrmMain.h"
#include "office/OrderExport.h"

#include <QLabel>
#include <QListWidget>
#include <QTextEdit>

namespace {

QStringList viewLines(const QTextEdit *view)
{
    return view->toPlainText().split(u'\n');
}

} // namespace

void TfrmMain::btnExportClick()
{
    run([this]() -> Result<> {
        // No order generated yet: generate it first.
        if (viewLines(txtAblauf).size() < 3)
            btnCompileClick();
        OrderExportInput input;
        input.lines = viewLines(txtAblauf);
        for (int i = 0; i < lbxReihenfolge->count(); ++i)
            input.elementNames << lbxReihenfolge->item(i)->text();
        input.pageFormat = pageFormat();
        const Result<bool> exported = ExportOrder(trimControl(lblTagesname->text()), input);
        if (!exported)
            return exported.failure();
        if (!*exported)
            dialogs().message(
                QStringLiteral("Der Ablauf konnte nicht nach LibreOffice exportiert werden!"));
        return {};
    });
}
