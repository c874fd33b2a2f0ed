// The main window's update check at start-up.
#include "app/FrmMain.h"

void TfrmMain::CheckForUpdate(bool force)
{
    Q_UNUSED(force);
}

void TfrmMain::EmptyInternetCache() {}
