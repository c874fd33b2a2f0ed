#include "bench/SavedPreparations.h"

#include "storage/ServiceOrderFile.h"

#include <QDir>
#include <QFile>

namespace benchdata {

void writeSavedPreparation(const QString &dataDir, int i, Preparation p, const QDateTime &savedAt)
{
    p.predigttext = QStringLiteral("Mt 5,1-12");
    p.eingangslied = QStringLiteral("EG %1,1-3").arg(i % 535);
    p.wochenlied = QStringLiteral("EG %1 Ein Lied mit Titel").arg((i * 7) % 535);
    p.vorpredigtslied = QStringLiteral("EG %1").arg((i * 13) % 535);
    p.kollektenlied = QStringLiteral("Ein Lied ohne Nummer %1").arg(i % 40);
    p.ausgangslied = QStringLiteral("EG %1,1").arg((i * 17) % 535);
    for (int e = 0; e < 20; ++e)
        p.sequence << QStringLiteral("Element %1").arg(e);
    const QString folderName = p.series + (i % 2 ? QStringLiteral("/Archiv") : QString());
    QDir(dataDir).mkpath(folderName);
    const QString path = dataDir + u'/' + folderName + u'/' + p.series + u' ' + p.dayName
        + QStringLiteral(" %1.ini").arg(i);
    if (!serviceorder::writeFile(path, serviceorder::toIni(p)))
        qFatal("Die Vorbereitung %s kann nicht geschrieben werden.", qPrintable(path));
    QFile file(path);
    if (file.open(QIODevice::ReadWrite))
        file.setFileTime(savedAt, QFileDevice::FileModificationTime);
}

} // namespace benchdata
