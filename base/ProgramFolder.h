#pragma once

#include <QString>

// Answers "where is program-folder file X". The program reads its own files (Texte/, libs/)
// from the folder of the executable. A system-wide install cannot write there, so every file
// is looked up first in a per-user overlay of the program folder and then in the program
// folder itself; a write goes to the program folder when it is writable, else to the overlay.
namespace programfolder {

// The folder of the executable (or the one set for tests), without trailing slash.
QString dir();

// The per-user overlay folder (QStandardPaths::AppDataLocation + "/programm").
QString overlayDir();

// Path under which the relative file (e.g. "libs/Ablauf.ini") is read: the overlay copy
// when it exists, otherwise the program folder's path (whether or not it exists).
QString readPath(const QString &relative);

// Path under which the relative file is to be written: in the program folder when its folder
// there exists (or can be created) and is writable and the program folder is not one installed
// system-wide, otherwise in the overlay. Creates the parent folder. Returns an empty string
// when neither place can take the file.
QString writePath(const QString &relative);

// Whether folder belongs to a system-wide installation (under /usr): the package manager's,
// never written by the program, even when run as root, whose files there the removal of the
// package would leave behind.
bool installedSystemWide(const QString &folder);

// For tests: pretend the executable lies in this folder (empty restores the real one).
void setDirForTesting(const QString &path);

// For tests: pretend the program folder cannot be written to.
void setReadOnlyForTesting(bool readOnly);

} // namespace programfolder
