#include "tests/support/WindowControls.h"

#include "gui/FrmMain.h"
#include "gui/PreparationDocument.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QToolButton>

QStringList shownSequence(const QObject &window)
{
    QStringList entries;
    if (const auto *list = control<QListWidget>(window, "lbxReihenfolge"))
        for (int i = 0; i < list->count(); ++i)
            entries << list->item(i)->text();
    return entries;
}

void openPreparation(TfrmMain &window, ScriptedDialogs &dialogs, const QString &path)
{
    window.document().setModified(false);
    dialogs.fileNames.push_back(path);
    control<QToolButton>(window, "BtnOpen")->click();
}

namespace {

void send(QWidget *target, QEvent::Type type)
{
    const QPointF at(3, 3);
    QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace

void clickOn(QWidget *target)
{
    send(target, QEvent::MouseButtonPress);
    send(target, QEvent::MouseButtonRelease);
}

void doubleClickOn(QWidget *target)
{
    send(target, QEvent::MouseButtonDblClick);
}
