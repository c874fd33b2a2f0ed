// The readings for the lector exported to LibreOffice from their dialog, against a real headless
// office: the document holds the same paragraphs as the dialog's preview, in their styles, with
// the verse numbers raised, and opens at its start.
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
#include <QTextCharFormat>
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
    QStringList previewRaised; // per paragraph the raised characters (the verse's number)
    ModalDialogs modal;
    modal.expect([&preview, &previewRaised](QWidget &dialog) {
        const QTextDocument *shown = control<QTextEdit>(dialog, "txtLektorVorschau")->document();
        for (QTextBlock block = shown->begin(); block.isValid(); block = block.next()) {
            preview << block.text();
            QString raised;
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                if (it.fragment().charFormat().verticalAlignment()
                    == QTextCharFormat::AlignSuperScript)
                    raised += it.fragment().text();
            }
            previewRaised << raised;
        }
        control<QPushButton>(dialog, "btnLektorExport")->click();
        control<QPushButton>(dialog, "btnLektorSchliessen")->click();
    });
    control<QPushButton>(*window, "btnLektor")->click();
    EXPECT_EQ(dialogs->messages, QStringList());

    // In the office the verse numbers are raised and smaller as in the preview, each at the
    // start of its verse, and the document opens at its start.
    const OpenDocumentText open = readOpenDocument(QStringLiteral("Lesungen – ") + day);
    ASSERT_TRUE(open.found) << "no open document titled with the day";
    EXPECT_TRUE(open.viewAtStart);
    ASSERT_EQ(open.paragraphs.size(), preview.size());
    int verses = 0;
    for (qsizetype i = 0; i < preview.size(); ++i) {
        QString raised;
        for (const OfficePortion &portion : open.paragraphs.at(i)) {
            if (portion.escapement > 0) {
                raised += portion.text;
                EXPECT_LT(portion.escapementHeight, 100) << portion.text.toStdString();
            }
        }
        EXPECT_EQ(raised, previewRaised.at(i)) << preview.at(i).toStdString();
        if (!raised.isEmpty()) {
            ++verses;
            EXPECT_TRUE(preview.at(i).startsWith(raised + u' ')) << preview.at(i).toStdString();
            EXPECT_EQ(open.paragraphs.at(i).first().text, raised) << preview.at(i).toStdString();
        }
    }
    EXPECT_EQ(verses, 12); // Jes 40,1-4 and Mk 16,1-8

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
