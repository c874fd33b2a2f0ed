#include "gui/ChurchYearCalendarMenu.h"

#include "base/Clock.h"
#include "base/DataFolder.h"
#include "calendar/ChurchYearEvents.h"
#include "gui/FrmMain.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QSaveFile>

namespace churchyearmenu {

namespace {

// The calendar year of the chosen day; today's when the selector holds no date.
int chosenYear(const TfrmMain &window)
{
    const QDate date
        = QDate::fromString(window.cmbTag->currentText().left(10), QStringLiteral("dd.MM.yyyy"));
    return date.isValid() ? date.year() : appclock::today().year();
}

void showMenu(TfrmMain &window, QAction *action, const QPoint &globalPos)
{
    QLineEdit *edit = window.cmbTag->lineEdit();
    // The edit's own entries (cut, copy, paste) stay; the calendar comes below them.
    std::unique_ptr<QMenu> menu(edit ? edit->createStandardContextMenu()
                                     : new QMenu(window.cmbTag));
    menu->addSeparator();
    menu->addAction(action);
    menu->exec(globalPos);
}

} // namespace

void install(TfrmMain &window)
{
    auto *action
        = new QAction(QStringLiteral("Kirchenjahr als Kalenderdatei speichern …"), &window);
    action->setObjectName(QStringLiteral("mnuKirchenjahrKalender"));
    action->setStatusTip(QStringLiteral("Die Sonn- und Feiertage des Jahres mit ihren Texten als "
                                        "Kalenderdatei (.ics) speichern"));
    QObject::connect(action, &QAction::triggered, &window, [&window] { saveCalendar(window); });

    for (QWidget *w : { static_cast<QWidget *>(window.cmbTag),
                        static_cast<QWidget *>(window.cmbTag->lineEdit()) }) {
        if (!w)
            continue;
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(w, &QWidget::customContextMenuRequested, &window,
                         [&window, action, w](const QPoint &pos) {
                             showMenu(window, action, w->mapToGlobal(pos));
                         });
    }
}

void saveCalendar(TfrmMain &window)
{
    const int year = chosenYear(window);
    FileDialogRequest request;
    request.title = QStringLiteral("Kirchenjahr als Kalenderdatei speichern");
    request.filter = QStringLiteral("Kalenderdateien|*.ics|Alle Dateien|*.*");
    request.defaultExtension = QStringLiteral("ics");
    request.initialDir = datafolder::documentsDir();
    request.fileName = QStringLiteral("Kirchenjahr %1.ics").arg(year);
    const QString path = window.dialogs().saveFileName(request);
    if (path.isEmpty())
        return;
    const QByteArray calendar = churchyearcalendar::calendarOfYear(year);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(calendar) != calendar.size()
        || !file.commit())
        window.dialogs().error(QStringLiteral("Die Datei %1 kann nicht geschrieben werden.")
                                   .arg(QDir::toNativeSeparators(path)));
}

} // namespace churchyearmenu
