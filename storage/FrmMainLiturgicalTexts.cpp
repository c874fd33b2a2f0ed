// The main window's handlers for the liturgical text memos.
#include "app/FrmMain.h"

void TfrmMain::LoadLiturgicalTexts() {}
void TfrmMain::txtGloriaPatriContextPopup(QPlainTextEdit *memo, const QPoint &globalPos)
{
    Q_UNUSED(memo);
    Q_UNUSED(globalPos);
}
void TfrmMain::mnuTextoeffnenClick() {}
void TfrmMain::Speichern1Click() {}
