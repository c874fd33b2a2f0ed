#include "storage/ServiceOrderFile.h"
#include "base/ProgramFolder.h"
#include "storage/OrderSettingsFile.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using serviceorder::StoredSequence;

namespace {

IniFile iniOf(const char *latin1Text)
{
    return IniFile::fromText(QString::fromLatin1(latin1Text));
}

// The preparation that the expected file in tests/storage/data holds.
Preparation easterPreparation()
{
    Preparation p;
    p.dayName = QStringLiteral("Ostersonntag");
    p.series = QStringLiteral("3");
    p.dayStamp = QStringLiteral("20260405");
    p.wochenspruch
        = QStringLiteral("Christus spricht: Ich war tot, und siehe, ich bin lebendig von "
                         "Ewigkeit zu Ewigkeit und habe die Schlüssel des Todes und der "
                         "Hölle. (Offb 1,18)");
    p.psalm = QStringLiteral("Ps 118,14-24");
    p.atLesung = QStringLiteral("1. Sam 2,1-8a");
    p.epistel = QStringLiteral("1. Kor 15,1-11");
    p.evangelium = QStringLiteral("Mk 16,1-8");
    p.predigttext = QStringLiteral("1. Sam 2,1-8a");
    p.eingangslied = QStringLiteral("EG 99 – Christ ist erstanden");
    p.wochenlied = QStringLiteral("EG 101");
    p.vorpredigtslied = QStringLiteral("  EG 100, 1-3 ");
    p.kollektenlied = QStringLiteral("EG 103");
    p.ausgangslied = QStringLiteral("EG 116");
    p.ticks = { true, false, false, true };
    p.pageFormat = 1;
    p.threeReadings = true;
    p.sequence = { QStringLiteral("Glockengeläut"),
                   QStringLiteral("Musik zum Eingang"),
                   QStringLiteral("Begrüßung mit Wochenspruch"),
                   QStringLiteral("Eingangslied"),
                   QStringLiteral("Predigt"),
                   QStringLiteral("Fürbitte"),
                   QStringLiteral("Segen") };
    return p;
}

QString expectedEasterFile()
{
    return QStringLiteral(PERGOLAN_SOURCE_DIR "/tests/storage/data/Ostersonntag.ini");
}

} // namespace

TEST(ServiceOrderFile, WritesTheExpectedFileByteForByte)
{
    const QByteArray expected = readFileBytes(expectedEasterFile());
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(serviceorder::toIni(easterPreparation()).toBytes(), expected);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("3 Ostersonntag.ini"));
    ASSERT_TRUE(serviceorder::writeFile(path, serviceorder::toIni(easterPreparation())));
    EXPECT_EQ(readFileBytes(path), expected);
}

TEST(ServiceOrderFile, ReadsBackWhatItWroteExceptOuterBlanks)
{
    const Result<IniFile> ini = serviceorder::readFile(expectedEasterFile());
    ASSERT_TRUE(ini);
    const Preparation read = serviceorder::readTexts(*ini);
    Preparation written = easterPreparation();
    EXPECT_EQ(read.dayName, written.dayName);
    EXPECT_EQ(read.series, written.series);
    EXPECT_EQ(read.dayStamp, written.dayStamp);
    EXPECT_EQ(read.wochenspruch, written.wochenspruch);
    EXPECT_EQ(read.eingangslied, written.eingangslied);
    EXPECT_EQ(read.kollektenlied, written.kollektenlied);
    EXPECT_EQ(read.atLesung, written.atLesung);
    // Blanks around a value are not significant in an INI file and are lost.
    EXPECT_EQ(read.vorpredigtslied, QStringLiteral("EG 100, 1-3"));

    const StoredSequence sequence = serviceorder::readSequence(*ini);
    EXPECT_EQ(sequence.status, StoredSequence::Status::Replaced);
    EXPECT_EQ(sequence.entries, written.sequence);
    EXPECT_EQ(sequence.ticks, written.ticks);
    EXPECT_EQ(serviceorder::readPageFormat(*ini), 1);
    EXPECT_TRUE(serviceorder::readThreeReadings(*ini));
}

TEST(ServiceOrderFile, MissingKeysGiveTheirDefaults)
{
    const Preparation p
        = serviceorder::readTexts(iniOf("[Lieder]\r\nKollektenlied=EG 331\r\nEingangslied=   EG 1  "
                                        " \r\n[texte]\r\nPSALM=Ps 23\r\n"));
    EXPECT_EQ(p.dayName, QStringLiteral("Sonntag"));
    EXPECT_EQ(p.series, QStringLiteral("0"));
    // Files saved before the service date was kept hold none.
    EXPECT_EQ(p.dayStamp, QString());
    EXPECT_EQ(p.psalm, QStringLiteral("Ps 23"));
    EXPECT_EQ(p.eingangslied, QStringLiteral("EG 1"));
    // Only "Kolektenlied" is the collection hymn's key.
    EXPECT_EQ(p.kollektenlied, QString());
    EXPECT_EQ(p.wochenspruch, QString());
    // Files saved before the Old Testament reading had its field have two readings.
    EXPECT_EQ(p.atLesung, QString());
    EXPECT_FALSE(serviceorder::readThreeReadings(iniOf("[Format]\nSeitenformat=1\n")));
    EXPECT_FALSE(serviceorder::readThreeReadings(iniOf("[Format]\nDreiLesungen=nein\n")));
}

