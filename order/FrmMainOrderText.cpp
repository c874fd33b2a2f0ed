// The main window's handler that generates the order of service.
#include "app/FrmMain.h"

void TfrmMain::btnCompileClick() {}
