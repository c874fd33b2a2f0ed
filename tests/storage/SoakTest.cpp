// Several programs saving the same services on one folder at once, answering the question about
// a colleague's change at random: afterwards every version that was reported saved is found, in
// a file beside the day's, in "Archiv", or as the version a later save was made from. Runs a few
// seconds; PERGOLAN_SOAK_SECONDS makes it longer.
#include "storage/ServiceOrderFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr int kSavers = 3;

TEST(Soak, EverySavedVersionIsKeptOrWasBuiltOn)
{
    const int seconds = qEnvironmentVariableIsSet("PERGOLAN_SOAK_SECONDS")
        ? qEnvironmentVariableIntValue("PERGOLAN_SOAK_SECONDS")
        : 3;
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("Pergol"));
    ASSERT_TRUE(QDir().mkpath(data + QStringLiteral("/2")));
    std::vector<std::unique_ptr<QProcess>> savers;
    for (int i = 0; i < kSavers; ++i) {
        auto saver = std::make_unique<QProcess>();
        saver->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        saver->start(QStringLiteral(PERGOLAN_SOAK_SAVER),
                     { data, QString::number(seconds), QStringLiteral("p%1").arg(i),
                       dir.filePath(QStringLiteral("log%1.txt").arg(i)) });
        savers.push_back(std::move(saver));
    }
    for (auto &saver : savers) {
        ASSERT_TRUE(saver->waitForFinished(seconds * 1000 + 60000));
        EXPECT_EQ(saver->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(saver->exitCode(), 0);
    }

    // What each saver reported saved, and what each version was made from.
    QHash<QString, QString> parentOf;
    for (int i = 0; i < kSavers; ++i) {
        QFile log(dir.filePath(QStringLiteral("log%1.txt").arg(i)));
        ASSERT_TRUE(log.open(QIODevice::ReadOnly | QIODevice::Text));
        while (!log.atEnd()) {
            const QStringList parts = QString::fromUtf8(log.readLine()).trimmed().split(u' ');
            parentOf.insert(parts.value(0), parts.value(1));
        }
    }
    ASSERT_GT(parentOf.size(), kSavers);

    // Every version in a file, and those it was made from, one after the other.
    QSet<QString> accounted;
    int files = 0;
    QDirIterator it(data, { QStringLiteral("*.ini") }, QDir::Files | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const Result<IniFile> ini = serviceorder::readFile(it.next());
        ASSERT_TRUE(ini.ok()) << it.filePath().toStdString();
        ++files;
        for (QString id = serviceorder::readTexts(*ini).eingangslied;
             !id.isEmpty() && !accounted.contains(id); id = parentOf.value(id))
            accounted.insert(id);
    }
    QStringList lost;
    for (auto i = parentOf.cbegin(); i != parentOf.cend(); ++i)
        if (!accounted.contains(i.key()))
            lost << i.key();
    lost.sort();
    EXPECT_TRUE(lost.isEmpty()) << lost.size() << " of " << parentOf.size()
                                << " saved versions lost: " << lost.join(u' ').toStdString();
    RecordProperty("saved", int(parentOf.size()));
    RecordProperty("files", files);
}

} // namespace
