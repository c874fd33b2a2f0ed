#include "storage/HymnIndex.h"

#include "storage/HymnKey.h"
#include "storage/ServicePreparation.h"

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

// The saved files that stand for their services, once each (as the history counts them),
// latest service first, so that the first title met is the one written last.
QList<const history::SavedPreparation *> latestServicesFirst(const history::Scan &scan)
{
    QList<std::pair<QDate, const history::SavedPreparation *>> files;
    for (const history::SavedPreparation *saved : servicefile::oncePerService(scan))
        files.append({ saved->effectiveDate(), saved });
    std::sort(files.begin(), files.end(), [](const auto &a, const auto &b) {
        if (a.first != b.first)
            return a.first > b.first;
        if (a.second->saved != b.second->saved)
            return a.second->saved > b.second->saved;
        return a.second->path < b.second->path;
    });
    QList<const history::SavedPreparation *> result;
    result.reserve(files.size());
    for (const auto &[date, saved] : std::as_const(files))
        result.append(saved);
    return result;
}

// Services come latest first: one already there is the last one.
void addService(Hymn &hymn, const Service &service)
{
    if (hymn.services.isEmpty() || hymn.services.constLast() != service)
        hymn.services.append(service);
}

// The hymns a field names: the hymns of the week are several titles separated by " / ".
QStringList hymnsOfField(const QString &fieldText)
{
    QStringList hymns = fieldText.split(u" / "_s);
    hymns.removeIf([](const QString &hymn) { return hymn.trimmed().isEmpty(); });
    return hymns;
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

    // What a field's text names: its numbered hymn (a position in numbered) with the title
    // written, or for a text without a number -1. A pastor writes the same hymns in the same
    // way again and again: each text is taken apart once.
    struct Named
    {
        QString tidied;
        qsizetype hymn = -1;
        QString title;
    };
    QHash<QString, Named> named;
    const auto nameOf = [&](const QString &field) {
        Named result { field.simplified(), -1, {} };
        if (const std::optional<hymnkey::Parts> parts = hymnkey::parts(result.tidied)) {
            const QString label = parts->label();
            const QString key = label.toCaseFolded();
            auto it = numberedByKey.constFind(key);
            if (it == numberedByKey.constEnd()) {
                it = numberedByKey.insert(key, numbered.size());
                numbered.append(Hymn { label, {}, {}, true });
            }
            result.hymn = *it;
            result.title = parts->title;
        }
        return result;
    };

    for (const history::SavedPreparation *saved : latestServicesFirst(scan)) {
        const Service service { saved->effectiveDate(), saved->preparation.dayName.trimmed() };
        for (const QString &field : history::hymnsOf(saved->preparation)) {
            auto it = named.constFind(field);
            if (it == named.constEnd())
                it = named.insert(field, nameOf(field));
            if (it->tidied.isEmpty())
                continue;
            if (it->hymn < 0) {
                unnumbered.append({ it->tidied, service });
                continue;
            }
            Hymn &hymn = numbered[it->hymn];
            if (hymn.title.isEmpty())
                hymn.title = it->title;
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
    QHash<QString, qsizetype> positionOf; // tidied text -> its hymn
    for (const auto &[text, service] : std::as_const(unnumbered)) {
        auto known = positionOf.constFind(text);
        if (known == positionOf.constEnd()) {
            qsizetype position = -1;
            if (const auto it = index.m_byTitle.constFind(text.toCaseFolded());
                it != index.m_byTitle.constEnd()) {
                position = *it;
            } else {
                const QString key = hymnkey::key(text);
                auto it2 = index.m_byKey.constFind(key);
                if (it2 == index.m_byKey.constEnd()) {
                    it2 = index.m_byKey.insert(key, index.m_hymns.size());
                    index.m_hymns.append(Hymn { text, {}, {}, false });
                }
                position = *it2;
            }
            known = positionOf.insert(text, position);
        }
        Hymn &hymn = index.m_hymns[*known];
        if (hymn.numbered) {
            // Sorted in below.
            if (!hymn.services.contains(service))
                hymn.services.append(service);
        } else {
            addService(hymn, service);
        }
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

std::optional<Service> lastSungBefore(const Hymn &hymn, const QDate &date, const QString &dayName)
{
    for (const Service &service : hymn.services) {
        if (date.isValid() && service.date >= date)
            continue;
        if (!dayName.isEmpty() && service.dayName == dayName.trimmed()
            && servicefile::sameCycle(service.date, date))
            continue;
        return service;
    }
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
                                 int weeks, const QString &dayName)
{
    const Hymn *hymn = index.find(text);
    if (!hymn)
        return std::nullopt;
    const std::optional<Service> last = lastSungBefore(*hymn, date, dayName);
    if (!last || !withinWeeks(*last, date, weeks))
        return std::nullopt;
    return last;
}

FieldNote fieldNote(const Index &index, const QString &fieldText, const QDate &date, int weeks,
                    const QString &dayName)
{
    FieldNote note;
    QStringList texts;
    for (const QString &part : hymnsOfField(fieldText)) {
        const Hymn *hymn = index.find(part);
        QString text;
        // Where the index knows no title, the number alone adds nothing to the field.
        if (hymn && hymn->numbered && !hymn->title.isEmpty()) {
            const std::optional<hymnkey::Parts> parts = hymnkey::parts(part);
            if (!parts || foldedTitle(parts->title) != foldedTitle(hymn->title))
                text = completionText(part, *hymn) + u": "_s;
        }
        const std::optional<Service> last
            = hymn ? lastSungBefore(*hymn, date, dayName) : std::optional<Service>();
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

QString recentText(const Index &index, const QString &fieldText, const QDate &date, int weeks,
                   const QString &dayName)
{
    QStringList texts;
    for (const QString &hymn : hymnsOfField(fieldText))
        if (const std::optional<Service> recent = recentUse(index, hymn, date, weeks, dayName))
            texts << lastSungText(recent);
    return texts.join(u"; "_s);
}

FolderIndex readDataFolder(const QString &dataDir)
{
    const Result<QList<hymnlist::Entry>> list = hymnlist::readStored(dataDir);
    return { Index::build(history::scanDataFolder(dataDir, history::Reading::DayAndHymns),
                          list ? *list : QList<hymnlist::Entry> {}),
             list.error() };
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
