// The main window's handlers for Bible passages offline and online.
#include "app/FrmMain.h"

#include <QWebEngineView>

void TfrmMain::txtEpistelDblClick(QObject *sender)
{
    Q_UNUSED(sender);
}

bool TfrmMain::OpenPassage(QObject *sender)
{
    Q_UNUSED(sender);
    return false;
}

bool TfrmMain::LookUpPassage(QString &reference, QTextEdit *view)
{
    Q_UNUSED(reference);
    Q_UNUSED(view);
    return false;
}

void TfrmMain::pclPageControlChange(int index)
{
    Q_UNUSED(index);
}

QWebEngineView *TfrmMain::browser()
{
    return brsBrowser;
}
