#include "bible/PassageLookup.h"

#include "bible/BibleFile.h"
#include "bible/BibleImport.h"

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

namespace {

// Every part of the reading with its verses, when it can be taken apart and its book has a file.
bool lookUpOffline(const ParsedPassage &parsed, PassageLookup &result)
{
    if (parsed.error != ReferenceError::None || !parsed.passage.hasVerseNumbers())
        return false;
    PassageBooks books;
    if (!books.hasFile(parsed.passage.book))
        return false;
    result.parts = readPassageParts(parsed.passage.spans, kMaxVersesShown, books);
    for (const PassagePart &part : std::as_const(result.parts))
        for (const PassageVerse &verse : part.verses)
            result.verseLines.append(verseLine(verse.number, verse.text));
    return true;
}

} // namespace

PassageLookup lookUpPassage(const QString &reference)
{
    PassageLookup result;
    result.reference = reference;

    if (isPsalmReference(reference)) {
        result.address = onlineAddress(psalmLookupText(reference));
        result.parsed = parseReference(reference).reference;
        if (lookUpOffline(parsePassage(reference), result)) {
            result.status = LookupStatus::Found;
            return result;
        }
        result.status = LookupStatus::Psalm;
        result.reference = psalmLookupText(reference);
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
    case ReferenceError::TooManyParts: // parseReference does not count parts
        result.status = LookupStatus::NoVerses;
        result.message = referenceErrorMessage(parsed);
        return result;
    }

    const ParsedPassage passage = parsePassage(reference);
    if (passage.error == ReferenceError::TooManyParts) {
        result.status = LookupStatus::NoVerses;
        result.message = referenceErrorMessage({ passage.error, parsed.reference });
        return result;
    }

    const BibleReference &ref = parsed.reference;
    const QString path = bibleFilePath(bookAbbreviation(ref.book).value_or(ref.book));
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        if (!bibleInstalled()) {
            result.status = LookupStatus::NoBible;
            result.address = onlineAddress(reference);
            return result;
        }
        result.status = LookupStatus::BookMissing;
        result.message = u"Das Buch "_s + ref.book + u" konnte nicht gefunden werden."_s;
        return result;
    }
    if (!lookUpOffline(passage, result)) {
        result.status = LookupStatus::BadVerse;
        return result;
    }
    result.status = LookupStatus::Found;
    result.address = onlineAddress(reference);
    return result;
}

} // namespace bible
