#include "gui/PassagePage.h"

#include "bible/BibleImport.h"
#include "bible/BibleReference.h"
#include "bible/PassageLookup.h"
#include "gui/BibleImportRun.h"
#include "gui/Dialogs.h"
#include "gui/PassageView.h"
#include "gui/WebView.h"
#include "ui_PassagePage.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTextBlock>

using namespace Qt::Literals::StringLiterals;
using Field = PreparationDocument::Field;

PassagePage::PassagePage(PreparationDocument &document, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::PassagePage>())
    , m_document(document)
    , m_dialogs(dialogs)
{
    m_ui->setupUi(this);
    m_ui->splPerikope->setSizes({ 185, 320 });
    // A Bible just read in shows the day's sermon text at once, as the tab does when shown.
    bibleimport::install(*this, *m_ui->rchBibelstelle, dialogs, [this] { tabShown(true); });
    addLectorButton();
}

void PassagePage::addLectorButton()
{
    // At the left of the row above the views, where the import's button stands at the right.
    auto *button = new QPushButton(u"Lesungen für den Lektor …"_s, this);
    button->setObjectName(u"btnLektor"_s);
    button->setAccessibleName(u"Lesungen für den Lektor"_s);
    button->setToolTip(u"Die Lesungen des Tages in großer Schrift drucken oder nach LibreOffice "
                       u"exportieren"_s);
    QLayoutItem *first = layout() ? layout()->itemAt(0) : nullptr;
    if (auto *row = first ? qobject_cast<QBoxLayout *>(first->layout()) : nullptr)
        row->insertWidget(0, button);
    else if (auto *page = qobject_cast<QBoxLayout *>(layout()))
        page->insertWidget(0, button);
    connect(button, &QPushButton::clicked, this, &PassagePage::lectorRequested);
}

PassagePage::~PassagePage() = default;

bool PassagePage::openField(Field field, bool byButton)
{
    QString reference = m_document.text(field);
    // The button leaves a psalm's field as it was.
    const bool writeBack = !(byButton && field == Field::Psalm && reference.contains(u"Psalm"_s));
    reference = bible::normaliseReference(reference);
    // Only a real change of the text counts as an edit (and marks the preparation modified).
    if (writeBack)
        m_document.setText(field, reference);
    return lookUp(reference);
}

void PassagePage::tabShown(bool byUser)
{
    // The Bible folder is looked at only now, when the tab is shown, never at start-up.
    bibleimport::updateEmptyViewHint(*m_ui->rchBibelstelle);
    if (!byUser)
        return;
    // The tab shows the day's sermon text by itself, when the field holds a reference and a
    // Bible is installed; without one it shows only how to read one in.
    if (m_document.text(Field::Predigttext).indexOf(u',') < 1 || !bible::bibleInstalled())
        return;
    openField(Field::Predigttext, true);
}

bool PassagePage::lookUp(QString &reference)
{
    QTextEdit *view = m_ui->rchBibelstelle;
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
        m_dialogs.message(lookup.message);
        return false;
    case bible::LookupStatus::NoBible:
        // The emptied view shows how to read a Bible in; the passage is shown online.
        view->clear();
        webview::navigate(browser(), lookup.address);
        return true;
    case bible::LookupStatus::BadVerse:
    case bible::LookupStatus::Found:
        break;
    }

    view->clear();
    QCoreApplication::processEvents(); // let the emptied view repaint
    bible::writePassageHeading(*view->document(), reference);
    // A verse that is not there ends the lookup with the heading alone.
    if (lookup.status != bible::LookupStatus::Found)
        return false;
    bible::appendPassageParts(*view->document(), lookup.parts);
    view->moveCursor(QTextCursor::Start);
    webview::navigate(browser(), lookup.address);
    return true;
}

std::optional<QStringList> PassagePage::sermonPassageLines(const QString &reference)
{
    // A lookup that succeeds without refilling the offline view (a psalm is shown online only)
    // would leave an earlier passage there; that one is not taken.
    QTextEdit *view = m_ui->rchBibelstelle;
    QTextDocument *document = view->document();
    bool refilled = false;
    const auto watch = connect(document, &QTextDocument::contentsChanged, this,
                               [&refilled] { refilled = true; });
    QString lookedUp = reference;
    const bool found = lookUp(lookedUp);
    disconnect(watch);
    if (!found || (!refilled && view->document() == document))
        return std::nullopt;
    QCoreApplication::processEvents(); // let the refilled view show before the office works
    QStringList lines;
    for (QTextBlock block = view->document()->begin(); block.isValid(); block = block.next())
        lines << block.text();
    return lines;
}

QWidget *PassagePage::browser()
{
    // The web view is heavy (it starts the browser engine's processes); it is made only when a
    // passage is first shown online, never at start-up.
    if (m_browser || m_browserFailed)
        return m_browser;
    QWidget *panel = m_ui->pnlBrowser;
    const Result<QWidget *> made = webview::create(panel);
    if (!made) {
        // The panel says why it stays empty.
        m_browserFailed = true;
        auto *reason = new QLabel(made.error(), panel);
        reason->setObjectName(u"lblBrowserFehler"_s);
        reason->setTextFormat(Qt::PlainText);
        reason->setWordWrap(true);
        if (QLayout *layout = panel->layout())
            layout->addWidget(reason);
        return nullptr;
    }
    m_browser = *made;
    m_browser->setObjectName(u"brsBrowser"_s);
    m_browser->setToolTip(u"online"_s);
    m_browser->setAccessibleName(panel->accessibleName());
    if (QLayout *layout = panel->layout())
        layout->addWidget(m_browser);
    m_browser->show();
    return m_browser;
}

void PassagePage::clearCache()
{
    // Only once the web view exists: creating its profile just to empty it would start the web
    // engine.
    webview::clearCache(m_browser);
}
