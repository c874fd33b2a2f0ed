#include "gui/LiturgyPage.h"

#include "base/TextTrim.h"
#include "calendar/DayColour.h"
#include "gui/Dialogs.h"
#include "gui/OrderTextView.h"
#include "gui/PrinterAvailability.h"
#include "gui/StatusHelp.h"
#include "office/OrderExport.h"
#include "order/BasicForms.h"
#include "order/OrderText.h"
#include "order/PageFormat.h"
#include "order/PrintLayout.h"
#include "storage/LiturgicalTexts.h"
#include "ui_LiturgyPage.h"

#include <QApplication>
#include <QPalette>
#include <QSignalBlocker>
#include <QStyle>

using occasional::Service;

namespace {

int selectedIndex(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

void selectIndex(QListWidget *list, int index)
{
    if (index >= 0 && index < list->count()) {
        list->setCurrentRow(index);
    } else {
        list->setCurrentRow(-1);
        list->clearSelection();
    }
}

QStringList viewLines(const QTextEdit *view)
{
    return view->toPlainText().split(u'\n');
}

} // namespace

LiturgyPage::LiturgyPage(PreparationDocument &document, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::LiturgyPage>())
    , m_document(document)
    , m_dialogs(dialogs)
{
    m_ui->setupUi(this);
    // The button shows the glyph of the current format from the start (drawn, not read from an
    // image file as the style's icons are).
    m_ui->btnSeitenformat->setIcon(
        QIcon(QPixmap::fromImage(pageformat::glyph(document.pageFormat()))));
    {
        const QSignalBlocker blocker(m_ui->cmbGrundform);
        m_ui->cmbGrundform->clear();
        m_ui->cmbGrundform->addItems(basicforms::formNames());
        m_ui->cmbGrundform->setCurrentIndex(0);
    }
    // A page built after the document was filled shows what it holds.
    showBasicForm();
    showSequence();
    showTicks();

    // The box is pick-only: a typed key can never empty it or name no form. Every choice
    // rebuilds the list. Choosing the entry that is already shown changes no text, but counts
    // as a choice all the same (activated); choosing another entry raises both, and both
    // rebuild the same list.
    const auto chooseForm = [this] {
        m_document.chooseBasicForm(basicforms::formPosition(m_ui->cmbGrundform->currentText()));
    };
    connect(m_ui->cmbGrundform, &QComboBox::currentTextChanged, this, chooseForm);
    connect(m_ui->cmbGrundform, &QComboBox::activated, this, chooseForm);
    connect(m_ui->btnUp, &QToolButton::clicked, this, [this] { move(true); });
    connect(m_ui->btnDown, &QToolButton::clicked, this, [this] { move(false); });
    const std::pair<QCheckBox *, Service> ticks[] = {
        { m_ui->chkAbendmahl, Service::Communion },
        { m_ui->chkTaufe, Service::Baptism },
        { m_ui->chkKonfirmation, Service::Confirmation },
        { m_ui->chkTrauung, Service::Wedding },
    };
    for (const auto &[box, service] : ticks)
        connect(box, &QCheckBox::toggled, this, [this, service](bool on) { tick(service, on); });
    connect(m_ui->chkDreiLesungen, &QCheckBox::toggled, &m_document,
            &PreparationDocument::chooseThreeReadings);
    connect(m_ui->btnCompile, &QPushButton::clicked, this, &LiturgyPage::compile);
    connect(m_ui->btnPrinterSetup, &QPushButton::clicked, this,
            [this] { m_dialogs.setupPrinter(printer()); });
    connect(m_ui->btnPrint, &QPushButton::clicked, this, &LiturgyPage::print);
    connect(m_ui->actPrint, &QAction::triggered, m_ui->btnPrint, &QPushButton::click);
    connect(m_ui->btnSeitenformat, &QPushButton::clicked, &m_document,
            &PreparationDocument::togglePageFormat);
    connect(m_ui->btnExport, &QPushButton::clicked, this, &LiturgyPage::exportOrder);

    connect(&document, &PreparationDocument::sequenceChanged, this, &LiturgyPage::showSequence);
    connect(&document, &PreparationDocument::ticksChanged, this, &LiturgyPage::showTicks);
    connect(&document, &PreparationDocument::threeReadingsChanged, this, &LiturgyPage::showTicks);
    connect(&document, &PreparationDocument::basicFormChanged, this, &LiturgyPage::showBasicForm);
    connect(&document, &PreparationDocument::pageFormatChanged, this, &LiturgyPage::showPageFormat);
    // No order is printed or exported for what it was not made from; printing and exporting
    // generate an empty view first.
    connect(&document, &PreparationDocument::orderInputsChanged, m_ui->txtAblauf,
            &QTextEdit::clear);

    auto *help = new StatusHelpFilter([this](const QString &text) { emit statusText(text); }, this);
    help->watch({ this, m_ui->pnlLiturgieMenu, m_ui->lbxReihenfolge, m_ui->btnUp, m_ui->btnDown,
                  m_ui->btnCompile, m_ui->btnPrinterSetup, m_ui->btnPrint, m_ui->btnSeitenformat,
                  m_ui->btnExport, m_ui->txtAblauf });
    help->watchFocus(m_ui->cmbGrundform);
}

LiturgyPage::~LiturgyPage() = default;

QPrinter &LiturgyPage::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>();
    return *m_printer;
}

void LiturgyPage::setOrderSources(std::function<void(ordertext::OrderInput &)> sources)
{
    m_sources = std::move(sources);
}

QAction *LiturgyPage::printAction() const
{
    return m_ui->actPrint;
}

