#pragma once

#include <functional>

class TfrmMain;

// Points of the start at which a caller (a benchmark, a test probe) may look at the window.
// Each runs once, from the message loop.
struct StartHooks
{
    // As soon as the window is shown and the message loop runs, before its first frame.
    std::function<void(TfrmMain &)> shown;
    // Once the first frame is painted, before the pages of the hidden tabs are built.
    std::function<void(TfrmMain &)> firstFrame;
    // Once the window is complete: every page built, the start-up at its end.
    std::function<void(TfrmMain &)> complete;
};

// The program entry: sets up the application (title, German translations), creates the main
// window and runs the message loop until it is closed. The window's first frame is shown
// before the pages of its hidden tabs are built.
int runPergolan(int argc, char *argv[], const StartHooks &hooks = {});

// Loads Qt's German translations, so standard buttons and dialogs speak German.
class QCoreApplication;
void installGermanTranslations(QCoreApplication &app);
