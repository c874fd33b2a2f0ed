#include "storage/HymnIndex.h"

#include "storage/HymnKey.h"

#include <QRegularExpression>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace hymnindex {

namespace {

// A title as it is compared: blanks tidied, without regard to case.
QString foldedTitle(const QString &title)
{
    return title.simplified().toCaseFolded();
}

// A service with the saved file that counts for it.
struct ServiceFile
{
    Service service;
    const history::SavedPreparation *saved;
};

// Of several saved files of one service (the same date and day) the one saved last counts.
// Latest service first, so that the first title met is the one written last.
QList<ServiceFile> oneFilePerService(const history::Scan &scan)
{
    QHash<std::pair<qint64, QString>, qsizetype> index;
    QList<ServiceFile> services;
    services.reserve(scan.preparations.size());
    for (const history::SavedPreparation &saved : scan.preparations) {
        const Service service { saved.effectiveDate(), saved.preparation.dayName.trimmed() };
        const auto key = std::pair(service.date.toJulianDay(), service.dayName);
        const auto it = index.constFind(key);
        if (it == index.constEnd()) {
            index.insert(key, services.size());
            services.append({ service, &saved });
        } else if (saved.saved > services.at(*it).saved->saved) {
            services[*it].saved = &saved;
        }
    }
    std::sort(services.begin(), services.end(), [](const ServiceFile &a, const ServiceFile &b) {
        if (a.service.date != b.service.date)
            return a.service.date > b.service.date;
        if (a.saved->saved != b.saved->saved)
            return a.saved->saved > b.saved->saved;
        return a.saved->path < b.saved->path;
    });
    return services;
}

// Services come latest first: one already there is the last one.
void addService(Hymn &hymn, const Service &service)
{
    if (hymn.services.isEmpty() || hymn.services.constLast() != service)
        hymn.services.append(service);
}

bool laterService(const Service &a, const Service &b)
{
    if (a.date != b.date)
        return a.date > b.date;
    return a.dayName < b.dayName;
}

} // namespace

Index Index::build(const history::Scan &scan, const QList<hymnlist::Entry> &list)
{
    QList<Hymn> numbered;
    QHash<QString, qsizetype> numberedByKey;
    QList<std::pair<QString, Service>> unnumbered; // tidied text, service

    // A pastor writes the same hymns in the same way again and again: each text is taken
    // apart once.
    QHash<QString, std::optional<hymnkey::Parts>> partsOf;
    for (const auto &[service, saved] : oneFilePerService(scan)) {
        for (const QString &field : history::hymnsOf(saved->preparation)) {
            const QString text = field.simplified();
            if (text.isEmpty())
                continue;
            auto known = partsOf.constFind(text);
            if (known == partsOf.constEnd())
                known = partsOf.insert(text, hymnkey::parts(text));
            const std::optional<hymnkey::Parts> &parts = *known;
            if (!parts) {
                unnumbered.append({ text, service });
                continue;
            }
            const QString label = parts->label();
            const QString key = label.toCaseFolded();
            auto it = numberedByKey.constFind(key);
            if (it == numberedByKey.constEnd()) {
                it = numberedByKey.insert(key, numbered.size());
                numbered.append(Hymn { label, {}, {}, true });
            }
            Hymn &hymn = numbered[*it];
            if (hymn.title.isEmpty())
                hymn.title = parts->title;
            addService(hymn, service);
        }
    }
    for (const hymnlist::Entry &entry : list) {
        const QString key = hymnkey::key(entry.label());
        const auto it = numberedByKey.constFind(key);
        if (it == numberedByKey.constEnd()) {
            numberedByKey.insert(key, numbered.size());
            numbered.append(Hymn { entry.label(), entry.title, {}, true });
        } else if (numbered[*it].title.isEmpty()) {
            numbered[*it].title = entry.title;
        }
    }

    Index index;
    QList<std::pair<QString, qsizetype>> order; // sort key, position in numbered
    order.reserve(numbered.size());
    for (qsizetype i = 0; i < numbered.size(); ++i)
        order.append({ hymnkey::sortKey(numbered.at(i).label), i });
    std::sort(order.begin(), order.end());
    index.m_numbered = numbered.size();
    index.m_hymns.reserve(numbered.size());
    for (const auto &[sortKey, i] : std::as_const(order))
        index.m_hymns.append(std::move(numbered[i]));
    for (qsizetype i = 0; i < index.m_numbered; ++i) {
        const Hymn &hymn = index.m_hymns.at(i);
        const QString key = hymn.label.toCaseFolded();
        index.m_byKey.insert(key, i);
        index.m_sortedKeys.append({ key, i });
        const QString title = foldedTitle(hymn.title);
        index.m_foldedTitles.append(title);
        if (!title.isEmpty() && !index.m_byTitle.contains(title))
            index.m_byTitle.insert(title, i);
    }
    std::sort(index.m_sortedKeys.begin(), index.m_sortedKeys.end());

    // A hymn written by its title alone (as the propers give the hymn of the week) counts as
    // the number the index knows for that title; any other text is a hymn of its own.
    for (const auto &[text, service] : std::as_const(unnumbered)) {
        if (const auto it = index.m_byTitle.constFind(text.toCaseFolded());
            it != index.m_byTitle.constEnd()) {
            // Sorted in below.
            if (!index.m_hymns[*it].services.contains(service))
                index.m_hymns[*it].services.append(service);
            continue;
        }
        const QString key = hymnkey::key(text);
        auto it = index.m_byKey.constFind(key);
        if (it == index.m_byKey.constEnd()) {
            it = index.m_byKey.insert(key, index.m_hymns.size());
            index.m_hymns.append(Hymn { text, {}, {}, false });
        }
        addService(index.m_hymns[*it], service);
    }
    for (Hymn &hymn : index.m_hymns)
        std::stable_sort(hymn.services.begin(), hymn.services.end(), laterService);
    return index;
}

