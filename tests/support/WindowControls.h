#pragma once

#include <QListWidget>
#include <QObject>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

class ScriptedDialogs;
class TfrmMain;

// A control of the main window (or of one of its pages and menus) by its object name; a
// missing one fails the test.
template<typename T = QWidget> T *control(const QObject &window, const char *name)
{
    T *found = window.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        ADD_FAILURE() << "no control " << name;
    return found;
}

// The entries the sequence list shows, top to bottom.
QStringList shownSequence(const QObject &window);

// Opens a preparation file as the user does: "Öffnen" with the path chosen in the dialog. What
// was shown counts as saved first, so that no question about unsaved work comes before.
void openPreparation(TfrmMain &window, ScriptedDialogs &dialogs, const QString &path);

// A left click (press and release) and a double click on a control, as the mouse sends them.
void clickOn(QWidget *target);
void doubleClickOn(QWidget *target);
