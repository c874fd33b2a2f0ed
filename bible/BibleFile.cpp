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

// The file in the folder whose name equals the wanted one without regard to case.
QString findIgnoringCase(const QString &folder, const QString &fileName)
{
    const QDir dir(folder);
    if (!dir.exists())
        return {};
    const QStringList names = dir.entryList(QDir::Files);
    for (const QString &name : names) {
        if (name.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    }
    return {};
}

} // namespace

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
    if (book.isEmpty() || book.startsWith(u'.') || book.contains(u'/') || book.contains(u'\\')
        || book.contains(QChar(0)))
        return {};
    const QString relative = bibleFolderRelative() + u'/' + bibleFileName(book);
    const QString path = programfolder::readPath(relative);
    if (QFileInfo::exists(path))
        return path;
    for (const QString &folder : { programfolder::overlayDir() + u'/' + bibleFolderRelative(),
                                   programfolder::dir() + u'/' + bibleFolderRelative() }) {
        const QString found = findIgnoringCase(folder, bibleFileName(book));
        if (!found.isEmpty())
            return found;
    }
    return path;
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
