#pragma once

#include <QObject>
#include <QString>

// The heavy parts of the program (the office bridge, the SWORD reader, the web engine) live in
// Qt plugins of their own in the program folder, so that a start that never needs them does
// not pay for loading them. A plugin is loaded the first time it is asked for and then stays.
namespace plugins {

// The root object of the plugin file (e.g. "libpergolan_office.so") in the program folder,
// or nullptr when the file is missing or cannot be loaded (then *problem, when given, holds
// the loader's own reason). Never from the per-user overlay: no code is taken from there.
QObject *instance(const QString &fileName, QString *problem = nullptr);

// The plugin's root object as the interface T, or nullptr as above (also when the file is a
// plugin of another kind).
template<typename T> T *load(const QString &fileName, QString *problem = nullptr)
{
    return qobject_cast<T *>(instance(fileName, problem));
}

// For tests: look for plugins in this folder instead (empty restores the program folder).
// Meanwhile every request looks in that folder, past the plugins already loaded.
void setFolderForTesting(const QString &folder);

} // namespace plugins
