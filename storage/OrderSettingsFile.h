#pragma once

#include "storage/ServiceOrderFile.h"

#include <QString>
#include <QStringList>

// The order settings file "libs/Ablauf.ini" of the program folder: the sequence list, the
// occasional-service ticks and the page format of the last save. The window restores the
// list and the ticks from it at every start; its page format is written but never read.
namespace ordersettings {

// The file's place relative to the program folder.
QString relativePath();

// The order settings file holds one short list; a larger file is not read.
inline constexpr qint64 kMaxFileSize = boundedfile::kTextLimit;

struct OrderSettings
{
    int pageFormat = 0;
    ServiceTicks ticks;
    QStringList sequence;
    QString basicForm {}; // the name of the form the list was built from; empty when not known
    bool adjusted = false; // moved by hand since
};

// "Format" (page format and basic form), "Kasualien", "Reihenfolge", in this order and
// nothing else.
IniFile toIni(const OrderSettings &settings);

// Writes the order settings file and deletes a left-over "libs/Ablauf.txt". The file goes to
// the program folder, or to the per-user overlay when the program folder cannot be written
// (a system-wide install). Written whole or not at all. Fails with a German text when neither
// place takes the file.
Result<> save(const OrderSettings &settings);

// Where the file is read from (the overlay copy when there is one); empty when there is no
// order settings file at all.
QString existingPath();

} // namespace ordersettings
