// Takes the pictures of the user manual: the main window with a prepared service on each tab
// and the notes editor, drawn by the widgets themselves into PNG files.
//
//   pergolan-handbuch-bilder <folder>
//
// Runs with any Qt platform, also headless (QT_QPA_PLATFORM=offscreen). The program's work
// goes into a temporary home folder, never into the user's own documents.
#include "gui/FrmMain.h"
#include "gui/MemoTool.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>

#include <cstdio>

namespace {

bool save(QWidget *widget, const QString &folder, const char *name)
{
    QCoreApplication::processEvents();
    const QString path = folder + u'/' + QString::fromLatin1(name);
    if (!widget->grab().save(path, "PNG")) {
        std::fprintf(stderr, "Kann %s nicht schreiben\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: pergolan-handbuch-bilder <Ordner>\n");
        return 2;
    }
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QDir().mkpath(home.path() + QStringLiteral("/Documents"));

    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pergolan"));
    QApplication::setOrganizationName(QStringLiteral("Pergolan"));
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(folder);

    StartOptions options;
    options.skipUpdateCheck = true;
    TfrmMain window(nullptr, options);
    window.show();
    window.txtEingangslied->setText(QStringLiteral("EG 1,1-3 Macht hoch die Tür"));
    window.txtVorpredigtslied->setText(QStringLiteral("EG 7,1-4 O Heiland, reiß die Himmel auf"));
    window.txtKollektenlied->setText(QStringLiteral("EG 16,1-5 Die Nacht ist vorgedrungen"));
    window.txtAusgangslied->setText(QStringLiteral("EG 170,1-4 Komm, Herr, segne uns"));

    bool ok = save(&window, folder, "hauptfenster.png");
    window.pclPageControl->setCurrentWidget(window.tshOrdinarium);
    ok = save(&window, folder, "ordinarium.png") && ok;
    window.pclPageControl->setCurrentWidget(window.tshLiturgie);
    window.btnCompile->click();
    ok = save(&window, folder, "liturgie.png") && ok;
    window.pclPageControl->setCurrentWidget(window.tshProprium);

    window.grpLiederDblClick();
    if (auto *editor = window.findChild<TfrmMemoTool *>()) {
        editor->resize(500, 260);
        ok = save(editor, folder, "notizen.png") && ok;
        editor->close();
    }
    // Nothing of this preparation is to be saved.
    window.setModified(0);
    return ok ? 0 : 1;
}
