#include "gui/ChurchYearCalendarMenu.h"

#include "base/Clock.h"
#include "base/DataFolder.h"
#include "calendar/ChurchYearEvents.h"
#include "gui/Dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QSaveFile>

namespace churchyearmenu {

namespace {

// The calendar year of the chosen day; today's when the selector holds no date.
int chosenYear(const QComboBox &days)
{
    const QDate date = QDate::fromString(days.currentText().left(10), QStringLiteral("dd.MM.yyyy"));
    return date.isValid() ? date.year() : appclock::today().year();
}

void showMenu(QComboBox &days, QAction *action, const QPoint &globalPos)
{
    QLineEdit *edit = days.lineEdit();
    // The edit's own entries (cut, copy, paste) stay; the calendar comes below them.
    std::unique_ptr<QMenu> menu(edit ? edit->createStandardContextMenu() : new QMenu(&days));
    menu->addSeparator();
    menu->addAction(action);
    menu->exec(globalPos);
}

} // namespace

void install(QComboBox &days, Dialogs &dialogs)
{
    auto *action = new QAction(QStringLiteral("Kirchenjahr als Kalenderdatei speichern …"), &days);
    action->setObjectName(QStringLiteral("mnuKirchenjahrKalender"));
    action->setStatusTip(QStringLiteral("Die Sonn- und Feiertage des Jahres mit ihren Texten als "
                                        "Kalenderdatei (.ics) speichern"));
    QObject::connect(action, &QAction::triggered, &days,
                     [&days, &dialogs] { saveCalendar(days, dialogs); });

    for (QWidget *w : { static_cast<QWidget *>(&days), static_cast<QWidget *>(days.lineEdit()) }) {
        if (!w)
            continue;
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(
            w, &QWidget::customContextMenuRequested, &days,
            [&days, action, w](const QPoint &pos) { showMenu(days, action, w->mapToGlobal(pos)); });
    }
}

void saveCalendar(const QComboBox &days, Dialogs &dialogs)
{
    const int year = chosenYear(days);
    FileDialogRequest request;
    request.title = QStringLiteral("Kirchenjahr als Kalenderdatei speichern");
    request.filter = QStringLiteral("Kalenderdateien|*.ics|Alle Dateien|*.*");
    request.defaultExtension = QStringLiteral("ics");
    request.initialDir = datafolder::documentsDir();
    request.fileName = QStringLiteral("Kirchenjahr %1.ics").arg(year);
    const QString path = dialogs.saveFileName(request);
    if (path.isEmpty())
        return;
    const QByteArray calendar = churchyearcalendar::calendarOfYear(year);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(calendar) != calendar.size()
        || !file.commit())
        dialogs.error(QStringLiteral("Die Datei %1 kann nicht geschrieben werden.")
                          .arg(QDir::toNativeSeparators(path)));
}

} // namespace churchyearmenu
