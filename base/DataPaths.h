#pragma once

#include "base/Result.h"

#include <QString>

// The checks every path inside the data folder passes: values read from a preparation or
// typed by the user name folders and files there, and must never lead out of it.
namespace datapaths {

// The number of sermon series; their folders are named "1" to this number.
constexpr int kSeriesCount = 6;

// Empty when series names a series folder ("1" to "6", nothing else); otherwise the German
// reason why no folder or file is made for it.
QString seriesProblem(const QString &series);

// Empty when name may become part of a file name in a series folder: it holds no "/" or "\"
// and is not "." or ".."; otherwise the German reason why it cannot.
QString fileNamePartProblem(const QString &name);

// The series folder inside dataFolder, without a trailing "/". Fails (with the reason above)
// when series names no series folder.
Result<QString> seriesFolder(const QString &dataFolder, const QString &series);

} // namespace datapaths
