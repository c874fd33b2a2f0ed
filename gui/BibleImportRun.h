#pragma once

#include <functional>

class Dialogs;
class QTextEdit;
class QWidget;

// Reading a Bible in from the tab "Perikope": the button "Bibeltext einlesen …" beside the
// offline view, the same entry in the view's context menu, and the hint in the empty view
// while no Bible file exists.
namespace bibleimport {

// Adds the button and the context-menu entry to the tab "Perikope" (page, with its offline
// view). imported runs after a new Bible was swapped in.
void install(QWidget &page, QTextEdit &view, Dialogs &dialogs,
             const std::function<void()> &imported = {});

// Asks what to read in, runs the import off the user-interface thread with a progress dialog
// that can be cancelled, and reports the outcome in a message. Returns true when a new Bible
// was swapped in.
bool run(QWidget *parent, Dialogs &dialogs, QTextEdit *offlineView);

// Shows in the empty offline view how to get a Bible text into the program, while there is
// none.
void updateEmptyViewHint(QTextEdit &offlineView);

} // namespace bibleimport
