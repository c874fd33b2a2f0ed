// The main window's handler that exports the order to LibreOffice.
#include "app/FrmMain.h"

void TfrmMain::btnExportClick() {}
