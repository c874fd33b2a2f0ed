#pragma once

class QWidget;

// The usual keys of a desktop program on the main window: Strg+N new, Strg+O open, Strg+S save,
// Strg+P print, F1 help, Strg+Q quit. Each key clicks its button, so it runs exactly what the
// button runs (and nothing while the button is disabled); the button's tooltip names the key.
void installWindowShortcuts(QWidget &window);
