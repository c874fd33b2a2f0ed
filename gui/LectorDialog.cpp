#include "gui/LectorDialog.h"

#include "gui/BibleImportRun.h"
#include "gui/Dialogs.h"
#include "gui/PrinterAvailability.h"
#include "office/ParagraphExport.h"
#include "order/PdfNames.h"
#include "order/PrintLayout.h"
#include "ui_LectorDialog.h"

#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>

using namespace Qt::Literals::StringLiterals;

namespace {

// The readings' paragraphs as the office sets them: the same texts, one paragraph each.
QList<OfficeParagraph> officeParagraphs(const QList<lector::Paragraph> &paragraphs)
{
    using Kind = lector::Paragraph::Kind;
    using Style = OfficeParagraph::Style;
    QList<OfficeParagraph> out;
    out.reserve(paragraphs.size());
    for (const lector::Paragraph &p : paragraphs) {
        Style style = Style::Body;
        switch (p.kind) {
        case Kind::Title:
            style = Style::Title;
            break;
        case Kind::Heading:
            style = Style::Heading;
            break;
        case Kind::Reference:
        case Kind::Part:
            style = Style::Subheading;
            break;
        case Kind::Verse:
            break;
        case Kind::Note:
            style = Style::Note;
            break;
        }
        // A verse's number stands before its text, small and raised, as in the preview.
        out.append(
            { style, p.text, p.kind == Kind::Verse ? int(QString::number(p.verse).size()) : 0 });
    }
    return out;
}

} // namespace

LectorDialog::LectorDialog(const QString &dayName, const QDate &date, const ProperTexts &texts,
                           Dialogs &dialogs, QPrinter &printer, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::LectorDialog>())
    , m_dayName(dayName)
    , m_date(date)
    , m_texts(texts)
    , m_dialogs(dialogs)
    , m_printer(printer)
{
    m_ui->setupUi(this);
    m_ui->lblLektorTag->setTextFormat(Qt::PlainText);
    m_ui->lblLektorTag->setText(
        date.isValid() ? u"%1, %2"_s.arg(dayName, date.toString(u"dd.MM.yyyy"_s)) : dayName);
    m_ui->lblLektorKeineBibel->setTextFormat(Qt::PlainText);
    m_ui->lblLektorStatus->setTextFormat(Qt::PlainText);
    m_ui->spnLektorSchrift->setValue(lector::kDefaultPointSize);
    // A sermon text is taken along only when the day has one.
    m_ui->chkLektorPredigttext->setEnabled(!texts.predigttext.trimmed().isEmpty());

    connect(m_ui->chkLektorPredigttext, &QCheckBox::toggled, this, &LectorDialog::remake);
    connect(m_ui->spnLektorSchrift, &QSpinBox::valueChanged, this, &LectorDialog::remake);
    connect(m_ui->btnLektorDrucken, &QPushButton::clicked, this, &LectorDialog::print);
    connect(m_ui->btnLektorExport, &QPushButton::clicked, this, &LectorDialog::exportToOffice);
    connect(m_ui->btnLektorBibel, &QPushButton::clicked, this, &LectorDialog::importBible);
    connect(m_ui->btnLektorSchliessen, &QPushButton::clicked, this, &QDialog::accept);
    remake();
}

LectorDialog::~LectorDialog() = default;

QString LectorDialog::documentTitle() const
{
    return u"Lesungen – "_s + m_dayName;
}

void LectorDialog::remake()
{
    const QList<lector::Reading> readings
        = lector::readingsOf(m_texts, m_ui->chkLektorPredigttext->isChecked());
    m_made = lector::make(m_dayName, m_date, readings);
    const bool made = m_made.status == lector::Document::Status::Made;
    m_ui->lblLektorKeineBibel->setText(made ? QString() : lector::noBibleMessage());
    m_ui->pnlLektorKeineBibel->setVisible(!made);
    m_ui->txtLektorVorschau->setVisible(made);
    m_ui->btnLektorDrucken->setEnabled(made && !readings.isEmpty());
    m_ui->btnLektorExport->setEnabled(made && !readings.isEmpty());
    QTextDocument *preview = m_ui->txtLektorVorschau->document();
    if (!made) {
        preview->clear();
        return;
    }
    if (readings.isEmpty()) {
        m_ui->txtLektorVorschau->setPlainText(
            u"Für diesen Tag sind keine Lesungen eingetragen (Seite „Proprium“)."_s);
        return;
    }
    lector::fillDocument(*preview, m_made.paragraphs, m_ui->spnLektorSchrift->value());
    // The preview opens at its first line (the filling leaves the view's cursor at the end).
    m_ui->txtLektorVorschau->moveCursor(QTextCursor::Start);
}

void LectorDialog::print()
{
    // The print dialog chooses the printer or a PDF file, as the order of service's set-up;
    // a PDF file is proposed under the readings' own name.
    const QString before = m_printer.outputFileName();
    printeravailability::proposeFile(m_printer, documentTitle(),
                                     pdfnames::lectorFileName(m_dayName, m_date));
    if (!m_dialogs.setupPrinter(m_printer, Dialogs::PrinterPurpose::Print)) {
        m_printer.setOutputFileName(before);
        return;
    }
    QTextDocument document;
    lector::fillDocument(document, m_made.paragraphs, m_ui->spnLektorSchrift->value());
    if (printeravailability::printOrSay(
            m_dialogs, m_printer, document, documentTitle(),
            orderprint::pageRectFor(orderprint::metricsOf(m_printer)),
            u"Die Lesungen konnten nicht gedruckt werden (Drucker: %1)."_s))
        m_ui->lblLektorStatus->setText(
            u"Die Lesungen wurden %1 gedruckt."_s.arg(printeravailability::destination(m_printer)));
}

void LectorDialog::exportToOffice()
{
    ParagraphExportInput input;
    input.title = documentTitle();
    input.paragraphs = officeParagraphs(m_made.paragraphs);
    input.pointSize = m_ui->spnLektorSchrift->value();
    const Result<bool> exported = ExportParagraphs(input);
    if (!exported)
        m_dialogs.error(exported.error());
    else if (!*exported)
        m_dialogs.message(u"Die Lesungen konnten nicht nach LibreOffice exportiert werden!"_s);
}

void LectorDialog::importBible()
{
    if (bibleimport::run(this, m_dialogs, nullptr))
        remake();
}
