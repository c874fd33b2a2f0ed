#include "storage/IniFile.h"

#include "storage/Win1252Text.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

QString fold(QStringView name)
{
    // Keys and section names are nearly always plain ASCII: lowered directly, which is what
    // case folding gives them, without the general Unicode conversion that reading a folder of
    // preparations would otherwise spend much of its time in.
    const QChar *data = name.data();
    const qsizetype size = name.size();
    QString folded(size, Qt::Uninitialized);
    QChar *out = folded.data();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t u = data[i].unicode();
        if (u >= 0x80)
            return name.toString().toCaseFolded();
        out[i] = QChar(u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u);
    }
    return folded;
}

// Whether two names are equal without regard to case, as their folded forms are.
bool sameName(QStringView a, QStringView b)
{
    if (a.size() != b.size()) {
        // Plain ASCII names of different lengths differ; folding others might change a length.
        const auto ascii = [](QStringView name) {
            return std::all_of(name.begin(), name.end(),
                               [](QChar c) { return c.unicode() < 0x80; });
        };
        return !(ascii(a) && ascii(b)) && fold(a) == fold(b);
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= 0x80 || y >= 0x80)
            return fold(a) == fold(b);
        if (x >= u'A' && x <= u'Z')
            x += u'a' - u'A';
        if (y >= u'A' && y <= u'Z')
            y += u'a' - u'A';
        if (x != y)
            return false;
    }
    return true;
}

// Up to this many names are compared one by one; beyond, they are found through a hash.
constexpr qsizetype kComparedNames = 16;

// Calls `take` with each line of text, blanks around it dropped; a line ends at CR LF, LF or
// CR (as win1252::splitLines has it), without copying the lines out of the text.
template<typename Take> void forEachLine(QStringView text, Take take)
{
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i <= n; ++i) {
        if (i < n && text[i] != u'\r' && text[i] != u'\n')
            continue;
        if (i > start)
            take(text.sliced(start, i - start).trimmed());
        if (i < n && text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
}

} // namespace

IniFile IniFile::fromText(const QString &text)
{
    return parse(text, nullptr);
}

IniFile IniFile::fromText(const QString &text, const QList<Wanted> &wanted)
{
    return parse(text, &wanted);
}

IniFile IniFile::parse(const QString &text, const QList<Wanted> *wanted)
{
    IniFile ini;
    Section *current = nullptr;
    const Wanted *currentWanted = nullptr;
    forEachLine(text, [&](QStringView line) {
        if (line.isEmpty() || line.startsWith(u';'))
            return;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            const QStringView name
                = line.sliced(1, (close < 0 ? line.size() : close) - 1).trimmed();
            current = nullptr;
            if (wanted) {
                const auto it
                    = std::find_if(wanted->cbegin(), wanted->cend(),
                                   [&](const Wanted &w) { return sameName(w.section, name); });
                if (it == wanted->cend())
                    return; // its lines are passed over
                currentWanted = &*it;
            }
            current = &ini.section(name);
            return;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!current || eq < 0)
            return;
        const QStringView key = line.first(eq).trimmed();
        if (currentWanted && !currentWanted->keys.isEmpty()
            && std::none_of(currentWanted->keys.cbegin(), currentWanted->keys.cend(),
                            [&](const QString &k) { return sameName(k, key); }))
            return;
        if (current->keys.find(key) >= 0)
            return;
        current->keys.add(key.toString());
        current->values.append(line.sliced(eq + 1).trimmed().toString());
    });
    return ini;
}

Result<IniFile> IniFile::read(const QString &path, qint64 maxBytes)
{
    const Result<QByteArray> bytes = boundedfile::read(path, maxBytes);
    if (!bytes)
        return bytes.failure();
    return fromText(win1252::decode(*bytes));
}

Result<IniFile> IniFile::read(const QString &path, qint64 maxBytes, const QList<Wanted> &wanted)
{
    const Result<QByteArray> bytes = boundedfile::read(path, maxBytes);
    if (!bytes)
        return bytes.failure();
    return fromText(win1252::decode(*bytes), wanted);
}

qsizetype IniFile::Names::find(QStringView name) const
{
    if (!m_folded.isEmpty())
        return m_folded.value(fold(name), -1);
    for (qsizetype i = 0; i < m_names.size(); ++i)
        if (sameName(m_names.at(i), name))
            return i;
    return -1;
}

qsizetype IniFile::Names::add(const QString &name)
{
    m_names.append(name);
    if (m_names.size() == kComparedNames + 1) {
        for (qsizetype i = 0; i < m_names.size(); ++i)
            m_folded.insert(fold(m_names.at(i)), i);
    } else if (m_names.size() > kComparedNames) {
        m_folded.insert(fold(name), m_names.size() - 1);
    }
    return m_names.size() - 1;
}

IniFile::Section *IniFile::findSection(QStringView name)
{
    const qsizetype i = m_sectionNames.find(name);
    return i < 0 ? nullptr : &m_sections[i];
}

const IniFile::Section *IniFile::findSection(QStringView name) const
{
    const qsizetype i = m_sectionNames.find(name);
    return i < 0 ? nullptr : &m_sections[i];
}

IniFile::Section &IniFile::section(QStringView name)
{
    if (Section *s = findSection(name))
        return *s;
    const QString written = name.toString();
    m_sectionNames.add(written);
    m_sections.append(Section { written, {}, {} });
    return m_sections.last();
}

QString IniFile::value(const QString &section, const QString &key,
                       const QString &defaultValue) const
{
    const Section *s = findSection(section);
    if (!s)
        return defaultValue;
    const qsizetype i = s->keys.find(QStringView(key).trimmed());
    return i < 0 ? defaultValue : s->values.at(i);
}

bool IniFile::contains(const QString &section, const QString &key) const
{
    const Section *s = findSection(section);
    return s && s->keys.find(QStringView(key).trimmed()) >= 0;
}

bool IniFile::hasSection(const QString &section) const
{
    return findSection(section) != nullptr;
}

int IniFile::intValue(const QString &section, const QString &key, int defaultValue) const
{
    if (!contains(section, key))
        return defaultValue;
    bool ok = false;
    const int v = value(section, key).toInt(&ok);
    return ok ? v : defaultValue;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    Section &s = this->section(section);
    if (const qsizetype i = s.keys.find(key); i >= 0) {
        s.values[i] = value;
        return;
    }
    s.keys.add(key);
    s.values.append(value);
}

QString IniFile::toText() const
{
    QString text;
    for (const Section &s : m_sections) {
        text += u'[' + s.name + QStringLiteral("]\r\n");
        for (qsizetype i = 0; i < s.values.size(); ++i)
            text += s.keys.list().at(i) + u'=' + s.values.at(i) + QStringLiteral("\r\n");
    }
    return text;
}

QByteArray IniFile::toBytes() const
{
    return win1252::encode(toText());
}

Result<> IniFile::save(const QString &path) const
{
    return win1252::writeFileAtomically(path, toBytes());
}
