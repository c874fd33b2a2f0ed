// The main window's handler for the sermon document of the day.
#include "base/DataFolder.h"
#include "base/ProgramFolder.h"
#include "gui/FrmMain.h"
#include "office/OrderExport.h"
#include "office/SermonDocument.h"
#include "storage/BoundedFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QUrl>

namespace {

QStringList viewLines(const QTextEdit *view)
{
    QStringList lines;
    const QTextDocument *document = view->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        lines << block.text();
    return lines;
}

// Looks the sermon text up as the passage tab does (the view is refilled, a message shown
// when the reference leads nowhere) and gives the view's lines for the document.
std::optional<QStringList> lookUpSermonPassage(TfrmMain &window, const QString &reference)
{
    // A lookup that succeeds without refilling the offline view (a psalm is shown online only)
    // would leave an earlier passage there; that one is not taken.
    QTextEdit *view = window.rchBibelstelle;
    QTextDocument *document = view->document();
    bool refilled = false;
    const auto watch = QObject::connect(document, &QTextDocument::contentsChanged, &window,
                                        [&refilled] { refilled = true; });
    QString lookedUp = reference;
    const bool found = window.LookUpPassage(lookedUp, view);
    QObject::disconnect(watch);
    if (!found || (!refilled && view->document() == document))
        return std::nullopt;
    QCoreApplication::processEvents(); // let the refilled view show before the office works
    return viewLines(view);
}

} // namespace

void TfrmMain::lblPredigttextDblClick()
{
    run([this]() -> Result<> {
        const Result<QString> dataFolder = datafolder::EnterDataFolder();
        if (!dataFolder)
            return dataFolder.failure();
        const QString series = lblPredigtreiheWert->text().trimmed();
        const QString dayName = trimControl(lblTagesname->text());
        // Both fail before anything is made when series or day name would lead elsewhere.
        const Result<QString> folder = sermonFolder(*dataFolder, series);
        if (!folder)
            return folder.failure();
        const Result<QString> name = sermonDocumentName(series, DayStamp(), dayName);
        if (!name)
            return name.failure();
        const QString path = *folder + *name;
        if (!QDir().mkpath(*folder))
            return Failure { QStringLiteral("Der Ordner \"%1\" kann nicht angelegt werden.")
                                 .arg(QDir::toNativeSeparators(*folder)) };

        // An existing sermon document is the preacher's work: open it, never touch it.
        if (QFileInfo::exists(path)) {
            dialogs().openExternally(QUrl::fromLocalFile(path));
            return {};
        }

        const QString templatePath = programfolder::readPath(QStringLiteral("Texte/Predigt.ott"));
        // A template that is no regular file of sensible size (a pipe would block the copy)
        // counts as missing.
        if (!boundedfile::check(templatePath, boundedfile::kTemplateLimit)) {
            dialogs().message(QStringLiteral("Ich kann die Predigt nicht finden, sorry!"));
            return {};
        }
        // Only a document that really exists is handed on. A template installed read-only
        // must not make the user's copy read-only.
        if (!QFile::copy(templatePath, path))
            return Failure {
                QStringLiteral("Die Vorlage \"%1\" kann nicht nach \"%2\" kopiert werden.")
                    .arg(QDir::toNativeSeparators(templatePath), QDir::toNativeSeparators(path))
            };
        QFile::setPermissions(
            path, QFile::permissions(path) | QFileDevice::WriteOwner | QFileDevice::ReadOwner);

        // The lookup below may show a message; a pastor whose office cannot be reached gets
        // the template copy instead and no word about the Bible.
        const SermonOffice office;
        // Without the office plugin the user is told so and gets the template copy.
        if (!office.problem().isEmpty())
            dialogs().message(office.problem());
        if (!office.connected()) {
            dialogs().openExternally(QUrl::fromLocalFile(path));
            return {};
        }
        SermonDocumentInput input;
        input.reference = txtPredigttext->text();
        input.passageLines = lookUpSermonPassage(*this, input.reference);
        const Result<bool> created
            = CreateSermonDocument(office, sermonDocumentTitle(dayName, series), path, input);
        if (!created)
            return created.failure();
        if (!*created)
            dialogs().openExternally(QUrl::fromLocalFile(path));
        return {};
    });
}
