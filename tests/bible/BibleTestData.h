#pragma once

#include <QString>

class TestEnvironment;

// The public-domain Luther 1912 text of the shared reference data, imported once per test
// run with the program's own import into a temporary folder.
namespace bibletest {

// The OSIS folders of the reference data.
QString luther1912Source(); // 66 books
QString luther1912ApocryphaSource(); // the 66 books and the Apocrypha

// The folder with the imported Bible files (Luther 1912 with the Apocrypha); fails the
// current test when the import fails.
QString importedBibleFolder();

// Copies the imported Bible files into the environment's program folder (libs/Bibel).
void installBible(const TestEnvironment &environment);

} // namespace bibletest
