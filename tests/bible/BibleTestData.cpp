#include "tests/bible/BibleTestData.h"

#include "bible/OsisImport.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace bibletest {

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
