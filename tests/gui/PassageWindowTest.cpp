// Passages through the real main window: the four fields and their buttons, the tab
// "Perikope", every message, the offline view and the real web view's address.
#include "bible/PassageLookup.h"
#include "gui/FrmMain.h"
#include "tests/bible/BibleTestData.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QWebEngineView>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

std::string s(const QString &text)
{
    return text.toStdString();
}

class PassageWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        bibletest::installBible(env);
        window = makeMainWindow(&dialogs);
        dialogs->messages.clear();
        window->pclPageControl->setCurrentWidget(window->tshProprium);
        window->setModified(0);
    }

    QStringList viewLines() const
    {
        QStringList lines;
        const QTextDocument *doc = window->rchBibelstelle->document();
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
            lines.append(block.text());
        return lines;
    }

    bool headingIsBold() const
    {
        const QTextBlock first = window->rchBibelstelle->document()->begin();
        const QTextBlock fourth = first.next().next().next();
        const QTextCharFormat heading = first.begin().fragment().charFormat();
        return heading.fontWeight() == QFont::Bold
            && (!fourth.isValid()
                || fourth.begin().fragment().charFormat().fontWeight() == QFont::Normal);
    }

    QString browserAddress() const
    {
        return window->brsBrowser ? window->brsBrowser->property("url").toUrl().toString()
                                  : QString();
    }

    bool onPassageTab() const
    {
        return window->pclPageControl->currentWidget() == window->tshPerikope;
    }

    void doubleClick(QLineEdit *field, const QString &text)
    {
        field->setText(text);
        window->setModified(0);
        QTest::mouseDClick(field, Qt::LeftButton);
    }

    TestEnvironment env;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;
};

const QString kService = u"https://www.bibleserver.com/text/LUT/"_s;

} // namespace

TEST_F(PassageWindowTest, WebViewIsNotCreatedAtStartUp)
{
    EXPECT_EQ(window->brsBrowser, nullptr);
    EXPECT_EQ(window->findChild<QWebEngineView *>(), nullptr);
    // Neither is it made by a tab change that looks nothing up.
    window->txtPredigttext->clear();
    window->pclPageControl->setCurrentWidget(window->tshPerikope);
    EXPECT_EQ(window->brsBrowser, nullptr);
}

TEST_F(PassageWindowTest, DoubleClickTidiesTheFieldAndShowsThePassageOfflineAndOnline)
{
    // The sermon text differs, so a lookup of the tab itself would show itself here.
    window->txtPredigttext->setText(u"Joh 3,16"_s);
    doubleClick(window->txtEvangelium, u"Mk. 1, 9-15"_s);

    EXPECT_EQ(s(window->txtEvangelium->text()), "Mk 1,9-15");
    EXPECT_EQ(window->Modified(), 1);
    const QStringList lines = viewLines();
    ASSERT_EQ(lines.size(), 10) << s(lines.join(u'\n'));
    EXPECT_EQ(s(lines[0]), "Ausgewählte Bibelstelle: Mk 1,9-15");
    EXPECT_EQ(s(lines[1]), "");
    EXPECT_EQ(s(lines[2]), "");
    // The verse text and the blank that ends every verse line.
    EXPECT_TRUE(bibletest::startsLikeVerse(lines[3],
                                           u"9) Und es begab sich zu der Zeit, daß Jesus "
                                           u"aus Galiläa von Nazareth kam und ließ sich "
                                           u"taufen von Johannes im Jordan. "_s))
        << s(lines[3]);
    EXPECT_TRUE(lines[3].endsWith(u". "_s)) << s(lines[3]);
    EXPECT_TRUE(bibletest::startsLikeVerse(lines[9], u"15) und sprach:"_s));
    EXPECT_TRUE(headingIsBold());

    ASSERT_NE(window->brsBrowser, nullptr);
    EXPECT_EQ(window->brsBrowser->objectName(), u"brsBrowser"_s);
    EXPECT_EQ(window->brsBrowser->toolTip(), u"online"_s);
    EXPECT_EQ(window->brsBrowser->parentWidget(), window->pnlBrowser);
    EXPECT_EQ(s(browserAddress()), s(kService + u"Mk 1,9-15"_s));
    EXPECT_TRUE(onPassageTab());
    EXPECT_TRUE(dialogs->messages.isEmpty());

    // An unchanged field is not an edit.
    doubleClick(window->txtEvangelium, u"Mk 1,9-15"_s);
    EXPECT_EQ(window->Modified(), 0);
}

