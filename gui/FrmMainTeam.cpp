// The main window's handlers for what the pastor hands on to the team: the readings for the
// lector and the hymn plan for the organist.
#include "base/DataFolder.h"
#include "gui/FrmMain.h"
#include "gui/HymnListDialog.h"
#include "gui/HymnPlanDialog.h"
#include "gui/LectorDialog.h"
#include "gui/LiturgyPage.h"

void TfrmMain::openLectorReadings()
{
    const Preparation shown = m_document->preparation();
    LectorDialog dialog(shown.dayName,
                        QDate::fromString(m_document->dayStamp(), QStringLiteral("yyyyMMdd")),
                        shown, *m_dialogs, liturgyPage().printer(), this);
    dialog.exec();
}

void TfrmMain::openHymnPlan()
{
    HymnPlanDialog dialog(datafolder::path(), *m_dialogs, liturgyPage().printer(), this);
    dialog.markRepeats(*m_hymnIndex);
    dialog.exec();
}

void TfrmMain::openHymnList()
{
    buildHiddenPages();
    HymnListDialog dialog(*m_hymnIndex, *m_dialogs, this);
    dialog.exec();
}
