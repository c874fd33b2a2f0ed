#include "app/Application.h"

#include "base/CommandLine.h"
#include "base/ProgramInfo.h"
#include "gui/DesktopIdentity.h"
#include "gui/DrawnFrameStyle.h"
#include "gui/FrmMain.h"
#include "gui/WebView.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

#include <unistd.h>

void installGermanTranslations(QCoreApplication &app)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char *name : { "qtbase_de", "qtwebengine_de" }) {
        auto *translator = new QTranslator(&app);
        if (translator->load(QString::fromLatin1(name), folder))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

namespace {

const QString kUsage = QStringLiteral(
    "Aufruf: pergolan [ARGUMENT ...]\n"
    "Öffnet das Fenster der Gottesdienstvorbereitung: den kommenden Sonn- oder Feiertag mit "
    "seinen\nTexten, Liedern, Grundform und Kasualien, den Ablauf zum Drucken, Exportieren und "
    "Speichern.\nMit irgendeinem Argument unterbleibt die Prüfung auf eine neuere Version.\n"
    "  -h, --help     diese Hilfe\n"
    "  --version      Name und Version\n");

} // namespace

int runPergolan(int argc, char *argv[], const StartHooks &hooks)
{
    // Asked for help or the version, the program answers and ends before any window, display
    // connection or plugin is made.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (const auto answered
        = commandline::answerHelpOrVersion(arguments, QStringLiteral("pergolan"), kUsage))
        return *answered;

    // As root the web engine would end the program when a passage is shown online.
    if (const QString note = webview::allowRunningAsRoot(geteuid()); !note.isEmpty())
        std::fprintf(stderr, "%s\n", note.toLocal8Bit().constData());
    // Any argument at all suppresses the update check, also one that Qt takes for itself
    // (such as -platform): counted before QApplication removes those.
    StartOptions options;
    options.skipUpdateCheck = argc > 1;
    QApplication app(argc, argv);
    QApplication::setApplicationName(programinfo::title());
    QApplication::setApplicationDisplayName(programinfo::title());
    QApplication::setOrganizationName(programinfo::title());
    // The desktop matches the window to the menu entry (and so to its icon) by this name.
    QGuiApplication::setDesktopFileName(desktopidentity::desktopFileName());
    QApplication::setWindowIcon(desktopidentity::programIcon());
    drawGroupBoxFramesWithoutPictures();
    installGermanTranslations(app);

    // The window is on the screen sooner when the pages behind its hidden tabs follow its
    // first frame.
    options.hiddenPagesAfterFirstFrame = true;
    TfrmMain *window = nullptr;
    const auto later = [&window](const std::function<void(TfrmMain &)> &hook) {
        QTimer::singleShot(0, window, [&window, &hook] { hook(*window); });
    };
    if (hooks.firstFrame)
        options.firstFrameShown = [&window, &hooks] { hooks.firstFrame(*window); };
    if (hooks.complete)
        options.complete = [&later, &hooks] { later(hooks.complete); };
    TfrmMain main(nullptr, options);
    window = &main;
    main.show();
    if (hooks.shown)
        later(hooks.shown);
    return QApplication::exec();
}
