#pragma once

#include "bible/BibleReference.h"
#include "bible/PassageParts.h"

#include <QString>
#include <QStringList>
#include <QUrl>

// Turning a reference into what the passage views show: the verse lines read from the Bible
// file for the offline view, and the online Bible service's address for the web view.
namespace bible {

// The online Bible service; its Luther translation lives under "/text/LUT/".
inline constexpr char16_t kOnlineBibleService[] = u"https://www.bibleserver.com";

// A damaged reference ("Mk 1,1-65000") must not fill the view with tens of thousands of empty
// lines; no chapter has more than 176 verses, so a passage shows at most this many (all its
// parts together).
inline constexpr int kMaxVersesShown = 200;

// The service's address of the passage: the service, "/text/LUT/" and the reference as it is,
// without any percent-encoding of our own.
QUrl onlineAddress(const QString &reference);

// The bold first line of the offline view.
QString passageHeading(const QString &reference);

// One line of the offline view: "v) text ".
QString verseLine(int verse, const QString &text);

enum class LookupStatus {
    Psalm, // shown online only
    Hymnal, // message, nothing shown
    NoBook, // message: the reference cannot be taken apart
    NoChapter, // message
    NoVerses, // message
    BookMissing, // message: no Bible file for the book in an installed Bible
    NoBible, // no message: no Bible is installed; the passage is shown online only
    BadVerse, // no message: the heading is shown, then the lookup ends unsuccessfully
    Found, // heading and the parts offline, the address online (for a psalm its chapter)
};

struct PassageLookup
{
    LookupStatus status = LookupStatus::NoBook;
    QString reference; // the reference as looked up (a psalm's is cut before its ",")
    QString message; // the German message of the statuses that show one
    BibleReference parsed; // as far as it could be parsed
    QList<PassagePart> parts; // for Found: every part of the reference with its verses
    QStringList verseLines; // for Found: one line per verse of all parts, in their order
    QUrl address; // for Psalm and Found

    bool succeeded() const
    {
        return status == LookupStatus::Psalm || status == LookupStatus::Found
            || status == LookupStatus::NoBible;
    }
    bool showsHeading() const
    {
        return status == LookupStatus::BadVerse || status == LookupStatus::Found;
    }
};

// Looks a normalised reference up in the Bible files of the program folder. The book may be
// named by its abbreviation or its full name ("Psalm 85,2-8"). A psalm is shown offline when
// the Bible has it, and online always by its chapter ("Psalm 85").
PassageLookup lookUpPassage(const QString &reference);

} // namespace bible
