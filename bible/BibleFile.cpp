#include "bible/BibleFile.h"

#include "base/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

using namespace Qt::Literals::StringLiterals;

namespace bible {
namespace {

QString sectionName(const QString &chapter)
{
    return u"Kapitel "_s + chapter;
}

struct CacheEntry
{
    qint64 size = -1;
    QDateTime modified;
    std::shared_ptr<const BibleFile> file;
};

// A handful of books is plenty: a preparation looks at four readings.
constexpr qsizetype kCachedFiles = 12;

QMutex &cacheMutex()
{
    static QMutex mutex;
    return mutex;
}

QHash<QString, CacheEntry> &cache()
{
    static QHash<QString, CacheEntry> entries;
    return entries;
}

bool namesNoFile(const QString &book)
{
    return book.isEmpty() || book.startsWith(u'.') || book.contains(u'/') || book.contains(u'\\')
        || book.contains(QChar(0));
}

QString folderPath(int folder)
{
    return (folder == 0 ? programfolder::overlayDir() : programfolder::dir()) + u'/'
        + bibleFolderRelative();
}

} // namespace

QString BibleFolder::findIgnoringCase(int folder, const QString &fileName)
{
    std::optional<QHash<QString, QString>> &listed = m_listed[folder];
    if (!listed) {
        listed.emplace();
        const QDir dir(folderPath(folder));
        if (dir.exists()) {
            // Of two names differing only in case the first listed counts, as before.
            const QStringList names = dir.entryList(QDir::Files);
            for (const QString &name : names) {
                if (!listed->contains(name.toCaseFolded()))
                    listed->insert(name.toCaseFolded(), dir.filePath(name));
            }
        }
    }
    return listed->value(fileName.toCaseFolded());
}

QString BibleFolder::filePath(const QString &book)
{
    if (namesNoFile(book))
        return {};
    if (const auto known = m_paths.constFind(book); known != m_paths.constEnd())
        return *known;
    const QString relative = bibleFolderRelative() + u'/' + bibleFileName(book);
    QString path = programfolder::readPath(relative);
    if (!QFileInfo::exists(path)) {
        for (int folder : { 0, 1 }) {
            if (const QString found = findIgnoringCase(folder, bibleFileName(book));
                !found.isEmpty()) {
                path = found;
                break;
            }
        }
    }
    m_paths.insert(book, path);
    return path;
}

std::shared_ptr<const BibleFile> BibleFolder::file(const QString &book)
{
    if (const auto known = m_files.constFind(book); known != m_files.constEnd())
        return *known;
    auto opened = BibleFile::open(filePath(book));
    m_files.insert(book, opened);
    return opened;
}

QString bibleFolderRelative()
{
    return u"libs/Bibel"_s;
}

QString bibleFileName(const QString &book)
{
    return book + u".lib"_s;
}

QString bibleFilePath(const QString &book)
{
    return BibleFolder().filePath(book);
}

bool bibleFileExists(const QString &book)
{
    const QString path = bibleFilePath(book);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

std::shared_ptr<const BibleFile> BibleFile::open(const QString &path)
{
    const QFileInfo info(path);
    const qint64 size = info.exists() ? info.size() : -1;
    const QDateTime modified = info.exists() ? info.lastModified() : QDateTime();
    const QString key = info.absoluteFilePath();

    const QMutexLocker lock(&cacheMutex());
    auto &entries = cache();
    if (const auto it = entries.constFind(key);
        it != entries.constEnd() && it->size == size && it->modified == modified)
        return it->file;

    auto file = std::make_shared<BibleFile>();
    // An unreadable file reads as empty.
    if (const Result<IniFile> ini = IniFile::read(path, boundedfile::kBibleLimit))
        file->m_ini = *ini;
    if (entries.size() >= kCachedFiles)
        entries.clear();
    entries.insert(key, CacheEntry { size, modified, file });
    return file;
}

std::shared_ptr<const BibleFile> BibleFile::fromText(const QString &text)
{
    auto file = std::make_shared<BibleFile>();
    file->m_ini = IniFile::fromText(text);
    return file;
}

QString BibleFile::verse(const QString &chapter, int verse) const
{
    return m_ini.value(sectionName(chapter), QString::number(verse)).left(kMaxVerseTextLength);
}

bool BibleFile::hasChapter(const QString &chapter) const
{
    return m_ini.hasSection(sectionName(chapter));
}

bool BibleFile::hasVerse(const QString &chapter, int verse) const
{
    return m_ini.contains(sectionName(chapter), QString::number(verse));
}

void BibleFile::clearCache()
{
    const QMutexLocker lock(&cacheMutex());
    cache().clear();
}

} // namespace bible
