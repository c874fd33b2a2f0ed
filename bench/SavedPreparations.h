#pragma once

#include "storage/Preparation.h"

#include <QDateTime>
#include <QString>

namespace benchdata {

// Writes the i-th of many saved preparations of a benchmark's data folder: p (day and series
// set by the caller) gets five hymns and a sequence of 20 entries, lands in its series folder
// or (every second one) its archive, and is dated savedAt.
void writeSavedPreparation(const QString &dataDir, int i, Preparation p, const QDateTime &savedAt);

} // namespace benchdata
