// The main window's handlers for the church-year day list and the propers of a day.
#include "app/FrmMain.h"

#include <QComboBox>

void TfrmMain::FillDayList(const QDate &date)
{
    Q_UNUSED(date);
    cmbTag->clear();
}

void TfrmMain::SelectComingDay(const QDate &today)
{
    Q_UNUSED(today);
}

void TfrmMain::LoadDay(const QString &entry)
{
    Q_UNUSED(entry);
}

bool TfrmMain::StoredOrderExists()
{
    return false;
}

void TfrmMain::ApplyDayColour(const QString &name)
{
    Q_UNUSED(name);
}

void TfrmMain::cmbTagChange()
{
}

void TfrmMain::cmbTagEnter()
{
}
