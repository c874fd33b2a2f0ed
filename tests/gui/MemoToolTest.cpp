// The hymn-notes editor, opened from the main window as the user does.
#include "gui/MemoTool.h"
#include "gui/FrmMain.h"
#include "storage/Win1252Text.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowControls.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// Double-clicks the group "Lieder" and returns the editor that opened.
TfrmMemoTool *openEditor(TfrmMain &window)
{
    const auto before = window.findChildren<TfrmMemoTool *>();
    const QPointF at(8, 8);
    QMouseEvent click(QEvent::MouseButtonDblClick, at,
                      control<QGroupBox>(window, "grpLieder")->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(control<QGroupBox>(window, "grpLieder"), &click);
    for (TfrmMemoTool *editor : window.findChildren<TfrmMemoTool *>())
        if (!before.contains(editor))
            return editor;
    ADD_FAILURE() << "no editor opened";
    return nullptr;
}

QStringList noteLines(const TfrmMemoTool &editor)
{
    return editor.Memo1->toPlainText().split(u'\n');
}

QByteArray fileContent(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class MemoTool : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = makeMainWindow(&dialogs);
        for (QLineEdit *e : { control<QLineEdit>(*window, "txtEingangslied"),
                              control<QLineEdit>(*window, "txtWochenlied"),
                              control<QLineEdit>(*window, "txtVorpredigtslied"),
                              control<QLineEdit>(*window, "txtKollektenlied"),
                              control<QLineEdit>(*window, "txtAusgangslied") })
            e->clear();
        window->document().setModified(false);
        // Only what the editor reports counts here.
        dialogs->messages.clear();
        dialogs->errors.clear();
        ASSERT_TRUE(dir.isValid());
    }

    TestEnvironment env;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;
    QTemporaryDir dir;
};

} // namespace

TEST_F(MemoTool, OpensWithTheHymnPlan)
{
    TfrmMemoTool *empty = openEditor(*window);
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->isVisible());
    EXPECT_EQ(empty->windowTitle(), QStringLiteral("Memo"));
    EXPECT_EQ(empty->width(), 500);
    EXPECT_EQ(empty->font().pointSize(), 12);
    EXPECT_EQ(empty->Memo1->font().pointSize(), 12);
    EXPECT_FALSE(empty->isModal());
    EXPECT_EQ(noteLines(*empty),
              QStringList({ QStringLiteral("Eingangslied: "), QStringLiteral("Wochenlied: "),
                            QStringLiteral("Vor der Predigt: "),
                            QStringLiteral("Nach der Predigt: Ein kurzes Orgelstück"),
                            QStringLiteral("Nach den Abkündigungen: "),
                            QStringLiteral("Zwischen Fürbitte und Segen: ") }));

    control<QLineEdit>(*window, "txtEingangslied")->setText(QStringLiteral("EG 166,1-4"));
    control<QLineEdit>(*window, "txtWochenlied")->setText(QStringLiteral("EG 346"));
    control<QLineEdit>(*window, "txtVorpredigtslied")->setText(QStringLiteral("EG <b>395</b>"));
    control<QLineEdit>(*window, "txtKollektenlied")->setText(QStringLiteral("EG 331"));
    control<QLineEdit>(*window, "txtAusgangslied")->setText(QStringLiteral("EG 170"));
    window->document().setModified(false);
    TfrmMemoTool *filled = openEditor(*window);
    ASSERT_NE(filled, nullptr);
    EXPECT_EQ(noteLines(*filled),
              QStringList({ QStringLiteral("Eingangslied: EG 166,1-4"),
                            QStringLiteral("Wochenlied: EG 346"),
                            QStringLiteral("Vor der Predigt: EG <b>395</b>"),
                            QStringLiteral("Nach der Predigt: Ein kurzes Orgelstück"),
                            QStringLiteral("Nach den Abkündigungen: EG 331"),
                            QStringLiteral("Zwischen Fürbitte und Segen: EG 170") }));

    // The plan was taken once; the note is nobody's but its own.
    control<QLineEdit>(*window, "txtWochenlied")->setText(QStringLiteral("EG 1"));
    EXPECT_EQ(noteLines(*filled).at(1), QStringLiteral("Wochenlied: EG 346"));
    window->document().setModified(false);
    filled->Memo1->append(QStringLiteral("Orgel: Frau Krause"));
    filled->SpeedButton2->click();
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(control<QLineEdit>(*window, "txtWochenlied")->text(), QStringLiteral("EG 1"));
}

