#pragma once

#include "bible/OsisImport.h"

#include <QList>
#include <QString>

#include <functional>

class QIODevice;

// Reading a Bible into the program: recognising the source's format, reading it into books
// (ImportedBook), and replacing the Bible files as a whole.
namespace bible {

enum class BibleFormat { Unknown, Osis, Zefania };

// The format of an XML document, from its root element: <osis> or <XMLBIBLE>. Reads only the
// start of the device.
BibleFormat detectBibleFormat(QIODevice &device);

// How a running import reports and is stopped. Every member may be empty.
struct ImportControl
{
    std::function<bool()> cancelled; // asked while reading and before each file is written
    std::function<void(int percent)> reading; // how much of the source is read, 0 to 100
    ImportProgress writing; // before each Bible file is written, and once at the end
};

// Imports a Bible in OSIS or Zefania XML (a file, or every *.xml file of a folder), recognised
// by its content, into targetFolder; see writeBible for how the files are replaced.
ImportResult importBible(const QString &source, const QString &targetFolder,
                         const ImportControl &control = {});

// Writes the books the program knows (skipping, and naming in the summary, the others) as
// Bible files and swaps them in as a whole: they are written into a fresh folder next to the
// target, which then takes the target's place, so a failed or cancelled import leaves the
// earlier Bible files exactly as they were. A target folder that holds anything besides Bible
// files (*.lib) is not replaced. With an empty targetFolder the files go where the program
// reads them (bibleTargetFolder), and the next lookup sees the new text.
ImportResult writeBible(const QList<ImportedBook> &books, const QString &sourceName,
                        const QString &targetFolder, const ImportControl &control = {});

// Where an import without a target folder writes the Bible files: the program folder's
// "libs/Bibel" when it can be written to, else the per-user overlay's. Creates the folder;
// empty when neither place can take it.
QString bibleTargetFolder();

// True when there is at least one Bible file where the program reads them.
bool bibleInstalled();

// The German text of a finished, failed or cancelled import for the user.
QString importOutcomeText(const ImportResult &result);

} // namespace bible
