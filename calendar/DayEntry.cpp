#include "calendar/DayEntry.h"

#include "base/DataPaths.h"
#include "base/TextTrim.h"

namespace dayentry {

QString dayStamp(const QString &entry)
{
    return entry.mid(6, 4) + entry.mid(3, 2) + entry.mid(0, 2);
}

Result<int> seriesNumber(const QString &entry)
{
    const QString yearText = entry.mid(6, 4);
    bool isYear = yearText.size() == 4;
    for (const QChar c : yearText)
        isYear = isYear && c >= u'0' && c <= u'9';
    if (!isYear)
        return Failure { QStringLiteral("„%1“ ist keine gültige Jahreszahl.").arg(yearText) };
    const int year = yearText.toInt();
    const bool newChurchYear
        = entry.contains(QStringLiteral("Advent")) || entry.mid(3, 2) == QStringLiteral("12");
    // The remainder is taken non-negative, so that the years before 9 still give 1 to 6.
    const int offset = newChurchYear ? 8 : 9;
    return ((year - offset) % 6 + 6) % 6 + 1;
}

QString dayName(const QString &entry)
{
    return entry.size() > 14 ? entry.mid(13) : entry;
}

QString panelDayName(const QString &caption)
{
    return trimControl(caption);
}

QString storedOrderPath(const QString &folder, const QString &series, const QString &name)
{
    // A series or name that would lead elsewhere names no stored order.
    if (!datapaths::seriesProblem(series).isEmpty()
        || !datapaths::fileNamePartProblem(name).isEmpty())
        return {};
    return datapaths::seriesFolder(folder, series).value() + u'/' + series + u' ' + name
        + QStringLiteral(".ini");
}

} // namespace dayentry
