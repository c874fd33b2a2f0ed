#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>

#include <functional>

// Writing a file whole or not at all, also in a folder where a file cannot be renamed over an
// existing one (a network share, a synchronised folder): the new content goes to a file of its
// own beside the target first and takes the target's name only when it is complete. At no
// moment is there neither the earlier nor the new file, and never half a file under the name.
namespace safewrite {

// The two renames a save makes, replaceable in tests to play a folder that refuses them.
struct Renames
{
    // Gives `from` the name `to`, replacing a file there; false when the folder refuses.
    std::function<bool(const QString &from, const QString &to)> replacing;
    // Gives `from` the name `to`, which no file has; false when that fails or `to` exists.
    std::function<bool(const QString &from, const QString &to)> toFreeName;
};

// The operating system's renames.
const Renames &systemRenames();

// Writes bytes under path. When the folder refuses to rename over the existing file, the
// earlier file is first moved aside, the new one takes its name, and only then is the earlier
// one removed; when that fails too, the earlier file is put back. Fails with a German message
// naming the file; the earlier file is then unchanged (or, should even putting it back fail,
// the message says where both versions are). With replaceExisting false a file already under
// path is never replaced: the save fails instead.
Result<> writeWhole(const QString &path, const QByteArray &bytes,
                    const Renames &renames = systemRenames(), bool replaceExisting = true);

} // namespace safewrite