const Hymn *Index::find(const QString &text) const
{
    const QString tidied = text.simplified();
    if (tidied.isEmpty())
        return nullptr;
    if (const std::optional<hymnkey::Parts> parts = hymnkey::parts(tidied)) {
        const auto it = m_byKey.constFind(parts->label().toCaseFolded());
        return it == m_byKey.constEnd() ? nullptr : &m_hymns.at(*it);
    }
    if (const Hymn *hymn = findTitle(tidied))
        return hymn;
    const auto it = m_byKey.constFind(hymnkey::key(tidied));
    return it == m_byKey.constEnd() ? nullptr : &m_hymns.at(*it);
}

const Hymn *Index::findTitle(const QString &title) const
{
    const auto it = m_byTitle.constFind(foldedTitle(title));
    return it == m_byTitle.constEnd() ? nullptr : &m_hymns.at(*it);
}

QStringList Index::completions(const QString &typed, int limit) const
{
    const QString text = typed.simplified();
    if (text.isEmpty() || limit <= 0)
        return {};
    QStringList offers;
    const auto offer = [&](const Hymn &hymn) {
        const QString completion = completionText(text, hymn);
        if (completion != text && !offers.contains(completion))
            offers.append(completion);
        return offers.size() < limit;
    };

    if (const std::optional<hymnkey::Parts> parts = hymnkey::parts(text)) {
        const QString key = parts->label().toCaseFolded();
        // With verses, a title or a blank after it, the number is complete; otherwise it may
        // be the beginning of a longer one.
        const bool complete
            = !parts->verses.isEmpty() || !parts->title.isEmpty() || typed.endsWith(u' ');
        QList<qsizetype> found;
        if (complete) {
            if (const auto it = m_byKey.constFind(key);
                it != m_byKey.constEnd() && *it < m_numbered)
                found.append(*it);
        } else {
            auto it = std::lower_bound(m_sortedKeys.cbegin(), m_sortedKeys.cend(),
                                       std::pair<QString, qsizetype>(key, -1));
            for (; it != m_sortedKeys.cend() && it->first.startsWith(key); ++it)
                found.append(it->second);
            // By book and number: the number typed first.
            std::sort(found.begin(), found.end());
        }
        const QString typedTitle = foldedTitle(parts->title);
        for (const qsizetype i : std::as_const(found)) {
            const Hymn &hymn = m_hymns.at(i);
            if (hymn.title.isEmpty() || !m_foldedTitles.at(i).startsWith(typedTitle))
                continue;
            if (!offer(hymn))
                break;
        }
        return offers;
    }

    // Words of a title: every word found in it, those beginning with the text first.
    const QString folded = text.toCaseFolded();
    static const QRegularExpression separators(u"[^\\p{L}\\p{N}]+"_s);
    const QStringList words = folded.split(separators, Qt::SkipEmptyParts);
    if (std::none_of(words.cbegin(), words.cend(),
                     [](const QString &word) { return word.size() >= 3; }))
        return {};
    QList<qsizetype> beginning;
    QList<qsizetype> containing;
    for (qsizetype i = 0; i < m_numbered; ++i) {
        const QString &title = m_foldedTitles.at(i);
        if (std::all_of(words.cbegin(), words.cend(),
                        [&](const QString &word) { return title.contains(word); }))
            (title.startsWith(folded) ? beginning : containing).append(i);
    }
    for (const QList<qsizetype> *group : { &beginning, &containing })
        for (const qsizetype i : *group)
            if (!offer(m_hymns.at(i)))
                return offers;
    return offers;
}

