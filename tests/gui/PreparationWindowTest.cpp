// Saving and opening a preparation through the main window: the save and open buttons, the
// loader and the restore of the last sequence at start-up.
#include "base/Clock.h"
#include "base/ProgramFolder.h"
#include "gui/FrmMain.h"
#include "storage/Win1252Text.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

const QString kDamaged
    = QStringLiteral("Fehler beim Einlesen der Daten. Möglicherweise ist die Datei beschädigt.");

// Writes an INI text as the program would: Windows-1252 with CR LF.
void writeIni(const QString &path, const QString &text)
{
    writeFileBytes(path, win1252::encode(win1252::joinLines(win1252::splitLines(text))));
}

QString expectedEasterFile()
{
    return QStringLiteral(PERGOLAN_SOURCE_DIR "/tests/storage/data/Ostersonntag.ini");
}

QStringList easterSequence()
{
    return { QStringLiteral("Glockengeläut"),
             QStringLiteral("Musik zum Eingang"),
             QStringLiteral("Begrüßung mit Wochenspruch"),
             QStringLiteral("Eingangslied"),
             QStringLiteral("Predigt"),
             QStringLiteral("Fürbitte"),
             QStringLiteral("Segen") };
}

// A numbered list of n entries "E0" ... for files whose entries only have to be recognised.
QString numberedEntries(int n)
{
    QString text = QStringLiteral("[Reihenfolge]\nAnzahl=%1\n").arg(n);
    for (int i = 0; i < n; ++i)
        text += QStringLiteral("%1=E%1\n").arg(i);
    return text;
}

class PreparationWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        appclock::setTodayForTesting(QDate(2026, 3, 30));
        window = makeMainWindow(&dialogs);
        dialogs->messages.clear();
        dialogs->errors.clear();
    }

    void TearDown() override
    {
        // Nothing may ask anything when the test's window goes away.
        window->document().setModified(false);
        window.reset();
    }

    QStringList entries() const { return shownSequence(*window); }

    // Puts the preparation of the expected file into the window.
    void fillEaster()
    {
        TfrmMain &w = *window;
        // Easter Sunday chosen: its date is saved with the preparation.
        control<QComboBox>(w, "cmbTag")
            ->setCurrentIndex(control<QComboBox>(w, "cmbTag")
                                  ->findText(QStringLiteral("05.04.2026 - Ostersonntag")));
        w.document().setDay(QStringLiteral("Ostersonntag"), QStringLiteral("3"));
        control<QLineEdit>(w, "txtWochenspruch")
            ->setText(
                QStringLiteral("Christus spricht: Ich war tot, und siehe, ich bin lebendig von "
                               "Ewigkeit zu Ewigkeit und habe die Schlüssel des Todes und der "
                               "Hölle. (Offb 1,18)"));
        control<QLineEdit>(w, "txtPsalm")->setText(QStringLiteral("Ps 118,14-24"));
        control<QLineEdit>(w, "txtATLesung")->setText(QStringLiteral("1. Sam 2,1-8a"));
        control<QLineEdit>(w, "txtEpistel")->setText(QStringLiteral("1. Kor 15,1-11"));
        control<QLineEdit>(w, "txtEvangelium")->setText(QStringLiteral("Mk 16,1-8"));
        control<QLineEdit>(w, "txtPredigttext")->setText(QStringLiteral("1. Sam 2,1-8a"));
        control<QLineEdit>(w, "txtEingangslied")
            ->setText(QStringLiteral("EG 99 – Christ ist erstanden"));
        control<QLineEdit>(w, "txtWochenlied")->setText(QStringLiteral("EG 101"));
        control<QLineEdit>(w, "txtVorpredigtslied")->setText(QStringLiteral("  EG 100, 1-3 "));
        control<QLineEdit>(w, "txtKollektenlied")->setText(QStringLiteral("EG 103"));
        control<QLineEdit>(w, "txtAusgangslied")->setText(QStringLiteral("EG 116"));
        // The ticks first: their handlers rework the list, which is set afterwards.
        control<QCheckBox>(w, "chkAbendmahl")->setChecked(true);
        control<QCheckBox>(w, "chkTaufe")->setChecked(false);
        control<QCheckBox>(w, "chkKonfirmation")->setChecked(false);
        control<QCheckBox>(w, "chkTrauung")->setChecked(true);
        control<QCheckBox>(w, "chkDreiLesungen")->setChecked(true);
        w.document().setSequence(easterSequence());
        if (w.document().pageFormat() != 1)
            control<QPushButton>(w, "btnSeitenformat")->click();
    }

    QString easterPath() const { return env.dataDir() + QStringLiteral("/3/3 Ostersonntag.ini"); }
    QString settingsPath() const { return env.programDir() + QStringLiteral("/libs/Ablauf.ini"); }

    TestEnvironment env;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;
};

