#include "gui/FrmMain.h"

#include "base/Clock.h"
#include "base/DataFolder.h"
#include "base/DataPaths.h"
#include "calendar/ChurchYear.h"
#include "gui/ChurchYearCalendarMenu.h"
#include "gui/DayPanel.h"
#include "gui/DrawnIcons.h"
#include "gui/HistoryTab.h"
#include "gui/HymnIndexSource.h"
#include "gui/LiturgyPage.h"
#include "gui/OrdinaryPage.h"
#include "gui/PassagePage.h"
#include "gui/ProperPage.h"
#include "gui/QtDialogs.h"
#include "gui/StatusHelp.h"
#include "gui/UpdateCheck.h"
#include "order/OrderText.h"
#include "storage/OrderSettingsFile.h"
#include "storage/ServiceOrderFile.h"
#include "ui_FrmMain.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStatusTipEvent>
#include <QTimer>

namespace {

// The captions of the tabs after "Proprium", whose pages may be built after the first frame.
const QString kHiddenTabs[] = { QStringLiteral("Ordinarium"), QStringLiteral("Liturgie"),
                                QStringLiteral("Perikope"), QStringLiteral("Verlauf") };

// Where the tab widget keeps its pages. Each page is built there: a page given its parent only
// when added would pass a font change through all its fields and lay out their texts again.
QStackedWidget *pageStack(QTabWidget &tabs)
{
    return tabs.findChild<QStackedWidget *>(QString(), Qt::FindDirectChildrenOnly);
}

// The tab widget sizes a page when it first shows it; until then the page has the size of the
// whole tab widget, as near to its own as is known (a new child widget would be tiny, with its
// fields piled up in it).
void fitToTabs(const QTabWidget &tabs, QWidget &page)
{
    page.resize(tabs.size());
}

// Day names and series from stored preparations and typed day entries reach labels: a label
// shows them as text, never renders them as markup. The typing field of an editable selector
// is what takes the focus: it is announced by the selector's name.
void prepareTexts(QWidget &root)
{
    for (QLabel *label : root.findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    for (QComboBox *combo : root.findChildren<QComboBox *>())
        if (QLineEdit *edit = combo->lineEdit())
            edit->setAccessibleName(combo->accessibleName());
}

// Whether path is a version of the day's file kept beside it ("3 Ostersonntag (2).ini" beside
// "3 Ostersonntag.ini"), as "Als neue Datei speichern" leaves it: saving goes on there.
bool keptBeside(const QString &dayFile, const QString &path)
{
    const QFileInfo day(dayFile);
    const QFileInfo version(path);
    return !path.isEmpty() && version.absolutePath() == day.absolutePath()
        && version.suffix() == day.suffix()
        && version.completeBaseName().startsWith(day.completeBaseName() + QStringLiteral(" ("));
}

} // namespace

TfrmMain::TfrmMain(std::unique_ptr<Dialogs> dialogs, StartOptions options, QWidget *parent)
    // The window's flags are set before its children exist: setting them later would reparent
    // the window and send every child a font change.
    : QMainWindow(parent,
                  Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                      | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_ui(std::make_unique<Ui::TfrmMain>())
    , m_dialogs(std::move(dialogs))
    , m_options(options)
{
    if (!m_dialogs)
        m_dialogs = std::make_unique<QtDialogs>(this);
    m_document = new PreparationDocument(this);
    m_ui->setupUi(this);
    buildPages();
    connectPages();
    prepareTexts(*this);
    connectToolBar();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    if (!m_options.hiddenPagesAfterFirstFrame)
        buildHiddenPages();
    startUp();
    m_constructed = true;
    reportComplete();
    // A window that is never drawn (kept minimized, say) gets its pages all the same.
    if (!m_ordinaryPage)
        QTimer::singleShot(1000, this, &TfrmMain::buildHiddenPages);
}

void TfrmMain::reportComplete()
{
    // Once: the constructor reports when the pages are built by then, the building of the
    // hidden pages when it comes later (it runs only once).
    if (m_constructed && m_ordinaryPage && m_options.complete)
        m_options.complete();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::buildPages()
{
    Dialogs &dialogs = *m_dialogs;
    PreparationDocument &document = *m_document;
    m_dayPanel = new DayPanel(document, *m_ui->lblTagesname, *m_ui->lblPredigtreihe,
                              *m_ui->lblPredigtreiheWert, this);
    QTabWidget *tabs = m_ui->pclPageControl;
    m_properPage = new ProperPage(document, dialogs, pageStack(*tabs));
    tabs->addTab(m_properPage, QStringLiteral("Proprium"));
    fitToTabs(*tabs, *m_properPage);
    // The other tabs hold empty pages until their own are built.
    for (const QString &caption : kHiddenTabs)
        tabs->addTab(new QWidget(pageStack(*tabs)), caption);
    m_updateCheck = new UpdateCheck(dialogs, this);
    churchyearmenu::install(*m_ui->cmbTag, dialogs);
}

void TfrmMain::buildHiddenPages()
{
    if (m_ordinaryPage)
        return;
    Dialogs &dialogs = *m_dialogs;
    PreparationDocument &document = *m_document;
    QTabWidget *tabs = m_ui->pclPageControl;
    QStackedWidget *stack = pageStack(*tabs);
    m_ordinaryPage = new OrdinaryPage(dialogs, stack);
    m_liturgyPage = new LiturgyPage(document, dialogs, stack);
    m_passagePage = new PassagePage(document, dialogs, stack);
    m_historyPage = new HistoryTab(document, stack);
    {
        // The empty pages give way without the tab widget reporting a change of tab: the tab
        // chosen stays chosen, now with its page.
        const QSignalBlocker blocker(tabs);
        const int current = tabs->currentIndex();
        QWidget *const pages[] = { m_ordinaryPage, m_liturgyPage, m_passagePage, m_historyPage };
        for (int i = 0; i < 4; ++i) {
            QWidget *empty = tabs->widget(i + 1);
            tabs->removeTab(i + 1);
            tabs->insertTab(i + 1, pages[i], kHiddenTabs[i]);
            delete empty;
            fitToTabs(*tabs, *pages[i]);
        }
        tabs->setCurrentIndex(current);
    }
    connectHiddenPages();
    // The hymn fields' help and the hymn index come with the hidden pages, after the first
    // frame: the index is read on a worker thread from now on.
    m_hymnIndex = new HymnIndexSource(datafolder::path(), this);
    m_properPage->setHymnIndex(*m_hymnIndex);
    m_historyPage->setHymnIndex(*m_hymnIndex);
    m_hymnIndex->request();
    for (QWidget *page : std::initializer_list<QWidget *> { m_ordinaryPage, m_liturgyPage,
                                                            m_passagePage, m_historyPage })
        prepareTexts(*page);
    finishStartUp();
    reportComplete();
}

OrdinaryPage &TfrmMain::ordinaryPage()
{
    buildHiddenPages();
    return *m_ordinaryPage;
}

LiturgyPage &TfrmMain::liturgyPage()
{
    buildHiddenPages();
    return *m_liturgyPage;
}

PassagePage &TfrmMain::passagePage()
{
    buildHiddenPages();
    return *m_passagePage;
}

HistoryTab &TfrmMain::historyPage()
{
    buildHiddenPages();
    return *m_historyPage;
}

void TfrmMain::firstFrameShown()
{
    if (m_options.firstFrameShown)
        m_options.firstFrameShown();
    buildHiddenPages();
}

void TfrmMain::connectPages()
{
    PreparationDocument &document = *m_document;
    const auto status = [this](const QString &text) { m_ui->Status->showMessage(text); };
    connect(m_properPage, &ProperPage::statusText, this, status);
    auto *help = new StatusHelpFilter(status, this);
    help->watch({ centralWidget(), m_ui->SpeedPanel, m_ui->BtnNew, m_ui->BtnOpen, m_ui->btnSave,
                  m_ui->btnCopyright, m_ui->BtnHilfe, m_ui->BtnFeedback, m_ui->BtnExit });
    help->watchFocus(m_ui->cmbTag);

    connect(&document, &PreparationDocument::modifiedChanged, this, &TfrmMain::setWindowModified);
    connect(&document, &PreparationDocument::fileLoading, this, &TfrmMain::showFileTitle);

    connect(m_properPage, &ProperPage::passageRequested, this, &TfrmMain::showPassage);
    connect(m_properPage, &ProperPage::sermonDocumentRequested, this,
            &TfrmMain::openSermonDocument);
    connect(m_updateCheck, &UpdateCheck::quitRequested, this, &TfrmMain::close);

    // The history follows the chosen day and what was saved or opened; reading waits until
    // the tab is looked at. The day is loaded first. A tab chosen before its page is built
    // gets it at once.
    connect(m_ui->pclPageControl, &QTabWidget::currentChanged, this, [this](int index) {
        if (index > 0)
            buildHiddenPages();
        QWidget *page = m_ui->pclPageControl->widget(index);
        if (page == m_historyPage)
            m_historyPage->refresh();
        else if (page == m_passagePage)
            m_passagePage->tabShown(!m_showingPassage);
    });
    connect(m_ui->cmbTag, &QComboBox::currentTextChanged, this, &TfrmMain::refreshHistoryIfShown,
            Qt::QueuedConnection);
}

void TfrmMain::connectHiddenPages()
{
    const auto status = [this](const QString &text) { m_ui->Status->showMessage(text); };
    connect(m_ordinaryPage, &OrdinaryPage::statusText, this, status);
    connect(m_liturgyPage, &LiturgyPage::statusText, this, status);
    connect(m_historyPage, &HistoryTab::statusText, this, status);
    m_liturgyPage->setOrderSources([this](ordertext::OrderInput &input) {
        m_ordinaryPage->fillOrderInput(input);
        input.dayEntry = m_ui->cmbTag->currentText();
    });
    connect(m_liturgyPage, &LiturgyPage::compiling, this, [this] {
        m_ui->pclPageControl->setCurrentWidget(m_ordinaryPage);
        m_ui->pclPageControl->setCurrentWidget(m_liturgyPage);
    });
    addAction(m_liturgyPage->printAction());
    connect(m_historyPage, &HistoryTab::openRequested, this, &TfrmMain::openSavedPreparation);
    connect(m_historyPage, &HistoryTab::hymnPlanRequested, this, &TfrmMain::openHymnPlan);
    connect(m_historyPage, &HistoryTab::hymnListRequested, this, &TfrmMain::openHymnList);
    connect(m_passagePage, &PassagePage::lectorRequested, this, &TfrmMain::openLectorReadings);
    connect(m_updateCheck, &UpdateCheck::emptyCachesRequested, m_passagePage,
            &PassagePage::clearCache);
}

void TfrmMain::connectToolBar()
{
    // The buttons take text, tooltip, status tip and key from their actions; the window holds
    // the actions too, so that the keys work wherever the focus is.
    const std::tuple<QToolButton *, QAction *, DrawnIcon> buttons[] = {
        { m_ui->BtnNew, m_ui->actNew, DrawnIcon::New },
        { m_ui->BtnOpen, m_ui->actOpen, DrawnIcon::Open },
        { m_ui->btnSave, m_ui->actSave, DrawnIcon::Save },
        { m_ui->btnCopyright, m_ui->actCopyright, DrawnIcon::Information },
        { m_ui->BtnHilfe, m_ui->actHilfe, DrawnIcon::Help },
        { m_ui->BtnFeedback, m_ui->actFeedback, DrawnIcon::Mail },
        { m_ui->BtnExit, m_ui->actExit, DrawnIcon::Close },
    };
    for (const auto &[button, action, icon] : buttons) {
        action->setIcon(drawnIcon(icon));
        const QString accessibleName = button->accessibleName();
        button->setDefaultAction(action);
        button->setAccessibleName(accessibleName);
        addAction(action);
    }
    connect(m_ui->actNew, &QAction::triggered, this, [this] {
        buildHiddenPages();
        newPreparation();
    });
    connect(m_ui->actOpen, &QAction::triggered, this, &TfrmMain::openPreparation);
    connect(m_ui->actSave, &QAction::triggered, this, &TfrmMain::savePreparation);
    connect(m_ui->actCopyright, &QAction::triggered, this, &TfrmMain::showVersion);
    connect(m_ui->actHilfe, &QAction::triggered, this, &TfrmMain::showHelp);
    connect(m_ui->actFeedback, &QAction::triggered, this, &TfrmMain::giveFeedback);
    connect(m_ui->actExit, &QAction::triggered, this, &TfrmMain::close);
    for (QAction *action : { m_ui->actNew, m_ui->actOpen, m_ui->actSave })
        connect(action, &QAction::triggered, this, &TfrmMain::refreshHistoryIfShown,
                Qt::QueuedConnection);
}

bool TfrmMain::event(QEvent *event)
{
    // The hidden pages follow the first frame: the zero timer runs once the frame is on the
    // screen, before any input that came after it.
    if (event->type() == QEvent::Paint && !m_firstFramePainted) {
        m_firstFramePainted = true;
        QTimer::singleShot(0, this, &TfrmMain::firstFrameShown);
    }
    // Leaving a tool-bar button would clear the status bar; the last text stays instead, as
    // for every other control.
    if (event->type() == QEvent::StatusTip
        && static_cast<QStatusTipEvent *>(event)->tip().isEmpty())
        return true;
    return QMainWindow::event(event);
}

bool TfrmMain::run(const Result<> &result)
{
    if (!result)
        m_dialogs->error(result.error());
    return result.ok();
}

void TfrmMain::startUp()
{
    // Any step's error ends the start-up sequence; the window still opens with what was
    // prepared so far.
    run([this]() -> Result<> {
        if (!m_options.skipUpdateCheck)
            m_updateCheck->check(false);
        if (const Result<> prepared = datafolder::PrepareSeriesFolders(); !prepared)
            return prepared;
        const QDate today = appclock::today();
        fillDayList(today);
        selectComingDay(today);
        m_ui->cmbTag->setToolTip(today.toString(QStringLiteral("yyyy")));
        newPreparation();
        // The rest fills the hidden pages; it waits for them when they are not built yet.
        m_startUpUnfinished = true;
        return {};
    }());
    finishStartUp();
}

void TfrmMain::finishStartUp()
{
    if (!m_startUpUnfinished || !m_ordinaryPage)
        return;
    m_startUpUnfinished = false;
    run([this]() -> Result<> {
        if (const Result<> loaded = m_ordinaryPage->loadTextFiles(); !loaded)
            return loaded;
        m_document->setBasicForm(0);
        return m_document->restoreOrderSettings();
    }());
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    if (!m_closing) {
        buildHiddenPages();
        m_closing = true;
        if (!mayDiscardChanges(Leaving::Program)) {
            m_closing = false;
            event->ignore();
            return;
        }
        // Only the program's own caches are emptied: the web view's.
        passagePage().clearCache();
        QCoreApplication::processEvents();
    }
    event->accept();
}

bool TfrmMain::mayDiscardChanges(Leaving leaving)
{
    if (!m_document->isModified())
        return true;
    // Closing asks as it always has; putting the preparation aside for another one (another
    // day, Neu, Öffnen) asks in short.
    const QString question = leaving == Leaving::Program
        ? QStringLiteral("Die letzten Änderungen wurden noch nicht gespeichert. Jetzt speichern?")
        : QStringLiteral("Die Änderungen speichern?");
    switch (m_dialogs->askYesNoCancel(question)) {
    case Dialogs::Answer::Yes:
        savePreparation();
        return !m_document->isModified();
    case Dialogs::Answer::No:
        return true;
    case Dialogs::Answer::Cancel:
        break;
    }
    return false;
}

void TfrmMain::showFileTitle(const QString &path)
{
    // "[*]" marks unsaved changes; one in the path itself is shown as it is.
    QString title = path;
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(title + QStringLiteral("[*]"));
}

void TfrmMain::fillDayList(const QDate &date)
{
    // The day selector reports both a choice from the list and typing; it is connected the
    // first time the list is filled. Filling and selecting by the program load nothing.
    QComboBox *days = m_ui->cmbTag;
    connect(days, &QComboBox::currentTextChanged, this, &TfrmMain::dayChosen, Qt::UniqueConnection);
    const QSignalBlocker blocker(days);
    days->clear();
    days->clearEditText();
    days->addItems(churchyear::FillDayList(date));
    days->setCurrentIndex(-1);
    days->clearEditText();
}

void TfrmMain::selectComingDay(const QDate &today)
{
    QComboBox *days = m_ui->cmbTag;
    QStringList entries;
    entries.reserve(days->count());
    for (int i = 0; i < days->count(); ++i)
        entries.append(days->itemText(i));
    const int index = churchyear::SelectComingDay(entries, today);
    if (index < 0)
        return;
    const QSignalBlocker blocker(days);
    days->setCurrentIndex(index);
    days->setEditText(entries[index]);
}

void TfrmMain::loadDay(const QString &entry)
{
    if (PreparationDocument::namesADay(entry))
        m_shownDayEntry = entry;
    if (const Result<> loaded = m_document->loadDay(entry); !loaded)
        m_dialogs->message(loaded.error());
}

void TfrmMain::dayChosen()
{
    buildHiddenPages();
    QComboBox *days = m_ui->cmbTag;
    const QString entry = days->currentText();
    if (!PreparationDocument::namesADay(entry))
        return;
    if (!mayDiscardChanges()) {
        // The current day stays, and the selector shows it again.
        const QSignalBlocker blocker(days);
        days->setCurrentIndex(days->findText(m_shownDayEntry));
        days->setEditText(m_shownDayEntry);
        return;
    }
    loadDay(entry);
}

void TfrmMain::newPreparation()
{
    if (!mayDiscardChanges())
        return;
    loadDay(m_ui->cmbTag->currentText());
    m_document->setModified(false);
}

void TfrmMain::savePreparation()
{
    buildHiddenPages();
    run([this]() -> Result<> {
        const Preparation current = m_document->preparation();

        // The order settings file first. When neither the program folder nor the per-user
        // overlay takes it, the preparation itself can and should still be saved.
        if (const Result<> settings
            = ordersettings::save({ current.pageFormat, current.ticks, current.sequence });
            !settings)
            m_dialogs->message(settings.error()
                               + QStringLiteral(" Die zuletzt verwendete Reihenfolge wird beim "
                                                "nächsten Start nicht wiederhergestellt; der "
                                                "Gottesdienstablauf kann trotzdem gespeichert "
                                                "werden."));

        FileDialogRequest &request = m_dialogs->remembered(DialogRole::Save);
        request.filter = QStringLiteral("Texte|*.txt|Abläufe|*.ini|Alle Dateien|*.*");
        request.filterIndex = 2;
        request.defaultExtension = QStringLiteral("ini");
        const Result<QString> folder = datafolder::EnterDataFolder();
        if (!folder)
            return folder.failure();
        // A series or day name that would lead out of the data folder names neither the
        // folder nor the file; the user still chooses where the work goes.
        const QString seriesProblem = datapaths::seriesProblem(current.series);
        request.initialDir = *folder;
        if (datapaths::fileNamePartProblem(current.series).isEmpty())
            request.initialDir += u'/' + current.series;
        const Result<QString> proposal
            = serviceorder::proposedFileName(current.dayName, current.series);
        if (!proposal)
            return proposal.failure();
        if (!proposal->isEmpty()) {
            const QString problem = !seriesProblem.isEmpty()
                ? seriesProblem
                : datapaths::fileNamePartProblem(current.dayName);
            if (problem.isEmpty())
                request.fileName
                    = keptBeside(request.initialDir + u'/'
                                     + withDefaultExtension(*proposal, request.defaultExtension),
                                 m_document->watchedPath())
                    ? m_document->watchedPath()
                    : *proposal;
            else
                m_dialogs->message(problem);
        }

        const QString path = m_dialogs->saveFileName(request);
        if (path.isEmpty())
            return {};
        request.fileName = path;
        Result<SaveOutcome> saved = m_document->saveFile(path);
        if (saved && saved->status == SaveOutcome::Status::Asks) {
            // Somebody else changed the file since it was loaded or saved here.
            constexpr SaveChoice choices[]
                = { SaveChoice::Overwrite, SaveChoice::SaveAsNew, SaveChoice::Cancel };
            const int answer = m_dialogs->askChoice(saved->question, WatchedFile::answers());
            saved = m_document->saveFile(path, choices[answer >= 0 && answer < 3 ? answer : 2]);
        }
        if (!saved)
            return saved.failure();
        if (saved->status == SaveOutcome::Status::Saved)
            m_hymnIndex->invalidate();
        if (saved->status == SaveOutcome::Status::Saved && saved->path != path) {
            // Kept beside the other version: the window now shows the new file.
            request.fileName = saved->path;
            showFileTitle(saved->path);
        }
        return {};
    }());
}

void TfrmMain::openPreparation()
{
    buildHiddenPages();
    if (!mayDiscardChanges())
        return;
    QString start = datafolder::path();
    if (!QDir(start).exists())
        start = datafolder::documentsDir();
    if (start.isEmpty())
        start = QDir::currentPath();

    FileDialogRequest &request = m_dialogs->remembered(DialogRole::OpenPreparation);
    request.filter = QStringLiteral("Abläufe|*.ini|Alle Dateien (*.*)|*.*");
    request.defaultExtension = QStringLiteral("ini");
    request.initialDir = start;
    request.mustExist = true;
    const QString path = m_dialogs->openFileName(request);
    if (!path.isEmpty()) {
        request.fileName = path;
        loadPreparation(path);
    }
}

void TfrmMain::openSavedPreparation(const QString &path)
{
    // Unsaved work is asked about as when the program closes; Abbrechen keeps it.
    if (!mayDiscardChanges())
        return;
    // Then exactly what "Öffnen" does with a chosen file.
    m_dialogs->remembered(DialogRole::OpenPreparation).fileName = path;
    loadPreparation(path);
    if (QDir(datafolder::path()).exists())
        QDir::setCurrent(datafolder::path());
    historyPage().refresh();
}

void TfrmMain::loadPreparation(const QString &path)
{
    if (const Result<> loaded = m_document->loadFile(path); !loaded)
        m_dialogs->message(loaded.error());
}

void TfrmMain::refreshHistoryIfShown()
{
    if (m_ui->pclPageControl->currentWidget() == m_historyPage)
        m_historyPage->refresh();
}

void TfrmMain::showPassage(PreparationDocument::Field field, bool byButton)
{
    if (!passagePage().openField(field, byButton))
        return;
    m_showingPassage = true;
    m_ui->pclPageControl->setCurrentWidget(m_passagePage);
    m_showingPassage = false;
}
