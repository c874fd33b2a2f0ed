// The main window's handlers for saving and opening a preparation.
#include "base/DataFolder.h"
#include "base/DataPaths.h"
#include "gui/FrmMain.h"
#include "storage/OrderSettingsFile.h"
#include "storage/ServiceOrderFile.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>

Preparation TfrmMain::preparation() const
{
    Preparation p;
    p.dayName = lblTagesname->text().trimmed();
    p.series = lblPredigtreiheWert->text();
    // The chosen day's date, kept with the preparation for the tab "Verlauf".
    p.dayStamp = m_dayStamp;
    p.wochenspruch = txtWochenspruch->text();
    p.psalm = txtPsalm->text();
    p.epistel = txtEpistel->text();
    p.evangelium = txtEvangelium->text();
    p.predigttext = txtPredigttext->text();
    p.eingangslied = txtEingangslied->text();
    p.wochenlied = txtWochenlied->text();
    p.vorpredigtslied = txtVorpredigtslied->text();
    p.kollektenlied = txtKollektenlied->text();
    p.ausgangslied = txtAusgangslied->text();
    p.ticks = { chkAbendmahl->isChecked(), chkTaufe->isChecked(), chkKonfirmation->isChecked(),
                chkTrauung->isChecked() };
    p.pageFormat = pageFormat();
    p.sequence = sequenceEntries();
    return p;
}

void TfrmMain::applyPreparation(const Preparation &p, PreparationParts parts)
{
    if (parts.dayAndTexts) {
        lblTagesname->setText(QStringLiteral("   ") + p.dayName);
        lblPredigtreiheWert->setText(p.series);
        txtWochenspruch->setText(p.wochenspruch);
        txtPsalm->setText(p.psalm);
        txtEpistel->setText(p.epistel);
        txtEvangelium->setText(p.evangelium);
        txtPredigttext->setText(p.predigttext);
        txtEingangslied->setText(p.eingangslied);
        txtWochenlied->setText(p.wochenlied);
        txtVorpredigtslied->setText(p.vorpredigtslied);
        txtKollektenlied->setText(p.kollektenlied);
        txtAusgangslied->setText(p.ausgangslied);
    }
    if (parts.pageFormat) {
        // The toggle flips the setting and brings hint and glyph up to date, so it is run
        // from the opposite format.
        setPageFormat(1 - p.pageFormat);
        btnSeitenformatClick();
    }
    if (parts.sequence) {
        setSequenceEntries(p.sequence);
        // Setting a tick that changes runs its handler as a click would, which may re-place
        // or rebuild the list just set; the order is fixed.
        chkAbendmahl->setChecked(p.ticks.abendmahl);
        chkTaufe->setChecked(p.ticks.taufe);
        chkKonfirmation->setChecked(p.ticks.konfirmation);
        chkTrauung->setChecked(p.ticks.trauung);
    }
}

void TfrmMain::btnSaveClick()
{
    run([this]() -> Result<> {
        const Preparation current = preparation();

        // The order settings file first. When neither the program folder nor the per-user
        // overlay takes it, the preparation itself can and should still be saved.
        QString settingsError;
        if (!ordersettings::save({ current.pageFormat, current.ticks, current.sequence },
                                 &settingsError))
            dialogs().message(settingsError
                              + QStringLiteral(" Die zuletzt verwendete Reihenfolge wird beim "
                                               "nächsten Start nicht wiederhergestellt; der "
                                               "Gottesdienstablauf kann trotzdem gespeichert "
                                               "werden."));

        SaveDialog1.filter = QStringLiteral("Texte|*.txt|Abläufe|*.ini|Alle Dateien|*.*");
        SaveDialog1.filterIndex = 2;
        SaveDialog1.defaultExtension = QStringLiteral("ini");
        const Result<QString> folder = datafolder::EnterDataFolder();
        if (!folder)
            return folder.failure();
        // A series or day name that would lead out of the data folder names neither the
        // folder nor the file; the user still chooses where the work goes.
        const QString seriesProblem = datapaths::seriesProblem(current.series);
        SaveDialog1.initialDir = *folder;
        if (datapaths::fileNamePartProblem(current.series).isEmpty())
            SaveDialog1.initialDir += u'/' + current.series;
        const Result<QString> proposal
            = serviceorder::proposedFileName(current.dayName, current.series);
        if (!proposal)
            return proposal.failure();
        if (!proposal->isEmpty()) {
            const QString problem = !seriesProblem.isEmpty()
                ? seriesProblem
                : datapaths::fileNamePartProblem(current.dayName);
            if (problem.isEmpty())
                SaveDialog1.fileName = *proposal;
            else
                dialogs().message(problem);
        }

        const QString path = dialogs().saveFileName(SaveDialog1);
        if (path.isEmpty())
            return {};
        SaveDialog1.fileName = path;

        QString error;
        if (!serviceorder::writeFile(path, serviceorder::toIni(current), &error))
            return Failure { error };
        setModified(0);
        return {};
    });
}

