#include "gui/HistoryTab.h"

#include "base/Clock.h"
#include "base/DataFolder.h"
#include "calendar/DayEntry.h"
#include "calendar/FormerDayNames.h"
#include "gui/DateTyping.h"
#include "gui/HymnIndexSource.h"
#include "gui/PreparationDocument.h"
#include "gui/StatusHelp.h"
#include "storage/HymnKey.h"
#include "storage/ProgramSettings.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace {

constexpr int kSortRole = Qt::UserRole;
constexpr int kPathRole = Qt::UserRole + 1;

// A cell shown as plain text (the views never render markup) with what it sorts by.
QStandardItem *cell(const QString &text, const QVariant &sortKey = {})
{
    auto *item = new QStandardItem(text);
    item->setEditable(false);
    item->setData(sortKey.isValid() ? sortKey : QVariant(text.toCaseFolded()), kSortRole);
    return item;
}

QTreeView *table(QWidget *parent, const char *name, const QString &accessibleName,
                 const QString &tip)
{
    auto *view = new QTreeView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setAccessibleName(accessibleName);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setAlternatingRowColors(true);
    view->setSortingEnabled(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setToolTip(tip);
    // Every column becomes as wide as its widest text once the tab is shown (finishForShowing);
    // what does not fit the window is reached by scrolling sideways.
    view->header()->setStretchLastSection(false);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return view;
}

// A hymn as a cell: shown as written, sorted by book, number and the rest.
QStandardItem *hymnCell(const QString &hymn)
{
    return cell(hymn, hymnkey::sortKey(hymn));
}

// The proxy gets its source when the tab is first shown (finishForShowing): joining the two
// is a good part of the tab's start-up cost, and until then there is nothing to sort.
QSortFilterProxyModel *sortedModel(QObject *parent)
{
    auto *proxy = new QSortFilterProxyModel(parent);
    proxy->setSortRole(kSortRole);
    proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    proxy->setFilterKeyColumn(-1);
    return proxy;
}

QString unreadableText(qsizetype count)
{
    if (count == 0)
        return {};
    if (count == 1)
        return QStringLiteral("1 Datei konnte nicht gelesen werden");
    return QStringLiteral("%1 Dateien konnten nicht gelesen werden").arg(count);
}

} // namespace

