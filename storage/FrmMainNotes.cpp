// The main window's handler that opens the hymn-notes editor.
#include "app/FrmMain.h"

void TfrmMain::grpLiederDblClick() {}
