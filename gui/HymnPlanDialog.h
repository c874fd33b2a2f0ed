#pragma once

#include "calendar/HymnPlan.h"

#include <QDialog>

#include <memory>

class Dialogs;
class HymnIndexSource;
class QPrinter;
namespace Ui {
class HymnPlanDialog;
}

// "Liedplan": the hymns of the services of a period for the organist (by default the next four
// Sundays and feast days from today), one row per service from the saved preparations of the
// data folder or, where a day has none yet, the propers' suggestion; printed, saved as CSV or as
// a calendar file, or handed to the desktop's mail program.
class HymnPlanDialog : public QDialog
{
public:
    HymnPlanDialog(const QString &dataDir, Dialogs &dialogs, QPrinter &printer,
                   QWidget *parent = nullptr);
    ~HymnPlanDialog() override;

    // Marks each hymn that was sung within the weeks set before its service (from the hymn
    // index, as soon as it is read).
    void markRepeats(HymnIndexSource &source);

private:
    // Makes the plan of the period the date fields show and fills the table.
    void remake();
    void print();
    void saveFile(const QString &title, const QString &filter, const QString &extension,
                  const QByteArray &bytes);
    void saveCsv();
    void saveICal();
    void sendMail();
    QString proposedFileName(const QString &extension) const;
    void applyRepeatMarks();

    std::unique_ptr<Ui::HymnPlanDialog> m_ui;
    QString m_dataDir;
    Dialogs &m_dialogs;
    QPrinter &m_printer;
    hymnplan::Plan m_plan;
    bool m_planMade = false;
    HymnIndexSource *m_hymnIndex = nullptr;
};
