// The export of the order into a LibreOffice text document, against a real headless office.
#include "gui/FrmMain.h"
#include "office/OrderExport.h"
#include "tests/office/OfficeTestMain.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextEdit>

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

const QString order = QStringLiteral("2. Sonntag im Advent\n"
                                     "06.12.2026, Predigtreihe 3\n"
                                     "\n"
                                     "Eingangslied: EG 1,1-3\n"
                                     "\n"
                                     "Psalm 80 (EG 718)\n"
                                     "Gloria Patri\n"
                                     "\n"
                                     "Kyrie\n"
                                     "Kyrie eleison. Herr, erbarme dich.\n"
                                     "\n"
                                     "Evangelium: Lk 21,25-33\n"
                                     "Lied: EG 7\n"
                                     "\n"
                                     "  Glaubensbekenntnis:\n"
                                     "Ich glaube an Gott,\tden Vater\n"
                                     "\n"
                                     "\n"
                                     "Predigt");

const QStringList sequence = { QStringLiteral("Eingangslied"),
                               QStringLiteral("Psalm"),
                               QStringLiteral("Kyrie"),
                               QStringLiteral("Evangelium"),
                               QStringLiteral("Glaubensbekenntnis"),
                               QStringLiteral("Predigt") };

class ExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = makeMainWindow(&dialogs);
        dialogs->messages.clear();
        dialogs->errors.clear();
        window->document().setDay(QStringLiteral("2. Sonntag im Advent "),
                                  window->document().preparation().series);
        window->document().setSequence(sequence);
        control<QTextEdit>(*window, "txtAblauf")->setPlainText(order);
    }

    // Exports through the button and stores what the office holds under the day's title.
    OdtContent exportAndRead()
    {
        const QString before = control<QTextEdit>(*window, "txtAblauf")->toHtml();
        control<QPushButton>(*window, "btnExport")->click();
        EXPECT_EQ(dialogs->messages, QStringList());
        EXPECT_EQ(control<QTextEdit>(*window, "txtAblauf")->toHtml(), before) << "the view changed";
        const QString path = files.filePath(QStringLiteral("export.odt"));
        EXPECT_TRUE(storeOpenDocument(QStringLiteral("2. Sonntag im Advent"), path))
            << "no open document with the day name as title";
        return readOdtContent(path);
    }

    TestEnvironment environment;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;
    QTemporaryDir files;
};

TEST(OrderExportRules, ElementOpeningLines)
{
    EXPECT_TRUE(opensElement(QStringLiteral("Evangelium: Lk 21,25-33"), sequence));
    EXPECT_TRUE(opensElement(QStringLiteral("  Glaubensbekenntnis:\t"), sequence));
    EXPECT_TRUE(opensElement(QStringLiteral("Psalm 80"), sequence));
    // The Kyrie's own text may begin with its name; hymn lines name no element.
    EXPECT_FALSE(opensElement(QStringLiteral("Kyrie eleison"), sequence));
    EXPECT_FALSE(opensElement(QStringLiteral("Kyrie"), sequence));
    EXPECT_FALSE(opensElement(QStringLiteral("Lied: EG 7"), sequence));
    // Exact and case-sensitive, and never longer than the line.
    EXPECT_FALSE(opensElement(QStringLiteral("psalm 80"), sequence));
    EXPECT_FALSE(opensElement(QStringLiteral("Predig"), sequence));
    EXPECT_FALSE(opensElement(QString(), sequence + QStringList { QString() }));
    EXPECT_EQ(trimControl(QStringLiteral("\t\x01 Text \r")), QStringLiteral("Text"));
}

