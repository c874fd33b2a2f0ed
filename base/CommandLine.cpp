#include "base/CommandLine.h"

#include "base/ProgramInfo.h"

#include <cstdio>

namespace commandline {

QString versionLine(const QString &command)
{
    return command + QStringLiteral(" (") + programinfo::title() + QStringLiteral(") ")
        + QStringLiteral(PERGOLAN_VERSION_TEXT);
}

std::optional<int> answerHelpOrVersion(const QStringList &arguments, const QString &command,
                                       const QString &usage)
{
    if (arguments.isEmpty())
        return std::nullopt;
    QString answer;
    const QString &first = arguments.first();
    if (first == QStringLiteral("--help") || first == QStringLiteral("-h"))
        answer = usage;
    else if (first == QStringLiteral("--version"))
        answer = versionLine(command) + u'\n';
    else
        return std::nullopt;
    const QByteArray bytes = answer.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace commandline
