// The main window's handler for the sermon document of the day.
#include "app/FrmMain.h"

void TfrmMain::lblPredigttextDblClick() {}
