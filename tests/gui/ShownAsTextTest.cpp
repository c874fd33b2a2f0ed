// Values from files and typed fields that look like markup are shown as the characters they
// are: rendered as markup, an image source such as /dev/zero would be read until memory runs
// out, at every start when the value sits in the day loaded at start-up.
#include "base/Clock.h"
#include "gui/FrmMain.h"
#include "gui/MemoTool.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/TestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString kImage = QStringLiteral("<img src=\"/dev/zero\"><b>x</b>");
const QString kAdventPreparation = QStringLiteral("/3/3 3. Sonntag im Advent.ini");

// Everything the window and its note windows show, with whether a label or message box shows
// it as plain text (edits always do).
struct Shown
{
    QString where;
    QString text;
    bool plain;
};

QList<Shown> everythingShown(const TfrmMain &window, const ModalDialogs &dialogs)
{
    QList<Shown> shown;
    for (const QLabel *label : window.findChildren<QLabel *>())
        shown.append({ label->objectName(), label->text(), label->textFormat() == Qt::PlainText });
    for (const QLineEdit *edit : window.findChildren<QLineEdit *>())
        shown.append({ edit->objectName(), edit->text(), true });
    for (const TfrmMemoTool *note : window.findChildren<TfrmMemoTool *>())
        shown.append({ QStringLiteral("Notiz"), note->Memo1->toPlainText(), true });
    for (const ShownMessage &message : dialogs.messages)
        shown.append({ QStringLiteral("Meldung"), message.text, message.format == Qt::PlainText });
    return shown;
}

struct Case
{
    const char *what;
    QString file; // under the home folder, or the program folder for "libs/"
    QString content;
    QString literal; // what must be shown as it is
    QString shownIn; // a place that shows it: a control's name, "Notiz" or "Meldung"
    std::function<void(TfrmMain &)> act;
};

} // namespace

TEST(ShownAsText, MarkupInStoredAndTypedValuesIsShownAsItsCharacters)
{
    const auto preparation
        = [](const QString &name, const QString &series, const QString &more = {}) {
              return QStringLiteral("[Allgemein]\r\nName=") + name
                  + QStringLiteral("\r\nPredigtreihe=") + series + QStringLiteral("\r\n") + more;
          };
    const QString advent = QStringLiteral("3. Sonntag im Advent");
    const QString series = QStringLiteral("3");
    const Case cases[] = {
        { "day name",
          kAdventPreparation,
          preparation(kImage, series),
          kImage,
          QStringLiteral("lblTagesname"),
          {} },
        { "series",
          kAdventPreparation,
          preparation(advent, kImage),
          kImage,
          QStringLiteral("lblPredigtreiheWert"),
          {} },
        { "hymn", kAdventPreparation,
          preparation(advent, series, QStringLiteral("[Lieder]\r\nWochenlied=") + kImage), kImage,
          QStringLiteral("Notiz"), [](TfrmMain &w) { w.grpLiederDblClick(); } },
        { "reference in a message", kAdventPreparation,
          // Without a Bible a missing book says nothing; a chapter that cannot be read does.
          preparation(advent, series, QStringLiteral("[Texte]\r\nEpistel=<b>x</b> y,1")),
          QStringLiteral("<b>x</b>"), QStringLiteral("Meldung"),
          [](TfrmMain &w) { w.btnOpenEpistel->click(); } },
        { "count of the order settings",
          QStringLiteral("libs/Ablauf.ini"),
          QStringLiteral("[Reihenfolge]\r\nAnzahl=") + kImage,
          kImage,
          QStringLiteral("Meldung"),
          {} },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TestEnvironment env;
        appclock::setTodayForTesting(QDate(2026, 12, 7));
        if (c.file.startsWith(QStringLiteral("libs/")))
            env.writeProgramFile(c.file, c.content.toLatin1());
        else
            writeFileBytes(env.dataDir() + c.file, c.content.toLatin1());
        // An existing archive, even an empty one, keeps the stored preparations where they are.
        ASSERT_TRUE(QDir().mkpath(env.dataDir() + QStringLiteral("/3/Archiv")));
        ModalDialogs dialogs;
        const auto window = makeMainWindowWithQtDialogs();
        window->show();
        if (c.act)
            c.act(*window);
        // Painting is where rendered markup would load its images.
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->isVisible())
                top->grab();

        bool found = false;
        for (const Shown &s : everythingShown(*window, dialogs)) {
            if (!s.text.contains(c.literal))
                continue;
            found = found || s.where == c.shownIn;
            EXPECT_TRUE(s.plain) << s.where.toStdString() << " renders markup";
        }
        EXPECT_TRUE(found) << c.shownIn.toStdString() << " does not show "
                           << c.literal.toStdString();
        window->setModified(0);
    }
}
