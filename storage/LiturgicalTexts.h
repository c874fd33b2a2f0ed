#pragma once

#include "base/Result.h"

#include <QString>
#include <QStringList>

#include <span>

// The constant texts of the service shown in the nine memos of the tab "Ordinarium": the
// texts they start with, the text files that replace six of them at start-up, and how a
// memo's text and its lines relate.
namespace liturgicaltexts {

enum class Memo {
    Dialog1,
    Dialog2,
    Dialog3,
    Credo,
    VaterUnser,
    Segen,
    GloriaPatri,
    Kyrie,
    GloriaExcelsis,
};

// The text a memo shows before any file is loaded, line by line.
QStringList builtInText(Memo memo);

// A text file of the text folder that replaces a memo's built-in text at start-up.
struct StartupFile
{
    Memo memo;
    const char16_t *fileName; // inside the text folder, used exactly as written
};

// The start-up files in the order they are read.
std::span<const StartupFile> startupFiles();

// The text folder inside the program folder, with its trailing slash.
inline constexpr char16_t kTextFolder[] = u"Texte/";

// Where a file of the text folder is read from.
QString textFilePath(const QString &fileName);

// The lines of a memo holding this text: a line ends at a line break, and a final line break
// does not start another line (an empty memo has no lines).
QStringList memoLines(const QString &memoText);

// The text that gives a memo exactly these lines (the inverse of memoLines).
QString memoText(const QStringList &lines);

// Reads a text file (Windows-1252, lines ending at CR LF, LF or CR) as memo lines. Fails with
// a German message when the file cannot be read.
Result<QStringList> readTextFile(const QString &path);

// Writes memo lines as a Windows-1252 text file with CR LF, whole or not at all. Fails with a
// German message when the file cannot be written.
Result<> writeTextFile(const QString &path, const QStringList &lines);

} // namespace liturgicaltexts
