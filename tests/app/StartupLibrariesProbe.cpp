// The real program start with the program folder given in PERGOLAN_PROGRAM_DIR: once the main
// window is complete (shown, every page built) it writes the files mapped into the process
// (from /proc/self/maps), one path a line, then "OpenGL" when Qt's shared OpenGL context has been
// made (which loads the system's OpenGL stack wherever there is one), and ends.
#include "app/Application.h"
#include "base/ProgramFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    programfolder::setDirForTesting(QString::fromLocal8Bit(qgetenv("PERGOLAN_PROGRAM_DIR")));
    StartHooks hooks;
    hooks.complete = [](TfrmMain &) {
        QFile maps(QStringLiteral("/proc/self/maps"));
        if (!maps.open(QIODevice::ReadOnly))
            std::_Exit(1);
        QSet<QByteArray> seen;
        for (const QByteArray &line : maps.readAll().split('\n')) {
            const qsizetype slash = line.indexOf('/');
            if (slash < 0)
                continue;
            const QByteArray path = line.mid(slash);
            if (!seen.contains(path)) {
                seen.insert(path);
                std::printf("%s\n", path.constData());
            }
        }
        if (QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts))
            std::printf("OpenGL\n");
        std::fflush(stdout);
        std::_Exit(0);
    };
    return runPergolan(argc, argv, hooks);
}