TEST(ServiceOrderFile, PageFormatOfAStoredValue)
{
    EXPECT_EQ(serviceorder::readPageFormat(iniOf("[Format]\nSeitenformat=7\n")), 1);
    EXPECT_EQ(serviceorder::readPageFormat(iniOf("[Format]\nSeitenformat=1\n")), 1);
    EXPECT_EQ(serviceorder::readPageFormat(iniOf("[Format]\nSeitenformat=0\n")), 0);
    EXPECT_EQ(serviceorder::readPageFormat(iniOf("[Format]\nSeitenformat=-2\n")), 0);
    EXPECT_EQ(serviceorder::readPageFormat(iniOf("[Format]\nSeitenformat=quer\n")), 1);
    EXPECT_EQ(serviceorder::readPageFormat(iniOf("[Allgemein]\nName=Epiphanias\n")), 1);
}

TEST(ServiceOrderFile, StoredSequenceReplacesOnlyAboveFiveEntries)
{
    const StoredSequence five = serviceorder::readSequence(
        iniOf("[Reihenfolge]\nAnzahl=5\n0=a\n1=b\n2=c\n3=d\n4=e\n[Kasualien]\nTaufe=1\n"));
    EXPECT_EQ(five.status, StoredSequence::Status::Kept);
    EXPECT_TRUE(five.entries.isEmpty());
    EXPECT_FALSE(five.ticks.taufe);

    const StoredSequence six = serviceorder::readSequence(
        iniOf("[Reihenfolge]\nAnzahl=6\n0=a\n1=b\n2=c\n3=d\n4=e\n5=f\n"
              "[Kasualien]\nAbendmahl=0\nTaufe=1\nKonfirmation=x\nTrauung=-3\n"));
    EXPECT_EQ(six.status, StoredSequence::Status::Replaced);
    EXPECT_EQ(six.entries.join(u','), QStringLiteral("a,b,c,d,e,f"));
    EXPECT_EQ(six.ticks, (ServiceTicks { false, true, false, true }));

    EXPECT_EQ(serviceorder::readSequence(IniFile()).status, StoredSequence::Status::Kept);
}

TEST(ServiceOrderFile, MissingEntriesReadAsDamaged)
{
    const StoredSequence eight = serviceorder::readSequence(
        iniOf("[Reihenfolge]\nAnzahl=8\n0=a\n1=b\n2=c\n3=d\n4=e\n5=f\n"));
    ASSERT_EQ(eight.entries.size(), 8);
    EXPECT_EQ(eight.entries.at(5), QStringLiteral("f"));
    EXPECT_EQ(eight.entries.at(6), QStringLiteral("Datei beschädigt"));
    EXPECT_EQ(eight.entries.at(7), QStringLiteral("Datei beschädigt"));
}

TEST(ServiceOrderFile, ACountThatMakesNoSenseIsAnError)
{
    EXPECT_EQ(serviceorder::readSequence(iniOf("[Reihenfolge]\nAnzahl=sieben\n")).status,
              StoredSequence::Status::NotANumber);
    EXPECT_EQ(serviceorder::readSequence(iniOf("[Reihenfolge]\nAnzahl=\n")).status,
              StoredSequence::Status::NotANumber);
    EXPECT_EQ(
        serviceorder::readSequence(iniOf("[Reihenfolge]\nAnzahl=99999999999999999999\n")).status,
        StoredSequence::Status::NotANumber);
    EXPECT_EQ(serviceorder::readSequence(iniOf("[Reihenfolge]\nAnzahl=2000000000\n")).status,
              StoredSequence::Status::OutOfRange);
    EXPECT_EQ(serviceorder::readSequence(iniOf("[Reihenfolge]\nAnzahl=10001\n")).status,
              StoredSequence::Status::OutOfRange);
    EXPECT_EQ(serviceorder::readSequence(iniOf("[Reihenfolge]\nAnzahl=-1\n")).status,
              StoredSequence::Status::OutOfRange);
    const StoredSequence largest
        = serviceorder::readSequence(iniOf("[Reihenfolge]\nAnzahl=10000\n"));
    EXPECT_EQ(largest.status, StoredSequence::Status::Replaced);
    EXPECT_EQ(largest.entries.size(), 10000);
}

