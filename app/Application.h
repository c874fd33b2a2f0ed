#pragma once

#include <functional>

class TfrmMain;

// The program entry: sets up the application (title, German translations), creates the main
// window and runs the message loop until it is closed. afterShown, when given, runs once the
// window is shown and the message loop runs (the start-up benchmark quits there).
int runPergolan(int argc, char *argv[], const std::function<void(TfrmMain &)> &afterShown = {});

// Loads Qt's German translations, so standard buttons and dialogs speak German.
class QCoreApplication;
void installGermanTranslations(QCoreApplication &app);
