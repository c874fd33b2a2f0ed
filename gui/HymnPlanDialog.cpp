#include "gui/HymnPlanDialog.h"

#include "base/Clock.h"
#include "calendar/HymnPlanOutput.h"
#include "gui/DateTyping.h"
#include "gui/Dialogs.h"
#include "gui/HymnIndexSource.h"
#include "gui/PrinterAvailability.h"
#include "order/PdfNames.h"
#include "order/PrintLayout.h"
#include "storage/SafeWrite.h"
#include "ui_HymnPlanDialog.h"

#include <QClipboard>
#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPageLayout>
#include <QPrinter>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace {

QString dateText(const QDate &date)
{
    return date.toString(u"dd.MM.yyyy"_s);
}

QTableWidgetItem *cell(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

HymnPlanDialog::HymnPlanDialog(const QString &dataDir, Dialogs &dialogs, QPrinter &printer,
                               QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::HymnPlanDialog>())
    , m_dataDir(dataDir)
    , m_dialogs(dialogs)
    , m_printer(printer)
{
    m_ui->setupUi(this);
    m_ui->lblLiedplanStatus->setTextFormat(Qt::PlainText);
    QTableWidget *table = m_ui->grdLiedplan;
    table->setColumnCount(9);
    table->setHorizontalHeaderLabels({ u"Datum"_s, u"Tag"_s, u"Liturgische Farbe"_s,
                                       u"Eingangslied"_s, u"Wochenlied"_s, u"Vorpredigtslied"_s,
                                       u"Kollektenlied"_s, u"Ausgangslied"_s, u"Predigttext"_s });
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->verticalHeader()->hide();

    // The next services from today: the period ends with the date of the fourth.
    const QDate today = appclock::today();
    const Result<hymnplan::Period> coming = hymnplan::resolvePeriod(today, QDate());
    {
        const QSignalBlocker blockFrom(m_ui->dtpPlanVon);
        const QSignalBlocker blockTo(m_ui->dtpPlanBis);
        m_ui->dtpPlanVon->setDate(today);
        m_ui->dtpPlanBis->setDate(coming ? coming->to : today.addDays(28));
    }

    datetyping::install(*m_ui->dtpPlanVon);
    datetyping::install(*m_ui->dtpPlanBis);
    connect(m_ui->dtpPlanVon, &QDateEdit::dateChanged, this, &HymnPlanDialog::remake);
    connect(m_ui->dtpPlanBis, &QDateEdit::dateChanged, this, &HymnPlanDialog::remake);
    connect(m_ui->btnPlanDrucken, &QPushButton::clicked, this, &HymnPlanDialog::print);
    connect(m_ui->btnPlanCsv, &QPushButton::clicked, this, &HymnPlanDialog::saveCsv);
    connect(m_ui->btnPlanIcal, &QPushButton::clicked, this, &HymnPlanDialog::saveICal);
    connect(m_ui->btnPlanMail, &QPushButton::clicked, this, &HymnPlanDialog::sendMail);
    connect(m_ui->btnPlanSchliessen, &QPushButton::clicked, this, &QDialog::accept);
    remake();
}

HymnPlanDialog::~HymnPlanDialog() = default;

void HymnPlanDialog::remake()
{
    QTableWidget *table = m_ui->grdLiedplan;
    table->setRowCount(0);
    const Result<hymnplan::Period> period
        = hymnplan::resolvePeriod(m_ui->dtpPlanVon->date(), m_ui->dtpPlanBis->date());
    m_planMade = period.ok();
    for (QPushButton *button :
         { m_ui->btnPlanDrucken, m_ui->btnPlanCsv, m_ui->btnPlanIcal, m_ui->btnPlanMail })
        button->setEnabled(m_planMade);
    if (!period) {
        m_plan = {};
        m_ui->lblLiedplanStatus->setText(period.error());
        return;
    }
    const history::Scan scan = hymnplan::scanFor(*period, m_dataDir);
    m_plan = hymnplan::make(*period, scan);

    table->setRowCount(int(m_plan.rows.size()));
    int suggested = 0;
    int withVersions = 0;
    for (int r = 0; r < table->rowCount(); ++r) {
        const hymnplan::Row &row = m_plan.rows.at(r);
        QStringList cells { dateText(row.date), row.dayName, row.colour };
        cells << hymnplan::shownHymns(row) << hymnplan::shownSermonText(row);
        for (int c = 0; c < cells.size() && c < table->columnCount(); ++c) {
            QTableWidgetItem *item = cell(cells.at(c));
            if (row.suggested())
                item->setToolTip(u"Für diesen Tag ist noch keine Vorbereitung gespeichert: "
                                 u"das Wochenlied aus dem Proprium als Vorschlag"_s);
            else
                item->setToolTip(QDir::toNativeSeparators(hymnplan::shownFile(row)));
            table->setItem(r, c, item);
        }
        if (row.suggested())
            ++suggested;
        if (row.otherVersions > 0) {
            ++withVersions;
            // The day says that more than one version is saved; the row shows the newest.
            table->item(r, 1)->setText(row.dayName + u" (mehrere Fassungen)"_s);
        }
    }
    QString status = m_plan.rows.size() == 1 ? u"1 Gottesdienst"_s
                                             : u"%1 Gottesdienste"_s.arg(m_plan.rows.size());
    if (suggested > 0)
        status += suggested == 1
            ? u", 1 davon ohne gespeicherte Vorbereitung (Vorschlag)"_s
            : u", %1 davon ohne gespeicherte Vorbereitung (Vorschlag)"_s.arg(suggested);
    const QString severalVersions
        = u"; %1 Gottesdienste mit mehreren Fassungen (es gilt jeweils die neueste)"_s;
    if (withVersions > 0)
        status += withVersions == 1
            ? u"; 1 Gottesdienst mit mehreren Fassungen (es gilt die neueste)"_s
            : severalVersions.arg(withVersions);
    if (!scan.unreadable.isEmpty())
        status += u"; %1 Datei(en) konnten nicht gelesen werden"_s.arg(scan.unreadable.size());
    m_ui->lblLiedplanStatus->setText(status + u'.');
    applyRepeatMarks();
}

void HymnPlanDialog::markRepeats(HymnIndexSource &source)
{
    m_hymnIndex = &source;
    connect(&source, &HymnIndexSource::changed, this, &HymnPlanDialog::applyRepeatMarks);
    // The plan reads the data folder as it is now; the index is read again with it.
    source.invalidate();
    source.request();
    applyRepeatMarks();
}

void HymnPlanDialog::applyRepeatMarks()
{
    const hymnindex::Index *index = m_hymnIndex ? m_hymnIndex->index() : nullptr;
    if (!index)
        return;
    // What is printed, saved and sent carries the marks too.
    hymnplan::markRecent(m_plan, *index, m_hymnIndex->repeatWeeks());
    // The five hymns stand in the columns after date, day and colour.
    constexpr int kFirstHymnColumn = 3;
    QTableWidget *table = m_ui->grdLiedplan;
    for (int r = 0; r < table->rowCount() && r < m_plan.rows.size(); ++r) {
        const hymnplan::Row &row = m_plan.rows.at(r);
        for (int h = 0; h < row.hymns.size(); ++h) {
            QTableWidgetItem *item = table->item(r, kFirstHymnColumn + h);
            if (!item)
                continue;
            const hymnindex::FieldNote note = hymnindex::fieldNote(
                *index, row.hymns.at(h), row.date, m_hymnIndex->repeatWeeks(), row.dayName);
            // The cell's own tooltip is kept aside, so that marking again starts from it.
            if (!item->data(Qt::UserRole).isValid())
                item->setData(Qt::UserRole, item->toolTip());
            const QString ownTip = item->data(Qt::UserRole).toString();
            item->setData(Qt::BackgroundRole,
                          note.recent ? QVariant(HymnIndexSource::recentColour()) : QVariant());
            item->setData(Qt::AccessibleDescriptionRole,
                          note.recent ? QVariant(note.text) : QVariant());
            // The day names are the pastor's own: escaped, so that one like markup stays text.
            const QString bothTips = (ownTip + u'\n' + note.text).toHtmlEscaped();
            item->setToolTip(note.recent ? u"<p style='white-space:pre'>%1</p>"_s.arg(bothTips)
                                         : ownTip);
        }
    }
}

QString HymnPlanDialog::proposedFileName(const QString &extension) const
{
    return u"Liedplan %1 bis %2.%3"_s.arg(dateText(m_plan.from), dateText(m_plan.to), extension);
}

void HymnPlanDialog::print()
{
    // Nine columns fit across the page only in landscape; the printer is the window's, so the
    // order and the lector's readings keep their own orientation afterwards.
    const QPageLayout::Orientation before = m_printer.pageLayout().orientation();
    const auto restore = qScopeGuard([this, before] { m_printer.setPageOrientation(before); });
    m_printer.setPageOrientation(QPageLayout::Landscape);
    const QString beforeFile = m_printer.outputFileName();
    printeravailability::proposeFile(m_printer, hymnplan::title(m_plan),
                                     pdfnames::hymnPlanFileName(m_plan.from, m_plan.to));
    if (!m_dialogs.setupPrinter(m_printer, Dialogs::PrinterPurpose::Print)) {
        m_printer.setOutputFileName(beforeFile);
        return;
    }
    QTextDocument document;
    hymnplan::fillDocument(document, m_plan);
    if (printeravailability::printOrSay(
            m_dialogs, m_printer, document, hymnplan::title(m_plan),
            orderprint::pageRectFor(orderprint::metricsOf(m_printer)),
            u"Der Liedplan konnte nicht gedruckt werden (Drucker: %1)."_s))
        m_ui->lblLiedplanStatus->setText(
            u"Der Liedplan wurde %1 gedruckt."_s.arg(printeravailability::destination(m_printer)));
}

void HymnPlanDialog::saveFile(const QString &title, const QString &filter, const QString &extension,
                              const QByteArray &bytes)
{
    FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.defaultExtension = extension;
    request.initialDir = QDir(m_dataDir).exists() ? m_dataDir : QDir::homePath();
    request.fileName = proposedFileName(extension);
    const QString path = m_dialogs.saveFileName(request);
    if (path.isEmpty())
        return;
    if (const Result<> written = safewrite::writeWhole(path, bytes); !written)
        m_dialogs.error(written.error());
}

void HymnPlanDialog::saveCsv()
{
    saveFile(u"Liedplan als CSV speichern"_s, u"CSV-Dateien|*.csv|Alle Dateien|*.*"_s, u"csv"_s,
             hymnplan::toCsv(m_plan));
}

void HymnPlanDialog::saveICal()
{
    saveFile(u"Liedplan als Kalenderdatei speichern"_s, u"Kalenderdateien|*.ics|Alle Dateien|*.*"_s,
             u"ics"_s, hymnplan::toICal(m_plan, QDateTime::currentDateTimeUtc()));
}

void HymnPlanDialog::sendMail()
{
    const hymnplan::MailLink link
        = hymnplan::mailtoLink(m_plan, m_ui->txtPlanEmpfaenger->text().trimmed());
    if (m_dialogs.openExternally(QUrl::fromEncoded(link.url.toLatin1(), QUrl::StrictMode))) {
        if (link.servicesLeftOut > 0)
            m_dialogs.message(
                u"Der Liedplan ist für eine E-Mail zu lang: Die letzten %1 Gottesdienste sind in "
                u"der E-Mail weggelassen (sie sagt es am Ende). Drucken Sie den Plan oder "
                u"speichern Sie ihn als CSV- oder Kalenderdatei, um ihn vollständig "
                u"weiterzugeben."_s.arg(link.servicesLeftOut));
        return;
    }
    // Without a mail program the whole plan goes out as text through the clipboard.
    const int copy = m_dialogs.askChoice(
        u"Auf diesem Rechner ist kein E-Mail-Programm eingerichtet, das den Liedplan übernehmen "
        u"könnte. Sie können den Text des Plans in die Zwischenablage kopieren und in jedes "
        u"E-Mail-Programm einfügen, auch in das E-Mail-Postfach im Browser."_s,
        { u"Text kopieren"_s, u"Abbrechen"_s }, u"Per E-Mail senden"_s);
    if (copy != 0)
        return;
    QGuiApplication::clipboard()->setText(hymnplan::toPlainText(m_plan));
    m_ui->lblLiedplanStatus->setText(u"Text kopiert – in jedes E-Mail-Programm einfügen"_s);
}
