#include "gui/OrdinaryPage.h"

#include "gui/Dialogs.h"
#include "gui/StatusHelp.h"
#include "order/OrderText.h"
#include "storage/LiturgicalTexts.h"
#include "ui_OrdinaryPage.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QMenu>

using liturgicaltexts::Memo;

namespace {

void setLines(QPlainTextEdit *memo, const QStringList &lines)
{
    memo->setPlainText(liturgicaltexts::memoText(lines));
}

QStringList lines(const QPlainTextEdit *memo)
{
    return liturgicaltexts::memoLines(memo->toPlainText());
}

} // namespace

OrdinaryPage::OrdinaryPage(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::OrdinaryPage>())
    , m_dialogs(dialogs)
{
    m_ui->setupUi(this);
    // The memos hold their built-in texts before anything is loaded at start-up. They go
    // straight into the fresh documents: the field's own setPlainText would also select and
    // lay out the text for a cursor that no one has placed yet.
    for (const Memo which :
         { Memo::Dialog1, Memo::Dialog2, Memo::Dialog3, Memo::Credo, Memo::VaterUnser, Memo::Segen,
           Memo::GloriaPatri, Memo::Kyrie, Memo::GloriaExcelsis })
        memo(which)->document()->setPlainText(
            liturgicaltexts::memoText(liturgicaltexts::builtInText(which)));

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("MemoMenu"));
    QAction *open = m_menu->addAction(QStringLiteral("Öffnen"));
    open->setObjectName(QStringLiteral("mnuTextoeffnen"));
    QAction *save = m_menu->addAction(QStringLiteral("Speichern"));
    save->setObjectName(QStringLiteral("Speichern1"));
    connect(open, &QAction::triggered, this, &OrdinaryPage::openTextFile);
    connect(save, &QAction::triggered, this, &OrdinaryPage::saveTextFile);

    auto *help = new StatusHelpFilter([this](const QString &text) { emit statusText(text); }, this);
    help->watch({ this, m_ui->grpKonstanteTexte, m_ui->GroupBox1, m_ui->txtCredo,
                  m_ui->txtVaterUnser, m_ui->txtSegen, m_ui->txtGloriaPatri,
                  m_ui->txtGloriaExcelsis, m_ui->txtKyrie });
    // Only the memos that have a text file offer the menu; the three dialogues are edited by
    // typing and keep the usual menu of a text field.
    for (const auto &file : liturgicaltexts::startupFiles()) {
        QPlainTextEdit *edit = memo(file.memo);
        edit->installEventFilter(this);
        edit->viewport()->installEventFilter(this);
    }
}

OrdinaryPage::~OrdinaryPage() = default;

QPlainTextEdit *OrdinaryPage::memo(Memo which) const
{
    switch (which) {
    case Memo::Dialog1:
        return m_ui->txtDialog1;
    case Memo::Dialog2:
        return m_ui->txtDialog2;
    case Memo::Dialog3:
        return m_ui->txtDialog3;
    case Memo::Credo:
        return m_ui->txtCredo;
    case Memo::VaterUnser:
        return m_ui->txtVaterUnser;
    case Memo::Segen:
        return m_ui->txtSegen;
    case Memo::GloriaPatri:
        return m_ui->txtGloriaPatri;
    case Memo::Kyrie:
        return m_ui->txtKyrie;
    case Memo::GloriaExcelsis:
        break;
    }
    return m_ui->txtGloriaExcelsis;
}

bool OrdinaryPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ContextMenu) {
        auto *memo = qobject_cast<QPlainTextEdit *>(watched);
        if (!memo)
            memo = qobject_cast<QPlainTextEdit *>(watched->parent());
        if (memo) {
            // The menu offers loading a text file into this memo and saving the memo's text.
            m_popupMemo = memo;
            m_menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

Result<> OrdinaryPage::loadTextFiles()
{
    for (const auto &file : liturgicaltexts::startupFiles()) {
        const QString path = liturgicaltexts::textFilePath(QString::fromUtf16(file.fileName));
        if (!QFileInfo::exists(path))
            continue;
        const Result<QStringList> read = liturgicaltexts::readTextFile(path);
        if (!read)
            return read.failure();
        setLines(memo(file.memo), *read);
    }
    return {};
}

void OrdinaryPage::openTextFile()
{
    QPlainTextEdit *target = m_popupMemo;
    if (!target)
        return;
    FileDialogRequest &request = m_dialogs.remembered(DialogRole::OpenText);
    request.filter = QStringLiteral("Texte|*.txt|Alle Dateien|*.*");
    const QString path = m_dialogs.openFileName(request);
    if (path.isEmpty())
        return;
    request.fileName = path;
    const Result<QStringList> read = liturgicaltexts::readTextFile(path);
    if (read)
        setLines(target, *read);
    else
        m_dialogs.error(read.error());
}

void OrdinaryPage::saveTextFile()
{
    QPlainTextEdit *target = m_popupMemo;
    if (!target)
        return;
    // The save dialog is shared with the service-order file, which selects its own filter.
    FileDialogRequest &request = m_dialogs.remembered(DialogRole::Save);
    request.filter = QStringLiteral("Texte|*.txt|Abläufe|*.ini|Alle Dateien|*.*");
    request.filterIndex = 1;
    request.defaultExtension = QStringLiteral("txt");
    const QString path = m_dialogs.saveFileName(request);
    if (path.isEmpty())
        return;
    request.fileName = path;
    if (const Result<> written = liturgicaltexts::writeTextFile(path, lines(target)); !written)
        m_dialogs.error(written.error());
}

void OrdinaryPage::fillOrderInput(ordertext::OrderInput &input) const
{
    input.dialog1 = lines(m_ui->txtDialog1);
    input.dialog2 = lines(m_ui->txtDialog2);
    input.dialog3 = lines(m_ui->txtDialog3);
    input.gloriaPatri = lines(m_ui->txtGloriaPatri);
    input.kyrie = lines(m_ui->txtKyrie);
    input.gloriaExcelsis = lines(m_ui->txtGloriaExcelsis);
    input.credo = lines(m_ui->txtCredo);
    input.vaterUnser = lines(m_ui->txtVaterUnser);
    input.segen = lines(m_ui->txtSegen);
}
