// The main window's handlers for the sequence of the service and the occasional services.
#include "app/FrmMain.h"

void TfrmMain::cmbGrundformChange() {}
void TfrmMain::cmbGrundformEnter() {}
void TfrmMain::btnUpClick() {}
void TfrmMain::btnDownClick() {}
void TfrmMain::chkAbendmahlClick() {}
void TfrmMain::chkKonfirmationClick() {}
void TfrmMain::chkTaufeClick() {}
void TfrmMain::chkTrauungClick() {}
