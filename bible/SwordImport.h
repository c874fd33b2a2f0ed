#pragma once

#include "bible/BibleImport.h"

#include <QList>
#include <QString>

// Bibles installed as SWORD modules, the library behind the Bible programs of the Linux
// desktop (per user in ~/.sword, system wide in /usr/share/sword), read through libsword.
namespace bible {

struct SwordModule
{
    QString name; // e.g. "GerLut1545"
    QString description; // the module's own description
};

// The installed Bible modules (commentaries, dictionaries and the like are left out), by name.
QList<SwordModule> installedSwordBibles();

// Reads the installed Bible module into books (each under its OSIS book identifier, verse
// numbering as in the module) and writes them like importBible. An unknown module, or one that
// is not a Bible, writes nothing and gives BadInput.
ImportResult importSwordBible(const QString &module, const QString &targetFolder,
                              const ImportControl &control = {});

} // namespace bible
