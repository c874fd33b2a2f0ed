// The main window's handler for the sermon document of the day.
#include "base/DataFolder.h"
#include "base/ProgramFolder.h"
#include "gui/FrmMain.h"
#include "gui/PassagePage.h"
#include "office/OrderExport.h"
#include "office/SermonDocument.h"
#include "storage/BoundedFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

void TfrmMain::openSermonDocument()
{
    run([this]() -> Result<> {
        const Result<QString> dataFolder = datafolder::EnterDataFolder();
        if (!dataFolder)
            return dataFolder.failure();
        const QString series = m_document->preparation().series.trimmed();
        const QString dayName = trimControl(m_document->dayCaption());
        // Both fail before anything is made when series or day name would lead elsewhere.
        const Result<QString> folder = sermonFolder(*dataFolder, series);
        if (!folder)
            return folder.failure();
        const Result<QString> name = sermonDocumentName(series, m_document->dayStamp(), dayName);
        if (!name)
            return name.failure();
        const QString path = *folder + *name;
        if (!QDir().mkpath(*folder))
            return Failure { QStringLiteral("Der Ordner \"%1\" kann nicht angelegt werden.")
                                 .arg(QDir::toNativeSeparators(*folder)) };

        // An existing sermon document is the preacher's work: open it, never touch it.
        if (QFileInfo::exists(path)) {
            m_dialogs->openExternally(QUrl::fromLocalFile(path));
            return {};
        }

        const QString templatePath = programfolder::readPath(QStringLiteral("Texte/Predigt.ott"));
        // A template that is no regular file of sensible size (a pipe would block the copy)
        // counts as missing.
        if (!boundedfile::check(templatePath, boundedfile::kTemplateLimit)) {
            m_dialogs->message(QStringLiteral("Ich kann die Predigt nicht finden, sorry!"));
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
            m_dialogs->message(office.problem());
        if (!office.connected()) {
            m_dialogs->openExternally(QUrl::fromLocalFile(path));
            return {};
        }
        SermonDocumentInput input;
        input.reference = m_document->text(PreparationDocument::Field::Predigttext);
        input.passageLines = passagePage().sermonPassageLines(input.reference);
        const Result<bool> created
            = CreateSermonDocument(office, sermonDocumentTitle(dayName, series), path, input);
        if (!created)
            return created.failure();
        if (!*created)
            m_dialogs->openExternally(QUrl::fromLocalFile(path));
        return {};
    }());
}
