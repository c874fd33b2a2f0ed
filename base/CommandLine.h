#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What every companion command answers before it does its work: "--help" (or "-h") writes
// the German usage to the standard output, "--version" the command's name and the program's
// version; both end the command with 0.
namespace commandline {

// "pergolan-kirchenjahr (Pergolan) 5.03"
QString versionLine(const QString &command);

// The exit code when the first argument asks for help or the version (after writing the
// answer to the standard output), nothing otherwise.
std::optional<int> answerHelpOrVersion(const QStringList &arguments, const QString &command,
                                       const QString &usage);

} // namespace commandline
