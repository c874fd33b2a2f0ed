#include "update/VersionText.h"
#include "base/ProgramInfo.h"
#include "update/Download.h"

#include <QDir>
#include <QUrlQuery>

#include <gtest/gtest.h>

using update::parseVersionText;

TEST(VersionText, ReadsSignedNumbersWithBlanksAndAPoint)
{
    EXPECT_DOUBLE_EQ(*parseVersionText(QStringLiteral("5.03")), 5.03);
    EXPECT_DOUBLE_EQ(*parseVersionText(QStringLiteral(" 6 ")), 6.0);
    EXPECT_DOUBLE_EQ(*parseVersionText(QStringLiteral("   +5.1")), 5.1);
    EXPECT_DOUBLE_EQ(*parseVersionText(QStringLiteral("-2  ")), -2.0);
    EXPECT_DOUBLE_EQ(*parseVersionText(QStringLiteral("5.")), 5.0);
    EXPECT_DOUBLE_EQ(*parseVersionText(QStringLiteral(".5")), 0.5);
    EXPECT_DOUBLE_EQ(*parseVersionText(QStringLiteral("1.2E1")), 12.0);
}

TEST(VersionText, RejectsEverythingElse)
{
    for (const QString &text :
         { QStringLiteral("5.10\n"), QStringLiteral("5.10\r\n"), QStringLiteral("5,10"),
           QStringLiteral("\t5.1"), QStringLiteral(""), QStringLiteral("   "), QStringLiteral("."),
           QStringLiteral("+"), QStringLiteral("5.03 5.04"), QStringLiteral("5..3"),
           QStringLiteral("1e"), QStringLiteral("1e999"), QStringLiteral("0x10"),
           QStringLiteral("<html>5.04</html>"), QStringLiteral("5.04abc"), QStringLiteral("++5") })
        EXPECT_FALSE(parseVersionText(text).has_value()) << text.toStdString();
}

TEST(VersionText, UnreadableContentCountsAsTheProgramVersion)
{
    EXPECT_DOUBLE_EQ(update::availableVersion("5.04", 5.03), 5.04);
    EXPECT_DOUBLE_EQ(update::availableVersion("5,10", 5.03), 5.03);
    EXPECT_DOUBLE_EQ(update::availableVersion("5.10\n", 5.03), 5.03);
    EXPECT_DOUBLE_EQ(update::availableVersion(QByteArray("5\0", 2), 5.03), 5.03);
}

TEST(VersionText, FormatsLikePrintfWithTheGivenSeparator)
{
    EXPECT_EQ(programinfo::formatVersion(5.03, u'.'), QStringLiteral(" 5.03"));
    EXPECT_EQ(programinfo::formatVersion(5.03, u','), QStringLiteral(" 5,03"));
    EXPECT_EQ(programinfo::formatVersion(12.5, u','), QStringLiteral("12,50"));
    EXPECT_EQ(programinfo::formatVersion(123.456, u'.'), QStringLiteral("123.46"));
    EXPECT_EQ(
        update::updateQuestion(5.03, 6, u'.'),
        QStringLiteral("Aktuelle Programm-Version:  5.03\rVerfügbare Programm-Version:  6.00\r"
                       "Möchten Sie jetzt eine Aktualisierung durchführen?"));
}

TEST(VersionText, SeparatorIsTheSystemsUntilAVersionFileWasRead)
{
    programinfo::resetDecimalSeparatorForTesting();
    const QString system = QLocale::system().decimalPoint();
    EXPECT_EQ(QString(programinfo::decimalSeparator()), system);
    if (QLocale::system().language() == QLocale::German) {
        EXPECT_EQ(programinfo::formatVersion(5.03), QStringLiteral(" 5,03"));
    }
    programinfo::useDecimalPoint();
    EXPECT_EQ(programinfo::formatVersion(5.03), QStringLiteral(" 5.03"));
    programinfo::resetDecimalSeparatorForTesting();
}

TEST(UpdateAddresses, SessionNumbersAndInstallerFolder)
{
    update::setServerBaseForTesting({});
    qunsetenv(update::kServerBaseVariable);
    const QUrl url = update::versionUrl();
    EXPECT_EQ(url.scheme(), QStringLiteral("https"));
    EXPECT_EQ(url.host(), QString::fromUtf16(programinfo::kMakerHost));
    EXPECT_EQ(url.path(), QStringLiteral("/files/Startseite/Pergol/version.txt"));
    EXPECT_TRUE(update::installerServerBase().startsWith(QStringLiteral("https://")));

    // Numbers from 0 to 999999, and not all the same.
    QSet<int> seen;
    for (int i = 0; i < 50; ++i) {
        const QString query = update::sessionQuery();
        ASSERT_TRUE(query.startsWith(QStringLiteral("?session="))) << query.toStdString();
        bool ok = false;
        const int n = query.mid(9).toInt(&ok);
        ASSERT_TRUE(ok);
        EXPECT_GE(n, 0);
        EXPECT_LE(n, 999999);
        seen.insert(n);
    }
    EXPECT_GT(seen.size(), 1);

    const QByteArray oldTemp = qgetenv("TEMP");
    qputenv("TEMP", "/tmp/pergolan-temp-probe");
    EXPECT_EQ(update::installerFile(), QStringLiteral("/tmp/pergolan-temp-probe/pergol-setup.exe"));
    qunsetenv("TEMP");
    EXPECT_EQ(update::installerFile(), QDir::tempPath() + QStringLiteral("/pergol-setup.exe"));
    if (!oldTemp.isNull())
        qputenv("TEMP", oldTemp);

    qputenv(update::kServerBaseVariable, "https://127.0.0.1:1");
    EXPECT_EQ(update::versionUrl().port(), 1);
    EXPECT_EQ(update::installerServerBase(), QStringLiteral("https://127.0.0.1:1"));
    qunsetenv(update::kServerBaseVariable);
}
