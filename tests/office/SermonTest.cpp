// The sermon document of a day, created from the template in a real headless office.
#include "gui/FrmMain.h"
#include "office/SermonDocument.h"
#include "tests/bible/BibleTestData.h"
#include "tests/office/OfficeTestMain.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

const QString firstGreeting = QStringLiteral(
    "Friede sei mit euch von dem, der da ist, der da war und der da kommt im Namen des Herrn!");
const QString secondGreeting = QStringLiteral(
    "Gnade sei mit euch und Friede von Gott, unserm Vater, und dem Herrn Jesus Christus!");
const QString title = QStringLiteral("2. Sonntag im Advent, Predigtreihe 3");

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(PulpitGreeting, OneDrawInThreeGivesTheFirstGreeting)
{
    EXPECT_EQ(PulpitGreeting(0), firstGreeting + QStringLiteral("\n\rLiebe Gemeinde,"));
    EXPECT_EQ(PulpitGreeting(1), secondGreeting + QStringLiteral("\n\rLiebe Gemeinde,"));
    EXPECT_EQ(PulpitGreeting(2), secondGreeting + QStringLiteral("\n\rLiebe Gemeinde,"));
    // The random draw only ever gives one of the two.
    for (int i = 0; i < 50; ++i) {
        const QString greeting = PulpitGreeting();
        EXPECT_TRUE(greeting == PulpitGreeting(0) || greeting == PulpitGreeting(1));
    }
}

class SermonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        bibletest::installBible(environment);
        window = makeMainWindow(&dialogs);
        ASSERT_TRUE(
            window->document().loadDay(QStringLiteral("06.12.2026 - 2. Sonntag im Advent")).ok());
        control<QLineEdit>(*window, "txtPredigttext")->setText(QStringLiteral("Mk 1,9-15"));
        dialogs->messages.clear();
        dialogs->errors.clear();
        setGreetingDrawForTesting([] { return 0; });
    }

    void TearDown() override { setGreetingDrawForTesting({}); }

    QString documentPath() const
    {
        return environment.dataDir()
            + QStringLiteral("/3/Predigten/3 20261206 - 2. Sonntag im Advent.odt");
    }

    QStringList offlineLines() const
    {
        QStringList lines;
        const QTextDocument *doc = control<QTextEdit>(*window, "rchBibelstelle")->document();
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
            lines << block.text();
        return lines;
    }

    // Closes the document the click left open in the office (it must be open).
    void closeLeftOpenDocument()
    {
        EXPECT_TRUE(storeOpenDocument(title, files.filePath(QStringLiteral("offen.odt"))))
            << "the sermon document is not open in the office";
    }

    TestEnvironment environment;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;
    QTemporaryDir files;
};

TEST_F(SermonTest, FirstClickCreatesTheDocumentWithHeadingAndTable)
{
    clickOn(control<QLabel>(*window, "lblPredigttext"));
    EXPECT_EQ(dialogs->messages, QStringList());
    ASSERT_TRUE(QFile::exists(documentPath()));
    EXPECT_TRUE(dialogs->openedUrls.isEmpty());
    closeLeftOpenDocument();

    // A text document now, stored by the office with the title.
    EXPECT_EQ(zipMember(documentPath(), QStringLiteral("mimetype")),
              QStringLiteral("application/vnd.oasis.opendocument.text"));
    EXPECT_TRUE(
        zipMember(documentPath(), QStringLiteral("meta.xml"))
            .contains(QStringLiteral("<dc:title>") + title + QStringLiteral("</dc:title>")));

    const OdtContent doc = readOdtContent(documentPath());
    ASSERT_FALSE(doc.paragraphs.isEmpty());
    EXPECT_EQ(doc.paragraphs[0].style, QStringLiteral("Heading_20_1"));
    EXPECT_EQ(doc.paragraphs[0].text, title);

    ASSERT_EQ(doc.tables.size(), 1);
    const QList<QStringList> &table = doc.tables[0];
    ASSERT_EQ(table.size(), 5);
    for (const QStringList &row : table)
        ASSERT_EQ(row.size(), 2);
    EXPECT_EQ(table[0], (QStringList { QStringLiteral("Predigttext"), QStringLiteral("Notizen") }));
    EXPECT_EQ(table[1],
              (QStringList { firstGreeting + QStringLiteral("\n\rLiebe Gemeinde,"),
                             QStringLiteral("Kanzelgruß") }));
    EXPECT_EQ(table[2][1], QStringLiteral("<--\tlesen\r\t(Mk 1,9-15)"));
    EXPECT_EQ(table[3], (QStringList { QString(), QString() }));
    EXPECT_EQ(table[4],
              (QStringList { QStringLiteral("Der Friede Gottes, welcher höher ist als alle "
                                            "Vernunft, bewahre eure Herzen und Sinne in "
                                            "Christus Jesus. Amen."),
                             QStringLiteral("Kanzelsegen") }));

    // The seven verses as the offline view shows them, one after the other in one paragraph.
    const QStringList lines = offlineLines();
    QStringList verses;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (!lines[i].trimmed().isEmpty())
            verses << lines[i];
    }
    ASSERT_EQ(verses.size(), 7);
    EXPECT_TRUE(bibletest::startsLikeVerse(verses[0], QStringLiteral("9) Und es begab sich")))
        << verses[0].toStdString();
    EXPECT_EQ(table[2][0], verses.join(u' ') + u' ');
    EXPECT_FALSE(table[2][0].contains(u'\r'));

    // The notes column takes a quarter of the width.
    ASSERT_EQ(doc.tableColumnWidths.size(), 1);
    ASSERT_EQ(doc.tableColumnWidths[0].size(), 2);
    const double left = doc.tableColumnWidths[0][0].toDouble();
    const double right = doc.tableColumnWidths[0][1].toDouble();
    EXPECT_NEAR(left / (left + right), 0.75, 0.001);
}

