#include "storage/ServicePreparation.h"

#include "storage/SafeWrite.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace servicefile {

namespace {

// The same day with the same series comes every six years; half of that parts two cycles.
constexpr qint64 kCycleHalfDays = 3 * 365;

const QString kArchive = QStringLiteral("Archiv");

bool inArchive(const history::SavedPreparation &saved)
{
    return saved.relativePath.count(u'/') > 1;
}

QString fileNameOf(const history::SavedPreparation &saved)
{
    return saved.relativePath.section(u'/', -1);
}

// The version number under the first of names that matches, 0 for none.
int versionUnder(const history::SavedPreparation &saved, const QString &series, const QString &name)
{
    if (inArchive(saved) || saved.relativePath.section(u'/', 0, 0) != series)
        return 0;
    return versionOf(fileNameOf(saved), series, name);
}

// Newest first: saved last, then the higher version number.
bool newerVersion(const history::SavedPreparation &a, int versionA,
                  const history::SavedPreparation &b, int versionB)
{
    if (a.saved != b.saved)
        return a.saved > b.saved;
    return versionA > versionB;
}

// The version number of a file under the day and series it names itself; 0 in "Archiv".
int versionOfDay(const history::SavedPreparation &saved)
{
    return versionUnder(saved, saved.preparation.series, saved.preparation.dayName);
}

// Reads one saved preparation. A file that cannot be read stays a candidate, judged by the day
// it was saved: loading it then says that it is damaged, and saving asks before replacing it.
history::SavedPreparation readSaved(const QFileInfo &file, const QString &relativePath)
{
    history::SavedPreparation saved;
    saved.path = file.absoluteFilePath();
    saved.relativePath = relativePath;
    saved.saved = file.lastModified();
    if (const Result<IniFile> ini = serviceorder::readFile(saved.path))
        saved.preparation = serviceorder::readTexts(*ini);
    return saved;
}

} // namespace

bool sameCycle(const QDate &a, const QDate &b)
{
    return a.isValid() && b.isValid() && std::abs(a.daysTo(b)) < kCycleHalfDays;
}

