#include "gui/FrmMain.h"

#include "base/Clock.h"
#include "base/DataFolder.h"
#include "base/ProgramInfo.h"
#include "gui/QtDialogs.h"
#include "gui/StatusHelp.h"
#include "gui/WindowShortcuts.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

TfrmMain::TfrmMain(std::unique_ptr<Dialogs> dialogs, StartOptions options, QWidget *parent)
    : QMainWindow(parent)
    , m_dialogs(std::move(dialogs))
    , m_options(options)
{
    if (!m_dialogs)
        m_dialogs = std::make_unique<QtDialogs>(this);
    buildUi();
    // The day panel shows day names and series from stored preparations and from typed day
    // entries: a label must show them as text, never render them as markup.
    for (QLabel *label : findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    connectHandlers();
    installWindowShortcuts(*this);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

TfrmMain::~TfrmMain() = default;

int TfrmMain::Modified() const
{
    return btnSave->property("tag").toInt();
}

void TfrmMain::setModified(int value)
{
    btnSave->setProperty("tag", value);
    setWindowModified(value > 0);
}

bool TfrmMain::mayDiscardChanges()
{
    if (Modified() == 0)
        return true;
    switch (m_dialogs->askYesNoCancel(
        QStringLiteral("Die letzten Änderungen wurden noch nicht gespeichert. Jetzt speichern?"))) {
    case Dialogs::Answer::Yes:
        btnSaveClick();
        return Modified() == 0;
    case Dialogs::Answer::No:
        return true;
    case Dialogs::Answer::Cancel:
        break;
    }
    return false;
}

int TfrmMain::pageFormat() const
{
    return btnSeitenformat->property("tag").toInt();
}

void TfrmMain::setPageFormat(int value)
{
    btnSeitenformat->setProperty("tag", value);
}

void TfrmMain::connectHandlers()
{
    connect(BtnNew, &QToolButton::clicked, this, &TfrmMain::BtnNewClick);
    connect(BtnOpen, &QToolButton::clicked, this, &TfrmMain::BtnOpenClick);
    connect(btnSave, &QToolButton::clicked, this, &TfrmMain::btnSaveClick);
    connect(btnCopyright, &QToolButton::clicked, this, &TfrmMain::btnCopyrightClick);
    connect(BtnHilfe, &QToolButton::clicked, this, &TfrmMain::BtnHilfeClick);
    connect(BtnFeedback, &QToolButton::clicked, this, &TfrmMain::BtnFeedbackClick);
    connect(BtnExit, &QToolButton::clicked, this, &TfrmMain::BtnExitClick);
    connect(tmrClose, &QTimer::timeout, this, &TfrmMain::tmrCloseTimer);

    for (QLineEdit *edit :
         { txtWochenspruch, txtPsalm, txtEpistel, txtEvangelium, txtPredigttext, txtEingangslied,
           txtWochenlied, txtVorpredigtslied, txtKollektenlied, txtAusgangslied })
        connect(edit, &QLineEdit::textChanged, this, &TfrmMain::txtEingangsliedChange);

    for (QPushButton *button :
         { btnOpenPsalm, btnOpenEpistel, btnOpenEvangelium, btnOpenPredigttext })
        connect(button, &QPushButton::clicked, this,
                [this, button] { txtEpistelDblClick(button); });

    connect(btnUp, &QToolButton::clicked, this, &TfrmMain::btnUpClick);
    connect(btnDown, &QToolButton::clicked, this, &TfrmMain::btnDownClick);
    connect(btnCompile, &QPushButton::clicked, this, &TfrmMain::btnCompileClick);
    connect(btnPrinterSetup, &QPushButton::clicked, this, &TfrmMain::btnPrinterSetupClick);
    connect(btnPrint, &QPushButton::clicked, this, &TfrmMain::btnPrintClick);
    connect(btnSeitenformat, &QPushButton::clicked, this, &TfrmMain::btnSeitenformatClick);
    connect(btnExport, &QPushButton::clicked, this, &TfrmMain::btnExportClick);

    // A tick changed by the program runs its handler exactly as a click does; setting a tick
    // to the state it already has runs nothing (toggled fires only on a real change).
    connect(chkAbendmahl, &QCheckBox::toggled, this, &TfrmMain::chkAbendmahlClick);
    connect(chkTaufe, &QCheckBox::toggled, this, &TfrmMain::chkTaufeClick);
    connect(chkKonfirmation, &QCheckBox::toggled, this, &TfrmMain::chkKonfirmationClick);
    connect(chkTrauung, &QCheckBox::toggled, this, &TfrmMain::chkTrauungClick);

    connect(pclPageControl, &QTabWidget::currentChanged, this, &TfrmMain::pclPageControlChange);

    // Controls whose mouse, focus and context events the window handles itself.
    const QList<QWidget *> watched
        = { centralWidget(),   tshProprium,       tshOrdinarium,   tshLiturgie,    grpTexte,
            grpKonstanteTexte, GroupBox1,         pnlLiturgieMenu, SpeedPanel,     BtnNew,
            BtnOpen,           btnSave,           btnCopyright,    BtnHilfe,       BtnFeedback,
            BtnExit,           lblPredigttext,    txtPsalm,        txtEpistel,     txtEvangelium,
            txtPredigttext,    grpLieder,         txtCredo,        txtVaterUnser,  txtSegen,
            txtGloriaPatri,    txtGloriaExcelsis, txtKyrie,        lbxReihenfolge, btnUp,
            btnDown,           btnCompile,        btnPrinterSetup, btnPrint,       btnSeitenformat,
            btnExport,         txtAblauf,         cmbTag,          cmbGrundform };
    for (QWidget *w : watched) {
        w->installEventFilter(this);
        w->setMouseTracking(true);
        // Scroll areas receive their mouse events on the viewport.
        if (auto *area = qobject_cast<QAbstractScrollArea *>(w)) {
            area->viewport()->installEventFilter(this);
            area->viewport()->setMouseTracking(true);
        }
    }
    // The day can be typed; the basic form is only picked from its list.
    cmbTag->lineEdit()->installEventFilter(this);
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    // Events of a scroll area's viewport and of a combo box's edit count as the control's.
    QObject *control = watched;
    if (auto *w = qobject_cast<QWidget *>(watched)) {
        if (auto *area = qobject_cast<QAbstractScrollArea *>(w->parentWidget());
            area && area->viewport() == w)
            control = area;
        else if (auto *combo = qobject_cast<QComboBox *>(w->parentWidget());
                 combo && combo->lineEdit() == w)
            control = combo;
    }

    switch (event->type()) {
    case QEvent::MouseMove:
        // A control that ignores a mouse move (buttons, edits, labels do) passes it on to its
        // parent. Only the control under the mouse explains itself: a move that arrives over
        // a child came from there and must not let a group's background clear the text.
        if (auto *w = qobject_cast<QWidget *>(watched)) {
            const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
            if (!w->rect().contains(at) || w->childAt(at))
                break;
        }
        if (control != cmbTag && control != cmbGrundform) {
            if (const auto text = statusHelpText(control->objectName()))
                Status->showMessage(*text);
        }
        break;
    case QEvent::FocusIn:
        if (control == cmbTag)
            cmbTagEnter();
        else if (control == cmbGrundform)
            cmbGrundformEnter();
        break;
    case QEvent::MouseButtonDblClick:
        if (control == txtPsalm || control == txtEpistel || control == txtEvangelium
            || control == txtPredigttext) {
            txtEpistelDblClick(control);
            return true;
        }
        if (control == grpLieder) {
            grpLiederDblClick();
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (control == lblPredigttext
            && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            lblPredigttextDblClick();
            return true;
        }
        break;
    case QEvent::ContextMenu:
        if (auto *memo = qobject_cast<QPlainTextEdit *>(control);
            memo && memo != txtDialog1 && memo != txtDialog2 && memo != txtDialog3) {
            txtGloriaPatriContextPopup(memo, static_cast<QContextMenuEvent *>(event)->globalPos());
            return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TfrmMain::run(const std::function<Result<>()> &action)
{
    const Result<> result = action();
    if (!result)
        m_dialogs->error(result.error());
    return result.ok();
}

void TfrmMain::FormCreate()
{
    QuitAfterUpdate = false;
    // Any step's error ends the start-up sequence; the window still opens with what was
    // prepared so far.
    run([this]() -> Result<> {
        if (!m_options.skipUpdateCheck)
            CheckForUpdate(false);
        if (const Result<> prepared = datafolder::PrepareSeriesFolders(); !prepared)
            return prepared;
        const QDate today = appclock::today();
        FillDayList(today);
        const QString year = today.toString(QStringLiteral("dd.MM.yyyy")).right(4);
        SelectComingDay(today);
        cmbTag->setToolTip(year);
        BtnNewClick();
        if (const Result<> loaded = LoadLiturgicalTexts(); !loaded)
            return loaded;
        {
            const QSignalBlocker blocker(cmbGrundform);
            cmbGrundform->setCurrentIndex(0);
        }
        return RestoreOrderSettings();
    });
}

void TfrmMain::FormActivate()
{
    // Dates are always written and read as dd.MM.yyyy with explicit formats, so the date
    // separator needs no setting here.
}

void TfrmMain::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
    QMainWindow::changeEvent(event);
}

void TfrmMain::BtnNewClick()
{
    if (!mayDiscardChanges())
        return;
    LoadDay(cmbTag->currentText());
    setModified(0);
}

void TfrmMain::BtnExitClick()
{
    close();
}

void TfrmMain::tmrCloseTimer()
{
    if (QuitAfterUpdate)
        close();
}

void TfrmMain::txtEingangsliedChange()
{
    if (Modified() == 0)
        setModified(1);
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    if (!m_closing) {
        m_closing = true;
        if (!FormClose()) {
            m_closing = false;
            event->ignore();
            return;
        }
    }
    event->accept();
}

bool TfrmMain::FormClose()
{
    if (!mayDiscardChanges())
        return false;
    EmptyInternetCache();
    QCoreApplication::processEvents();
    return true;
}

void TfrmMain::orderInputsChanged()
{
    txtAblauf->clear();
}
