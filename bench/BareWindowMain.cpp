// The yardstick for the start-up benchmark: a bare Qt window with four tabs, ending as soon
// as it is shown.
#include "bench/StartupUsage.h"

#include <QApplication>
#include <QMainWindow>
#include <QTabWidget>
#include <QTimer>

#include <cstdlib>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto *tabs = new QTabWidget(&window);
    for (const char *name : { "Proprium", "Ordinarium", "Liturgie", "Perikope" })
        tabs->addTab(new QWidget, QString::fromLatin1(name));
    window.setCentralWidget(tabs);
    window.resize(783, 666);
    window.show();
    QTimer::singleShot(0, &app, [] {
        writeStartupUsage();
        std::_Exit(0);
    });
    return QApplication::exec();
}