int versionOf(const QString &fileName, const QString &series, const QString &name)
{
    const QString stem = series + u' ' + name;
    const QString suffix = QStringLiteral(".ini");
    if (!fileName.endsWith(suffix, Qt::CaseInsensitive) || !fileName.startsWith(stem))
        return 0;
    const QString rest = fileName.mid(stem.size()).chopped(suffix.size());
    if (rest.isEmpty())
        return 1;
    static const QRegularExpression numbered(QStringLiteral("^ \\(([1-9]\\d{0,5})\\)$"));
    const QRegularExpressionMatch m = numbered.match(rest);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

Found choose(const QList<history::SavedPreparation> &saved, const QString &series,
             const QStringList &names, const QDate &serviceDate)
{
    struct Candidate
    {
        const history::SavedPreparation *saved;
        int version;
    };
    QList<Candidate> candidates;
    for (const QString &name : names) {
        for (const history::SavedPreparation &s : saved)
            if (const int version = versionUnder(s, series, name); version > 0)
                candidates.append({ &s, version });
        if (!candidates.isEmpty())
            break;
    }

    Found found;
    QList<Candidate> current;
    QList<Candidate> others;
    for (const Candidate &c : std::as_const(candidates)) {
        const bool ours
            = !serviceDate.isValid() || sameCycle(c.saved->effectiveDate(), serviceDate);
        (ours ? current : others).append(c);
    }
    std::stable_sort(current.begin(), current.end(), [](const Candidate &a, const Candidate &b) {
        return newerVersion(*a.saved, a.version, *b.saved, b.version);
    });
    std::stable_sort(others.begin(), others.end(), [](const Candidate &a, const Candidate &b) {
        if (a.saved->effectiveDate() != b.saved->effectiveDate())
            return a.saved->effectiveDate() > b.saved->effectiveDate();
        return newerVersion(*a.saved, a.version, *b.saved, b.version);
    });
    for (const Candidate &c : std::as_const(current))
        found.versions.append(*c.saved);
    for (const Candidate &c : std::as_const(others))
        found.otherCycles.append(*c.saved);
    if (!found.versions.isEmpty()) {
        found.kind = Found::Kind::Current;
        found.chosen = found.versions.constFirst();
    } else if (!found.otherCycles.isEmpty()) {
        found.kind = Found::Kind::Earlier;
        found.chosen = found.otherCycles.constFirst();
    }
    return found;
}

Found find(const QString &dataDir, const QString &series, const QStringList &names,
           const QDate &serviceDate)
{
    QList<history::SavedPreparation> saved;
    const QDir folder(QDir(dataDir).filePath(series));
    // The day's file and the versions beside it; a day's name may hold characters a pattern
    // would read as wildcards, so the names are compared, not matched.
    const QFileInfoList files
        = folder.entryInfoList({ QStringLiteral("*.ini") }, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : names) {
        for (const QFileInfo &file : files)
            if (versionOf(file.fileName(), series, name) > 0)
                saved.append(readSaved(file, series + u'/' + file.fileName()));
        if (!saved.isEmpty())
            break;
    }
    return choose(saved, series, names, serviceDate);
}

QString archivedName(const history::SavedPreparation &saved)
{
    QString base = QFileInfo(saved.path).completeBaseName();
    static const QRegularExpression numbered(QStringLiteral(" \\(\\d{1,6}\\)$"));
    base.remove(numbered);
    return base + u' ' + saved.effectiveDate().toString(QStringLiteral("yyyy-MM-dd"))
        + QStringLiteral(".ini");
}

Result<> archiveOtherCycles(const QString &dataDir, const QString &series, const QStringList &names,
                            const QDate &serviceDate)
{
    if (!serviceDate.isValid())
        return {};
    const Found found = find(dataDir, series, names, serviceDate);
    if (found.otherCycles.isEmpty())
        return {};
    const QDir archive(QDir(dataDir).filePath(series + u'/' + kArchive));
    if (!archive.exists() && !QDir().mkpath(archive.path()))
        return Failure { QStringLiteral("Der Ordner %1 kann nicht angelegt werden.")
                             .arg(QDir::toNativeSeparators(archive.path())) };
    for (const history::SavedPreparation &earlier : found.otherCycles) {
        const QString name = archivedName(earlier);
        const QString stem = name.chopped(4);
        bool moved = false;
        for (int number = 1; number < 1000 && !moved; ++number) {
            const QString target = archive.filePath(
                number == 1 ? name : QStringLiteral("%1 (%2).ini").arg(stem).arg(number));
            if (QFileInfo::exists(target))
                continue;
            // Never over a file that appeared meanwhile: then the next name.
            moved = safewrite::systemRenames().toFreeName(earlier.path, target);
            if (!moved && !QFileInfo::exists(earlier.path))
                moved = true; // somebody else moved it first
            if (!moved && !QFileInfo::exists(target))
                break;
        }
        if (!moved)
            return Failure { QStringLiteral(
                                 "Die frühere Vorbereitung %1 kann nicht in den Ordner „%2“ "
                                 "verschoben werden; die neue wurde deshalb nicht gespeichert.")
                                 .arg(QDir::toNativeSeparators(earlier.path), kArchive) };
    }
    return {};
}

QList<const history::SavedPreparation *> oncePerService(const history::Scan &scan)
{
    QHash<QString, QList<qsizetype>> byDay;
    QList<QDate> dates; // each file's effective date, worked out once
    dates.reserve(scan.preparations.size());
    for (qsizetype i = 0; i < scan.preparations.size(); ++i) {
        const Preparation &p = scan.preparations.at(i).preparation;
        byDay[p.series + u'\n' + p.dayName].append(i);
        dates.append(scan.preparations.at(i).effectiveDate());
    }
    QList<bool> counted(scan.preparations.size(), false);
    for (QList<qsizetype> &day : byDay) {
        const auto at = [&](qsizetype i) -> const history::SavedPreparation & {
            return scan.preparations.at(i);
        };
        std::stable_sort(day.begin(), day.end(),
                         [&](qsizetype a, qsizetype b) { return dates.at(a) > dates.at(b); });
        // Each cycle begins with its latest service; the files within half a cycle of it are
        // versions of that service.
        qsizetype begin = 0;
        while (begin < day.size()) {
            const QDate latest = dates.at(day.at(begin));
            qsizetype end = begin + 1;
            while (end < day.size() && sameCycle(dates.at(day.at(end)), latest))
                ++end;
            qsizetype best = day.at(begin);
            for (qsizetype k = begin + 1; k < end; ++k) {
                const history::SavedPreparation &candidate = at(day.at(k));
                const history::SavedPreparation &chosen = at(best);
                if (inArchive(candidate) != inArchive(chosen)) {
                    if (!inArchive(candidate))
                        best = day.at(k);
                } else if (newerVersion(candidate, versionOfDay(candidate), chosen,
                                        versionOfDay(chosen))) {
                    // As choose takes the version in use.
                    best = day.at(k);
                }
            }
            counted[best] = true;
            begin = end;
        }
    }
    QList<const history::SavedPreparation *> result;
    for (qsizetype i = 0; i < scan.preparations.size(); ++i)
        if (counted.at(i))
            result.append(&scan.preparations.at(i));
    return result;
}

} // namespace servicefile