TEST_F(SermonTest, SecondClickOpensTheExistingDocumentUntouched)
{
    setGreetingDrawForTesting([] { return 2; });
    clickOn(control<QLabel>(*window, "lblPredigttext"));
    ASSERT_TRUE(QFile::exists(documentPath()));
    closeLeftOpenDocument();
    const QByteArray stored = fileBytes(documentPath());
    EXPECT_EQ(readOdtContent(documentPath()).tables.value(0).value(1).value(0),
              secondGreeting + QStringLiteral("\n\rLiebe Gemeinde,"));

    control<QLineEdit>(*window, "txtPredigttext")->setText(QStringLiteral("Joh 3,16"));
    clickOn(control<QLabel>(*window, "lblPredigttext"));
    EXPECT_EQ(dialogs->openedUrls, QList<QUrl> { QUrl::fromLocalFile(documentPath()) });
    EXPECT_EQ(fileBytes(documentPath()), stored);
    EXPECT_FALSE(storeOpenDocument(title, files.filePath(QStringLiteral("zweites.odt"))))
        << "the second click built another document";
}

TEST_F(SermonTest, AFailedLookupStillNamesTheSermonText)
{
    control<QLineEdit>(*window, "txtPredigttext")->setText(QStringLiteral("Xyz 1,1-2"));
    clickOn(control<QLabel>(*window, "lblPredigttext"));
    // The lookup told the user; the document is built all the same.
    EXPECT_EQ(dialogs->messages.size(), 1);
    ASSERT_TRUE(QFile::exists(documentPath()));
    closeLeftOpenDocument();
    const OdtContent doc = readOdtContent(documentPath());
    ASSERT_EQ(doc.tables.size(), 1);
    EXPECT_EQ(doc.tables[0].value(2).value(0).toStdString(),
              "wir hören den Predigttext: Xyz 1,1-2");
    EXPECT_EQ(doc.tables[0].value(2).value(1), QStringLiteral("<--\tlesen\r\t(Xyz 1,1-2)"));
}

TEST_F(SermonTest, APsalmDoesNotCopyThePassageShownBefore)
{
    // A psalm is shown online only; the offline view still holds an earlier passage.
    control<QTextEdit>(*window, "rchBibelstelle")
        ->setPlainText(QStringLiteral(
            "Ausgewählte Bibelstelle: Joh 3,16\n\n\n16) Also hat Gott die Welt geliebt"));
    control<QLineEdit>(*window, "txtPredigttext")->setText(QStringLiteral("Ps 23"));
    clickOn(control<QLabel>(*window, "lblPredigttext"));
    ASSERT_TRUE(QFile::exists(documentPath()));
    closeLeftOpenDocument();
    const OdtContent doc = readOdtContent(documentPath());
    ASSERT_EQ(doc.tables.size(), 1);
    EXPECT_EQ(doc.tables[0].value(2).value(0).toStdString(), "wir hören den Predigttext: Ps 23");
}

TEST_F(SermonTest, WithoutTheTemplateNothingIsCreated)
{
    ASSERT_TRUE(QFile::remove(environment.programDir() + QStringLiteral("/Texte/Predigt.ott")));
    clickOn(control<QLabel>(*window, "lblPredigttext"));
    EXPECT_EQ(dialogs->messages,
              QStringList { QStringLiteral("Ich kann die Predigt nicht finden, sorry!") });
    EXPECT_FALSE(QFile::exists(documentPath()));
    // The sermon folder itself is there (made again when it was missing).
    EXPECT_TRUE(QDir(environment.dataDir() + QStringLiteral("/3/Predigten")).exists());
    EXPECT_TRUE(dialogs->openedUrls.isEmpty());
}

TEST_F(SermonTest, WithoutTheOfficeTheTemplateCopyIsOpenedByTheDesktop)
{
    QDir(environment.dataDir() + QStringLiteral("/3/Predigten")).removeRecursively();
    const NoOfficeScope noOffice;
    // Without the office the sermon text is not looked up: no word about an unknown book.
    control<QLineEdit>(*window, "txtPredigttext")->setText(QStringLiteral("Xyz 1,1-2"));
    clickOn(control<QLabel>(*window, "lblPredigttext"));
    ASSERT_TRUE(QFile::exists(documentPath()));
    EXPECT_EQ(fileBytes(documentPath()),
              fileBytes(environment.programDir() + QStringLiteral("/Texte/Predigt.ott")));
    EXPECT_EQ(dialogs->openedUrls, QList<QUrl> { QUrl::fromLocalFile(documentPath()) });
    EXPECT_EQ(dialogs->messages, QStringList());
}

} // namespace
