#pragma once

// Golden cases of the order of service: one folder per case under tests/order/cases, read into
// the input of the UI-free functions and compared with the expected files (see the README.md
// there for the format).
#include "order/OrderText.h"

#include <QString>
#include <QStringList>

namespace ordercases {

// The folder that holds one sub-folder per case.
QString casesFolder();
// The names of the case folders, sorted.
QStringList caseNames();

struct OrderCase
{
    QString folder;
    ordertext::OrderInput input; // textFilePath points into Texte/, unset without that folder
    int form = -1; // "form": a basic-form position, -1 for none
    bool initial = false; // "form=start": the list the main window starts with
    QStringList ticks; // "tick" lines in their order: abendmahl, taufe, konfirmation, trauung
    // "lesungen=3" (input.threeReadings): the Old Testament reading is placed into the list
    bool hasSequence = false; // sequence.txt exists
};

// Reads input.txt and sequence.txt of the case folder; error names what is wrong.
OrderCase load(const QString &name, QString *error);

// The order text in the form of expected.txt: "<format>|<text>" a line, the format H (10 point
// bold), B (bold), I (italic) or R (regular), then "Fehler: <message>" when one was reported.
QString encode(const ordertext::OrderText &text, const QString &textFolder = QString());
QString encodeLines(const QList<ordertext::Line> &lines);

// A UTF-8 text file of the case folder, "" when missing.
QString readText(const QString &path);
// One entry a line, as in sequence.txt and expected-sequence.txt.
QStringList readList(const QString &path);

} // namespace ordercases
