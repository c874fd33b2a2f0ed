#include "gui/BibleImportRun.h"

#include "bible/BibleImport.h"
#include "bible/SwordImport.h"
#include "gui/BibleImportDialog.h"
#include "gui/Dialogs.h"

#include <QBoxLayout>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QTextEdit>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace bibleimport {
namespace {

const QString kCaption = u"Bibeltext einlesen …"_s;

// The share of the progress bar the reading of the source takes; writing the files the rest.
constexpr int kReadingShare = 90;

// What the import thread tells the progress dialog, polled from the user-interface thread.
struct Progress
{
    std::atomic_int percent { 0 };
    std::atomic_bool writing { false };
    std::atomic_bool cancelled { false };
};

} // namespace

void install(QWidget &page, QTextEdit &offlineView, Dialogs &dialogs,
             const std::function<void()> &imported)
{
    QTextEdit *view = &offlineView;
    auto *button = new QPushButton(kCaption, &page);
    button->setObjectName(u"btnBibelImport"_s);
    button->setAccessibleName(u"Bibeltext einlesen"_s);
    button->setToolTip(u"Eine Bibel im OSIS- oder Zefania-Format oder ein installiertes "
                       u"SWORD-Modul als Bibeltext des Programms einlesen"_s);
    if (auto *layout = qobject_cast<QBoxLayout *>(page.layout())) {
        auto *row = new QHBoxLayout;
        row->addStretch(1);
        row->addWidget(button);
        layout->insertLayout(0, row);
    }
    auto start = [&page, &dialogs, view, imported] {
        if (run(page.window(), dialogs, view) && imported)
            imported();
    };
    QObject::connect(button, &QPushButton::clicked, &page, start);

    view->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(view, &QWidget::customContextMenuRequested, view,
                     [view, start](const QPoint &at) {
                         std::unique_ptr<QMenu> menu(view->createStandardContextMenu(at));
                         menu->addSeparator();
                         QAction *import = menu->addAction(kCaption);
                         import->setObjectName(u"mnuBibelImport"_s);
                         if (menu->exec(view->viewport()->mapToGlobal(at)) == import)
                             start();
                     });
    // The hint is set when the tab is first shown: start-up does not look at the Bible folder.
}

bool run(QWidget *parent, Dialogs &dialogs, QTextEdit *offlineView)
{
    BibleImportDialog choice(bible::installedSwordBibles(), dialogs, parent,
                             bible::swordUnavailableText());
    if (choice.exec() != QDialog::Accepted)
        return false;
    const bool sword = choice.swordChosen();
    const QString source = sword ? choice.moduleName() : choice.sourcePath();

    QProgressDialog progressDialog(u"Die Bibel wird gelesen …"_s, u"Abbrechen"_s, 0, 100, parent);
    progressDialog.setObjectName(u"dlgBibelImportFortschritt"_s);
    progressDialog.setWindowTitle(u"Bibeltext einlesen"_s);
    progressDialog.setWindowModality(Qt::WindowModal);
    progressDialog.setMinimumDuration(0);
    progressDialog.setAutoClose(false);
    progressDialog.setAutoReset(false);
    progressDialog.setValue(0);

    auto progress = std::make_shared<Progress>();
    QObject::connect(&progressDialog, &QProgressDialog::canceled, &progressDialog,
                     [progress] { progress->cancelled = true; });
    bible::ImportControl control;
    control.cancelled = [progress] { return progress->cancelled.load(); };
    control.reading
        = [progress](int percent) { progress->percent = percent * kReadingShare / 100; };
    control.writing = [progress](int done, int total, const QString &) {
        progress->writing = true;
        if (total > 0)
            progress->percent = kReadingShare + done * (100 - kReadingShare) / total;
    };

    bible::ImportResult result;
    std::unique_ptr<QThread> worker(QThread::create([&result, sword, source, control] {
        result = sword ? bible::importSwordBible(source, QString(), control)
                       : bible::importBible(source, QString(), control);
    }));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, &progressDialog, [&progressDialog, progress] {
        if (progressDialog.wasCanceled())
            progress->cancelled = true;
        if (progress->cancelled)
            return;
        if (progress->writing)
            progressDialog.setLabelText(u"Die Bibeldateien werden geschrieben …"_s);
        progressDialog.setValue(progress->percent);
    });
    poll.start();
    worker->start();
    loop.exec();
    worker->wait();
    poll.stop();
    progressDialog.close();

    if (offlineView)
        updateEmptyViewHint(*offlineView);
    dialogs.message(bible::importOutcomeText(result), u"Bibeltext einlesen"_s);
    return result.status == bible::ImportStatus::Ok;
}

void updateEmptyViewHint(QTextEdit &offlineView)
{
    offlineView.setPlaceholderText(
        bible::bibleInstalled()
            ? QString()
            : u"Es ist noch kein Bibeltext eingelesen. Mit „Bibeltext einlesen …“ (der Knopf "
              u"oben rechts oder das Kontextmenü dieses Feldes) lesen Sie eine Bibel im OSIS- "
              u"oder Zefania-Format oder ein installiertes SWORD-Bibelmodul ein."_s);
}

} // namespace bibleimport
