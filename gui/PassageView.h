#pragma once

#include "bible/PassageParts.h"

#include <QList>
#include <QString>
#include <QStringList>

class QTextDocument;

// Writing a passage into the offline view's document: the bold heading
// "Ausgewählte Bibelstelle: <reference>", two empty lines, then one regular line per verse.
namespace bible {

// Adds the bold heading and the two empty lines after it at the end of an (empty) document.
void writePassageHeading(QTextDocument &document, const QString &reference);

// Adds the verse lines in regular type, one paragraph each.
void appendVerseLines(QTextDocument &document, const QStringList &lines);

// Adds every part of a passage: an empty line between two parts; a part in another book or
// chapter than the one before, or an optional one, is headed by an italic line ("Dan 9",
// "Kapitel 9", "wahlweise", "Kapitel 11, wahlweise"); the verses of an optional part are
// italic.
void appendPassageParts(QTextDocument &document, const QList<PassagePart> &parts);

// The italic line above a part; empty when the part needs none.
QString partLabel(const PassagePart &part, const PassagePart *previous);

} // namespace bible
