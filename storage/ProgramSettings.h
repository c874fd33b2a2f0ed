#pragma once

#include "base/Result.h"

#include <QString>

// The pastor's settings of the program, in "libs/Einstellungen.ini" of the program folder (or
// its per-user overlay), kept like the order settings file: "[Lieder]" with
// "WiederholungWochen", the weeks within which a hymn sung before counts as a repeat.
namespace programsettings {

QString relativePath();

inline constexpr int kDefaultRepeatWeeks = 6;
inline constexpr int kMinRepeatWeeks = 1;
inline constexpr int kMaxRepeatWeeks = 52;

// The weeks within which a hymn counts as sung lately; the default for a missing file or value
// and for one that is no number within the range.
int repeatWeeks();

// Keeps the weeks (clamped to the range) with the file's other values. Fails in German when
// neither the program folder nor the overlay takes the file.
Result<> setRepeatWeeks(int weeks);

} // namespace programsettings