TEST_F(PassageWindowTest, ButtonsLookUpTheirFields)
{
    window->txtEpistel->setText(u"Röm 8,14-17.24"_s);
    window->txtEvangelium->setText(u"Joh 3,16"_s);
    window->txtPredigttext->setText(u"1. Kor 13, 1-13"_s);

    window->btnOpenEpistel->click();
    QStringList lines = viewLines();
    ASSERT_EQ(lines.size(), 3 + 4 + 1 + 1);
    EXPECT_TRUE(lines[3].startsWith(u"14) "_s));
    EXPECT_TRUE(lines[6].startsWith(u"17) "_s));
    EXPECT_EQ(s(lines[7]), "");
    EXPECT_TRUE(lines[8].startsWith(u"24) "_s));
    EXPECT_EQ(s(browserAddress()), s(kService + u"Röm 8,14-17.24"_s));
    EXPECT_TRUE(onPassageTab());

    window->pclPageControl->setCurrentWidget(window->tshProprium);
    window->btnOpenEvangelium->click();
    lines = viewLines();
    ASSERT_EQ(lines.size(), 3 + 1);
    EXPECT_TRUE(bibletest::startsLikeVerse(lines[3], u"16) Also hat Gott die Welt geliebt"_s));

    window->btnOpenPredigttext->click();
    EXPECT_EQ(s(window->txtPredigttext->text()), "1. Kor 13,1-13");
    lines = viewLines();
    ASSERT_EQ(lines.size(), 3 + 13);
    EXPECT_EQ(s(lines[0]), "Ausgewählte Bibelstelle: 1. Kor 13,1-13");
    EXPECT_TRUE(bibletest::startsLikeVerse(lines[15], u"13) Nun aber bleibt Glaube"_s));
    EXPECT_TRUE(dialogs->messages.isEmpty());

    // A button without a known tag looks up the empty text.
    QPushButton stray;
    stray.setProperty("tag", 7);
    EXPECT_FALSE(window->OpenPassage(&stray));
    EXPECT_EQ(dialogs->messages, QStringList { u"Das Buch konnte nicht extrahiert werden."_s });
}

TEST_F(PassageWindowTest, PsalmsAreShownOfflineAndOnlineByTheirChapter)
{
    // The psalm as the library writes it, under its full book name.
    window->txtPsalm->setText(u"Psalm 24, 1-6"_s);
    window->setModified(0);
    window->btnOpenPsalm->click();
    EXPECT_EQ(s(window->txtPsalm->text()), "Psalm 24, 1-6"); // not rewritten
    EXPECT_EQ(window->Modified(), 0);
    EXPECT_EQ(s(browserAddress()), s(kService + u"Psalm 24"_s));
    const QStringList psalm = viewLines();
    ASSERT_EQ(psalm.size(), 3 + 6) << s(psalm.join(u'\n'));
    EXPECT_EQ(s(psalm[0]), "Ausgewählte Bibelstelle: Psalm 24,1-6");
    EXPECT_TRUE(psalm[8].startsWith(u"6) "_s));
    EXPECT_TRUE(onPassageTab());

    // A psalm that also names a hymn is a psalm, shown online only; double-clicked, the field
    // is tidied.
    window->pclPageControl->setCurrentWidget(window->tshProprium);
    doubleClick(window->txtPsalm, u"Psalm 98, EG 712"_s);
    EXPECT_EQ(s(window->txtPsalm->text()), "Psalm 98,EG 712");
    EXPECT_EQ(s(browserAddress()), s(kService + u"Psalm 98"_s));
    EXPECT_EQ(viewLines(), psalm);
    EXPECT_TRUE(dialogs->messages.isEmpty());
    EXPECT_TRUE(onPassageTab());
}

