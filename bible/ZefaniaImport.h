#pragma once

#include "bible/OsisImport.h"

#include <QList>
#include <QString>

class QIODevice;

// Reading a Bible in Zefania XML, the common format of free German Bible software:
// <XMLBIBLE><BIBLEBOOK bnumber="41"><CHAPTER cnumber="1"><VERS vnumber="9">...</VERS>.
namespace bible {

// The OSIS identifier of a Zefania book number (1 to 66 in the order of the Protestant canon,
// 67 and up for the Apocrypha), or an empty string for a number the program has no book for.
QString osisIdOfZefaniaBook(int bnumber);

// Reads every book of a Zefania document into books, each under the OSIS identifier of its
// book number, so the Bible files are named as for an OSIS source; a book the program does not
// know keeps "Zefania <bnumber>" as its identifier and is skipped when writing. Verse texts
// become plain text: notes, cross references and remarks are dropped, runs of white space
// become one blank. tick (when set) is called now and then with the bytes read and the
// device's size; when it returns false, reading stops and the function returns false with an
// empty errorText. Returns false with a German reason for a document that is not well-formed
// XML or holds no verse.
bool readZefaniaBooks(QIODevice &device, QList<ImportedBook> &books, QString *errorText,
                      const ReadTick &tick = {});

} // namespace bible