HistoryTab::HistoryTab(const PreparationDocument &document, QWidget *parent)
    : QWidget(parent)
    , m_document(document)
{
    setObjectName(QStringLiteral("tshVerlauf"));
    auto *layout = new QVBoxLayout(this);
    auto *splitter = new QSplitter(Qt::Vertical, this);
    layout->addWidget(splitter);

    // Upper part: the saved preparations of the chosen day.
    auto *dayPart = new QWidget(splitter);
    auto *dayLayout = new QVBoxLayout(dayPart);
    dayLayout->setContentsMargins(0, 0, 0, 0);
    lblVerlaufTag = new QLabel(dayPart);
    lblVerlaufTag->setObjectName(QStringLiteral("lblVerlaufTag"));
    lblVerlaufTag->setTextFormat(Qt::PlainText);
    dayLayout->addWidget(lblVerlaufTag);
    m_preparations = new QStandardItemModel(0, 10, this);
    m_preparations->setHorizontalHeaderLabels(
        { QStringLiteral("Predigtreihe"), QStringLiteral("Gottesdienst"),
          QStringLiteral("Gespeichert"), QStringLiteral("Predigttext"),
          QStringLiteral("Eingangslied"), QStringLiteral("Wochenlied"),
          QStringLiteral("Vorpredigtslied"), QStringLiteral("Kollektenlied"),
          QStringLiteral("Ausgangslied"), QStringLiteral("Datei") });
    grdVorbereitungen
        = table(dayPart, "grdVorbereitungen", QStringLiteral("Gespeicherte Vorbereitungen"),
                QStringLiteral("Frühere Vorbereitungen dieses Tages: Doppelklick öffnet sie"));
    grdVorbereitungen->setModel(sortedModel(this));
    grdVorbereitungen->sortByColumn(1, Qt::DescendingOrder);
    dayLayout->addWidget(grdVorbereitungen);
    lblVerlaufTag->setBuddy(grdVorbereitungen);
    splitter->addWidget(dayPart);

    // Lower part: the hymns of a period.
    auto *grpLiederVerlauf = new QGroupBox(QStringLiteral("Lieder im Zeitraum"), splitter);
    grpLiederVerlauf->setObjectName(QStringLiteral("grpLiederVerlauf"));
    auto *hymnLayout = new QVBoxLayout(grpLiederVerlauf);
    auto *filterRow = new QHBoxLayout;
    const QDate today = appclock::today();
    auto dateEdit = [&](const char *name, const QString &accessibleName, const QDate &date,
                        const QString &tip) {
        auto *edit = new QDateEdit(date, grpLiederVerlauf);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setAccessibleName(accessibleName);
        edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        edit->setCalendarPopup(true);
        edit->setToolTip(tip);
        datetyping::install(*edit);
        return edit;
    };
    dtpVon = dateEdit("dtpVon", QStringLiteral("Von"), today.addMonths(-12),
                      QStringLiteral("Erster Tag des Zeitraums (Datum des Gottesdienstes)"));
    // The period ends a year ahead, so that the services already prepared (the hymns just
    // chosen for Advent) count with those sung in the past year.
    dtpBis = dateEdit("dtpBis", QStringLiteral("Bis"), today.addYears(1),
                      QStringLiteral("Letzter Tag des Zeitraums (Datum des Gottesdienstes)"));
    txtLiedFilter = new QLineEdit(grpLiederVerlauf);
    txtLiedFilter->setObjectName(QStringLiteral("txtLiedFilter"));
    txtLiedFilter->setPlaceholderText(QStringLiteral("Filter"));
    txtLiedFilter->setAccessibleName(QStringLiteral("Filter"));
    txtLiedFilter->setToolTip(
        QStringLiteral("Nur Lieder und Tage zeigen, die diesen Text enthalten"));
    for (QDateEdit *edit : { dtpVon, dtpBis }) {
        auto *label = new QLabel(edit->accessibleName() + u':', grpLiederVerlauf);
        label->setBuddy(edit);
        filterRow->addWidget(label);
        filterRow->addWidget(edit);
    }
    filterRow->addSpacing(12);
    filterRow->addWidget(txtLiedFilter, 1);
    hymnLayout->addLayout(filterRow);
    m_hymns = new QStandardItemModel(0, 3, this);
    m_hymns->setHorizontalHeaderLabels(
        { QStringLiteral("Lied"), QStringLiteral("Anzahl"), QStringLiteral("Tage") });
    m_hymnFilter = sortedModel(this);
    grdLieder = table(grpLiederVerlauf, "grdLieder", grpLiederVerlauf->title(),
                      QStringLiteral("Wie oft welches Lied gesungen wurde: ein Klick auf eine "
                                     "Spaltenüberschrift sortiert"));
    grdLieder->setModel(m_hymnFilter);
    grdLieder->sortByColumn(1, Qt::DescendingOrder);
    hymnLayout->addWidget(grdLieder);
    splitter->addWidget(grpLiederVerlauf);

    lblVerlaufStatus = new QLabel(this);
    lblVerlaufStatus->setObjectName(QStringLiteral("lblVerlaufStatus"));
    lblVerlaufStatus->setTextFormat(Qt::PlainText);
    btnLiedplan = new QPushButton(QStringLiteral("Liedplan …"), this);
    btnLiedplan->setObjectName(QStringLiteral("btnLiedplan"));
    btnLiedplan->setAccessibleName(QStringLiteral("Liedplan"));
    btnLiedplan->setToolTip(
        QStringLiteral("Die Lieder der nächsten Gottesdienste für den "
                       "Organisten: drucken, speichern oder per E-Mail senden"));
    btnLiederverzeichnis = new QPushButton(QStringLiteral("Liederverzeichnis einlesen …"), this);
    btnLiederverzeichnis->setObjectName(QStringLiteral("btnLiederverzeichnis"));
    btnLiederverzeichnis->setAccessibleName(QStringLiteral("Liederverzeichnis einlesen"));
    btnLiederverzeichnis->setToolTip(
        QStringLiteral("Nummern und Titel aus einer CSV-Datei der Gemeinde bekannt machen"));
    spnWiederholungWochen = new QSpinBox(this);
    spnWiederholungWochen->setObjectName(QStringLiteral("spnWiederholungWochen"));
    spnWiederholungWochen->setAccessibleName(QStringLiteral("Wiederholung markieren bis"));
    spnWiederholungWochen->setToolTip(
        QStringLiteral("Ein Lied, das so viele Wochen vor dem Gottesdienst oder kürzer gesungen "
                       "wurde, wird in den Liedfeldern und im Liedplan markiert"));
    spnWiederholungWochen->setSuffix(QStringLiteral(" Wochen"));
    spnWiederholungWochen->setEnabled(false);
    auto *weeksLabel = new QLabel(QStringLiteral("Wiederholung markieren bis:"), this);
    weeksLabel->setBuddy(spnWiederholungWochen);
    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(lblVerlaufStatus, 1);
    statusRow->addWidget(weeksLabel);
    statusRow->addWidget(spnWiederholungWochen);
    statusRow->addWidget(btnLiederverzeichnis);
    statusRow->addWidget(btnLiedplan);
    layout->addLayout(statusRow);
    connect(btnLiedplan, &QPushButton::clicked, this, &HistoryTab::hymnPlanRequested);
    connect(btnLiederverzeichnis, &QPushButton::clicked, this, &HistoryTab::hymnListRequested);

    connect(grdVorbereitungen, &QTreeView::doubleClicked, this, &HistoryTab::openPreparation);
    connect(dtpVon, &QDateEdit::dateChanged, this, &HistoryTab::fillHymns);
    connect(dtpBis, &QDateEdit::dateChanged, this, &HistoryTab::fillHymns);
    connect(txtLiedFilter, &QLineEdit::textChanged, m_hymnFilter,
            &QSortFilterProxyModel::setFilterFixedString);

    for (QWidget *w : std::initializer_list<QWidget *> {
             this, grpLiederVerlauf, grdVorbereitungen, grdVorbereitungen->viewport(), dtpVon,
             dtpBis, txtLiedFilter, grdLieder, grdLieder->viewport() }) {
        w->installEventFilter(this);
        w->setMouseTracking(true);
    }
}