void LiturgyPage::showSequence()
{
    // Reuses the rows the list has; no entry is selected afterwards.
    QListWidget *list = m_ui->lbxReihenfolge;
    const QStringList &entries = m_document.preparation().sequence;
    selectIndex(list, -1);
    const int n = int(entries.size());
    while (list->count() > n)
        delete list->takeItem(list->count() - 1);
    for (int i = 0; i < n; ++i) {
        if (i < list->count()) {
            QListWidgetItem *item = list->item(i);
            if (item->text() != entries.at(i))
                item->setText(entries.at(i));
        } else {
            list->addItem(entries.at(i));
        }
    }
}

void LiturgyPage::showTicks()
{
    const ServiceTicks ticks = m_document.preparation().ticks;
    m_ui->chkAbendmahl->setChecked(ticks.abendmahl);
    m_ui->chkTaufe->setChecked(ticks.taufe);
    m_ui->chkKonfirmation->setChecked(ticks.konfirmation);
    m_ui->chkTrauung->setChecked(ticks.trauung);
    m_ui->chkDreiLesungen->setChecked(m_document.threeReadings());
}

void LiturgyPage::showBasicForm()
{
    // A typed text that names none of the forms stays as typed.
    const int position = m_document.basicForm();
    if (basicforms::formPosition(m_ui->cmbGrundform->currentText()) == position)
        return;
    const QSignalBlocker blocker(m_ui->cmbGrundform);
    m_ui->cmbGrundform->setCurrentIndex(position);
}

void LiturgyPage::showPageFormat()
{
    if (m_glyphs[0].isNull()) {
        m_glyphs[pageformat::kPortrait] = pageformat::glyph(pageformat::kPortrait);
        m_glyphs[pageformat::kLandscape] = pageformat::glyph(pageformat::kLandscape);
    }
    const int format = m_document.pageFormat();
    m_ui->btnSeitenformat->setToolTip(pageformat::hint(format));
    m_ui->btnSeitenformat->setIcon(QIcon(QPixmap::fromImage(m_glyphs[format])));
}

void LiturgyPage::tick(Service service, bool on)
{
    // A block placed into the list keeps the selected entry selected when it is still there;
    // a rebuild, like any rebuild, selects nothing.
    QListWidget *list = m_ui->lbxReihenfolge;
    const int selected = selectedIndex(list);
    const QString selectedName = selected >= 0 ? list->item(selected)->text() : QString();
    if (m_document.chooseTick(service, on) || selected < 0)
        return;
    const QStringList &sequence = m_document.preparation().sequence;
    if (selected < sequence.size() && sequence.at(selected) == selectedName)
        selectIndex(list, selected);
    else
        selectIndex(list, int(sequence.indexOf(selectedName)));
}

void LiturgyPage::move(bool up)
{
    const int selected = selectedIndex(m_ui->lbxReihenfolge);
    const int now = up ? m_document.moveEntryUp(selected) : m_document.moveEntryDown(selected);
    if (now != selected)
        selectIndex(m_ui->lbxReihenfolge, now);
}

void LiturgyPage::compile()
{
    emit compiling();
    m_ui->txtAblauf->clear();
    // Fixed now: choosing another printer later does not move the margins.
    m_pageRect = orderprint::pageRectFor(orderprint::metricsOf(printer()));

    ordertext::OrderInput input;
    static_cast<Preparation &>(input) = m_document.preparation();
    input.dayPanelCaption = m_document.dayCaption();
    // The library gives every colour the flag byte 0x02; a day without a colour is written in
    // the panel's plain background.
    int colour = m_document.dayColour();
    if (colour < 0) {
        const QColor plain = QApplication::palette().color(QPalette::Window);
        colour = ordertext::colourFromRgb(plain.red(), plain.green(), plain.blue());
    }
    input.colour = ordertext::colourFromRgb(daycolour::red(colour), daycolour::green(colour),
                                            daycolour::blue(colour));
    if (m_sources)
        m_sources(input);
    input.textFilePath = &liturgicaltexts::textFilePath;

    const ordertext::OrderText text = ordertext::generate(input);
    // What was written before a text file failed stays in the view.
    ordertext::writeToDocument(*m_ui->txtAblauf->document(), text.lines);
    if (!text.error.isEmpty())
        m_dialogs.error(text.error);
}

void LiturgyPage::print()
{
    // A view that holds text is printed as it stands, with the user's edits; only an empty
    // one is generated first.
    if (m_ui->txtAblauf->toPlainText().isEmpty())
        compile();

    const orderprint::PrinterMetrics metrics = orderprint::metricsOf(printer());
    const QRect twips = orderprint::toTwips(m_pageRect, metrics);
    printeravailability::printOrSay(
        m_dialogs, printer(), *m_ui->txtAblauf->document(), m_document.preparation().dayName,
        orderprint::fromTwips(twips, metrics),
        QStringLiteral("Der Ablauf konnte nicht gedruckt werden (Drucker: %1)."));
}

void LiturgyPage::exportOrder()
{
    // No order generated yet: generate it first.
    if (viewLines(m_ui->txtAblauf).size() < 3)
        compile();
    OrderExportInput input;
    input.lines = viewLines(m_ui->txtAblauf);
    input.elementNames = m_document.preparation().sequence;
    input.pageFormat = m_document.pageFormat();
    const Result<bool> exported = ExportOrder(trimControl(m_document.dayCaption()), input);
    if (!exported)
        m_dialogs.error(exported.error());
    else if (!*exported)
        m_dialogs.message(
            QStringLiteral("Der Ablauf konnte nicht nach LibreOffice exportiert werden!"));
}
