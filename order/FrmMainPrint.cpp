// The main window's handlers for printing and the page format.
#include "app/FrmMain.h"

void TfrmMain::btnPrinterSetupClick() {}
void TfrmMain::btnPrintClick() {}
void TfrmMain::btnSeitenformatClick() {}
