#include "tests/bible/BibleTestData.h"

#include "bible/OsisImport.h"
#include "tests/bible/TestBible.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace bibletest {

bool hasLutherText()
{
    return !sharedReferenceDir().isEmpty() && QDir(luther1912ApocryphaSource()).exists();
}

bool startsLikeVerse(const QString &line, const QString &lutherStart)
{
    if (hasLutherText())
        return line.startsWith(lutherStart);
    const QString number = lutherStart.left(lutherStart.indexOf(u')') + 2);
    return line.startsWith(number);
}

QString luther1912Source()
{
    return sharedReferenceDir() + u"/bibel/luth1912-osis"_s;
}

QString luther1912ApocryphaSource()
{
    return sharedReferenceDir() + u"/bibel/luth1912ap-osis"_s;
}

QString importedBibleFolder()
{
    static QTemporaryDir folder;
    static bool imported = false;
    if (!imported && !hasLutherText()) {
        if (!writeTestBible(folder.path())) {
            ADD_FAILURE() << "cannot write the test Bible";
            return folder.path();
        }
        imported = true;
    }
    if (!imported) {
        const bible::ImportResult result
            = bible::importOsisBible(luther1912ApocryphaSource(), folder.path());
        if (result.status != bible::ImportStatus::Ok) {
            ADD_FAILURE() << "import failed: " << result.errorText.toStdString();
            return folder.path();
        }
        imported = true;
    }
    return folder.path();
}

void installBible(const TestEnvironment &environment)
{
    const QDir from(importedBibleFolder());
    const QString to = environment.programDir() + u"/libs/Bibel"_s;
    QDir().mkpath(to);
    for (const QString &name : from.entryList(QDir::Files)) {
        QFile::remove(to + u'/' + name);
        if (!QFile::copy(from.filePath(name), to + u'/' + name))
            ADD_FAILURE() << "cannot copy " << name.toStdString();
    }
}

} // namespace bibletest
