#pragma once

#include "base/Result.h"

#include <QString>

// What a day entry "dd.mm.yyyy - Name" of the day list (or a text the user typed into the day
// selector) says about the day: its date stamp, its sermon series and its name. The entry
// is taken by character positions; nothing is checked beyond what is needed.
namespace dayentry {

// The date as yyyymmdd: characters 7 to 10, 4 and 5, 1 and 2 joined.
QString dayStamp(const QString &entry);

// The sermon series 1 to 6 of the church year the day belongs to. December days and every
// entry naming "Advent" belong to the church year that begins in that year: series
// ((Y - 8) mod 6) + 1; all other days to the one that began the year before:
// ((Y - 9) mod 6) + 1. Fails when characters 7 to 10 are not a year.
Result<int> seriesNumber(const QString &entry);

// The day's name: from the fourteenth character on when the entry is longer than 14
// characters, otherwise the whole text.
QString dayName(const QString &entry);

// The day name shown in the day panel: the caption without leading and trailing blanks and
// control characters.
QString panelDayName(const QString &caption);

// The stored-order path of a day: folder/series/series + " " + name + ".ini"; empty when the
// series is not "1" to "6" or the name cannot be part of a file name.
QString storedOrderPath(const QString &folder, const QString &series, const QString &name);

} // namespace dayentry
