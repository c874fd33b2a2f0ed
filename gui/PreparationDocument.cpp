#include "gui/PreparationDocument.h"

#include "base/DataFolder.h"
#include "calendar/DayColour.h"
#include "calendar/DayEntry.h"
#include "calendar/DayPropers.h"
#include "calendar/FormerDayNames.h"
#include "order/BasicForms.h"
#include "order/PageFormat.h"
#include "order/SequenceList.h"
#include "order/ThreeReadings.h"
#include "storage/OrderSettingsFile.h"
#include "storage/ServiceOrderFile.h"
#include "storage/Win1252Text.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

QString ProperTexts::*PreparationDocument::member(Field field)
{
    switch (field) {
    case Field::Wochenspruch:
        return &ProperTexts::wochenspruch;
    case Field::Psalm:
        return &ProperTexts::psalm;
    case Field::ATLesung:
        return &ProperTexts::atLesung;
    case Field::Epistel:
        return &ProperTexts::epistel;
    case Field::Evangelium:
        return &ProperTexts::evangelium;
    case Field::Predigttext:
        return &ProperTexts::predigttext;
    case Field::Eingangslied:
        return &ProperTexts::eingangslied;
    case Field::Wochenlied:
        return &ProperTexts::wochenlied;
    case Field::Vorpredigtslied:
        return &ProperTexts::vorpredigtslied;
    case Field::Kollektenlied:
        return &ProperTexts::kollektenlied;
    case Field::Ausgangslied:
        return &ProperTexts::ausgangslied;
    }
    return &ProperTexts::wochenspruch;
}

PreparationDocument::PreparationDocument(QObject *parent)
    : QObject(parent)
{
    m_preparation.sequence = basicforms::initialSequence();
}

Preparation PreparationDocument::preparation() const
{
    Preparation p = m_preparation;
    p.dayName = p.dayName.trimmed();
    // The chosen day's date, kept with the preparation for the tab "Verlauf".
    p.dayStamp = m_dayStamp;
    return p;
}

bool PreparationDocument::namesADay(const QString &entry)
{
    return entry.size() >= 12;
}

void PreparationDocument::setModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void PreparationDocument::setText(Field field, const QString &text)
{
    QString &current = m_preparation.*member(field);
    if (current == text)
        return;
    current = text;
    emit textChanged(field);
    setModified(true);
}

void PreparationDocument::setTexts(const ProperTexts &texts)
{
    for (int i = 0; i < kFieldCount; ++i) {
        const auto field = Field(i);
        setText(field, texts.*member(field));
    }
}

void PreparationDocument::setDay(const QString &name, const QString &series)
{
    m_preparation.dayName = name;
    m_preparation.series = series;
    emit dayChanged();
}

void PreparationDocument::setDayColour(int colour)
{
    m_colour = colour;
    emit dayChanged();
}

void PreparationDocument::setBasicForm(int position)
{
    if (m_basicForm == position)
        return;
    m_basicForm = position;
    emit basicFormChanged();
}

void PreparationDocument::chooseBasicForm(int position)
{
    setBasicForm(position);
    SequenceList sequence = occasional::rebuildSequence(position, m_preparation.ticks);
    threereadings::place(sequence, m_preparation.threeReadings);
    setSequence(sequence.entries());
    emit orderInputsChanged();
    setModified(true);
}

bool PreparationDocument::setTick(occasional::Service service, bool on)
{
    ServiceTicks &ticks = m_preparation.ticks;
    bool &tick = [&]() -> bool & {
        switch (service) {
        case occasional::Service::Communion:
            return ticks.abendmahl;
        case occasional::Service::Confirmation:
            return ticks.konfirmation;
        case occasional::Service::Baptism:
            return ticks.taufe;
        case occasional::Service::Wedding:
            break;
        }
        return ticks.trauung;
    }();
    if (tick == on)
        return false;
    tick = on;
    emit ticksChanged();
    emit orderInputsChanged();
    SequenceList sequence(m_preparation.sequence);
    const bool rebuilt = occasional::applyTick(service, sequence, m_basicForm, ticks);
    if (rebuilt)
        threereadings::place(sequence, m_preparation.threeReadings);
    setSequence(sequence.entries());
    return rebuilt;
}

bool PreparationDocument::chooseTick(occasional::Service service, bool on)
{
    const ServiceTicks before = m_preparation.ticks;
    const bool rebuilt = setTick(service, on);
    if (m_preparation.ticks != before)
        setModified(true);
    return rebuilt;
}

void PreparationDocument::setThreeReadings(bool on)
{
    if (m_preparation.threeReadings == on)
        return;
    m_preparation.threeReadings = on;
    emit threeReadingsChanged();
}

void PreparationDocument::chooseThreeReadings(bool on)
{
    if (m_preparation.threeReadings == on)
        return;
    setThreeReadings(on);
    SequenceList sequence(m_preparation.sequence);
    threereadings::place(sequence, on);
    setSequence(sequence.entries());
    emit orderInputsChanged();
    setModified(true);
}

int PreparationDocument::moveEntryUp(int index)
{
    SequenceList sequence(m_preparation.sequence);
    const int now = ::moveEntryUp(sequence, index);
    if (now != index) {
        setSequence(sequence.entries());
        emit orderInputsChanged();
        setModified(true);
    }
    return now;
}

int PreparationDocument::moveEntryDown(int index)
{
    SequenceList sequence(m_preparation.sequence);
    const int now = ::moveEntryDown(sequence, index);
    if (now != index) {
        setSequence(sequence.entries());
        emit orderInputsChanged();
        setModified(true);
    }
    return now;
}

void PreparationDocument::setSequence(const QStringList &entries)
{
    m_preparation.sequence = entries;
    emit sequenceChanged();
}

