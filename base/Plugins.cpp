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

// The loaded plugins by path; only successes are kept, so a plugin installed while the
// program runs is found on the next try.
QHash<QString, QObject *> &loaded()
{
    static QHash<QString, QObject *> value;
    return value;
}

} // namespace

QObject *instance(const QString &fileName, QString *problem)
{
    const QString folder = testFolder().isEmpty() ? programfolder::dir() : testFolder();
    const QString path = folder + u'/' + fileName;
    if (QObject *plugin = loaded().value(path))
        return plugin;
    QPluginLoader loader(path);
    QObject *plugin = loader.instance();
    if (plugin)
        loaded().insert(path, plugin);
    else if (problem)
        *problem = loader.errorString();
    return plugin;
}

void setFolderForTesting(const QString &folder)
{
    testFolder() = folder;
}

} // namespace plugins
