#pragma once

#include "base/Result.h"

#include <QString>

// The per-user data folder "Pergol" in the user's documents folder, with one folder per
// sermon series ("1" to "6"), each holding "Predigten" and "Archiv".
namespace datafolder {

// The documents folder as the system reports it (empty when it reports none).
QString documentsDir();

// The data folder's path (whether or not it exists yet).
QString path();

// Makes sure the data folder exists and returns it; whoever needs it gets it passed along.
// When the documents folder is unknown the process's current folder stands in for it. Fails
// with a German message when the folder cannot be created.
Result<QString> EnterDataFolder();

// Creates the series folders with "Predigten" and "Archiv". A series folder whose "Archiv" is
// made now has its stored service orders moved into it (files saved before archives existed);
// an existing archive, empty or not, never causes a move. Fails when a folder cannot be
// created; a failing move is skipped.
Result<> PrepareSeriesFolders();

} // namespace datafolder
