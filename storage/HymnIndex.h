#pragma once

#include "storage/HymnList.h"
#include "storage/PreparationHistory.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Every hymn the saved preparations know, by hymn book and number (the key the history counts
// by: "EG 10", "EG 10,1-3" and "EG 10 Mit Ernst, o Menschenkinder" are one hymn): its title as
// last written and the services it was sung in; with them the parish's own list of titles.
// Plain data, built once from a scan of the data folder; the hymn fields complete from it and
// say when a hymn was last sung.
namespace hymnindex {

// A service a hymn was sung in.
struct Service
{
    QDate date; // the service date (for an older file without one, the day it was saved)
    QString dayName;

    bool operator==(const Service &) const = default;
};

// One hymn.
struct Hymn
{
    QString label; // "EG 10"; for a hymn without a number its text, tidied
    QString title; // as last written in a preparation, else from the parish's list; may be empty
    QList<Service> services; // latest first, each service once
    bool numbered = false;
};

class Index
{
public:
    Index() = default;

    // The hymns of the saved preparations (each service once, with the file the history counts
    // for it: servicefile::oncePerService) and of the parish's list. A hymn written without its
    // number but with a title the index knows counts as that number.
    static Index build(const history::Scan &scan, const QList<hymnlist::Entry> &list = {});

    qsizetype size() const { return m_hymns.size(); }
    const QList<Hymn> &hymns() const { return m_hymns; } // numbered ones by book and number

    // The hymn a field's text names: by its book and number, else by its title, else by the
    // text itself; null when the index does not know it.
    const Hymn *find(const QString &text) const;
    // The numbered hymn with this title (without regard to case and blanks); null for none.
    const Hymn *findTitle(const QString &title) const;

    // What to offer while `typed` is written into a hymn field, best first, at most `limit`:
    // for a book and number (perhaps with verses) the known hymns of that number, or of the
    // numbers it begins ("EG 10" also offers EG 100 to EG 109), with their titles; for words
    // the numbered hymns whose titles hold every word. Never the typed text itself.
    QStringList completions(const QString &typed, int limit = 12) const;

private:
    QList<Hymn> m_hymns; // numbered ones first, by book and number; then the others
    qsizetype m_numbered = 0;
    QHash<QString, qsizetype> m_byKey; // hymnkey::key -> position
    QHash<QString, qsizetype> m_byTitle; // folded title -> position of a numbered hymn
    QStringList m_foldedTitles; // of the numbered hymns, in their order
    QList<std::pair<QString, qsizetype>> m_sortedKeys; // numbered keys, sorted as text
};

// The index of a data folder: its saved preparations, read for their days and hymns alone, and
// the parish's kept list; listProblem says why the list was left out (empty when it was not).
struct FolderIndex
{
    Index index;
    QString listProblem;
};
FolderIndex readDataFolder(const QString &dataDir);

// The text a completion puts into the field: the hymn's number with the verses as typed and its
// title ("EG 10,1-3" -> "EG 10,1-3 Mit Ernst, o Menschenkinder").
QString completionText(const QString &typed, const Hymn &hymn);

// The latest service before `date` that sang the hymn; nothing when there was none. The service
// itself is not counted: the one on that date, nor one of its day `dayName` (when given) in the
// same cycle of the series, which is how a file without a service date (kept at the day it was
// saved) stands for it.
std::optional<Service> lastSungBefore(const Hymn &hymn, const QDate &date,
                                      const QString &dayName = {});

// Whether a service lies within `weeks` weeks before `date`.
bool withinWeeks(const Service &service, const QDate &date, int weeks);

// "zuletzt gesungen am 13.12.2026 (3. Sonntag im Advent)", or "noch nie gesungen".
QString lastSungText(const std::optional<Service> &service);

// The service within `weeks` weeks before the one on `date` (of the day `dayName`) that sang the
// hymn a field's text names; nothing when there was none or the index does not know the hymn.
std::optional<Service> recentUse(const Index &index, const QString &text, const QDate &date,
                                 int weeks, const QString &dayName = {});

// What a hymn field says of its hymn for the service on `date`: the number and title where the
// field does not show both ("EG 10 Mit Ernst, o Menschenkinder: "), when it was last sung
// before, and whether that was at most `weeks` weeks before (then `recent`). The hymns of the
// week (titles separated by " / ") are each described. Empty for an empty field.
struct FieldNote
{
    QString text;
    bool recent = false;
};
FieldNote fieldNote(const Index &index, const QString &fieldText, const QDate &date, int weeks,
                    const QString &dayName = {});

// When the hymns a field's text names were sung within `weeks` weeks before the service on
// `date`: lastSungText of each such one, joined by "; "; empty when none was.
QString recentText(const Index &index, const QString &fieldText, const QDate &date, int weeks,
                   const QString &dayName = {});

// The hymns of the week as the propers give them (titles separated by " / "), each title the
// index knows with its number in front ("EG 10 Mit Ernst, o Menschenkinder"); a part already
// numbered or unknown stays as it is.
QString withNumbers(const Index &index, const QString &weekHymns);

} // namespace hymnindex
