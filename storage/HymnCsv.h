#pragma once

#include "storage/PreparationHistory.h"

#include <QByteArray>
#include <QString>

// The hymn uses of the saved preparations as CSV for a spreadsheet: UTF-8, ";" between the
// fields, lines ending in CR LF, the header "Lied;Tag;Predigtreihe;Gespeichert;Datei" and one
// line per hymn use.
//
// A spreadsheet's import dialog (LibreOffice Calc's ticks comma, semicolon and tab alike) and a
// spreadsheet opened by double click must read the same columns, so every text field is put in
// double quotes: "EG 11,1-4" stays one field wherever it is split. Dates and numbers the program
// writes itself stand bare. A text a spreadsheet would take for a formula stays text.
namespace hymncsv {

// A text field: in double quotes, quotes inside doubled; one beginning with "=", "+", "-" or
// "@" gets an apostrophe in front ("'=HYPERLINK(…)"), so that no spreadsheet runs it as a
// formula.
QString field(const QString &text);

QByteArray write(const QList<history::HymnUse> &uses);

} // namespace hymncsv
