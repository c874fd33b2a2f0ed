#include "storage/PreparationHistory.h"

#include "storage/HymnKey.h"
#include "storage/ServicePreparation.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace history {

QDate SavedPreparation::serviceDate() const
{
    return serviceorder::stampDate(preparation.dayStamp);
}

QDate SavedPreparation::effectiveDate() const
{
    const QDate service = serviceDate();
    return service.isValid() ? service : saved.date();
}

namespace {

// Latest service first; of two for the same date the one saved last.
bool laterService(const SavedPreparation &a, const SavedPreparation &b)
{
    if (a.effectiveDate() != b.effectiveDate())
        return a.effectiveDate() > b.effectiveDate();
    return a.saved > b.saved;
}

void scanFolder(const QDir &dataDir, const QString &relativeFolder, const QDate &savedFrom,
                const QDate &savedTo, Reading reading, Scan &scan)
{
    const QDir folder(dataDir.filePath(relativeFolder));
    const QFileInfoList files
        = folder.entryInfoList({ QStringLiteral("*.ini") }, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo &file : files) {
        const QDateTime modified = file.lastModified();
        if ((savedFrom.isValid() && modified.date() < savedFrom)
            || (savedTo.isValid() && modified.date() > savedTo))
            continue;
        SavedPreparation saved;
        saved.path = file.absoluteFilePath();
        saved.relativePath = relativeFolder + u'/' + file.fileName();
        const bool whole = reading == Reading::Whole;
        const Result<IniFile> ini = whole ? serviceorder::readFile(saved.path)
                                          : serviceorder::readDayAndHymns(saved.path);
        if (!ini) {
            scan.unreadable.append(saved.relativePath);
            continue;
        }
        // A sequence count that is no number or out of range is what opening the file would
        // report as damaged; such a file is not counted as a preparation either.
        // The entries are kept: the hymn plan marks a hymn the list has no place for.
        serviceorder::StoredSequence stored;
        if (whole)
            stored = serviceorder::readSequence(*ini);
        else
            stored.status = serviceorder::sequenceStatus(*ini);
        if (stored.status == serviceorder::StoredSequence::Status::NotANumber
            || stored.status == serviceorder::StoredSequence::Status::OutOfRange) {
            scan.unreadable.append(saved.relativePath);
            continue;
        }
        saved.saved = modified;
        saved.preparation = serviceorder::readTexts(*ini);
        // The list the file keeps; none for a file that leaves the list as it is.
        saved.preparation.sequence = std::move(stored.entries);
        scan.preparations.append(std::move(saved));
    }
}

// The series folders and their archives.
Scan scanFolders(const QString &dataDir, const QDate &savedFrom, const QDate &savedTo,
                 Reading reading)
{
    QStringList folders;
    for (int series = 1; series <= 6; ++series) {
        const QString folder = QString::number(series);
        folders << folder << folder + QStringLiteral("/Archiv");
    }
    // Reading is mostly the reading of each file: the folders are shared among as many threads
    // as the machine has cores (at most four), each with a QDir of its own, and joined in order.
    std::vector<Scan> parts(size_t(folders.size()));
    std::atomic<qsizetype> next = 0;
    const auto work = [&] {
        const QDir dir(dataDir);
        for (qsizetype i = next++; i < folders.size(); i = next++)
            scanFolder(dir, folders.at(i), savedFrom, savedTo, reading, parts[size_t(i)]);
    };
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < std::clamp(std::thread::hardware_concurrency(), 1U, 4U); ++t)
        helpers.emplace_back(work);
    work();
    for (std::thread &helper : helpers)
        helper.join();
    Scan scan;
    for (Scan &part : parts) {
        scan.preparations.append(std::move(part.preparations));
        scan.unreadable.append(std::move(part.unreadable));
    }
    return scan;
}

} // namespace

Scan scanDataFolder(const QString &dataDir, Reading reading)
{
    return scanFolders(dataDir, {}, {}, reading);
}

Scan scanSeriesFolders(const QString &dataDir)
{
    Scan scan;
    const QDir dir(dataDir);
    for (int series = 1; series <= 6; ++series)
        scanFolder(dir, QString::number(series), {}, {}, Reading::Whole, scan);
    return scan;
}

Scan scanDataFolderSavedBetween(const QString &dataDir, const QDate &savedFrom,
                                const QDate &savedTo)
{
    return scanFolders(dataDir, savedFrom, savedTo, Reading::Whole);
}

QList<SavedPreparation> preparationsOfDay(const Scan &scan, const QString &dayName,
                                          const QStringList &formerNames, const QString &series)
{
    QList<SavedPreparation> result;
    for (const SavedPreparation &saved : scan.preparations) {
        const Preparation &p = saved.preparation;
        if (p.dayName == dayName || (p.series == series && formerNames.contains(p.dayName)))
            result.append(saved);
    }
    std::stable_sort(result.begin(), result.end(), laterService);
    return result;
}

QStringList hymnsOf(const ProperTexts &texts)
{
    return { texts.eingangslied, texts.wochenlied, texts.vorpredigtslied, texts.kollektenlied,
             texts.ausgangslied };
}

QList<HymnUse> hymnUses(const Scan &scan, const QDate &from, const QDate &to)
{
    QList<HymnUse> uses;
    // A service counts once, with the version in use, however many versions were kept.
    for (const SavedPreparation *saved : servicefile::oncePerService(scan)) {
        const QDate date = saved->effectiveDate();
        if ((from.isValid() && date < from) || (to.isValid() && date > to))
            continue;
        for (const QString &field : hymnsOf(saved->preparation)) {
            const QString hymn = field.trimmed();
            if (!hymn.isEmpty())
                uses.append({ hymn, saved });
        }
    }
    return uses;
}

QList<HymnCount> countHymns(const QList<HymnUse> &uses)
{
    struct Tally
    {
        HymnCount count;
        QList<const SavedPreparation *> sources;
    };
    QHash<QString, qsizetype> index;
    QList<Tally> tallies;
    for (const HymnUse &use : uses) {
        const QString key = hymnkey::key(use.hymn);
        auto it = index.constFind(key);
        if (it == index.constEnd()) {
            it = index.insert(key, tallies.size());
            tallies.append(Tally { HymnCount { hymnkey::label(use.hymn), 0, {} }, {} });
        }
        Tally &tally = tallies[*it];
        ++tally.count.count;
        tally.sources.append(use.source);
    }

    QList<HymnCount> result;
    result.reserve(tallies.size());
    for (Tally &tally : tallies) {
        std::stable_sort(tally.sources.begin(), tally.sources.end(),
                         [](const SavedPreparation *a, const SavedPreparation *b) {
                             return laterService(*b, *a);
                         });
        for (const SavedPreparation *source : std::as_const(tally.sources))
            tally.count.days.append(QStringLiteral("%1 (%2)").arg(
                source->preparation.dayName, dateText(source->effectiveDate())));
        result.append(std::move(tally.count));
    }
    std::stable_sort(result.begin(), result.end(), [](const HymnCount &a, const HymnCount &b) {
        if (a.count != b.count)
            return a.count > b.count;
        return QString::localeAwareCompare(a.hymn, b.hymn) < 0;
    });
    return result;
}

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString dateText(const QDateTime &saved)
{
    return dateText(saved.date());
}

} // namespace history
