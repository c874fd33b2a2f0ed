#pragma once

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

} // namespace bible