TEST(ServiceOrderFile, ProposedFileName)
{
    const auto proposal = [](const char *dayName, const char *series) {
        return serviceorder::proposedFileName(QString::fromUtf8(dayName),
                                              QString::fromUtf8(series));
    };
    EXPECT_EQ(proposal("Ostersonntag", "3").value(), QStringLiteral("3 Ostersonntag"));
    EXPECT_EQ(proposal("Sonntag", "3").value(), QString());
    EXPECT_EQ(proposal("", "3").value(), QString());
    EXPECT_EQ(proposal("Erntedank", "0").value(), QString());
    EXPECT_FALSE(proposal("Erntedank", "II").ok());
    // The placeholder day never looks at the series.
    EXPECT_EQ(proposal("Sonntag", "II").value(), QString());
    EXPECT_EQ(serviceorder::storedOrderFileName(QStringLiteral("2"), QStringLiteral("Erntedank")),
              QStringLiteral("2 Erntedank.ini"));
}

TEST(ServiceOrderFile, RefusesFilesThatCannotBeOne)
{
    QTemporaryDir dir;
    EXPECT_FALSE(
        serviceorder::readFile(dir.filePath(QStringLiteral("fehlt.ini"))).error().isEmpty());

    const QString huge = dir.filePath(QStringLiteral("riesig.ini"));
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(serviceorder::kMaxFileSize + 1));
    }
    EXPECT_FALSE(serviceorder::readFile(huge).error().isEmpty());

    // Garbage is read without harm: it simply holds nothing of a preparation.
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 7919) % 256));
    const QString noise = dir.filePath(QStringLiteral("rauschen.ini"));
    writeFileBytes(noise, garbage);
    const Result<IniFile> ini = serviceorder::readFile(noise);
    ASSERT_TRUE(ini);
    EXPECT_EQ(serviceorder::readSequence(*ini).status, StoredSequence::Status::Kept);
}

TEST(ServiceOrderFile, WriteFailureNamesThePath)
{
    QTemporaryDir dir;
    // A folder cannot be created inside a plain file, whoever we are.
    const QString blocker = dir.filePath(QStringLiteral("3"));
    writeFileBytes(blocker, "kein Ordner");
    const QString path = blocker + QStringLiteral("/3 Ostersonntag.ini");
    const Result<> written
        = serviceorder::writeFile(path, serviceorder::toIni(easterPreparation()));
    EXPECT_EQ(written.error(),
              QStringLiteral("Die Datei %1 kann nicht geschrieben werden.")
                  .arg(QDir::toNativeSeparators(path)));
}

TEST(OrderSettingsFile, WritesFormatTicksAndSequenceOnly)
{
    TestEnvironment env;
    writeFileBytes(env.programDir() + QStringLiteral("/libs/Ablauf.txt"), "alt");
    const Preparation p = easterPreparation();
    ASSERT_TRUE(ordersettings::save({ 0, p.ticks, p.sequence.mid(0, 2) }));
    const QString path = env.programDir() + QStringLiteral("/libs/Ablauf.ini");
    EXPECT_EQ(readFileBytes(path),
              QByteArray("[Format]\r\nSeitenformat=0\r\n"
                         "[Kasualien]\r\nAbendmahl=1\r\nTaufe=0\r\n"
                         "Konfirmation=0\r\nTrauung=1\r\n"
                         "[Reihenfolge]\r\nAnzahl=2\r\n0=Glockengel\xe4ut\r\n"
                         "1=Musik zum Eingang\r\n"));
    EXPECT_FALSE(QFileInfo::exists(env.programDir() + QStringLiteral("/libs/Ablauf.txt")));
    EXPECT_EQ(ordersettings::existingPath(), path);
}

TEST(OrderSettingsFile, GoesToTheUserOverlayWhenTheProgramFolderIsReadOnly)
{
    TestEnvironment env;
    const QString inProgram = env.programDir() + QStringLiteral("/libs/Ablauf.ini");
    QFile::remove(inProgram);
    programfolder::setReadOnlyForTesting(true);
    ASSERT_TRUE(ordersettings::save({ 1, {}, { QStringLiteral("Predigt") } }));
    EXPECT_FALSE(QFileInfo::exists(inProgram));
    const QString overlay = programfolder::overlayDir() + QStringLiteral("/libs/Ablauf.ini");
    EXPECT_TRUE(QFileInfo::exists(overlay));
    EXPECT_EQ(ordersettings::existingPath(), overlay);
}

TEST(OrderSettingsFile, SaysSoWhenNoPlaceTakesTheFile)
{
    TestEnvironment env;
    programfolder::setReadOnlyForTesting(true);
    // The overlay folder cannot be made where a plain file stands.
    writeFileBytes(programfolder::overlayDir(), "kein Ordner");
    const QString error = ordersettings::save({ 1, {}, { QStringLiteral("Predigt") } }).error();
    EXPECT_TRUE(error.startsWith(QStringLiteral("Die Datei "))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("Ablauf.ini")));
}
