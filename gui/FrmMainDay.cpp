// The main window's handlers for the church-year day list and the propers of a day.
#include "gui/FrmMain.h"

#include "base/DataFolder.h"
#include "calendar/ChurchYear.h"
#include "calendar/DayColour.h"
#include "calendar/DayEntry.h"
#include "calendar/DayPropers.h"
#include "calendar/FormerDayNames.h"
#include "gui/StatusHelp.h"

#include <QColor>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QSignalBlocker>
#include <QStatusBar>

namespace {

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

void TfrmMain::FillDayList(const QDate &date)
{
    // The day selector reports both a choice from the list and typing; it is connected the
    // first time the list is filled. Filling and selecting by the program load nothing.
    connect(cmbTag, &QComboBox::currentTextChanged, this, &TfrmMain::cmbTagChange,
            Qt::UniqueConnection);
    const QSignalBlocker blocker(cmbTag);
    cmbTag->clear();
    cmbTag->clearEditText();
    cmbTag->addItems(churchyear::FillDayList(date));
    cmbTag->setCurrentIndex(-1);
    cmbTag->clearEditText();
}

void TfrmMain::SelectComingDay(const QDate &today)
{
    QStringList entries;
    entries.reserve(cmbTag->count());
    for (int i = 0; i < cmbTag->count(); ++i)
        entries.append(cmbTag->itemText(i));
    const int index = churchyear::SelectComingDay(entries, today);
    if (index < 0)
        return;
    const QSignalBlocker blocker(cmbTag);
    cmbTag->setCurrentIndex(index);
    cmbTag->setEditText(entries[index]);
}

namespace {

// A typed text too short to hold a date and a name leaves the day as it was.
bool namesADay(const QString &entry)
{
    return entry.size() >= 12;
}

} // namespace

void TfrmMain::LoadDay(const QString &entry)
{
    if (!namesADay(entry))
        return;
    m_shownDayEntry = entry;
    orderInputsChanged();
    // What was set before a failure stays set.
    const auto load = [&]() -> Result<> {
        m_dayStamp = dayentry::dayStamp(entry);
        const Result<int> series = dayentry::seriesNumber(entry);
        if (!series)
            return series.failure();
        lblPredigtreiheWert->setText(QString::number(*series));
        const QString name = dayentry::dayName(entry);
        lblTagesname->setText(QStringLiteral("   ") + name);
        const Result<QString> folder = datafolder::EnterDataFolder();
        if (!folder)
            return folder.failure();
        if (const QString stored = StoredOrderExists(*folder); !stored.isEmpty()) {
            LoadPreparation(stored);
            return {};
        }
        if (const Result<> coloured = ApplyDayColour(name); !coloured)
            return coloured;
        applyPreparation(daypropers::ofDay(name, lblPredigtreiheWert->text()));
        return {};
    };
    if (const Result<> loaded = load(); !loaded)
        dialogs().message(QStringLiteral("Fehler beim Laden der Datei:\r") + loaded.error());
}

QString TfrmMain::StoredOrderExists(const QString &dataFolder) const
{
    const QString name = dayentry::panelDayName(lblTagesname->text());
    // A preparation saved while the date had another name is found under that name.
    const QDate date = QDate::fromString(m_dayStamp, QStringLiteral("yyyyMMdd"));
    for (const QString &stored : QStringList { name } + churchyear::FormerDayNames(date, name)) {
        const QString path
            = dayentry::storedOrderPath(dataFolder, lblPredigtreiheWert->text(), stored);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

Result<> TfrmMain::ApplyDayColour(const QString &name)
{
    const Result<int> parsed = daycolour::parse(daypropers::colourText(name));
    if (!parsed)
        return parsed.failure();
    const int colour = *parsed;
    const QColor text = daycolour::wantsBlackText(colour) ? QColor(Qt::black) : QColor(Qt::white);
    QPalette palette = lblTagesname->palette();
    palette.setColor(
        QPalette::Window,
        QColor(daycolour::red(colour), daycolour::green(colour), daycolour::blue(colour)));
    palette.setColor(QPalette::WindowText, text);
    lblTagesname->setPalette(palette);
    setTextColour(lblPredigtreihe, text);
    setTextColour(lblPredigtreiheWert, text);
    return {};
}

void TfrmMain::cmbTagChange()
{
    const QString entry = cmbTag->currentText();
    if (!namesADay(entry))
        return;
    if (!mayDiscardChanges()) {
        // The current day stays, and the selector shows it again.
        const QSignalBlocker blocker(cmbTag);
        cmbTag->setCurrentIndex(cmbTag->findText(m_shownDayEntry));
        cmbTag->setEditText(m_shownDayEntry);
        return;
    }
    LoadDay(entry);
    setModified(0);
}

void TfrmMain::cmbTagEnter()
{
    if (const auto text = statusHelpText(QStringLiteral("cmbTag")))
        Status->showMessage(*text);
}
