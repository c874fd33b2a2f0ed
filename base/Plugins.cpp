#include "base/Plugins.h"

#include "base/ProgramFolder.h"

#include <QHash>
#include <QPluginLoader>

namespace plugins {
namespace {

QString &testFolder()
{
    static QString value;
    return value;
}

// The loaded plugins by file name: the first one found stays for the whole run. Only successes
// are kept, so a plugin installed while the program runs is found on the next try.
QHash<QString, QObject *> &loaded()
{
    static QHash<QString, QObject *> value;
    return value;
}

} // namespace

QObject *instance(const QString &fileName, QString *problem)
{
    const bool testing = !testFolder().isEmpty();
    if (QObject *plugin = testing ? nullptr : loaded().value(fileName))
        return plugin;
    QPluginLoader loader((testing ? testFolder() : programfolder::dir()) + u'/' + fileName);
    QObject *plugin = loader.instance();
    if (plugin && !testing)
        loaded().insert(fileName, plugin);
    else if (problem)
        *problem = loader.errorString();
    return plugin;
}

void setFolderForTesting(const QString &folder)
{
    testFolder() = folder;
}

} // namespace plugins
