#pragma once

// The program entry: sets up the application (title, German translations), creates the main
// window and runs the message loop until it is closed.
int runPergolan(int argc, char *argv[]);

// Loads Qt's German translations, so standard buttons and dialogs speak German.
class QCoreApplication;
void installGermanTranslations(QCoreApplication &app);
