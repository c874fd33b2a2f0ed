#include "storage/IniFile.h"

#include "storage/Win1252Text.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString fold(const QString &name)
{
    // Keys and section names are nearly always plain ASCII: lowered directly, which is what
    // case folding gives them, without the general Unicode conversion that reading a folder of
    // preparations would otherwise spend much of its time in.
    const QChar *data = name.constData();
    const qsizetype size = name.size();
    QString folded(size, Qt::Uninitialized);
    QChar *out = folded.data();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t u = data[i].unicode();
        if (u >= 0x80)
            return name.toCaseFolded();
        out[i] = QChar(u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u);
    }
    return folded;
}

} // namespace

IniFile IniFile::fromText(const QString &text)
{
    IniFile ini;
    Section *current = nullptr;
    for (const QString &rawLine : win1252::splitLines(text)) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            const QString name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
            current = ini.findSection(name);
            if (!current) {
                ini.m_sectionIndex.insert(fold(name), ini.m_sections.size());
                ini.m_sections.append(Section { name, {}, {} });
                current = &ini.m_sections.last();
            }
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!current || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString foldedKey = fold(key);
        if (current->index.contains(foldedKey))
            continue;
        current->index.insert(foldedKey, current->entries.size());
        current->entries.append({ key, line.mid(eq + 1).trimmed() });
    }
    return ini;
}

Result<IniFile> IniFile::read(const QString &path, qint64 maxBytes)
{
    const Result<QByteArray> bytes = boundedfile::read(path, maxBytes);
    if (!bytes)
        return bytes.failure();
    return fromText(win1252::decode(*bytes));
}

IniFile::Section *IniFile::findSection(const QString &name)
{
    const auto it = m_sectionIndex.constFind(fold(name));
    return it == m_sectionIndex.constEnd() ? nullptr : &m_sections[*it];
}

const IniFile::Section *IniFile::findSection(const QString &name) const
{
    const auto it = m_sectionIndex.constFind(fold(name));
    return it == m_sectionIndex.constEnd() ? nullptr : &m_sections[*it];
}

QString IniFile::value(const QString &section, const QString &key,
                       const QString &defaultValue) const
{
    const Section *s = findSection(section);
    if (!s)
        return defaultValue;
    const auto it = s->index.constFind(fold(key.trimmed()));
    return it == s->index.constEnd() ? defaultValue : s->entries.at(*it).second;
}

bool IniFile::contains(const QString &section, const QString &key) const
{
    const Section *s = findSection(section);
    return s && s->index.contains(fold(key.trimmed()));
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
    Section *s = findSection(section);
    if (!s) {
        m_sectionIndex.insert(fold(section), m_sections.size());
        m_sections.append(Section { section, {}, {} });
        s = &m_sections.last();
    }
    const QString foldedKey = fold(key);
    const auto it = s->index.constFind(foldedKey);
    if (it != s->index.constEnd()) {
        s->entries[*it].second = value;
        return;
    }
    s->index.insert(foldedKey, s->entries.size());
    s->entries.append({ key, value });
}

QString IniFile::toText() const
{
    QString text;
    for (const Section &s : m_sections) {
        text += u'[' + s.name + QStringLiteral("]\r\n");
        for (const auto &[key, value] : s.entries)
            text += key + u'=' + value + QStringLiteral("\r\n");
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
