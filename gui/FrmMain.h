#pragma once

#include "base/Result.h"
#include "gui/Dialogs.h"
#include "storage/Preparation.h"
#include "ui_FrmMain.h"

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QPrinter>

#include <array>
#include <functional>
#include <memory>

class QMenu;
class QPlainTextEdit;
class QTextEdit;
class QTimer;
class QWidget;
class HistoryTab;

// How the program was started.
struct StartOptions
{
    // Any command-line argument suppresses the update check at start-up.
    bool skipUpdateCheck = false;
};

// What TfrmMain::applyPreparation puts into the window.
struct PreparationParts
{
    bool dayAndTexts = true; // the day panel's name and series and the ten fields
    bool pageFormat = false;
    bool sequence = false; // the sequence list and the ticks
};

// The main window. It owns every control and dialog; the state of a preparation lives in
// its controls. Handlers are thin: they read the controls, call the UI-free functions of the
// subsystems and write the results back. The handlers of each subsystem are implemented in
// a file of their own beside this one (FrmMainDay.cpp, FrmMainSequence.cpp, ...).
class TfrmMain : public QMainWindow, public Ui::TfrmMain
{
    Q_OBJECT

public:
    // Builds the window and runs the start-up sequence (FormCreate). dialogs may be null
    // for the platform's real dialogs.
    explicit TfrmMain(std::unique_ptr<Dialogs> dialogs = {}, StartOptions options = {},
                      QWidget *parent = nullptr);
    ~TfrmMain() override;

    Dialogs &dialogs() { return *m_dialogs; }

    // Runs an action of a handler and shows its failure as the general error report; true
    // when it succeeded. The one place where the window shows what UI-free code reports.
    bool run(const std::function<Result<>()> &action);

    // The unsaved-changes flag, kept in the tag of btnSave (0 or 1) and shown in the title
    // ("[*]"): isWindowModified() always agrees with it.
    int Modified() const;
    void setModified(int value);

    // Whether the preparation shown may now be replaced or the window closed: true when
    // nothing is unsaved, when the user answers Nein, or Ja and the save went through; false
    // for Abbrechen (Escape, closing the box) and for a save that was cancelled or failed.
    bool mayDiscardChanges();

    // The date of the chosen day as yyyymmdd.
    const QString &DayStamp() const { return m_dayStamp; }

    // The preparation the window shows: day, series, the ten fields of the tab "Proprium",
    // the ticks, the page format and the sequence.
    Preparation preparation() const;

    // Puts a preparation into the window, part after part in the order above. The day's colour
    // is the caller's: loading a day asks the library for it before the texts, opening a file
    // after them. The ten fields
    // go in the stored order; each field that changes runs its change handler (and so sets
    // Modified). A tick that changes runs its handler as a click would, after the list.
    void applyPreparation(const Preparation &preparation, PreparationParts parts = {});

    // The page-format setting kept with btnSeitenformat: 0 portrait, 1 landscape.
    int pageFormat() const;
    void setPageFormat(int value);

    // The printer that printing and the page rectangle use. Made on first use: asking the
    // print system (which may wait for its server) is no part of the start.
    QPrinter &currentPrinter();

    bool QuitAfterUpdate = false;

    // ---- Controls ----------------------------------------------------------------------
    // The controls of FrmMain.ui are members of Ui::TfrmMain, named as their objectName
    // (txtEpistel, lbxReihenfolge, chkAbendmahl, ...); these are made in code.
    HistoryTab *tshVerlauf = nullptr; // what was preached and sung before
    QMenu *MemoMenu = nullptr; // the file menu of the memos of the tab "Ordinarium"
    QWidget *brsBrowser = nullptr; // the web view inside pnlBrowser, made when first needed
    QTimer *tmrClose = nullptr;

    // The file dialogs keep their settings between uses, as the program relies on.
    FileDialogRequest OpenDialog1;
    FileDialogRequest SaveDialog1;
    FileDialogRequest OpenDialog;

public slots:
    // ---- Start-up, folders, closing ----------------------------------------------------
    void FormCreate();
    void FormActivate();
    void BtnNewClick();
    void BtnExitClick();
    void tmrCloseTimer();
    void txtEingangsliedChange();

    // ---- Status-bar help, version, help, feedback ---------------------------------------
    void btnCopyrightClick();
    void BtnHilfeClick();
    void BtnFeedbackClick();