QString completionText(const QString &typed, const Hymn &hymn)
{
    QString verses;
    if (const std::optional<hymnkey::Parts> parts = hymnkey::parts(typed);
        parts && parts->label().toCaseFolded() == hymn.label.toCaseFolded())
        verses = parts->verses;
    QString text = hymn.label + verses;
    if (!hymn.title.isEmpty())
        text += u' ' + hymn.title;
    return text;
}

std::optional<Service> lastSungBefore(const Hymn &hymn, const QDate &date)
{
    for (const Service &service : hymn.services)
        if (!date.isValid() || service.date < date)
            return service;
    return std::nullopt;
}

bool withinWeeks(const Service &service, const QDate &date, int weeks)
{
    const qint64 days = service.date.daysTo(date);
    return weeks > 0 && days >= 0 && days <= 7 * qint64(weeks);
}

QString lastSungText(const std::optional<Service> &service)
{
    if (!service)
        return u"noch nie gesungen"_s;
    QString text = u"zuletzt gesungen am "_s + history::dateText(service->date);
    if (!service->dayName.isEmpty())
        text += u" ("_s + service->dayName + u')';
    return text;
}

std::optional<Service> recentUse(const Index &index, const QString &text, const QDate &date,
                                 int weeks)
{
    const Hymn *hymn = index.find(text);
    if (!hymn)
        return std::nullopt;
    const std::optional<Service> last = lastSungBefore(*hymn, date);
    if (!last || !withinWeeks(*last, date, weeks))
        return std::nullopt;
    return last;
}

FieldNote fieldNote(const Index &index, const QString &fieldText, const QDate &date, int weeks)
{
    FieldNote note;
    QStringList texts;
    for (const QString &part : fieldText.split(u" / "_s)) {
        if (part.trimmed().isEmpty())
            continue;
        const Hymn *hymn = index.find(part);
        QString text;
        if (hymn && hymn->numbered) {
            const std::optional<hymnkey::Parts> parts = hymnkey::parts(part);
            if (!parts || foldedTitle(parts->title) != foldedTitle(hymn->title))
                text = completionText(part, *hymn) + u": "_s;
        }
        const std::optional<Service> last
            = hymn ? lastSungBefore(*hymn, date) : std::optional<Service>();
        text += lastSungText(last);
        if (last && withinWeeks(*last, date, weeks)) {
            note.recent = true;
            text += weeks == 1 ? u" – höchstens 1 Woche vor diesem Gottesdienst"_s
                               : u" – höchstens %1 Wochen vor diesem Gottesdienst"_s.arg(weeks);
        }
        texts << text;
    }
    note.text = texts.join(u"; "_s);
    return note;
}

QString withNumbers(const Index &index, const QString &weekHymns)
{
    QStringList parts = weekHymns.split(u" / "_s);
    for (QString &part : parts) {
        if (hymnkey::parts(part))
            continue;
        if (const Hymn *hymn = index.findTitle(part))
            part = hymn->label + u' ' + part.trimmed();
    }
    return parts.join(u" / "_s);
}

} // namespace hymnindex
