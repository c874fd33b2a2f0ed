// The main window's handlers for saving and opening a preparation.
#include "app/AppError.h"
#include "app/DataFolder.h"
#include "app/DataPaths.h"
#include "app/FrmMain.h"
#include "storage/OrderSettingsFile.h"
#include "storage/ServiceOrderFile.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>

namespace {

serviceorder::Preparation currentPreparation(const TfrmMain &w)
{
    serviceorder::Preparation p;
    p.dayName = w.lblTagesname->text().trimmed();
    p.series = w.lblPredigtreiheWert->text();
    static_cast<ProperTexts &>(p) = w.properTexts();
    p.ticks = { w.chkAbendmahl->isChecked(), w.chkTaufe->isChecked(),
                w.chkKonfirmation->isChecked(), w.chkTrauung->isChecked() };
    p.pageFormat = w.pageFormat();
    p.sequence = w.sequenceEntries();
    return p;
}

void restoreSequence(TfrmMain &w, const QStringList &entries, const serviceorder::Ticks &ticks)
{
    w.setSequenceEntries(entries);
    // Setting a tick that changes runs its handler as a click would, which may re-place or
    // rebuild the list just read; the order is fixed.
    w.chkAbendmahl->setChecked(ticks.abendmahl);
    w.chkTaufe->setChecked(ticks.taufe);
    w.chkKonfirmation->setChecked(ticks.konfirmation);
    w.chkTrauung->setChecked(ticks.trauung);
}

} // namespace

void TfrmMain::btnSaveClick()
{
    try {
        const serviceorder::Preparation preparation = currentPreparation(*this);

        // The order settings file first. When neither the program folder nor the per-user
        // overlay takes it, the preparation itself can and should still be saved.
        QString settingsError;
        if (!ordersettings::save(
                { preparation.pageFormat, preparation.ticks, preparation.sequence },
                &settingsError))
            dialogs().message(settingsError
                              + QStringLiteral(" Die zuletzt verwendete Reihenfolge wird beim "
                                               "nächsten Start nicht wiederhergestellt; der "
                                               "Gottesdienstablauf kann trotzdem gespeichert "
                                               "werden."));

        SaveDialog1.filter = QStringLiteral("Texte|*.txt|Abläufe|*.ini|Alle Dateien|*.*");
        SaveDialog1.filterIndex = 2;
        SaveDialog1.defaultExtension = QStringLiteral("ini");
        datafolder::EnterDataFolder();
        // A series or day name that would lead out of the data folder names neither the
        // folder nor the file; the user still chooses where the work goes.
        const QString seriesProblem = datapaths::seriesProblem(preparation.series);
        SaveDialog1.initialDir = QDir::currentPath();
        if (datapaths::fileNamePartProblem(preparation.series).isEmpty())
            SaveDialog1.initialDir += u'/' + preparation.series;
        if (const QString proposal
            = serviceorder::proposedFileName(preparation.dayName, preparation.series);
            !proposal.isEmpty()) {
            const QString problem = !seriesProblem.isEmpty()
                ? seriesProblem
                : datapaths::fileNamePartProblem(preparation.dayName);
            if (problem.isEmpty())
                SaveDialog1.fileName = proposal;
            else
                dialogs().message(problem);
        }

        const QString path = dialogs().saveFileName(SaveDialog1);
        if (path.isEmpty())
            return;
        SaveDialog1.fileName = path;

        QString error;
        if (!serviceorder::writeFile(path, serviceorder::toIni(preparation), &error))
            throw AppError(error);
        setModified(0);
    } catch (const AppError &e) {
        dialogs().error(e.text());
    } catch (const std::exception &e) {
        dialogs().error(QString::fromLocal8Bit(e.what()));
    }
}

void TfrmMain::BtnOpenClick()
{
    QString start = datafolder::path();
    if (!QDir(start).exists())
        start = datafolder::documentsDir();
    if (start.isEmpty())
        start = QDir::currentPath();

    OpenDialog.filter = QStringLiteral("Abläufe|*.ini|Alle Dateien (*.*)|*.*");
    OpenDialog.defaultExtension = QStringLiteral("ini");
    OpenDialog.initialDir = start;
    OpenDialog.mustExist = true;
    const QString path = dialogs().openFileName(OpenDialog);
    if (!path.isEmpty()) {
        OpenDialog.fileName = path;
        LoadPreparation(path);
    }
    QDir::setCurrent(start);
}

void TfrmMain::LoadPreparation(const QString &path)
{
    setWindowTitle(path);
    // Whatever was set before a failure stays set: the steps are applied one after the other.
    try {
        const std::optional<IniFile> ini = serviceorder::readFile(path);
        if (!ini)
            throw AppError(serviceorder::damagedFileMessage());

        const serviceorder::Preparation p = serviceorder::readTexts(*ini);
        lblTagesname->setText(QStringLiteral("   ") + p.dayName);
        lblPredigtreiheWert->setText(p.series);
        setProperTexts(p);

        ApplyDayColour(lblTagesname->text().trimmed());

        // The toggle flips the setting and brings hint and glyph up to date, so it is run
        // from the opposite format.
        setPageFormat(1 - serviceorder::readPageFormat(*ini));
        btnSeitenformatClick();

        const serviceorder::StoredSequence stored = serviceorder::readSequence(*ini);
        switch (stored.status) {
        case serviceorder::StoredSequence::Status::Kept:
            break;
        case serviceorder::StoredSequence::Status::Replaced:
            restoreSequence(*this, stored.entries, stored.ticks);
            break;
        case serviceorder::StoredSequence::Status::NotANumber:
        case serviceorder::StoredSequence::Status::OutOfRange:
            throw AppError(serviceorder::damagedFileMessage());
        }
    } catch (const std::exception &) {
        // Unreadable file, a count that is no number, a colour that is no number.
        dialogs().message(serviceorder::damagedFileMessage());
    }
}

void TfrmMain::RestoreOrderSettings()
{
    const QString path = ordersettings::existingPath();
    if (path.isEmpty())
        return;
    // An order settings file that cannot be read restores nothing, like a missing one.
    const std::optional<IniFile> ini
        = serviceorder::readFile(path, nullptr, ordersettings::kMaxFileSize);
    if (!ini)
        return;
    const serviceorder::StoredSequence stored = serviceorder::readSequence(*ini);
    switch (stored.status) {
    case serviceorder::StoredSequence::Status::Kept:
        return;
    case serviceorder::StoredSequence::Status::Replaced:
        restoreSequence(*this, stored.entries, stored.ticks);
        return;
    case serviceorder::StoredSequence::Status::NotANumber:
        throw AppError(QStringLiteral("Die Ablaufeinstellungen %1 sind beschädigt: '%2' ist kein "
                                      "gültiger Integerwert.")
                           .arg(QDir::toNativeSeparators(path), stored.countText));
    case serviceorder::StoredSequence::Status::OutOfRange:
        throw AppError(QStringLiteral("Die Ablaufeinstellungen %1 sind beschädigt: Die Anzahl "
                                      "der Einträge %2 ist ungültig.")
                           .arg(QDir::toNativeSeparators(path), stored.countText));
    }
}