HistoryTab::~HistoryTab() = default;

void HistoryTab::setHymnIndex(HymnIndexSource &source)
{
    spnWiederholungWochen->setRange(programsettings::kMinRepeatWeeks,
                                    programsettings::kMaxRepeatWeeks);
    spnWiederholungWochen->setValue(source.repeatWeeks());
    spnWiederholungWochen->setEnabled(true);
    connect(spnWiederholungWochen, &QSpinBox::valueChanged, this, [this, &source](int weeks) {
        if (const Result<> kept = source.setRepeatWeeks(weeks); !kept)
            emit statusText(kept.error());
    });
}

void HistoryTab::finishForShowing()
{
    // Measuring every header and cell is a text layout of each, the filter's clear button
    // reads its icon from an image file, and joining the tables to their sorted views takes a
    // good part of the tab's building: not worth doing at start-up for a tab that may never
    // be opened, so both wait until the tab is first shown.
    if (txtLiedFilter->isClearButtonEnabled())
        return;
    txtLiedFilter->setClearButtonEnabled(true);
    static_cast<QSortFilterProxyModel *>(grdVorbereitungen->model())
        ->setSourceModel(m_preparations);
    m_hymnFilter->setSourceModel(m_hymns);
    for (QTreeView *view : { grdVorbereitungen, grdLieder })
        view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void HistoryTab::refresh()
{
    finishForShowing();
    const quint64 generation = ++m_generation;
    lblVerlaufStatus->setText(QStringLiteral("Die gespeicherten Vorbereitungen werden gelesen …"));
    auto *watcher = new QFutureWatcher<history::Scan>(this);
    connect(watcher, &QFutureWatcher<history::Scan>::finished, this,
            [this, watcher, generation] { scanFinished(watcher, generation); });
    watcher->setFuture(
        QtConcurrent::run(&history::scanDataFolder, datafolder::path(), history::Reading::Whole));
}

void HistoryTab::scanFinished(QFutureWatcher<history::Scan> *watcher, quint64 generation)
{
    watcher->deleteLater();
    // A newer reading has been started since: its result is the one to show.
    if (generation != m_generation)
        return;
    m_scan = std::make_shared<const history::Scan>(watcher->result());
    fillPreparations();
    fillHymns();
    lblVerlaufStatus->setText(unreadableText(m_scan->unreadable.size()));
    // File names are the user's own: escaped, so that a name that looks like markup stays text.
    lblVerlaufStatus->setToolTip(QStringLiteral("<p style='white-space:pre'>%1</p>")
                                     .arg(m_scan->unreadable.join(u'\n').toHtmlEscaped()));
    emit filled();
}

void HistoryTab::fillPreparations()
{
    const QString day = dayentry::panelDayName(m_document.dayCaption());
    lblVerlaufTag->setText(QStringLiteral("Gespeicherte Vorbereitungen für „%1“:").arg(day));
    m_preparations->removeRows(0, m_preparations->rowCount());
    if (!m_scan)
        return;
    const QStringList former = churchyear::FormerDayNames(
        QDate::fromString(m_document.dayStamp(), QStringLiteral("yyyyMMdd")), day);
    for (const history::SavedPreparation &saved :
         history::preparationsOfDay(*m_scan, day, former, m_document.preparation().series)) {
        const Preparation &p = saved.preparation;
        QList<QStandardItem *> row;
        // A file saved before the service date was kept in it has none to show; it sorts by
        // the day it was saved.
        row << cell(p.series)
            << cell(history::dateText(saved.serviceDate()),
                    saved.effectiveDate().toString(QStringLiteral("yyyyMMdd"))
                        + saved.saved.toString(Qt::ISODate))
            << cell(saved.saved.toString(QStringLiteral("dd.MM.yyyy HH:mm")), saved.saved)
            << cell(p.predigttext);
        for (const QString &hymn : history::hymnsOf(p))
            row << hymnCell(hymn);
        row << cell(saved.relativePath);
        row.first()->setData(saved.path, kPathRole);
        m_preparations->appendRow(row);
    }
    grdVorbereitungen->sortByColumn(grdVorbereitungen->header()->sortIndicatorSection(),
                                    grdVorbereitungen->header()->sortIndicatorOrder());
}

void HistoryTab::fillHymns()
{
    m_hymns->removeRows(0, m_hymns->rowCount());
    if (!m_scan)
        return;
    const QList<history::HymnUse> uses = history::hymnUses(*m_scan, dtpVon->date(), dtpBis->date());
    for (const history::HymnCount &count : history::countHymns(uses)) {
        QStandardItem *days = cell(count.days.join(QStringLiteral("; ")));
        // Day names are the user's own: escaped, so that one that looks like markup stays text.
        days->setToolTip(QStringLiteral("<p style='white-space:pre'>%1</p>")
                             .arg(count.days.join(u'\n').toHtmlEscaped()));
        m_hymns->appendRow(
            { hymnCell(count.hymn), cell(QString::number(count.count), count.count), days });
    }
    grdLieder->sortByColumn(grdLieder->header()->sortIndicatorSection(),
                            grdLieder->header()->sortIndicatorOrder());
}

void HistoryTab::openPreparation(const QModelIndex &index)
{
    const auto *proxy = static_cast<const QSortFilterProxyModel *>(grdVorbereitungen->model());
    const QModelIndex source = proxy->mapToSource(index);
    const QString path = m_preparations->item(source.row(), 0)->data(kPathRole).toString();
    if (!path.isEmpty())
        emit openRequested(path);
}

bool HistoryTab::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        QObject *control = watched;
        if (auto *w = qobject_cast<QWidget *>(watched);
            w && (w == grdVorbereitungen->viewport() || w == grdLieder->viewport()))
            control = w->parentWidget();
        if (const auto text = statusHelpText(control->objectName()))
            emit statusText(*text);
    }
    return QWidget::eventFilter(watched, event);
}
