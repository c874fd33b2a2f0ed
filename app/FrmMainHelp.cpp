// The main window's version, help and feedback buttons.
#include "app/FrmMain.h"

void TfrmMain::btnCopyrightClick() { }
void TfrmMain::BtnHilfeClick() { }
void TfrmMain::BtnFeedbackClick() { }