void TfrmMain::BtnOpenClick()
{
    if (!mayDiscardChanges())
        return;
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
}

void TfrmMain::LoadPreparation(const QString &path)
{
    // "[*]" marks unsaved changes; one in the path itself is shown as it is.
    QString title = path;
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(title + QStringLiteral("[*]"));
    orderInputsChanged();
    // Whatever was set before a failure stays set: the steps are applied one after the other.
    // An unreadable file, a count or a colour that is no number: the file is damaged.
    const auto load = [&] {
        const std::optional<IniFile> ini = serviceorder::readFile(path);
        if (!ini)
            return false;
        Preparation p = serviceorder::readTexts(*ini);
        p.pageFormat = serviceorder::readPageFormat(*ini);
        applyPreparation(p, { .dayAndTexts = true, .pageFormat = false });
        if (!ApplyDayColour(p.dayName).ok())
            return false;
        applyPreparation(p, { .dayAndTexts = false, .pageFormat = true });

        const serviceorder::StoredSequence stored = serviceorder::readSequence(*ini);
        switch (stored.status) {
        case serviceorder::StoredSequence::Status::Kept:
            return true;
        case serviceorder::StoredSequence::Status::Replaced:
            p.sequence = stored.entries;
            p.ticks = stored.ticks;
            applyPreparation(p, { .dayAndTexts = false, .sequence = true });
            return true;
        case serviceorder::StoredSequence::Status::NotANumber:
        case serviceorder::StoredSequence::Status::OutOfRange:
            break;
        }
        return false;
    };
    if (!load()) {
        dialogs().message(serviceorder::damagedFileMessage());
        return;
    }
    // The window now shows the file as it is stored: nothing would be lost.
    setModified(0);
}

Result<> TfrmMain::RestoreOrderSettings()
{
    const QString path = ordersettings::existingPath();
    if (path.isEmpty())
        return {};
    // An order settings file that cannot be read restores nothing, like a missing one.
    const std::optional<IniFile> ini
        = serviceorder::readFile(path, nullptr, ordersettings::kMaxFileSize);
    if (!ini)
        return {};
    const serviceorder::StoredSequence stored = serviceorder::readSequence(*ini);
    switch (stored.status) {
    case serviceorder::StoredSequence::Status::Kept:
        return {};
    case serviceorder::StoredSequence::Status::Replaced: {
        Preparation p;
        p.sequence = stored.entries;
        p.ticks = stored.ticks;
        applyPreparation(p, { .dayAndTexts = false, .sequence = true });
        return {};
    }
    case serviceorder::StoredSequence::Status::NotANumber:
        return Failure { QStringLiteral("Die Ablaufeinstellungen %1 sind beschädigt: '%2' ist "
                                        "kein gültiger Integerwert.")
                             .arg(QDir::toNativeSeparators(path), stored.countText) };
    case serviceorder::StoredSequence::Status::OutOfRange:
        return Failure { QStringLiteral("Die Ablaufeinstellungen %1 sind beschädigt: Die "
                                        "Anzahl der Einträge %2 ist ungültig.")
                             .arg(QDir::toNativeSeparators(path), stored.countText) };
    }
    return {};
}
