// The yardstick for the start-up benchmark: a bare Qt window with four tabs, ending as soon as
// it is shown and the event loop runs, or (with "--first-frame") as soon as its first frame is
// painted: the points at which the program's probe ends too.
#include "bench/StartupUsage.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTabWidget>
#include <QTimer>

#include <cstdlib>
#include <cstring>

namespace {

void reportAndEnd()
{
    writeStartupUsage();
    std::_Exit(0);
}

class BareWindow : public QMainWindow
{
public:
    explicit BareWindow(bool endAtFirstFrame)
        : m_endAtFirstFrame(endAtFirstFrame)
    {
    }

protected:
    bool event(QEvent *event) override
    {
        if (m_endAtFirstFrame && event->type() == QEvent::Paint) {
            m_endAtFirstFrame = false;
            QTimer::singleShot(0, this, reportAndEnd);
        }
        return QMainWindow::event(event);
    }

private:
    bool m_endAtFirstFrame;
};

} // namespace

int main(int argc, char *argv[])
{
    const bool firstFrame = argc > 1 && std::strcmp(argv[1], "--first-frame") == 0;
    QApplication app(argc, argv);
    BareWindow window(firstFrame);
    auto *tabs = new QTabWidget(&window);
    for (const char *name : { "Proprium", "Ordinarium", "Liturgie", "Perikope" })
        tabs->addTab(new QWidget, QString::fromLatin1(name));
    window.setCentralWidget(tabs);
    window.resize(783, 666);
    window.show();
    if (!firstFrame)
        QTimer::singleShot(0, &app, reportAndEnd);
    return QApplication::exec();
}
