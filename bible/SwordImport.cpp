#include "bible/SwordImport.h"

#include "base/Plugins.h"
#include "bible/SwordReader.h"

#include <QDebug>

using namespace Qt::Literals::StringLiterals;

namespace bible {
namespace {

SwordReader *reader()
{
    QString problem;
    SwordReader *loaded = plugins::load<SwordReader>(u"libpergolan_sword.so"_s, &problem);
    if (!loaded)
        qWarning().noquote() << problem;
    return loaded;
}

} // namespace

QString swordUnavailableText()
{
    if (reader())
        return {};
    return u"SWORD-Bibelmodule lassen sich einlesen, sobald das Paket „pergolan-sword“ "
           u"installiert ist."_s;
}

QList<SwordModule> installedSwordBibles()
{
    SwordReader *plugin = reader();
    return plugin ? plugin->installedBibles() : QList<SwordModule>();
}

ImportResult importSwordBible(const QString &moduleName, const QString &targetFolder,
                              const ImportControl &control)
{
    SwordReader *plugin = reader();
    if (!plugin) {
        ImportResult result;
        result.status = ImportStatus::BadInput;
        result.errorText = swordUnavailableText();
        return result;
    }
    QList<ImportedBook> books;
    const ImportResult read = plugin->read(moduleName, control, books);
    if (read.status != ImportStatus::Ok)
        return read;
    return writeBible(books, moduleName, targetFolder, control);
}

} // namespace bible
