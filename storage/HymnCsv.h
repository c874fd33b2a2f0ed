#pragma once

#include "storage/PreparationHistory.h"

#include <QByteArray>
#include <QString>

// The hymn uses of the saved preparations as CSV for a spreadsheet: UTF-8, ";" between the
// fields, lines ending in CR LF, the header "Lied;Tag;Predigtreihe;Gespeichert;Datei" and one
// line per hymn use.
namespace hymncsv {

// A field quoted when it holds ";", '"' or a line end; quotes inside are doubled.
QString field(const QString &text);

QByteArray write(const QList<history::HymnUse> &uses);

} // namespace hymncsv
