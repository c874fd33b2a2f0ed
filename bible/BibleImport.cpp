#include "bible/BibleImport.h"

#include "base/ProgramFolder.h"
#include "bible/BibleFile.h"
#include "bible/BookNames.h"
#include "bible/ZefaniaImport.h"
#include "storage/BoundedFile.h"
#include "storage/Win1252Text.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using namespace Qt::Literals::StringLiterals;

namespace bible {
namespace {

// A document whose root element does not come within this many tokens is not a Bible.
constexpr int kTokensBeforeRoot = 200;

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

bool isCancelled(const ImportControl &control)
{
    return control.cancelled && control.cancelled();
}

ImportResult failure(ImportStatus status, const QString &text)
{
    ImportResult result;
    result.status = status;
    result.errorText = text;
    return result;
}

// True when the folder holds nothing but Bible files, so that replacing it loses nothing else.
bool holdsOnlyBibleFiles(const QString &folder)
{
    const QFileInfoList entries
        = QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (!entry.isFile() || entry.suffix().compare(u"lib"_s, Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

} // namespace

BibleFormat detectBibleFormat(QIODevice &device)
{
    QXmlStreamReader xml(&device);
    for (int tokens = 0; tokens < kTokensBeforeRoot && !xml.atEnd(); ++tokens) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"osis")
            return BibleFormat::Osis;
        if (xml.name().compare(u"XMLBIBLE", Qt::CaseInsensitive) == 0)
            return BibleFormat::Zefania;
        return BibleFormat::Unknown;
    }
    return BibleFormat::Unknown;
}

ImportResult importBible(const QString &source, const QString &targetFolder,
                         const ImportControl &control)
{
    const QFileInfo sourceInfo(source);
    QStringList files;
    if (sourceInfo.isDir()) {
        const QDir dir(source);
        for (const QString &name :
             dir.entryList({ u"*.xml"_s, u"*.XML"_s }, QDir::Files | QDir::Readable, QDir::Name))
            files.append(dir.filePath(name));
        files.removeDuplicates();
        if (files.isEmpty())
            return failure(ImportStatus::BadInput,
                           u"Im Ordner %1 liegen keine OSIS-Dateien und keine Zefania-Dateien "
                           u"(*.xml)."_s.arg(nativePath(source)));
    } else if (sourceInfo.isFile()) {
        files.append(source);
    } else {
        return failure(ImportStatus::BadInput,
                       u"Die Quelle %1 gibt es nicht."_s.arg(nativePath(source)));
    }

    qint64 totalBytes = 0;
    for (const QString &path : std::as_const(files))
        totalBytes += QFileInfo(path).size();
    qint64 bytesBefore = 0;
    bool stopped = false;
    const ReadTick tick = [&](qint64 done, qint64) {
        if (control.reading && totalBytes > 0)
            control.reading(int((bytesBefore + done) * 100 / totalBytes));
        stopped = isCancelled(control);
        return !stopped;
    };

    // Read everything first: bad input must not leave half a Bible behind.
    QList<ImportedBook> books;
    ImportSummary summary;
    for (const QString &path : std::as_const(files)) {
        if (isCancelled(control))
            return failure(ImportStatus::Cancelled, QString());
        // Only a regular file within the limit is read: a pipe or a device never blocks.
        const Result<QByteArray> bytes = boundedfile::read(path, boundedfile::kBibleSourceLimit);
        if (!bytes)
            return failure(ImportStatus::BadInput, bytes.error());
        QBuffer file;
        file.setData(*bytes);
        file.open(QIODevice::ReadOnly);
        const BibleFormat format = detectBibleFormat(file);
        if (format == BibleFormat::Unknown)
            return failure(ImportStatus::BadInput,
                           u"Die Datei %1 ist keine OSIS-Bibel und keine Zefania-Bibel: "
                           u"keine Bibelverse gefunden."_s.arg(nativePath(path)));
        file.seek(0);
        QList<ImportedBook> read;
        QString reason;
        const bool ok = format == BibleFormat::Zefania ? readZefaniaBooks(file, read, &reason, tick)
                                                       : readOsisBooks(file, read, &reason, tick);
        if (stopped)
            return failure(ImportStatus::Cancelled, QString());
        if (!ok)
            return failure(ImportStatus::BadInput,
                           u"Die Datei %1 ist keine %2-Bibel: %3."_s.arg(
                               nativePath(path),
                               format == BibleFormat::Zefania ? u"Zefania"_s : u"OSIS"_s, reason));
        bytesBefore += file.size();
        for (ImportedBook &book : read) {
            const bool known = std::any_of(books.cbegin(), books.cend(),
                                           [&](const auto &b) { return b.osisId == book.osisId; });
            if (known) {
                if (!summary.duplicateBooks.contains(book.osisId))
                    summary.duplicateBooks.append(book.osisId);
                continue;
            }
            books.append(std::move(book));
        }
    }
    if (control.reading)
        control.reading(100);

    ImportResult result = writeBible(books, source, targetFolder, control);
    result.summary.duplicateBooks = summary.duplicateBooks;
    return result;
}

ImportResult writeBible(const QList<ImportedBook> &books, const QString &sourceName,
                        const QString &targetFolder, const ImportControl &control)
{
    ImportResult result;
    QList<std::pair<QString, const ImportedBook *>> known; // Loccum name, book
    QHash<QString, const ImportedBook *> byId;
    for (const ImportedBook &book : books)
        byId.insert(book.osisId, &book);
    for (const BookName &name : bookNames()) {
        if (const auto it = byId.constFind(name.osisId); it != byId.constEnd())
            known.append({ name.loccum, *it });
    }
    for (const ImportedBook &book : books) {
        if (!bookByOsisId(book.osisId))
            result.summary.skippedBooks.append(book.osisId);
    }
    result.summary.skippedBooks.sort();
    if (known.isEmpty())
        return failure(
            ImportStatus::BadInput,
            u"In %1 wurde kein bekanntes biblisches Buch gefunden."_s.arg(nativePath(sourceName)));

    const bool intoProgram = targetFolder.isEmpty();
    const QString chosen = intoProgram ? bibleTargetFolder() : targetFolder;
    if (chosen.isEmpty())
        return failure(ImportStatus::WriteFailed,
                       u"Für die Bibeldateien gibt es keinen beschreibbaren Ordner."_s);
    const QString target = QFileInfo(chosen).absoluteFilePath();
    const QFileInfo targetInfo(target);
    if (targetInfo.exists() && !targetInfo.isDir())
        return failure(ImportStatus::WriteFailed,
                       u"Der Zielordner %1 ist eine Datei."_s.arg(nativePath(target)));
    if (targetInfo.isDir() && !holdsOnlyBibleFiles(target))
        return failure(ImportStatus::WriteFailed,
                       u"Der Zielordner %1 enthält andere Dateien als Bibeldateien und wird "
                       u"darum nicht ersetzt."_s.arg(nativePath(target)));
    const QString parent = targetInfo.absolutePath();
    if (!QDir().mkpath(parent))
        return failure(ImportStatus::WriteFailed,
                       u"Der Zielordner %1 kann nicht angelegt werden."_s.arg(nativePath(target)));

    // The new files go into a fresh folder beside the target; it disappears by itself unless
    // it is swapped in.
    QTemporaryDir fresh(parent + u"/."_s + targetInfo.fileName() + u"-neu-XXXXXX"_s);
    if (!fresh.isValid())
        return failure(ImportStatus::WriteFailed,
                       u"Im Ordner %1 kann nicht geschrieben werden: %2"_s.arg(
                           nativePath(parent), fresh.errorString()));
    QFile::setPermissions(fresh.path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                              | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);

    const int total = int(known.size());
    int done = 0;
    QStringList fileNames;
    for (const auto &[loccum, book] : std::as_const(known)) {
        if (isCancelled(control))
            return failure(ImportStatus::Cancelled, QString());
        const QString fileName = bibleFileName(loccum);
        if (control.writing)
            control.writing(done, total, fileName);
        const QString path = fresh.filePath(fileName);
        if (const Result<> written = win1252::writeFileAtomically(path, bibleFileBytes(*book));
            !written)
            return failure(ImportStatus::WriteFailed,
                           u"Die Datei %1 kann nicht geschrieben werden: %2"_s.arg(
                               nativePath(QDir(target).filePath(fileName)), written.error()));
        fileNames.append(fileName);
        ++result.summary.books;
        result.summary.chapters += int(book->chapters.size());
        result.summary.verses += book->verseCount();
        ++done;
    }
    if (isCancelled(control))
        return failure(ImportStatus::Cancelled, QString());

    // The swap: the old folder steps aside, the new one takes its name, the old one goes.
    QString old;
    if (targetInfo.exists()) {
        QTemporaryDir aside(parent + u"/."_s + targetInfo.fileName() + u"-alt-XXXXXX"_s);
        if (!aside.isValid() || !aside.remove())
            return failure(
                ImportStatus::WriteFailed,
                u"Im Ordner %1 kann nicht geschrieben werden."_s.arg(nativePath(parent)));
        old = aside.path();
        if (!QDir().rename(target, old))
            return failure(ImportStatus::WriteFailed,
                           u"Die bisherigen Bibeldateien in %1 können nicht ersetzt werden."_s.arg(
                               nativePath(target)));
    }
    if (!QDir().rename(fresh.path(), target)) {
        if (!old.isEmpty())
            QDir().rename(old, target);
        return failure(
            ImportStatus::WriteFailed,
            u"Die Bibeldateien können nicht nach %1 geschrieben werden."_s.arg(nativePath(target)));
    }
    fresh.setAutoRemove(false);
    if (!old.isEmpty())
        QDir(old).removeRecursively();

    // An earlier Bible in the per-user overlay would hide the new one in the program folder.
    if (intoProgram) {
        const QString overlay
            = QFileInfo(programfolder::overlayDir() + u'/' + bibleFolderRelative())
                  .absoluteFilePath();
        if (overlay != target && QFileInfo(overlay).isDir() && holdsOnlyBibleFiles(overlay))
            QDir(overlay).removeRecursively();
    }
    BibleFile::clearCache();

    for (const QString &fileName : std::as_const(fileNames))
        result.summary.writtenFiles.append(QDir(target).filePath(fileName));
    if (control.writing)
        control.writing(done, total, QString());
    return result;
}

ImportResult importOsisBible(const QString &source, const QString &targetFolder,
                             const ImportProgress &progress)
{
    ImportControl control;
    control.writing = progress;
    return importBible(source, targetFolder, control);
}

QString bibleTargetFolder()
{
    const QString probe
        = programfolder::writePath(bibleFolderRelative() + u'/' + bibleFileName(u"Mk"_s));
    return probe.isEmpty() ? QString() : QFileInfo(probe).absolutePath();
}

bool bibleInstalled()
{
    for (const QString &folder : { programfolder::overlayDir(), programfolder::dir() }) {
        const QDir dir(folder + u'/' + bibleFolderRelative());
        if (!dir.entryList({ u"*.lib"_s }, QDir::Files).isEmpty())
            return true;
    }
    return false;
}

QString importOutcomeText(const ImportResult &result)
{
    switch (result.status) {
    case ImportStatus::Ok:
        return importSummaryText(result.summary);
    case ImportStatus::Cancelled:
        return u"Das Einlesen wurde abgebrochen. Die bisherigen Bibeldateien sind unverändert."_s;
    case ImportStatus::BadInput:
    case ImportStatus::WriteFailed:
        break;
    }
    return result.errorText + u" Die bisherigen Bibeldateien sind unverändert."_s;
}

} // namespace bible
