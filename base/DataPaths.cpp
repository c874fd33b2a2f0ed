#include "base/DataPaths.h"

namespace datapaths {

QString seriesProblem(const QString &series)
{
    for (int n = 1; n <= kSeriesCount; ++n) {
        if (series == QString::number(n))
            return {};
    }
    return QStringLiteral("Die Predigtreihe \"%1\" ist keine Zahl von 1 bis %2. Dafür wird kein "
                          "Ordner und keine Datei angelegt.")
        .arg(series)
        .arg(kSeriesCount);
}

QString fileNamePartProblem(const QString &name)
{
    if (!name.contains(u'/') && !name.contains(u'\\') && name != u"." && name != u"..")
        return {};
    return QStringLiteral("Der Name \"%1\" kann nicht Teil eines Dateinamens sein: Er darf weder "
                          "\"/\" noch \"\\\" enthalten und nicht \".\" oder \"..\" sein.")
        .arg(name);
}

Result<QString> seriesFolder(const QString &dataFolder, const QString &series)
{
    if (const QString problem = seriesProblem(series); !problem.isEmpty())
        return Failure { problem };
    return dataFolder + u'/' + series;
}

} // namespace datapaths