TEST_F(PassageWindowTest, EveryPartOfAReadingIsShownWithOptionalVersesMarked)
{
    doubleClick(window->txtPredigttext, u"1. Mose 18,1-2.9-15"_s);
    QStringList lines = viewLines();
    ASSERT_EQ(lines.size(), 3 + 2 + 1 + 7) << s(lines.join(u'\n'));
    EXPECT_TRUE(lines[4].startsWith(u"2) "_s));
    EXPECT_EQ(s(lines[5]), ""); // the gap between the parts
    EXPECT_TRUE(lines[6].startsWith(u"9) "_s));
    EXPECT_TRUE(lines[12].startsWith(u"15) "_s));

    // Optional verses in parentheses: kept in the field, shown in italics under "wahlweise".
    doubleClick(window->txtPredigttext, u"Jer 29,1.4-7(8-9)10-14"_s);
    EXPECT_EQ(s(window->txtPredigttext->text()), "Jer 29,1.4-7(8-9)10-14");
    lines = viewLines();
    const QStringList expectedStarts = { u"Ausgewählte Bibelstelle: Jer 29,1.4-7(8-9)10-14"_s,
                                         {},
                                         {},
                                         u"1) "_s,
                                         {},
                                         u"4) "_s,
                                         u"5) "_s,
                                         u"6) "_s,
                                         u"7) "_s,
                                         {},
                                         u"wahlweise"_s,
                                         u"8) "_s,
                                         u"9) "_s,
                                         {},
                                         u"10) "_s,
                                         u"11) "_s,
                                         u"12) "_s,
                                         u"13) "_s,
                                         u"14) "_s };
    ASSERT_EQ(lines.size(), expectedStarts.size()) << s(lines.join(u'\n'));
    QTextBlock block = window->rchBibelstelle->document()->begin();
    for (int i = 0; i < lines.size(); ++i, block = block.next()) {
        EXPECT_TRUE(expectedStarts[i].isEmpty() ? lines[i].isEmpty()
                                                : lines[i].startsWith(expectedStarts[i]))
            << i << ' ' << s(lines[i]);
        if (lines[i].isEmpty())
            continue;
        const bool italic = block.begin().fragment().charFormat().fontItalic();
        EXPECT_EQ(italic, i >= 10 && i <= 12) << i << ' ' << s(lines[i]);
    }

    // A reading that runs into the next chapter says so.
    doubleClick(window->txtPredigttext, u"Joh 18,39-40; 19,1"_s);
    lines = viewLines();
    EXPECT_EQ(lines.mid(3),
              (QStringList { lines[3], lines[4], QString(), u"Kapitel 19"_s, lines[7] }));
    EXPECT_TRUE(lines[7].startsWith(u"1) "_s));
    EXPECT_TRUE(dialogs->messages.isEmpty());
}

TEST_F(PassageWindowTest, EveryFailureHasItsMessageAndKeepsTheTab)
{
    struct Case
    {
        QString reference;
        QString message;
    };
    const Case cases[] = {
        { u"EG 362"_s, u"Tut mir Leid, aber auf das Gesangbuch kann nicht zugegriffen werden."_s },
        { u"Mk 1"_s, u"Das Buch konnte nicht extrahiert werden."_s },
        { u"Mk1,9-15"_s, u"Das Buch konnte nicht extrahiert werden."_s },
        // Tidied to "Lied nach Wahl,frei" first.
        { u"Lied nach Wahl, frei"_s,
          u"Das Kapitel aus dem Buch Lied nach Wahl,frei konnte nicht extrahiert werden."_s },
        { u"Mk 1,"_s,
          u"Die Verse aus dem Kapitel 1 des Buches Mk konnten nicht extrahiert werden."_s },
        // Tidying keeps the full stop after "Kor", so no file has that name.
        { u"1. Kor. 13,1-13"_s, u"Das Buch 1. Kor. konnte nicht gefunden werden."_s },
        { u"Henoch 1,1-3"_s, u"Das Buch Henoch konnte nicht gefunden werden."_s },
    };
    window->rchBibelstelle->setPlainText(u"vorher"_s);
    for (const Case &c : cases) {
        SCOPED_TRACE(s(c.reference));
        dialogs->messages.clear();
        doubleClick(window->txtEpistel, c.reference);
        EXPECT_EQ(s(dialogs->messages.join(u'|')), s(c.message));
        EXPECT_FALSE(onPassageTab());
        EXPECT_EQ(viewLines(), QStringList { u"vorher"_s });
    }
    EXPECT_EQ(window->brsBrowser, nullptr);

    // A verse that is no number: the heading is shown, then the lookup ends quietly.
    dialogs->messages.clear();
    doubleClick(window->txtEpistel, u"Mk 1,x-5"_s);
    EXPECT_TRUE(dialogs->messages.isEmpty());
    EXPECT_FALSE(onPassageTab());
    EXPECT_EQ(viewLines(),
              (QStringList { u"Ausgewählte Bibelstelle: Mk 1,x-5"_s, QString(), QString() }));
    EXPECT_EQ(window->brsBrowser, nullptr);
}

