#include "gui/ProperPage.h"

#include "gui/HymnFieldHelp.h"
#include "gui/MemoTool.h"
#include "gui/StatusHelp.h"
#include "ui_ProperPage.h"

#include <QMouseEvent>
#include <QTextCursor>
#include <QTextEdit>

using Field = PreparationDocument::Field;

ProperPage::ProperPage(PreparationDocument &document, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::ProperPage>())
    , m_document(document)
    , m_dialogs(dialogs)
{
    m_ui->setupUi(this);
    for (int i = 0; i < PreparationDocument::kFieldCount; ++i) {
        const auto field = Field(i);
        QLineEdit *line = edit(field);
        line->setText(document.text(field));
        connect(line, &QLineEdit::textChanged, this,
                [this, field](const QString &text) { m_document.setText(field, text); });
    }
    connect(&document, &PreparationDocument::textChanged, this, [this](Field field) {
        if (QLineEdit *line = edit(field); line->text() != m_document.text(field))
            line->setText(m_document.text(field));
    });

    const std::pair<QPushButton *, Field> buttons[] = {
        { m_ui->btnOpenPsalm, Field::Psalm },
        { m_ui->btnOpenATLesung, Field::ATLesung },
        { m_ui->btnOpenEpistel, Field::Epistel },
        { m_ui->btnOpenEvangelium, Field::Evangelium },
        { m_ui->btnOpenPredigttext, Field::Predigttext },
    };
    for (const auto &[button, field] : buttons)
        connect(button, &QPushButton::clicked, this,
                [this, field] { emit passageRequested(field, true); });

    auto *help = new StatusHelpFilter([this](const QString &text) { emit statusText(text); }, this);
    help->watch({ this, m_ui->grpTexte, m_ui->lblPredigttext, m_ui->txtPsalm, m_ui->txtATLesung,
                  m_ui->txtEpistel, m_ui->txtEvangelium, m_ui->txtPredigttext, m_ui->grpLieder });
    for (QWidget *w : std::initializer_list<QWidget *> {
             m_ui->lblPredigttext, m_ui->txtPsalm, m_ui->txtATLesung, m_ui->txtEpistel,
             m_ui->txtEvangelium, m_ui->txtPredigttext, m_ui->grpLieder })
        w->installEventFilter(this);
}

ProperPage::~ProperPage() = default;

void ProperPage::setHymnIndex(HymnIndexSource &source)
{
    const QList<HymnFieldHelp::Control> fields = {
        { m_ui->txtEingangslied, m_ui->lblZuletztEingangslied, Field::Eingangslied },
        { m_ui->txtWochenlied, m_ui->lblZuletztWochenlied, Field::Wochenlied },
        { m_ui->txtVorpredigtslied, m_ui->lblZuletztVorpredigtslied, Field::Vorpredigtslied },
        { m_ui->txtKollektenlied, m_ui->lblZuletztKollektenlied, Field::Kollektenlied },
        { m_ui->txtAusgangslied, m_ui->lblZuletztAusgangslied, Field::Ausgangslied },
    };
    auto *help = new HymnFieldHelp(m_document, source, fields, this);
    connect(help, &HymnFieldHelp::statusText, this, &ProperPage::statusText);
}

QLineEdit *ProperPage::edit(Field field) const
{
    switch (field) {
    case Field::Wochenspruch:
        return m_ui->txtWochenspruch;
    case Field::Psalm:
        return m_ui->txtPsalm;
    case Field::ATLesung:
        return m_ui->txtATLesung;
    case Field::Epistel:
        return m_ui->txtEpistel;
    case Field::Evangelium:
        return m_ui->txtEvangelium;
    case Field::Predigttext:
        return m_ui->txtPredigttext;
    case Field::Eingangslied:
        return m_ui->txtEingangslied;
    case Field::Wochenlied:
        return m_ui->txtWochenlied;
    case Field::Vorpredigtslied:
        return m_ui->txtVorpredigtslied;
    case Field::Kollektenlied:
        return m_ui->txtKollektenlied;
    case Field::Ausgangslied:
        break;
    }
    return m_ui->txtAusgangslied;
}

bool ProperPage::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        for (const Field field : { Field::Psalm, Field::ATLesung, Field::Epistel, Field::Evangelium,
                                   Field::Predigttext }) {
            if (watched == edit(field)) {
                emit passageRequested(field, false);
                return true;
            }
        }
        if (watched == m_ui->grpLieder) {
            openNotes();
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched == m_ui->lblPredigttext
            && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            emit sermonDocumentRequested();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void ProperPage::openNotes()
{
    // Every double-click opens an editor of its own. It belongs to the main window, so closing
    // the program closes it without a question about its note.
    auto *editor = new TfrmMemoTool(m_dialogs, window());
    editor->show();
    editor->resize(500, editor->height());
    editor->Memo1->clear();
    QFont font = editor->font();
    font.setPointSize(12);
    editor->setFont(font);
    // The plan is taken once; later changes in the main window do not reach the editor.
    // Typed in as plain text: a hymn field holding "<" must not turn into markup.
    const Preparation &p = m_document.preparation();
    const QStringList lines = hymnPlanLines(p.eingangslied, p.wochenlied, p.vorpredigtslied,
                                            p.kollektenlied, p.ausgangslied);
    QTextCursor cursor(editor->Memo1->document());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        cursor.insertText(lines.at(i));
    }
}
