#pragma once

#include "bible/BibleImport.h"
#include "bible/SwordImport.h"

#include <QList>
#include <QObject>
#include <QString>

// What the SWORD plugin (libpergolan_sword.so in the program folder, from the package
// "pergolan-sword") offers: the installed Bible modules and their verses, read through libsword.
// The program knows libsword only through this interface, so that neither the program nor its
// package needs it; the Bible files are written by the program itself (writeBible).
class SwordReader
{
public:
    virtual ~SwordReader() = default;
    // As installedSwordBibles.
    virtual QList<bible::SwordModule> installedBibles() = 0;
    // Reads the module into books. A result other than Ok (unknown module, not a Bible, no
    // verses, cancelled) says why nothing was read; books is then left empty.
    virtual bible::ImportResult read(const QString &module, const bible::ImportControl &control,
                                     QList<bible::ImportedBook> &books)
        = 0;
};

#define PERGOLAN_SWORDREADER_IID "example.pergolan.SwordReader/1.0"
Q_DECLARE_INTERFACE(SwordReader, PERGOLAN_SWORDREADER_IID)