TEST_F(MemoTool, EveryDoubleClickOpensAnIndependentEditor)
{
    window->show();
    TfrmMemoTool *first = openEditor(*window);
    TfrmMemoTool *second = openEditor(*window);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_NE(first, second);
    EXPECT_TRUE(window->isEnabled());

    first->Memo1->setPlainText(QStringLiteral("erste"));
    EXPECT_TRUE(second->Memo1->toPlainText().startsWith(QStringLiteral("Eingangslied: ")));

    QPointer<TfrmMemoTool> closed = first;
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(noteLines(*second).size(), 6);

    // Closing the program takes the open editors with it, without a question.
    QPointer<TfrmMemoTool> open = second;
    second->Memo1->setPlainText(QStringLiteral("ungespeichert"));
    window.reset();
    EXPECT_TRUE(open.isNull());
}

TEST_F(MemoTool, NewEmptiesTheNoteAndNamesItNoname)
{
    TfrmMemoTool *editor = openEditor(*window);
    ASSERT_NE(editor, nullptr);
    editor->SpeedButton2->click();
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Noname"));
    EXPECT_TRUE(editor->Memo1->toPlainText().isEmpty());
}

TEST_F(MemoTool, SavedNotesAreRichTextUnderExactlyTheGivenNameAndOpenAgain)
{
    TfrmMemoTool *editor = openEditor(*window);
    ASSERT_NE(editor, nullptr);
    // Make the first line bold and red.
    QTextCursor c(editor->Memo1->document());
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextCharFormat emphasis;
    emphasis.setFontWeight(QFont::Bold);
    emphasis.setForeground(QColor(180, 0, 0));
    c.mergeCharFormat(emphasis);

    const QString path = dir.filePath(QStringLiteral("Liederzettel"));
    dialogs->fileNames.push_back(path);
    editor->SpeedButton3->click();
    ASSERT_TRUE(dialogs->errors.isEmpty()) << dialogs->errors.join(u'\n').toStdString();
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral(".rtf")));
    EXPECT_TRUE(fileContent(path).startsWith("{\\rtf1"));
    EXPECT_EQ(editor->windowTitle(), QFileInfo(path).absoluteFilePath());
    // Neither dialog has a filter or a default extension.
    ASSERT_EQ(dialogs->fileRequests.size(), 1);
    EXPECT_TRUE(dialogs->fileRequests.constFirst().filter.isEmpty());
    EXPECT_TRUE(dialogs->fileRequests.constFirst().defaultExtension.isEmpty());

    // Saving again replaces the file without a question.
    editor->Memo1->append(QStringLiteral("Nachtrag"));
    dialogs->fileNames.push_back(path);
    editor->SpeedButton3->click();
    EXPECT_TRUE(dialogs->questions.isEmpty());

    TfrmMemoTool *reader = openEditor(*window);
    ASSERT_NE(reader, nullptr);
    dialogs->fileNames.push_back(path);
    reader->SpeedButton1->click();
    EXPECT_EQ(reader->Memo1->toPlainText(), editor->Memo1->toPlainText());
    EXPECT_EQ(reader->windowTitle(), QFileInfo(path).absoluteFilePath());
    QTextCursor first(reader->Memo1->document());
    first.setPosition(2);
    EXPECT_EQ(first.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(first.charFormat().foreground().color(), QColor(180, 0, 0));
    QTextCursor last(reader->Memo1->document()->lastBlock());
    last.setPosition(last.block().position() + 2);
    EXPECT_NE(last.charFormat().fontWeight(), QFont::Bold);
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(MemoTool, APlainTextFileOpensAsItsLinesAndIsSavedAsRichText)
{
    const QString text = dir.filePath(QStringLiteral("lieder.txt"));
    ASSERT_TRUE(
        win1252::writeLines(text,
                            { QStringLiteral("Eingangslied: EG 1"), QStringLiteral("Fürbitte"),
                              QString(), QStringLiteral("Ende") }));
    TfrmMemoTool *editor = openEditor(*window);
    ASSERT_NE(editor, nullptr);
    dialogs->fileNames.push_back(text);
    editor->SpeedButton1->click();
    EXPECT_EQ(noteLines(*editor),
              QStringList({ QStringLiteral("Eingangslied: EG 1"), QStringLiteral("Fürbitte"),
                            QString(), QStringLiteral("Ende") }));

    dialogs->fileNames.push_back(text);
    editor->SpeedButton3->click();
    EXPECT_TRUE(fileContent(text).startsWith("{\\rtf1"));
}

TEST_F(MemoTool, CancelledDialogsAndFailuresLeaveTheNote)
{
    TfrmMemoTool *editor = openEditor(*window);
    ASSERT_NE(editor, nullptr);
    const QString before = editor->Memo1->toPlainText();
    const QFont font = editor->Memo1->currentFont();

    dialogs->fileNames.push_back(QString());
    editor->SpeedButton1->click();
    dialogs->fileNames.push_back(QString());
    editor->SpeedButton3->click();
    dialogs->fonts.push_back(std::nullopt);
    editor->SpeedButton5->click();
    EXPECT_EQ(editor->Memo1->toPlainText(), before);
    EXPECT_EQ(editor->Memo1->currentFont(), font);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Memo"));
    EXPECT_TRUE(dialogs->messages.isEmpty());

    dialogs->fileNames.push_back(dir.filePath(QStringLiteral("gibt-es-nicht.rtf")));
    editor->SpeedButton1->click();
    dialogs->fileNames.push_back(dir.filePath(QStringLiteral("kein/ordner/notiz")));
    editor->SpeedButton3->click();
    EXPECT_EQ(dialogs->errors.size(), 2);
    EXPECT_EQ(editor->Memo1->toPlainText(), before);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Memo"));
}

TEST_F(MemoTool, TheChosenFontGoesToTheWholeText)
{
    TfrmMemoTool *editor = openEditor(*window);
    ASSERT_NE(editor, nullptr);
    QFont chosen(QStringLiteral("DejaVu Serif"), 15);
    chosen.setItalic(true);
    dialogs->fonts.push_back(chosen);
    editor->SpeedButton5->click();
    for (QTextBlock b = editor->Memo1->document()->begin(); b.isValid(); b = b.next()) {
        QTextCursor c(b);
        c.setPosition(b.position() + 1);
        EXPECT_EQ(c.charFormat().font().family(), QStringLiteral("DejaVu Serif"))
            << b.text().toStdString();
        EXPECT_EQ(c.charFormat().font().pointSize(), 15);
        EXPECT_TRUE(c.charFormat().font().italic());
    }
}

TEST_F(MemoTool, PrintsAsTheJobNotizzettel)
{
    TfrmMemoTool *editor = openEditor(*window);
    ASSERT_NE(editor, nullptr);
    // Long enough for more than one page.
    for (int i = 0; i < 120; ++i)
        editor->Memo1->append(QStringLiteral("Zeile %1").arg(i));

    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    const QString out = dir.filePath(QStringLiteral("notiz.pdf"));
    pdf.setOutputFileName(out);
    printNote(*editor->Memo1->document(), pdf);
    EXPECT_EQ(pdf.docName(), QStringLiteral("Notizzettel"));
    const QByteArray bytes = fileContent(out);
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    // The document title, as PDF writes it: UTF-16 big-endian after a byte-order mark.
    QByteArray title("\xfe\xff");
    for (const QChar ch : QStringLiteral("Notizzettel")) {
        title += char(ch.unicode() >> 8);
        title += char(ch.unicode() & 0xff);
    }
    EXPECT_TRUE(bytes.contains(title));
    qsizetype pages = 0;
    for (qsizetype at = bytes.indexOf("/Type /Page"); at >= 0;
         at = bytes.indexOf("/Type /Page", at + 1))
        if (bytes.mid(at + 11, 1) != "s")
            ++pages;
    EXPECT_GE(pages, 2);

    if (QPrinterInfo::defaultPrinter().isNull()) {
        editor->SpeedButton4->click();
        EXPECT_EQ(dialogs->errors,
                  QStringList { QStringLiteral("Es ist kein Standarddrucker ausgewählt.") });
    }
}

TEST_F(MemoTool, PastedRichTextNeverLoadsFilesItNames)
{
    TfrmMemoTool *editor = openEditor(*window);
    ASSERT_NE(editor, nullptr);
    const QString image = dir.filePath(QStringLiteral("bild.png"));
    QImage pixel(1, 1, QImage::Format_RGB32);
    pixel.fill(Qt::red);
    ASSERT_TRUE(pixel.save(image));
    const QUrl url = QUrl::fromLocalFile(image);

    auto *pasted = new QMimeData;
    pasted->setHtml(QStringLiteral("<p>Lied <img src=\"%1\"></p>").arg(url.toString()));
    QGuiApplication::clipboard()->setMimeData(pasted);
    editor->Memo1->paste();
    editor->Memo1->grab();

    EXPECT_TRUE(editor->Memo1->toPlainText().contains(QStringLiteral("Lied")));
    EXPECT_FALSE(editor->Memo1->document()->resource(QTextDocument::ImageResource, url).isValid());
}
