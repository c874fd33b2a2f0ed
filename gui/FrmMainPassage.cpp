// The main window's handlers for Bible passages offline and online.
#include "gui/FrmMain.h"

#include "bible/BibleImport.h"
#include "bible/BibleReference.h"
#include "bible/PassageLookup.h"
#include "gui/BibleImportRun.h"
#include "gui/PassageView.h"
#include "gui/WebView.h"

#include <QApplication>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>

#include <exception>

using namespace Qt::Literals::StringLiterals;

namespace {

// Set while a lookup itself brings the tab "Perikope" to the front. A page chosen by the
// program is not a page chosen by the user: the tab's own lookup (the sermon text) must not
// replace the passage just shown.
bool s_showingPassageTab = false;

} // namespace

void TfrmMain::txtEpistelDblClick(QObject *sender)
{
    if (!OpenPassage(sender))
        return;
    s_showingPassageTab = true;
    pclPageControl->setCurrentWidget(tshPerikope);
    s_showingPassageTab = false;
}

bool TfrmMain::OpenPassage(QObject *sender)
{
    QLineEdit *field = nullptr;
    bool writeBack = true;
    QString reference;
    if (auto *edit = qobject_cast<QLineEdit *>(sender)) {
        field = edit;
        reference = edit->text();
    } else if (sender) {
        switch (sender->property("tag").toInt()) {
        case 1:
            field = txtPsalm;
            reference = txtPsalm->text();
            break;
        case 2:
            field = txtEpistel;
            reference = txtEpistel->text();
            break;
        case 3:
            field = txtEvangelium;
            reference = txtEvangelium->text();
            break;
        case 4:
            field = txtPredigttext;
            reference = txtPredigttext->text();
            break;
        default:
            break;
        }
        // The button leaves a psalm's field as it was.
        writeBack = field != txtPsalm || !reference.contains(u"Psalm"_s);
    }

    reference = bible::normaliseReference(reference);
    // Only a real change of the text counts as an edit (and marks the preparation modified).
    if (field && writeBack && field->text() != reference)
        field->setText(reference);
    return LookUpPassage(reference, rchBibelstelle);
}

bool TfrmMain::LookUpPassage(QString &reference, QTextEdit *view)
{
    const bible::PassageLookup lookup = bible::lookUpPassage(reference);
    switch (lookup.status) {
    case bible::LookupStatus::Psalm:
        // Psalms are shown online only; the offline view keeps what it showed.
        reference = lookup.reference;
        webview::navigate(browser(), lookup.address);
        return true;
    case bible::LookupStatus::Hymnal:
    case bible::LookupStatus::NoBook:
    case bible::LookupStatus::NoChapter:
    case bible::LookupStatus::NoVerses:
    case bible::LookupStatus::BookMissing:
        dialogs().message(lookup.message);
        return false;
    case bible::LookupStatus::NoBible:
        // The emptied view shows how to read a Bible in; the passage is shown online.
        if (view)
            view->clear();
        webview::navigate(browser(), lookup.address);
        return true;
    case bible::LookupStatus::BadVerse:
    case bible::LookupStatus::Found:
        break;
    }

    if (view) {
        view->clear();
        QCoreApplication::processEvents(); // let the emptied view repaint
        bible::writePassageHeading(*view->document(), reference);
    }
    // A verse that is not there ends the lookup with the heading alone.
    if (lookup.status != bible::LookupStatus::Found)
        return false;
    if (view) {
        bible::appendPassageParts(*view->document(), lookup.parts);
        view->moveCursor(QTextCursor::Start);
    }
    webview::navigate(browser(), lookup.address);
    return true;
}

void TfrmMain::pclPageControlChange(int index)
{
    if (pclPageControl->widget(index) != tshPerikope)
        return;
    // The Bible folder is looked at only now, when the tab is shown, never at start-up.
    bibleimport::updateEmptyViewHint(*rchBibelstelle);
    if (s_showingPassageTab)
        return;
    // The tab shows the day's sermon text by itself, when the field holds a reference and a
    // Bible is installed; without one it shows only how to read one in.
    if (txtPredigttext->text().indexOf(u',') < 1 || !bible::bibleInstalled())
        return;
    OpenPassage(btnOpenPredigttext);
}

QWidget *TfrmMain::browser()
{
    // The web view is heavy (it starts the browser engine's processes); it is made only when a
    // passage is first shown online, never at start-up.
    if (!brsBrowser) {
        brsBrowser = webview::create(pnlBrowser);
        if (!brsBrowser)
            return nullptr;
        brsBrowser->setObjectName(u"brsBrowser"_s);
        brsBrowser->setToolTip(u"online"_s);
        brsBrowser->setAccessibleName(pnlBrowser->accessibleName());
        if (QLayout *layout = pnlBrowser->layout())
            layout->addWidget(brsBrowser);
        brsBrowser->show();
    }
    return brsBrowser;
}
