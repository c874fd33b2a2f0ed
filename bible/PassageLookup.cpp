#include "bible/PassageLookup.h"

#include "bible/BibleFile.h"

#include <QFileInfo>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace bible {

QUrl onlineAddress(const QString &reference)
{
    return QUrl(QString::fromUtf16(kOnlineBibleService) + u"/text/LUT/"_s + reference,
                QUrl::TolerantMode);
}

QString passageHeading(const QString &reference)
{
    return u"Ausgewählte Bibelstelle: "_s + reference;
}

QString verseLine(int verse, const QString &text)
{
    return QString::number(verse) + u") "_s + text + u' ';
}

PassageLookup lookUpPassage(const QString &reference)
{
    PassageLookup result;
    result.reference = reference;

    if (isPsalmReference(reference)) {
        result.status = LookupStatus::Psalm;
        result.reference = psalmLookupText(reference);
        result.address = onlineAddress(result.reference);
        return result;
    }
    if (isHymnalReference(reference)) {
        result.status = LookupStatus::Hymnal;
        result.message = u"Tut mir Leid, aber auf das Gesangbuch kann nicht zugegriffen werden."_s;
        return result;
    }

    const ParsedReference parsed = parseReference(reference);
    result.parsed = parsed.reference;
    switch (parsed.error) {
    case ReferenceError::None:
        break;
    case ReferenceError::NoBook:
        result.status = LookupStatus::NoBook;
        result.message = referenceErrorMessage(parsed);
        return result;
    case ReferenceError::NoChapter:
        result.status = LookupStatus::NoChapter;
        result.message = referenceErrorMessage(parsed);
        return result;
    case ReferenceError::NoVerses:
        result.status = LookupStatus::NoVerses;
        result.message = referenceErrorMessage(parsed);
        return result;
    }

    const BibleReference &ref = parsed.reference;
    const QString path = bibleFilePath(ref.book);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        result.status = LookupStatus::BookMissing;
        result.message = u"Das Buch "_s + ref.book + u" konnte nicht gefunden werden."_s;
        return result;
    }
    if (!ref.hasVerseNumbers()) {
        result.status = LookupStatus::BadVerse;
        return result;
    }

    const auto file = BibleFile::open(path);
    const int last = std::min(ref.lastVerse, ref.firstVerse + kMaxVersesShown - 1);
    for (int v = ref.firstVerse; v <= last; ++v)
        result.verseLines.append(verseLine(v, file->verse(ref.chapter, v)));
    result.status = LookupStatus::Found;
    result.address = onlineAddress(reference);
    return result;
}

} // namespace bible
