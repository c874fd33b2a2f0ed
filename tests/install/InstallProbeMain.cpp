// The program as the package installs it, with a user who saves: started like pergolan, it
// presses the save button once the window is complete, accepts the file dialog with the file name
// the program proposes, and ends. The install test copies it into the installed program folder.
#include "app/Application.h"
#include "gui/FrmMain.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QToolButton>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    StartHooks hooks;
    hooks.complete = [](TfrmMain &window) {
        // Any dialog the save opens: a file dialog is accepted as proposed; a message is
        // printed (the test then finds the files missing) and closed.
        auto *answer = new QTimer(&window);
        QObject::connect(answer, &QTimer::timeout, [] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *files = qobject_cast<QFileDialog *>(modal)) {
                // accept() is a protected override; as a slot it can be invoked.
                QMetaObject::invokeMethod(files, "accept");
            } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                std::fprintf(stderr, "Meldung: %s\n", qPrintable(box->text()));
                box->reject();
            }
        });
        answer->start(100);
        window.findChild<QToolButton *>(QStringLiteral("btnSave"))->click();
        std::_Exit(window.isWindowModified() ? 1 : 0);
    };
    return runPergolan(argc, argv, hooks);
}
