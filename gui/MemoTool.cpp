#include "gui/MemoTool.h"
#include "gui/PrinterAvailability.h"

#include "gui/Dialogs.h"
#include "gui/DrawnIcons.h"
#include "storage/RichTextFile.h"

#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kButtonSize = 25;
constexpr int kPanelHeight = 33;

// Rich text pasted from a web page may name images by file or address. A note never shows
// such resources: loading them would let a pasted <img src="/dev/zero"> read without end.
class NoteDocument : public QTextDocument
{
public:
    using QTextDocument::QTextDocument;

protected:
    QVariant loadResource(int, const QUrl &) override { return {}; }
};

QToolButton *imageButton(QWidget *panel, const char *name, DrawnIcon glyph, const QString &tip,
                         int x)
{
    auto *b = new QToolButton(panel);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoRaise(true);
    b->setIcon(drawnIcon(glyph));
    b->setIconSize(QSize(20, 20));
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    b->setGeometry(x, (kPanelHeight - kButtonSize) / 2, kButtonSize, kButtonSize);
    return b;
}

} // namespace

QStringList hymnPlanLines(const QString &eingangslied, const QString &wochenlied,
                          const QString &vorpredigtslied, const QString &kollektenlied,
                          const QString &ausgangslied)
{
    return { QStringLiteral("Eingangslied: ") + eingangslied,
             QStringLiteral("Wochenlied: ") + wochenlied,
             QStringLiteral("Vor der Predigt: ") + vorpredigtslied,
             QStringLiteral("Nach der Predigt: Ein kurzes Orgelstück"),
             QStringLiteral("Nach den Abkündigungen: ") + kollektenlied,
             QStringLiteral("Zwischen Fürbitte und Segen: ") + ausgangslied };
}

void printNote(const QTextDocument &note, QPrinter &printer)
{
    printer.setDocName(QStringLiteral("Notizzettel"));
    // QTextDocument::print lays out a copy page by page when the document has no page size.
    note.print(&printer);
}

TfrmMemoTool::TfrmMemoTool(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmMemoTool"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Memo"));
    resize(270, 300);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(kPanelHeight);
    SpeedButton1
        = imageButton(Panel1, "SpeedButton1", DrawnIcon::Open, QStringLiteral("Notiz öffnen"), 4);
    SpeedButton2
        = imageButton(Panel1, "SpeedButton2", DrawnIcon::New, QStringLiteral("Neue Notiz"), 30);
    SpeedButton3 = imageButton(Panel1, "SpeedButton3", DrawnIcon::Save,
                               QStringLiteral("Notiz speichern"), 56);
    SpeedButton4 = imageButton(Panel1, "SpeedButton4", DrawnIcon::Print,
                               QStringLiteral("Notiz drucken"), 82);
    SpeedButton5 = imageButton(Panel1, "SpeedButton5", DrawnIcon::Font,
                               QStringLiteral("Schriftart wählen"), 108);
    layout->addWidget(Panel1);

    Memo1 = new QTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(QStringLiteral("Notiz"));
    Memo1->setDocument(new NoteDocument(Memo1));
    Memo1->setAcceptRichText(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setPlainText(QStringLiteral("Notizen:"));
    layout->addWidget(Memo1);

    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmMemoTool::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TfrmMemoTool::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TfrmMemoTool::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TfrmMemoTool::SpeedButton4Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TfrmMemoTool::SpeedButton5Click);
}

void TfrmMemoTool::SpeedButton1Click()
{
    // No filter and no default extension: a note file may be called anything.
    const QString path = m_dialogs.openFileName(FileDialogRequest {});
    if (path.isEmpty())
        return;
    // The file is read whole before the note is touched: a failure leaves the note as it was.
    if (const Result<> read = richtextfile::readFile(path, *Memo1->document()); !read) {
        m_dialogs.error(read.error());
        return;
    }
    setWindowTitle(QFileInfo(path).absoluteFilePath());
}

void TfrmMemoTool::SpeedButton2Click()
{
    Memo1->clear();
    setWindowTitle(QStringLiteral("Noname"));
}

void TfrmMemoTool::SpeedButton3Click()
{
    const QString path = m_dialogs.saveFileName(FileDialogRequest {});
    if (path.isEmpty())
        return;
    if (const Result<> written = richtextfile::writeFile(path, *Memo1->document()); !written) {
        m_dialogs.error(written.error());
        return;
    }
    setWindowTitle(QFileInfo(path).absoluteFilePath());
}

void TfrmMemoTool::SpeedButton4Click()
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        m_dialogs.error(printeravailability::noPrinterMessage());
        return;
    }
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    printNote(*Memo1->document(), printer);
    if (printer.printerState() == QPrinter::Error)
        m_dialogs.error(QStringLiteral("Der Notizzettel konnte nicht gedruckt werden."));
}

void TfrmMemoTool::SpeedButton5Click()
{
    const std::optional<QFont> chosen = m_dialogs.chooseFont(Memo1->currentFont());
    if (!chosen)
        return;
    // The whole text takes the chosen font, and so does what is typed next.
    QTextCursor all(Memo1->document());
    all.select(QTextCursor::Document);
    QTextCharFormat format;
    format.setFont(*chosen);
    all.mergeCharFormat(format);
    Memo1->document()->setDefaultFont(*chosen);
    Memo1->setCurrentFont(*chosen);
}