void PreparationDocument::restoreSequence(const QStringList &entries, const ServiceTicks &ticks)
{
    setSequence(entries);
    // A tick that changes runs its rule as a click would, on the list just set; the order is
    // fixed.
    setTick(occasional::Service::Communion, ticks.abendmahl);
    setTick(occasional::Service::Baptism, ticks.taufe);
    setTick(occasional::Service::Confirmation, ticks.konfirmation);
    setTick(occasional::Service::Wedding, ticks.trauung);
}

void PreparationDocument::setPageFormat(int format)
{
    m_preparation.pageFormat = format;
    emit pageFormatChanged();
}

void PreparationDocument::togglePageFormat()
{
    setPageFormat(pageformat::toggled(m_preparation.pageFormat));
    setModified(true);
}

Result<> PreparationDocument::applyDayColour(const QString &dayName)
{
    const Result<int> parsed = daycolour::parse(daypropers::colourText(dayName));
    if (!parsed)
        return parsed.failure();
    setDayColour(*parsed);
    return {};
}

Result<> PreparationDocument::loadDay(const QString &entry)
{
    // A typed text too short to hold a date and a name leaves the day as it was.
    if (!namesADay(entry))
        return {};
    emit orderInputsChanged();
    const auto load = [&]() -> Result<> {
        m_dayStamp = dayentry::dayStamp(entry);
        const Result<int> series = dayentry::seriesNumber(entry);
        if (!series)
            return Failure { QStringLiteral("Fehler beim Laden der Datei:\r") + series.error() };
        const QString name = dayentry::dayName(entry);
        setDay(name, QString::number(*series));
        const Result<QString> folder = datafolder::EnterDataFolder();
        if (!folder)
            return Failure { QStringLiteral("Fehler beim Laden der Datei:\r") + folder.error() };
        if (const QString stored = storedOrderPath(*folder); !stored.isEmpty())
            return loadFile(stored);
        // Nobody has saved this day yet; should somebody else do so before this preparation is
        // saved, saving under the day's name asks first.
        m_file.watchAbsent(dayentry::storedOrderPath(*folder, m_preparation.series,
                                                     dayentry::panelDayName(dayCaption())));
        if (const Result<> coloured = applyDayColour(name); !coloured)
            return Failure { QStringLiteral("Fehler beim Laden der Datei:\r") + coloured.error() };
        const Preparation propers = daypropers::ofDay(name, m_preparation.series);
        setDay(propers.dayName, propers.series);
        setTexts(propers);
        m_showsPropers = true;
        emit propersLoaded();
        return {};
    };
    const Result<> loaded = load();
    // A newly chosen day is unchanged, whatever was loaded for it.
    setModified(false);
    return loaded;
}

QString PreparationDocument::storedOrderPath(const QString &dataFolder) const
{
    const QString name = dayentry::panelDayName(dayCaption());
    // A preparation saved while the date had another name is found under that name.
    const QDate date = QDate::fromString(m_dayStamp, QStringLiteral("yyyyMMdd"));
    for (const QString &stored : QStringList { name } + churchyear::FormerDayNames(date, name)) {
        const QString path = dayentry::storedOrderPath(dataFolder, m_preparation.series, stored);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

Result<> PreparationDocument::loadFile(const QString &path)
{
    m_showsPropers = false;
    emit fileLoading(path);
    emit orderInputsChanged();
    // Whatever was set before a failure stays set: the steps are applied one after the other.
    // An unreadable file, a count or a colour that is no number: the file is damaged.
    const auto load = [&] {
        // Read once: what is shown is what the file held when it is saved over later.
        const Result<QByteArray> bytes = m_file.read(path);
        if (!bytes)
            return false;
        const IniFile ini = IniFile::fromText(win1252::decode(*bytes));
        const Preparation p = serviceorder::readTexts(ini);
        setDay(p.dayName, p.series);
        setTexts(p);
        if (!applyDayColour(p.dayName).ok())
            return false;
        setPageFormat(serviceorder::readPageFormat(ini));
        // Before the list: a tick whose rule rebuilds it places the reading as chosen.
        setThreeReadings(serviceorder::readThreeReadings(ini));

        const serviceorder::StoredSequence stored = serviceorder::readSequence(ini);
        switch (stored.status) {
        case serviceorder::StoredSequence::Status::Kept:
            return true;
        case serviceorder::StoredSequence::Status::Replaced:
            restoreSequence(stored.entries, stored.ticks);
            return true;
        case serviceorder::StoredSequence::Status::NotANumber:
        case serviceorder::StoredSequence::Status::OutOfRange:
            break;
        }
        return false;
    };
    if (!load())
        return Failure { serviceorder::damagedFileMessage() };
    setModified(false);
    return {};
}

Result<SaveOutcome> PreparationDocument::saveFile(const QString &path, SaveChoice choice)
{
    const Result<SaveOutcome> saved
        = m_file.save(path, serviceorder::toIni(preparation()).toBytes(), choice);
    if (saved && saved->status == SaveOutcome::Status::Saved)
        setModified(false);
    return saved;
}

Result<> PreparationDocument::restoreOrderSettings()
{
    const QString path = ordersettings::existingPath();
    if (path.isEmpty())
        return {};
    // An order settings file that cannot be read restores nothing, like a missing one.
    const Result<IniFile> ini = serviceorder::readFile(path, ordersettings::kMaxFileSize);
    if (!ini)
        return {};
    const serviceorder::StoredSequence stored = serviceorder::readSequence(*ini);
    switch (stored.status) {
    case serviceorder::StoredSequence::Status::Kept:
        return {};
    case serviceorder::StoredSequence::Status::Replaced:
        setThreeReadings(stored.entries.contains(threereadings::entryName()));
        restoreSequence(stored.entries, stored.ticks);
        return {};
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