TEST_F(ExportTest, PortraitOrderBecomesParagraphsWithShadowedOpenings)
{
    window->document().setPageFormat(0);
    const OdtContent doc = exportAndRead();

    QStringList texts;
    for (const OdtParagraph &p : doc.paragraphs)
        texts << p.text;
    EXPECT_EQ(texts,
              (QStringList {
                  QStringLiteral("2. Sonntag im Advent"),
                  QStringLiteral("(06.12.2026, Predigtreihe 3)"),
                  QStringLiteral("Eingangslied: EG 1,1-3"),
                  QStringLiteral("Psalm 80 (EG 718)\nGloria Patri"),
                  QStringLiteral("Kyrie\nKyrie eleison. Herr, erbarme dich."),
                  QStringLiteral("Evangelium: Lk 21,25-33\nLied: EG 7"),
                  QStringLiteral("  Glaubensbekenntnis:\nIch glaube an Gott,\tden Vater"),
                  // A second blank line gives an empty line at the top of the next block.
                  QStringLiteral("\nPredigt"),
                  QString(),
              }));
    ASSERT_EQ(doc.paragraphs.size(), 9);
    EXPECT_EQ(doc.paragraphs[0].element, QStringLiteral("h"));
    EXPECT_EQ(doc.paragraphs[0].style, QStringLiteral("Heading_20_1"));
    for (qsizetype i = 1; i < doc.paragraphs.size(); ++i)
        EXPECT_EQ(doc.paragraphs[i].style, QStringLiteral("Text_20_body")) << i;

    QStringList shadowed;
    for (const OdtParagraph &p : doc.paragraphs)
        shadowed << p.shadowedRuns;
    EXPECT_EQ(shadowed,
              (QStringList { QStringLiteral("Eingangslied: EG 1,1-3"),
                             QStringLiteral("Psalm 80 (EG 718)"),
                             QStringLiteral("Evangelium: Lk 21,25-33"),
                             QStringLiteral("  Glaubensbekenntnis:"), QStringLiteral("Predigt") }));
    // One column, default page style.
    EXPECT_EQ(doc.sections, 0);
    for (const OdtParagraph &p : doc.paragraphs)
        EXPECT_TRUE(p.masterPage.isEmpty() || p.masterPage == QStringLiteral("Standard"))
            << p.masterPage.toStdString();
}

TEST_F(ExportTest, LandscapeOrderLiesInATwoColumnSectionOnLandscapePages)
{
    window->document().setPageFormat(1);
    const OdtContent doc = exportAndRead();

    EXPECT_EQ(doc.sections, 1);
    EXPECT_EQ(doc.sectionColumns, 2);
    ASSERT_FALSE(doc.paragraphs.isEmpty());
    EXPECT_EQ(doc.paragraphs[0].text, QStringLiteral("2. Sonntag im Advent"));
    EXPECT_EQ(doc.paragraphs[0].masterPage, QStringLiteral("Landscape"));
    for (const OdtParagraph &p : doc.paragraphs) {
        if (!p.text.isEmpty()) {
            EXPECT_TRUE(p.inSection) << p.text.toStdString();
        }
    }
    // The landscape page style is the office's own, turned on its side.
    const QString styles
        = zipMember(files.filePath(QStringLiteral("export.odt")), QStringLiteral("styles.xml"));
    EXPECT_TRUE(styles.contains(QStringLiteral("style:print-orientation=\"landscape\"")));
}

TEST_F(ExportTest, GeneratesTheOrderFirstWhenNoneIsShown)
{
    control<QTextEdit>(*window, "txtAblauf")->clear();
    control<QPushButton>(*window, "btnExport")->click();
    // Whatever the generation produced was exported: the office holds a document with the
    // day's title, and the view shows the generated order.
    const QString path = files.filePath(QStringLiteral("generated.odt"));
    ASSERT_TRUE(storeOpenDocument(QStringLiteral("2. Sonntag im Advent"), path));
    const OdtContent doc = readOdtContent(path);
    ASSERT_GE(doc.paragraphs.size(), 2);
    EXPECT_EQ(doc.paragraphs[0].text, QStringLiteral("2. Sonntag im Advent"));
    const QStringList lines = control<QTextEdit>(*window, "txtAblauf")->toPlainText().split(u'\n');
    ASSERT_GE(lines.size(), 3) << "no order was generated";
    EXPECT_EQ(lines[0], QStringLiteral("2. Sonntag im Advent"));
    EXPECT_EQ(doc.paragraphs[1].text, u'(' + lines.value(1) + u')');
}

TEST_F(ExportTest, WithoutTheOfficeTheUserIsToldAndTheViewStays)
{
    const NoOfficeScope noOffice;
    const QString before = control<QTextEdit>(*window, "txtAblauf")->toHtml();
    control<QPushButton>(*window, "btnExport")->click();
    EXPECT_EQ(dialogs->messages,
              QStringList {
                  QStringLiteral("Der Ablauf konnte nicht nach LibreOffice exportiert werden!") });
    EXPECT_EQ(control<QTextEdit>(*window, "txtAblauf")->toHtml(), before);
}

} // namespace
