#include "storage/HymnList.h"

#include "storage/HymnKey.h"
#include "storage/SafeWrite.h"
#include "storage/Win1252Text.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace hymnlist {

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";

// UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252 (what a spreadsheet on Windows
// writes as "CSV").
QString decode(QByteArray bytes)
{
    if (bytes.startsWith(kBom))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return win1252::decode(bytes);
}

// The fields of one line, split at ";"; a field in double quotes may hold ";" and doubled
// quotes. Nothing when a quote is not closed or text follows a closing quote.
std::optional<QStringList> splitFields(const QString &line)
{
    QStringList fields;
    QString field;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (true) {
        field.clear();
        while (i < n && line.at(i) == u' ')
            ++i;
        if (i < n && line.at(i) == u'"') {
            ++i;
            while (true) {
                if (i >= n)
                    return std::nullopt;
                if (line.at(i) == u'"') {
                    if (i + 1 < n && line.at(i + 1) == u'"') {
                        field += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line.at(i++);
            }
            while (i < n && line.at(i) == u' ')
                ++i;
            if (i < n && line.at(i) != u';')
                return std::nullopt;
        } else {
            while (i < n && line.at(i) != u';')
                field += line.at(i++);
        }
        fields.append(field.trimmed());
        if (i >= n)
            return fields;
        ++i; // the ";"
    }
}

bool hasControlCharacters(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        return (c.category() == QChar::Other_Control && c != u'\t' && c != u'\r' && c != u'\n')
            || c == QChar::ReplacementCharacter;
    });
}

QString lineProblem(qsizetype line, const QString &why)
{
    return u"Zeile %1: %2"_s.arg(line).arg(why);
}

// Why a line's fields are no hymn; empty when they are one.
QString entryProblem(const QStringList &fields, Entry &entry)
{
    static const QRegularExpression book(u"^\\p{L}[\\p{L}+]{0,9}$"_s);
    static const QRegularExpression number(u"^0*(\\d{1,4})$"_s);
    // A spreadsheet may add empty fields at the end of a line.
    qsizetype count = fields.size();
    while (count > 3 && fields.at(count - 1).isEmpty())
        --count;
    if (count != 3)
        return u"Erwartet werden drei durch „;“ getrennte Felder: Buch;Nummer;Titel."_s;
    if (!book.match(fields.at(0)).hasMatch())
        return u"„%1“ ist kein Kürzel eines Gesangbuchs (Buchstaben, höchstens zehn)."_s.arg(
            fields.at(0).left(40));
    const QRegularExpressionMatch m = number.match(fields.at(1));
    if (!m.hasMatch() || m.captured(1).toInt() == 0)
        return u"„%1“ ist keine Liednummer (1 bis 9999)."_s.arg(fields.at(1).left(40));
    const QString title = fields.at(2).simplified();
    if (title.isEmpty())
        return u"Der Titel fehlt."_s;
    if (title.size() > kMaxTitleLength)
        return u"Der Titel ist länger als %1 Zeichen."_s.arg(kMaxTitleLength);
    entry = Entry { fields.at(0), QString::number(m.captured(1).toInt()), title };
    return {};
}

QString keyOf(const Entry &entry)
{
    return hymnkey::key(entry.label());
}

void sortByNumber(QList<Entry> &entries)
{
    QList<std::pair<QString, Entry>> keyed;
    keyed.reserve(entries.size());
    for (Entry &entry : entries)
        keyed.append({ hymnkey::sortKey(entry.label()), std::move(entry) });
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (qsizetype i = 0; i < keyed.size(); ++i)
        entries[i] = std::move(keyed[i].second);
}

} // namespace

QString formatDescription()
{
    return u"Eine Textdatei (CSV, UTF-8 oder Windows-1252) mit einem Lied je Zeile: Gesangbuch, "
           u"Nummer und Titel, getrennt durch Semikolon, zum Beispiel\n"
           u"    EG;535;Gott hat das erste Wort\n"
           u"    EGplus;12;Da berühren sich Himmel und Erde\n"
           u"Eine erste Zeile mit Überschriften (Buch;Nummer;Titel) wird übersprungen, ebenso "
           u"leere Zeilen. Lieder mit einer schon bekannten Nummer ersetzen die bisherigen. "
           u"Höchstens %1 Lieder; eine Datei mit einer fehlerhaften Zeile wird nicht eingelesen."_s
               .arg(kMaxEntries);
}

