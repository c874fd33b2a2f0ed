#pragma once

#include <QString>

// The text without leading and trailing blanks and control characters (codes up to 32), as
// the day panel's caption and the references in the fields are read back.
QString trimControl(const QString &text);
