// The real program start, ending as soon as the main window is shown (with "--first-frame": as
// soon as its first frame is painted): what the start-up benchmark measures. It reads the built
// program folder (data, plugins) as the installed program reads its own. Started with an
// argument, as the benchmark does, it skips the update check.
#include "app/Application.h"
#include "base/ProgramFolder.h"
#include "bench/StartupUsage.h"

#include <cstdlib>
#include <cstring>

int main(int argc, char *argv[])
{
    programfolder::setDirForTesting(QStringLiteral(PERGOLAN_PROGRAM_DIR));
    // Ends at once: closing the window (and what closing does) is not part of start-up.
    const auto report = [](TfrmMain &) {
        writeStartupUsage();
        std::_Exit(0);
    };
    StartHooks hooks;
    if (argc > 1 && std::strcmp(argv[1], "--first-frame") == 0)
        hooks.firstFrame = report;
    else
        hooks.shown = report;
    return runPergolan(argc, argv, hooks);
}
