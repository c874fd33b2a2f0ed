#pragma once

#include <QString>

class TestEnvironment;

// The Bible of the tests: the public-domain Luther 1912 text of the shared reference data
// (found through PERGOLAN_SHARED_DIR), imported once per test run with the program's own
// import into a temporary folder; without it a test Bible of made-up verses (TestBible.h).
namespace bibletest {

// Whether the Luther text is at hand; tests of its wording skip without it.
bool hasLutherText();

// The message a test that needs the Luther wording skips with.
const char *const kNoLutherText
    = "needs the Luther 1912 text: set PERGOLAN_SHARED_DIR to the folder holding "
      "reference/bibel";

// Whether a verse line of a shown passage starts like the expected Luther line, e.g.
// "16) Also hat Gott": with the test Bible only the verse number "16) " is compared.
bool startsLikeVerse(const QString &line, const QString &lutherStart);

// The OSIS folders of the reference data.
QString luther1912Source(); // 66 books
QString luther1912ApocryphaSource(); // the 66 books and the Apocrypha

// The folder with the Bible files (Luther 1912 with the Apocrypha, or the test Bible);
// fails the current test when the import or the writing fails.
QString importedBibleFolder();

// Copies the imported Bible files into the environment's program folder (libs/Bibel).
void installBible(const TestEnvironment &environment);

} // namespace bibletest