Result<QList<Entry>> parse(const QByteArray &bytes)
{
    if (bytes.contains('\0'))
        return Failure { u"Die Datei ist keine Textdatei."_s };
    const QString text = decode(bytes);
    if (hasControlCharacters(text))
        return Failure { u"Die Datei enthält Steuerzeichen; sie ist keine Textdatei."_s };
    const QStringList lines = win1252::splitLines(text);
    QList<Entry> entries;
    QHash<QString, qsizetype> lineOf; // key -> line number
    bool first = true;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype lineNumber = i + 1;
        if (lines.at(i).trimmed().isEmpty())
            continue;
        const std::optional<QStringList> fields = splitFields(lines.at(i));
        if (!fields)
            return Failure { lineProblem(lineNumber,
                                         u"Ein Anführungszeichen ist nicht richtig "
                                         u"geschlossen."_s) };
        Entry entry;
        const QString problem = entryProblem(*fields, entry);
        const bool header = first && fields->size() >= 2 && !fields->at(1).isEmpty()
            && !fields->at(1).at(0).isDigit();
        first = false;
        if (header)
            continue;
        if (!problem.isEmpty())
            return Failure { lineProblem(lineNumber, problem) };
        const QString key = keyOf(entry);
        if (const auto it = lineOf.constFind(key); it != lineOf.constEnd())
            return Failure { lineProblem(
                lineNumber, u"%1 steht schon in Zeile %2."_s.arg(entry.label()).arg(*it)) };
        if (entries.size() == kMaxEntries)
            return Failure { u"Die Datei enthält mehr als %1 Lieder."_s.arg(kMaxEntries) };
        lineOf.insert(key, lineNumber);
        entries.append(std::move(entry));
    }
    if (entries.isEmpty())
        return Failure { u"Die Datei enthält keine Lieder."_s };
    return entries;
}

QByteArray toCsv(const QList<Entry> &entries)
{
    QList<Entry> sorted = entries;
    sortByNumber(sorted);
    const auto field = [](const QString &value) {
        if (!value.contains(u';') && !value.contains(u'"'))
            return value;
        QString quoted = value;
        quoted.replace(u"\""_s, u"\"\""_s);
        return u'"' + quoted + u'"';
    };
    QString out = u"Buch;Nummer;Titel\r\n"_s;
    for (const Entry &entry : std::as_const(sorted))
        out += entry.book + u';' + entry.number + u';' + field(entry.title) + u"\r\n"_s;
    return QByteArray(kBom) + out.toUtf8();
}

QString storedPath(const QString &dataDir)
{
    return QDir(dataDir).filePath(u"Liederverzeichnis.csv"_s);
}

Result<QList<Entry>> readStored(const QString &dataDir)
{
    const QString path = storedPath(dataDir);
    if (!QFileInfo::exists(path))
        return QList<Entry> {};
    const Result<QByteArray> bytes = boundedfile::read(path, kMaxFileSize);
    if (!bytes)
        return bytes.failure();
    const Result<QList<Entry>> entries = parse(*bytes);
    if (!entries)
        return Failure { u"Das Liederverzeichnis %1 ist beschädigt: %2"_s.arg(
            QDir::toNativeSeparators(path), entries.error()) };
    return entries;
}

QList<Entry> merged(const QList<Entry> &kept, const QList<Entry> &added)
{
    QHash<QString, qsizetype> index;
    QList<Entry> result;
    for (const QList<Entry> *list : { &kept, &added }) {
        for (const Entry &entry : *list) {
            const QString key = keyOf(entry);
            if (const auto it = index.constFind(key); it != index.constEnd()) {
                result[*it] = entry;
                continue;
            }
            index.insert(key, result.size());
            result.append(entry);
        }
    }
    sortByNumber(result);
    return result;
}

Result<Imported> import(const QString &path, const QString &dataDir)
{
    const auto refused = [&](const QString &why) -> Result<Imported> {
        return Failure { u"Das Liederverzeichnis %1 wurde nicht eingelesen. %2"_s.arg(
            QDir::toNativeSeparators(path), why) };
    };
    const Result<QByteArray> bytes = boundedfile::read(path, kMaxFileSize);
    if (!bytes)
        return refused(bytes.error());
    const Result<QList<Entry>> added = parse(*bytes);
    if (!added)
        return refused(added.error());
    const Result<QList<Entry>> kept = readStored(dataDir);
    if (!kept)
        return refused(kept.error());
    const QList<Entry> all = merged(*kept, *added);
    if (all.size() > kMaxEntries)
        return refused(
            u"Zusammen mit dem bisherigen Verzeichnis wären es mehr als %1 Lieder."_s.arg(
                kMaxEntries));
    if (!QDir().mkpath(dataDir))
        return refused(u"Der Datenordner %1 kann nicht angelegt werden."_s.arg(
            QDir::toNativeSeparators(dataDir)));
    if (const Result<> written = safewrite::writeWhole(storedPath(dataDir), toCsv(all)); !written)
        return refused(written.error());
    return Imported { added->size(), all.size() };
}

} // namespace hymnlist
