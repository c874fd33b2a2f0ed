#include "base/ProgramInfo.h"

#include <QLocale>

#include <atomic>

namespace programinfo {

namespace {
// Read and written on the user-interface thread only; atomic so that nobody has to prove it.
std::atomic<bool> g_pointSeparator { false };
} // namespace

QChar decimalSeparator()
{
    if (g_pointSeparator.load())
        return u'.';
    const QString system = QLocale::system().decimalPoint();
    return system.isEmpty() ? QChar(u'.') : system.front();
}

void useDecimalPoint()
{
    g_pointSeparator.store(true);
}

void resetDecimalSeparatorForTesting()
{
    g_pointSeparator.store(false);
}

QString formatVersion(double version, QChar separator)
{
    QString text = QString::asprintf("%5.2f", version);
    // asprintf always writes a point, whatever the C locale says.
    text.replace(u'.', separator);
    return text;
}

QString formatVersion(double version)
{
    return formatVersion(version, decimalSeparator());
}

QString noticeLine()
{
    return QStringLiteral(
        "© 2026 Die Pergolan-Entwickler – freie Software unter der GNU GPL, Version 2 oder später");
}

} // namespace programinfo
