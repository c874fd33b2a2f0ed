#pragma once

#include "gui/Dialogs.h"
#include "gui/PreparationDocument.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class DayPanel;
class HistoryTab;
class HymnIndexSource;
class LiturgyPage;
class OrdinaryPage;
class PassagePage;
class ProperPage;
class UpdateCheck;
namespace Ui {
class TfrmMain;
}

// How the program was started.
struct StartOptions
{
    // Any command-line argument suppresses the update check at start-up.
    bool skipUpdateCheck = false;
    // The program's own start puts its window on the screen before the pages behind the hidden
    // tabs are built: they follow as soon as the first frame is shown, before any input is
    // taken, or earlier when one is needed. A window made any other way builds them at once.
    bool hiddenPagesAfterFirstFrame = false;
    // Called once the first frame of the window is shown, before the hidden pages follow.
    std::function<void()> firstFrameShown;
    // Called once every page is built and the start-up has run to its end.
    std::function<void()> complete;
};

// The main window: the tool bar, the day selector with the day panel, the five pages in their
// tabs and the status bar. The preparation lives in the document; each page shows it and hands
// its edits to it. The window wires the pages to the document and to each other, runs the
// start-up and the closing, saves and opens preparations and makes the sermon document, the
// one task that spans the pages.
class TfrmMain : public QMainWindow
{
    Q_OBJECT

public:
    // Builds the window and runs the start-up sequence. dialogs may be null for the platform's
    // real dialogs.
    explicit TfrmMain(std::unique_ptr<Dialogs> dialogs = {}, StartOptions options = {},
                      QWidget *parent = nullptr);
    ~TfrmMain() override;

    PreparationDocument &document() { return *m_document; }

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildPages();
    // The pages behind the hidden tabs, with their connections; then the rest of the start-up
    // that fills them. Does nothing once they are built.
    void buildHiddenPages();
    // The pages' requests and the document's signals to the window and the other pages.
    void connectPages();
    void connectHiddenPages();
    void connectToolBar();
    void startUp();
    // What the start-up does for the hidden pages: the memo texts, the basic form, the stored
    // sequence and ticks. Runs once the start-up has come that far and the pages are built.
    void finishStartUp();
    void firstFrameShown();
    // Tells StartOptions::complete once the constructor has ended and every page is built.
    void reportComplete();

    // The pages behind the hidden tabs, built when first asked for.
    OrdinaryPage &ordinaryPage();
    LiturgyPage &liturgyPage();
    PassagePage &passagePage();
    HistoryTab &historyPage();

    // Shows a failure of UI-free code as the general error report; true when it succeeded.
    bool run(const Result<> &result);

    // Whether the preparation shown may now be replaced or the window closed: true when
    // nothing is unsaved, when the user answers Nein, or Ja and the save went through; false
    // for Abbrechen (Escape, closing the box) and for a save that was cancelled or failed.
    enum class Leaving { Preparation, Program };
    bool mayDiscardChanges(Leaving leaving = Leaving::Preparation);
    void showFileTitle(const QString &path);

    void fillDayList(const QDate &date);
    void selectComingDay(const QDate &today);
    void dayChosen();
    void loadDay(const QString &entry);

    void newPreparation();
    void savePreparation();
    void openPreparation();
    void openSavedPreparation(const QString &path);
    void loadPreparation(const QString &path);
    void showPassage(PreparationDocument::Field field, bool byButton);
    void openSermonDocument();
    void openLectorReadings();
    void openHymnPlan();
    void openHymnList();
    void showVersion();
    void showHelp();
    void giveFeedback();
    void refreshHistoryIfShown();

    std::unique_ptr<Ui::TfrmMain> m_ui;
    std::unique_ptr<Dialogs> m_dialogs;
    StartOptions m_options;
    PreparationDocument *m_document = nullptr;
    DayPanel *m_dayPanel = nullptr;
    ProperPage *m_properPage = nullptr;
    OrdinaryPage *m_ordinaryPage = nullptr;
    LiturgyPage *m_liturgyPage = nullptr;
    PassagePage *m_passagePage = nullptr;
    HistoryTab *m_historyPage = nullptr;
    UpdateCheck *m_updateCheck = nullptr;
    // The hymns of the saved preparations, made with the hidden pages and read from then on.
    HymnIndexSource *m_hymnIndex = nullptr;
    // Set while the program itself brings the tab "Perikope" to the front: a page chosen by the
    // program is not chosen by the user, whose choice shows the sermon text.
    bool m_showingPassage = false;
    // The day entry whose day the window shows; the day selector returns to it when the user
    // keeps the current day.
    QString m_shownDayEntry;
    bool m_closing = false;
    bool m_firstFramePainted = false;
    bool m_constructed = false;
    // The start-up's steps for the hidden pages wait for them.
    bool m_startUpUnfinished = false;
};