TEST_F(PassageWindowTest, UnusualRangesStillShowSomething)
{
    // Last verse before the first: the heading only, but online and on the tab.
    doubleClick(window->txtEvangelium, u"Mk 1,15-9"_s);
    EXPECT_EQ(viewLines().size(), 3);
    EXPECT_EQ(s(browserAddress()), s(kService + u"Mk 1,15-9"_s));
    EXPECT_TRUE(onPassageTab());

    // A verse missing from the file: its number, ") " and a blank.
    doubleClick(window->txtEvangelium, u"Mk 1,45-46"_s);
    QStringList lines = viewLines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(s(lines[4]), "46)  ");

    // Half verses count as the verse.
    doubleClick(window->txtEpistel, u"1. Sam 2,1-8a"_s);
    lines = viewLines();
    ASSERT_EQ(lines.size(), 3 + 8);
    EXPECT_TRUE(lines.last().startsWith(u"8) "_s));
    doubleClick(window->txtEpistel, u"Ps 104,1a"_s);
    lines = viewLines();
    ASSERT_EQ(lines.size(), 3 + 1);
    EXPECT_TRUE(bibletest::startsLikeVerse(lines[3], u"1) Lobe den HERRN, meine Seele!"_s))
        << s(lines[3]);

    // A damaged range does not flood the view.
    doubleClick(window->txtEpistel, u"Mk 1,1-65000"_s);
    EXPECT_EQ(viewLines().size(), 3 + bible::kMaxVersesShown);
    EXPECT_TRUE(onPassageTab());
}

TEST_F(PassageWindowTest, TheTabShowsTheSermonTextByItself)
{
    window->txtPredigttext->setText(u"Joh 3, 16"_s);
    window->setModified(0);
    window->pclPageControl->setCurrentWidget(window->tshPerikope);
    EXPECT_EQ(s(window->txtPredigttext->text()), "Joh 3,16");
    QStringList lines = viewLines();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(s(lines[0]), "Ausgewählte Bibelstelle: Joh 3,16");
    EXPECT_EQ(s(browserAddress()), s(kService + u"Joh 3,16"_s));

    // No lookup when the first "," stands first or there is none; nor for other tabs.
    for (const QString &text : { u",16"_s, u"Joh 3"_s, QString() }) {
        window->pclPageControl->setCurrentWidget(window->tshProprium);
        window->rchBibelstelle->setPlainText(u"vorher"_s);
        window->txtPredigttext->setText(text);
        window->pclPageControl->setCurrentWidget(window->tshPerikope);
        EXPECT_EQ(viewLines(), QStringList { u"vorher"_s }) << s(text);
    }
    window->txtPredigttext->setText(u"Mk 1,9"_s);
    window->pclPageControl->setCurrentWidget(window->tshLiturgie);
    EXPECT_EQ(viewLines(), QStringList { u"vorher"_s });
    EXPECT_TRUE(dialogs->messages.isEmpty());
}
