// The readings for the lector exported to LibreOffice from their dialog, against a real headless
// office: the document holds the same paragraphs as the dialog's preview, in their styles.
#include "base/Clock.h"
#include "gui/FrmMain.h"
#include "tests/bible/TestBible.h"
#include "tests/office/OfficeTestMain.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

TEST(LectorExport, TheOfficeDocumentHoldsTheParagraphsOfThePreview)
{
    testOffice();
    TestEnvironment env;
    appclock::setTodayForTesting(QDate(2026, 3, 30));
    ASSERT_TRUE(bibletest::writeTestBible(env.programDir() + QStringLiteral("/libs/Bibel")));
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window = makeMainWindow(&dialogs);
    control<QLineEdit>(*window, "txtATLesung")->setText(QStringLiteral("Jes 40,1-2(3-4)"));
    control<QLineEdit>(*window, "txtEpistel")->setText(QStringLiteral("Xyz 1,1"));
    control<QLineEdit>(*window, "txtEvangelium")->setText(QStringLiteral("Mk 16,1-8"));
    const QString day = control<QLabel>(*window, "lblTagesname")->text().trimmed();

    QStringList preview;
    ModalDialogs modal;
    modal.expect([&preview](QWidget &dialog) {
        const QTextDocument *shown = control<QTextEdit>(dialog, "txtLektorVorschau")->document();
        for (QTextBlock block = shown->begin(); block.isValid(); block = block.next())
            preview << block.text();
        control<QPushButton>(dialog, "btnLektorExport")->click();
        control<QPushButton>(dialog, "btnLektorSchliessen")->click();
    });
    control<QPushButton>(*window, "btnLektor")->click();
    EXPECT_EQ(dialogs->messages, QStringList());

    QTemporaryDir files;
    const QString path = files.filePath(QStringLiteral("lesungen.odt"));
    ASSERT_TRUE(storeOpenDocument(QStringLiteral("Lesungen – ") + day, path))
        << "no open document titled with the day";
    const OdtContent doc = readOdtContent(path);
    QStringList texts;
    for (const OdtParagraph &p : doc.paragraphs)
        texts << p.text;
    EXPECT_EQ(texts, preview);
    ASSERT_GT(preview.size(), 10);
    EXPECT_TRUE(preview.contains(QStringLiteral("Jes 40,3-4 (wahlweise)")));
    EXPECT_TRUE(preview.contains(
        QStringLiteral("Das Buch Xyz ist in der eingelesenen Bibel nicht vorhanden.")));
    ASSERT_FALSE(doc.paragraphs.isEmpty());
    EXPECT_EQ(doc.paragraphs.first().style, QStringLiteral("Title"));
    EXPECT_EQ(doc.paragraphs.at(1).style, QStringLiteral("Heading_20_2"));
    EXPECT_EQ(doc.paragraphs.last().style, QStringLiteral("Text_20_body"));

    window.reset();
    appclock::setTodayForTesting({});
}

} // namespace