TEST_F(PreparationWindow, SaveWritesTheProposedFileAndTheOrderSettings)
{
    fillEaster();
    window->document().setModified(true);
    writeFileBytes(env.programDir() + QStringLiteral("/libs/Ablauf.txt"), "alt");
    const QString title = window->windowTitle();
    dialogs->fileNames.push_back(easterPath());

    control<QToolButton>(*window, "btnSave")->click();

    ASSERT_EQ(dialogs->fileRequests.size(), 1);
    const FileDialogRequest &request = dialogs->fileRequests.last();
    EXPECT_EQ(request.initialDir, env.dataDir() + QStringLiteral("/3"));
    EXPECT_EQ(request.fileName, QStringLiteral("3 Ostersonntag"));
    EXPECT_EQ(request.filter, QStringLiteral("Texte|*.txt|Abläufe|*.ini|Alle Dateien|*.*"));
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_EQ(request.defaultExtension, QStringLiteral("ini"));

    EXPECT_EQ(readFileBytes(easterPath()), readFileBytes(expectedEasterFile()));
    EXPECT_EQ(readFileBytes(settingsPath()),
              QByteArray("[Format]\r\nSeitenformat=1\r\n[Kasualien]\r\nAbendmahl=1\r\nTaufe=0\r\n"
                         "Konfirmation=0\r\nTrauung=1\r\n[Reihenfolge]\r\nAnzahl=7\r\n"
                         "0=Glockengel\xe4ut\r\n1=Musik zum Eingang\r\n"
                         "2=Begr\xfc\xdfung mit Wochenspruch\r\n3=Eingangslied\r\n4=Predigt\r\n"
                         "5=F\xfcrbitte\r\n6=Segen\r\n"));
    EXPECT_FALSE(QFileInfo::exists(env.programDir() + QStringLiteral("/libs/Ablauf.txt")));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(window->windowTitle(), title);
    EXPECT_TRUE(dialogs->messages.isEmpty()) << dialogs->messages.join(u'\n').toStdString();
}

TEST_F(PreparationWindow, NoProposalWithoutADayOrSeries)
{
    fillEaster();
    dialogs->fileNames.push_back(easterPath());
    control<QToolButton>(*window, "btnSave")->click();

    window->document().setDay(QStringLiteral("Sonntag"), window->document().preparation().series);
    dialogs->fileNames.push_back(QString());
    control<QToolButton>(*window, "btnSave")->click();
    // The dialog keeps the name of its last use.
    EXPECT_EQ(dialogs->fileRequests.last().fileName, easterPath());

    window->document().setDay(QStringLiteral("Erntedank"), QStringLiteral("0"));
    dialogs->fileNames.push_back(QString());
    control<QToolButton>(*window, "btnSave")->click();
    EXPECT_EQ(dialogs->fileRequests.last().fileName, easterPath());
    EXPECT_EQ(dialogs->fileRequests.last().initialDir, env.dataDir() + QStringLiteral("/0"));

    // A series that is no number stops before the dialog.
    window->document().setDay(QStringLiteral("Erntedank"), QStringLiteral("II"));
    control<QToolButton>(*window, "btnSave")->click();
    EXPECT_EQ(dialogs->fileRequests.size(), 3);
    EXPECT_EQ(dialogs->errors,
              QStringList { QStringLiteral("'II' ist kein gültiger Integerwert.") });
}

