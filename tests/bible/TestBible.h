#pragma once

#include <QString>

// A Bible for tests that need no wording: every book, chapter and verse of the German Bible
// with the Apocrypha, each verse a made-up text, written as the import writes its files.
namespace bibletest {

// The made-up text of one verse, e.g. "Testvers Mk 1,9: …".
QString madeUpVerseText(const QString &book, int chapter, int verse);

// Writes one Bible file per book into the folder; false when a file cannot be written.
bool writeTestBible(const QString &folder);

} // namespace bibletest
