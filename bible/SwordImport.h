#pragma once

#include "bible/BibleImport.h"

#include <QList>
#include <QString>

// Bibles installed as SWORD modules, the library behind the Bible programs of the Linux
// desktop (per user in ~/.sword, system wide in /usr/share/sword), read through libsword in
// the SWORD plugin (package "pergolan-sword"), which is loaded the first time it is needed.
namespace bible {

struct SwordModule
{
    QString name; // e.g. "GerLut1545"
    QString description; // the module's own description
};

// Empty when the SWORD plugin is there; otherwise the one German line saying how to get it.
QString swordUnavailableText();

// The installed Bible modules (commentaries, dictionaries and the like are left out), by name;
// none without the SWORD plugin.
QList<SwordModule> installedSwordBibles();

// Reads the installed Bible module into books (each under its OSIS book identifier, verse
// numbering as in the module) and writes them like importBible. An unknown module, or one that
// is not a Bible, writes nothing and gives BadInput; so does a missing SWORD plugin (with
// swordUnavailableText).
ImportResult importSwordBible(const QString &module, const QString &targetFolder,
                              const ImportControl &control = {});

} // namespace bible
