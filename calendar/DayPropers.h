#pragma once

#include "storage/Preparation.h"

#include <QString>

// The propers of a day as the liturgical data library gives them.
namespace daypropers {

// A text of the library, which takes and gives Windows-1252 and owns its results: copied at
// once (empty for no result).
QString fromLibrary(const char *result);

// The day's verse, psalm, hymn of the week, epistle, gospel, the sermon text of the series and
// the Old Testament reading (asked in this order), with the day name and series; the other
// four hymns are empty.
Preparation ofDay(const QString &dayName, const QString &series);

// The library's text of the day's liturgical colour.
QString colourText(const QString &dayName);

} // namespace daypropers
