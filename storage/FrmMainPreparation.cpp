// The main window's handlers for saving and opening a preparation.
#include "app/FrmMain.h"

void TfrmMain::btnSaveClick() {}
void TfrmMain::BtnOpenClick() {}
void TfrmMain::LoadPreparation(const QString &path)
{
    Q_UNUSED(path);
}
void TfrmMain::RestoreOrderSettings() {}