TEST_F(PreparationWindow, CancellingStillRewritesTheOrderSettings)
{
    fillEaster();
    writeIni(settingsPath(), QStringLiteral("[Reihenfolge]\nAnzahl=1\n0=alt\n"));
    writeFileBytes(env.programDir() + QStringLiteral("/libs/Ablauf.txt"), "alt");
    window->document().setModified(true);
    dialogs->fileNames.push_back(QString());

    control<QToolButton>(*window, "btnSave")->click();

    EXPECT_TRUE(readFileBytes(settingsPath()).contains("Anzahl=7\r\n"));
    EXPECT_FALSE(QFileInfo::exists(env.programDir() + QStringLiteral("/libs/Ablauf.txt")));
    EXPECT_FALSE(QFileInfo::exists(easterPath()));
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(PreparationWindow, SavingOverAFileReplacesItWhole)
{
    QString longer = QStringLiteral("[Allgemein]\nName=Alt\n[Notizen]\nText=bleibt nicht\n");
    longer += numberedEntries(40);
    writeIni(easterPath(), longer);
    fillEaster();
    dialogs->fileNames.push_back(easterPath());

    control<QToolButton>(*window, "btnSave")->click();

    EXPECT_TRUE(dialogs->questions.isEmpty());
    EXPECT_EQ(readFileBytes(easterPath()), readFileBytes(expectedEasterFile()));
}

TEST_F(PreparationWindow, ReadOnlyProgramFolderKeepsTheSettingsPerUser)
{
    QFile::remove(settingsPath());
    programfolder::setReadOnlyForTesting(true);
    fillEaster();
    control<QCheckBox>(*window, "chkAbendmahl")->setChecked(false);
    control<QCheckBox>(*window, "chkTrauung")->setChecked(false);
    window->document().setSequence({ QStringLiteral("E0"), QStringLiteral("E1"),
                                     QStringLiteral("E2"), QStringLiteral("E3"),
                                     QStringLiteral("E4"), QStringLiteral("E5") });
    dialogs->fileNames.push_back(easterPath());

    control<QToolButton>(*window, "btnSave")->click();

    EXPECT_TRUE(dialogs->messages.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(settingsPath()));
    EXPECT_TRUE(
        QFileInfo::exists(programfolder::overlayDir() + QStringLiteral("/libs/Ablauf.ini")));
    EXPECT_TRUE(QFileInfo::exists(easterPath()));

    // The next start restores the list from there.
    window->document().setModified(false);
    window = makeMainWindow(&dialogs);
    EXPECT_EQ(entries().join(u','), QStringLiteral("E0,E1,E2,E3,E4,E5"));
}

TEST_F(PreparationWindow, SettingsThatCannotBeWrittenDoNotStopTheSave)
{
    programfolder::setReadOnlyForTesting(true);
    writeFileBytes(programfolder::overlayDir(), "kein Ordner");
    fillEaster();
    window->document().setModified(true);
    dialogs->fileNames.push_back(easterPath());

    control<QToolButton>(*window, "btnSave")->click();

    ASSERT_EQ(dialogs->messages.size(), 1);
    EXPECT_TRUE(
        dialogs->messages.first().contains(QStringLiteral("kann nicht geschrieben werden")));
    EXPECT_TRUE(dialogs->messages.first().contains(QStringLiteral("trotzdem gespeichert")));
    EXPECT_EQ(readFileBytes(easterPath()), readFileBytes(expectedEasterFile()));
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(PreparationWindow, AFileThatCannotBeWrittenKeepsModified)
{
    fillEaster();
    window->document().setModified(true);
    const QString blocker = env.home() + QStringLiteral("/Datei");
    writeFileBytes(blocker, "kein Ordner");
    const QString path = blocker + QStringLiteral("/3 Ostersonntag.ini");
    dialogs->fileNames.push_back(path);

    control<QToolButton>(*window, "btnSave")->click();

    // The whole-or-nothing writer says what failed, naming the file.
    ASSERT_EQ(dialogs->errors.size(), 1);
    EXPECT_TRUE(dialogs->errors.at(0).startsWith(
        QStringLiteral("Die Datei 3 Ostersonntag.ini kann nicht geschrieben werden")))
        << dialogs->errors.at(0).toStdString();
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(PreparationWindow, LoadingFillsTheWindowFromTheFile)
{
    const QString path = env.home() + QStringLiteral("/Ablauf Karfreitag.ini");
    writeIni(path,
             QStringLiteral("[Allgemein]\nName=Karfreitag\nPredigtreihe=4\n"
                            "[Texte]\nWochenspruch=Eigener Spruch\nPsalm=Ps 22\n"
                            "Epistel=2. Kor 5,14b-21\nEvangelium=Joh 19,16-30\n"
                            "Predigttext=Jes 52,13-53,12\n"
                            "[Lieder]\nEingangslied=  EG 85  \nWochenlied=EG 83\n"
                            "Vorpredigtslied=EG 93\nKollektenlied=EG 1\n"
                            "Ausgangslied=EG 97\n"
                            "[Kasualien]\nAbendmahl=0\nTaufe=0\nKonfirmation=0\nTrauung=0\n"
                            "[Format]\nSeitenformat=0\n")
                 + numberedEntries(6));
    control<QPlainTextEdit>(*window, "txtDialog1")->setPlainText(QStringLiteral("Eigener Dialog"));
    control<QComboBox>(*window, "cmbGrundform")->setCurrentIndex(2);
    const QString credo = control<QPlainTextEdit>(*window, "txtCredo")->toPlainText();
    // The form just chosen is given up for the file's list without a question.
    window->document().setModified(false);

    openPreparation(*window, *dialogs, path);

    EXPECT_TRUE(dialogs->messages.isEmpty()) << dialogs->messages.join(u'\n').toStdString();
    EXPECT_EQ(window->windowTitle(), path + QStringLiteral("[*]"));
    EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->text(), QStringLiteral("   Karfreitag"));
    EXPECT_EQ(control<QLabel>(*window, "lblPredigtreiheWert")->text(), QStringLiteral("4"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtWochenspruch")->text(),
              QStringLiteral("Eigener Spruch"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtPredigttext")->text(),
              QStringLiteral("Jes 52,13-53,12"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtEingangslied")->text(), QStringLiteral("EG 85"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtAusgangslied")->text(), QStringLiteral("EG 97"));
    // Only "Kolektenlied" holds the collection hymn.
    EXPECT_EQ(control<QLineEdit>(*window, "txtKollektenlied")->text(), QString());
    EXPECT_EQ(entries().join(u','), QStringLiteral("E0,E1,E2,E3,E4,E5"));
    EXPECT_EQ(window->document().pageFormat(), 0);
    EXPECT_EQ(control<QPushButton>(*window, "btnSeitenformat")->toolTip(),
              QStringLiteral("Aktuell eingestelltes Format: Hochformat"));
    // The window shows the file as it is stored: nothing would be lost.
    EXPECT_FALSE(window->isWindowModified());
    // What a preparation does not hold stays as it was.
    EXPECT_EQ(control<QPlainTextEdit>(*window, "txtDialog1")->toPlainText(),
              QStringLiteral("Eigener Dialog"));
    EXPECT_EQ(control<QPlainTextEdit>(*window, "txtCredo")->toPlainText(), credo);
    EXPECT_EQ(control<QComboBox>(*window, "cmbGrundform")->currentIndex(), 2);
}

TEST_F(PreparationWindow, PageFormatFromTheFile)
{
    const QString path = env.home() + QStringLiteral("/format.ini");
    const auto loadWith = [&](const QString &format) {
        writeIni(path, QStringLiteral("[Allgemein]\nName=Epiphanias\n") + format);
        openPreparation(*window, *dialogs, path);
        return window->document().pageFormat();
    };
    EXPECT_EQ(loadWith(QStringLiteral("[Format]\nSeitenformat=7\n")), 1);
    EXPECT_EQ(control<QPushButton>(*window, "btnSeitenformat")->toolTip(),
              QStringLiteral("Aktuell eingestelltes Format: Querformat"));
    EXPECT_EQ(loadWith(QStringLiteral("[Format]\nSeitenformat=-2\n")), 0);
    EXPECT_EQ(loadWith(QString()), 1);
    EXPECT_EQ(loadWith(QStringLiteral("[Format]\nSeitenformat=0\n")), 0);
    EXPECT_EQ(loadWith(QStringLiteral("[Format]\nSeitenformat=quer\n")), 1);
    EXPECT_TRUE(dialogs->messages.isEmpty());
}

TEST_F(PreparationWindow, FiveStoredEntriesLeaveListAndTicksAlone)
{
    control<QCheckBox>(*window, "chkTaufe")->setChecked(true);
    const QStringList before = entries();
    const QString path = env.home() + QStringLiteral("/fuenf.ini");
    writeIni(path, numberedEntries(5) + QStringLiteral("[Kasualien]\nTaufe=0\nAbendmahl=1\n"));

    openPreparation(*window, *dialogs, path);

    EXPECT_EQ(entries(), before);
    EXPECT_TRUE(control<QCheckBox>(*window, "chkTaufe")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(*window, "chkAbendmahl")->isChecked());

    writeIni(path, numberedEntries(8).section(u'\n', 0, 7) + QStringLiteral("\n"));
    control<QCheckBox>(*window, "chkTaufe")->setChecked(false);
    openPreparation(*window, *dialogs, path);
    EXPECT_EQ(entries().join(u','),
              QStringLiteral("E0,E1,E2,E3,E4,E5,Datei beschädigt,Datei beschädigt"));
    EXPECT_TRUE(dialogs->messages.isEmpty());
}

TEST_F(PreparationWindow, StoredTicksReworkTheListJustRead)
{
    // A list built with baptism and confirmation, as a rebuild makes it.
    control<QComboBox>(*window, "cmbGrundform")->setCurrentIndex(0);
    control<QCheckBox>(*window, "chkTaufe")->setChecked(true);
    control<QCheckBox>(*window, "chkKonfirmation")->setChecked(true);
    const QStringList built = entries();
    ASSERT_GT(built.size(), 5);
    control<QCheckBox>(*window, "chkTaufe")->setChecked(false);
    control<QCheckBox>(*window, "chkKonfirmation")->setChecked(false);
    ASSERT_NE(entries(), built);

    QString text = QStringLiteral("[Kasualien]\nAbendmahl=0\nTaufe=1\nKonfirmation=1\nTrauung=0\n"
                                  "[Reihenfolge]\nAnzahl=%1\n")
                       .arg(built.size());
    for (int i = 0; i < built.size(); ++i)
        text += QStringLiteral("%1=%2\n").arg(i).arg(built.at(i));
    const QString path = env.home() + QStringLiteral("/kasualien.ini");
    writeIni(path, text);

    openPreparation(*window, *dialogs, path);

    EXPECT_TRUE(control<QCheckBox>(*window, "chkTaufe")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(*window, "chkKonfirmation")->isChecked());
    // Baptism is re-placed first and confirmation second, so the creed moves into the
    // confirmation block, where a rebuild would have left it with the baptism.
    const QStringList restored = entries();
    const qsizetype predigt = restored.indexOf(QStringLiteral("Predigt"));
    ASSERT_GE(predigt, 0);
    ASSERT_LT(predigt + 2, restored.size());
    EXPECT_EQ(restored.at(predigt + 1), QStringLiteral("Tauferinnerung"));
    EXPECT_EQ(restored.at(predigt + 2), QStringLiteral("Glaubensbekenntnis"));
    EXPECT_EQ(restored.count(QStringLiteral("Glaubensbekenntnis")), 1);
    EXPECT_EQ(restored.count(QStringLiteral("Taufansprache")), 1);

    // A stored tick that is off while the tick is on rebuilds the list from the basic form.
    text.replace(QStringLiteral("Konfirmation=1"), QStringLiteral("Konfirmation=0"));
    writeIni(path, text);
    openPreparation(*window, *dialogs, path);
    EXPECT_FALSE(control<QCheckBox>(*window, "chkKonfirmation")->isChecked());
    EXPECT_FALSE(entries().contains(QStringLiteral("Tauferinnerung")));
    EXPECT_TRUE(entries().contains(QStringLiteral("Taufansprache")));
}

TEST_F(PreparationWindow, DamagedFilesAreReportedAndTheWindowGoesOn)
{
    const QStringList before = entries();
    const QString path = env.home() + QStringLiteral("/kaputt.ini");
    const QByteArray good = readFileBytes(expectedEasterFile());

    struct Case
    {
        const char *what;
        QByteArray bytes;
    };
    QByteArray garbage;
    for (int i = 0; i < 2048; ++i)
        garbage.append(char((i * 131 + 7) % 256));
    const std::vector<Case> damaged = {
        { "count no number", good.left(good.indexOf("Anzahl=") + 7) + "x\r\n" },
        { "count cut off", good.left(good.indexOf("Anzahl=") + 7) },
        { "huge count", "[Reihenfolge]\r\nAnzahl=50000000\r\n" },
        { "negative count", "[Reihenfolge]\r\nAnzahl=-6\r\n" },
        { "count beyond int", "[Reihenfolge]\r\nAnzahl=99999999999999999999\r\n" },
        { "garbage with a count", garbage + "\r\n[Reihenfolge]\r\nAnzahl=\x01\x02\r\n" },
    };
    for (const Case &c : damaged) {
        SCOPED_TRACE(c.what);
        dialogs->messages.clear();
        writeFileBytes(path, c.bytes);
        openPreparation(*window, *dialogs, path);
        EXPECT_EQ(dialogs->messages, QStringList { kDamaged });
        EXPECT_EQ(entries(), before);
    }

    // A file that cannot be read at all.
    dialogs->messages.clear();
    openPreparation(*window, *dialogs, env.home() + QStringLiteral("/fehlt.ini"));
    EXPECT_EQ(dialogs->messages, QStringList { kDamaged });

    // Plain garbage holds no preparation: defaults, no list, but no error either.
    dialogs->messages.clear();
    writeFileBytes(path, garbage);
    openPreparation(*window, *dialogs, path);
    EXPECT_TRUE(dialogs->messages.isEmpty());
    EXPECT_EQ(control<QLabel>(*window, "lblTagesname")->text(), QStringLiteral("   Sonntag"));

    // A file cut off in its list reads the missing entries as damaged ones.
    // (Without ticks, whose handlers would rework the list.)
    writeFileBytes(path,
                   QByteArray(good.left(good.indexOf("4=Predigt")))
                       .replace("Abendmahl=1", "Abendmahl=0")
                       .replace("Trauung=1", "Trauung=0"));
    openPreparation(*window, *dialogs, path);
    EXPECT_TRUE(dialogs->messages.isEmpty());
    EXPECT_EQ(entries().mid(4).join(u','),
              QStringLiteral("Datei beschädigt,Datei beschädigt,Datei beschädigt"));

    // The window still works: the preparation saves.
    window->document().setDay(QStringLiteral("Ostersonntag"), QStringLiteral("3"));
    dialogs->fileNames.push_back(easterPath());
    control<QToolButton>(*window, "btnSave")->click();
    EXPECT_TRUE(QFileInfo::exists(easterPath()));
}

TEST_F(PreparationWindow, OpenedFileAsksOnCloseUnlessItChangedNothing)
{
    fillEaster();
    // Blanks around a hymn are not kept in the file; this text comes back as it is.
    control<QLineEdit>(*window, "txtVorpredigtslied")->setText(QStringLiteral("EG 100, 1-3"));
    dialogs->fileNames.push_back(easterPath());
    control<QToolButton>(*window, "btnSave")->click();
    ASSERT_FALSE(window->isWindowModified());

    // The same texts: nothing to save.
    dialogs->fileNames.push_back(easterPath());
    control<QToolButton>(*window, "BtnOpen")->click();
    const FileDialogRequest request = dialogs->fileRequests.last();
    EXPECT_EQ(request.initialDir, env.dataDir());
    EXPECT_EQ(request.filter, QStringLiteral("Abläufe|*.ini|Alle Dateien (*.*)|*.*"));
    EXPECT_EQ(request.defaultExtension, QStringLiteral("ini"));
    EXPECT_TRUE(request.mustExist);
    EXPECT_EQ(window->windowTitle(), easterPath() + QStringLiteral("[*]"));
    EXPECT_FALSE(window->isWindowModified());

    // Cancelling loads nothing.
    control<QLineEdit>(*window, "txtPsalm")->setText(QStringLiteral("Ps 23"));
    window->document().setModified(false);
    window->setWindowTitle(QStringLiteral("Pergolan"));
    dialogs->fileNames.push_back(QString());
    control<QToolButton>(*window, "BtnOpen")->click();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Pergolan"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtPsalm")->text(), QStringLiteral("Ps 23"));

    // Other texts: the window shows the file as stored, nothing is unsaved and closing does
    // not ask.
    dialogs->fileNames.push_back(easterPath());
    control<QToolButton>(*window, "BtnOpen")->click();
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_FALSE(window->isWindowModified());
    window->close();
    EXPECT_TRUE(dialogs->questions.isEmpty());
}

TEST_F(PreparationWindow, ChoosingTheSavedDayAgainLoadsItsFile)
{
    ASSERT_GT(control<QComboBox>(*window, "cmbTag")->count(), 2);
    const int day = control<QComboBox>(*window, "cmbTag")->currentIndex();
    ASSERT_GE(day, 0);
    const QString dayName = control<QLabel>(*window, "lblTagesname")->text().trimmed();
    const QString series = control<QLabel>(*window, "lblPredigtreiheWert")->text();
    // Texts the liturgical data library never gives: they can only come from the file.
    control<QLineEdit>(*window, "txtWochenspruch")
        ->setText(QStringLiteral("Selbst gewählter Spruch"));
    control<QLineEdit>(*window, "txtPredigttext")->setText(QStringLiteral("Mi 4,1-5"));
    control<QLineEdit>(*window, "txtEingangslied")->setText(QStringLiteral("EG 450"));
    const QString stored
        = env.dataDir() + u'/' + series + u'/' + series + u' ' + dayName + QStringLiteral(".ini");
    dialogs->fileNames.push_back(stored);
    control<QToolButton>(*window, "btnSave")->click();
    ASSERT_TRUE(QFileInfo::exists(stored));
    EXPECT_EQ(dialogs->fileRequests.last().fileName, series + u' ' + dayName);

    control<QComboBox>(*window, "cmbTag")->setCurrentIndex(day + 1);
    EXPECT_NE(control<QLineEdit>(*window, "txtWochenspruch")->text(),
              QStringLiteral("Selbst gewählter Spruch"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtEingangslied")->text(), QString());

    control<QComboBox>(*window, "cmbTag")->setCurrentIndex(day);
    EXPECT_EQ(window->windowTitle(), stored + QStringLiteral("[*]"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtWochenspruch")->text(),
              QStringLiteral("Selbst gewählter Spruch"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtPredigttext")->text(), QStringLiteral("Mi 4,1-5"));
    EXPECT_EQ(control<QLineEdit>(*window, "txtEingangslied")->text(), QStringLiteral("EG 450"));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(dialogs->messages.isEmpty()) << dialogs->messages.join(u'\n').toStdString();
}

class RestoreOrderSettings : public ::testing::Test
{
protected:
    std::unique_ptr<TfrmMain> start(const QString &settings)
    {
        env.writeProgramFile(QStringLiteral("libs/Ablauf.ini"), win1252::encode(settings));
        return makeMainWindow(&dialogs);
    }

    QStringList initialSequence()
    {
        QFile::remove(env.programDir() + QStringLiteral("/libs/Ablauf.ini"));
        auto window = makeMainWindow(&dialogs);
        return shownSequence(*window);
    }

    TestEnvironment env;
    ScriptedDialogs *dialogs = nullptr;
};

TEST_F(RestoreOrderSettings, TakesListAndTicksAboveFiveEntries)
{
    const QStringList initial = initialSequence();

    auto window
        = start(QStringLiteral("[Format]\r\nSeitenformat=1\r\n[Kasualien]\r\nAbendmahl=0\r\n"
                               "Taufe=0\r\nKonfirmation=0\r\nTrauung=0\r\n")
                + numberedEntries(6));
    EXPECT_EQ(shownSequence(*window).join(u','), QStringLiteral("E0,E1,E2,E3,E4,E5"));
    // The page format of this file is never read.
    EXPECT_EQ(window->document().pageFormat(), 0);
    EXPECT_TRUE(dialogs->errors.isEmpty());
    EXPECT_FALSE(control<QCheckBox>(*window, "chkDreiLesungen")->isChecked());

    // A list that holds the Old Testament reading had three readings chosen.
    window
        = start(numberedEntries(6).replace(QStringLiteral("5=E5"), QStringLiteral("5=AT-Lesung")));
    EXPECT_TRUE(control<QCheckBox>(*window, "chkDreiLesungen")->isChecked());
    EXPECT_EQ(shownSequence(*window).last(), QStringLiteral("AT-Lesung"));

    window = start(numberedEntries(5));
    EXPECT_EQ(shownSequence(*window), initial);
}

TEST_F(RestoreOrderSettings, ADamagedCountIsReportedAndChangesNothing)
{
    const QStringList initial = initialSequence();
    for (const QString &count : { QStringLiteral("sechs"), QStringLiteral("20000") }) {
        SCOPED_TRACE(count.toStdString());
        auto window = start(
            QStringLiteral("[Reihenfolge]\nAnzahl=%1\n0=a\n[Kasualien]\nTaufe=1\n").arg(count));
        EXPECT_EQ(shownSequence(*window), initial);
        EXPECT_FALSE(control<QCheckBox>(*window, "chkTaufe")->isChecked());
        ASSERT_EQ(dialogs->errors.size(), 1);
        EXPECT_TRUE(dialogs->errors.first().contains(count));
    }
}

} // namespace