    // ---- Church-year day list and propers ------------------------------------------------
    void FillDayList(const QDate &date);
    void SelectComingDay(const QDate &today);
    void LoadDay(const QString &entry);
    // The stored preparation of the day the panel shows, in the data folder given; empty
    // when the day has none.
    QString StoredOrderExists(const QString &dataFolder) const;
    // Paints the day panel in the day's liturgical colour; fails when the library gives no
    // number for it.
    Result<> ApplyDayColour(const QString &name);
    void cmbTagChange();
    void cmbTagEnter();

    // ---- Sequence and occasional services ---------------------------------------------
    void cmbGrundformChange();
    void cmbGrundformEnter();
    void btnUpClick();
    void btnDownClick();
    void chkAbendmahlClick();
    void chkKonfirmationClick();
    void chkTaufeClick();
    void chkTrauungClick();
    // Fills the basic-form box and puts the initial sequence into lbxReihenfolge; called once
    // while the window is built, before any handler is connected.
    void initSequenceControls();
    // The entries of lbxReihenfolge, top to bottom.
    QStringList sequenceEntries() const;
    // Replaces the entries of lbxReihenfolge (no entry selected afterwards); runs no rule.
    void setSequenceEntries(const QStringList &entries);

    // ---- Order text, printing, page format ----------------------------------------------
    void btnCompileClick();
    // Empties the order view whenever what it was generated from (day, basic form, ticks,
    // sequence) changes, so that no order is printed or exported for the wrong day; printing
    // and exporting generate an empty view first.
    void orderInputsChanged();
    // The day's liturgical colour as the day panel shows it, in the Windows layout 0x02BBGGRR.
    int dayColour() const;
    void btnPrinterSetupClick();
    void btnPrintClick();
    void btnSeitenformatClick();
    // The print area of txtAblauf in printer device units: empty until the first generation,
    // then set by every generation for the printer current at that moment.
    QRect pageRect() const { return m_pageRect; }
    void setPageRect(const QRect &rect) { m_pageRect = rect; }

    // ---- Service-order file --------------------------------------------------------------
    void btnSaveClick();
    void BtnOpenClick();
    void LoadPreparation(const QString &path);
    Result<> RestoreOrderSettings();

    // ---- Liturgical texts and hymn notes -----------------------------------------------
    Result<> LoadLiturgicalTexts();
    void txtGloriaPatriContextPopup(QPlainTextEdit *memo, const QPoint &globalPos);
    void mnuTextoeffnenClick();
    void Speichern1Click();
    void grpLiederDblClick();

    // ---- Office ----------------------------------------------------------------------------
    void btnExportClick();
    void lblPredigttextDblClick();

    // ---- Bible passages --------------------------------------------------------------------
    void txtEpistelDblClick(QObject *sender);
    bool OpenPassage(QObject *sender);
    bool LookUpPassage(QString &reference, QTextEdit *view);
    void pclPageControlChange(int index);
    // Creates brsBrowser inside pnlBrowser the first time it is needed.
    QWidget *browser();

    // ---- Update check ---------------------------------------------------------------------
    void CheckForUpdate(bool force);
    // Empties only the program's own caches: the network cache and the web view's.
    void EmptyInternetCache();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildUi();
    void connectHandlers();
    // The close sequence (FormClose): asks about unsaved work, then empties the program's
    // caches; false when the user keeps the window open.
    bool FormClose();

    std::unique_ptr<Dialogs> m_dialogs;
    StartOptions m_options;
    std::unique_ptr<QPrinter> m_printer;
    QString m_dayStamp;
    // The day entry whose day the window shows; the day selector returns to it when the user
    // keeps the current day.
    QString m_shownDayEntry;
    bool m_closing = false;

    // ---- Liturgical texts: the memo whose context menu is open -------------------------
    QPointer<QPlainTextEdit> m_popupMemo;

    // ---- Each subsystem adds its private members below its own heading -----------------
    // Church-year day list and propers
    // Sequence and occasional services
    // Order text, printing, page format
    QRect m_pageRect;
    // The two glyphs of btnSeitenformat: 0 portrait, 1 landscape.
    std::array<QImage, 2> imgListe;
    // Service-order file
    // Liturgical texts and hymn notes
    // Puts the built-in texts into the nine memos of the tab "Ordinarium".
    void setBuiltInLiturgicalTexts();
    // Office
    // Bible passages
    // Update check
};
