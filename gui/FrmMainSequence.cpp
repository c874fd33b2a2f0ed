// The main window's handlers for the sequence of the service and the occasional services.
// The rules live in BasicForms and OccasionalServices; the handlers read the list, the basic
// form and the ticks from the controls and write the resulting list back.
#include "gui/FrmMain.h"

#include "gui/StatusHelp.h"
#include "order/BasicForms.h"
#include "order/OccasionalServices.h"
#include "order/SequenceList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStatusBar>

namespace {

// The selected entry of the list box, -1 for none.
int selectedIndex(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

void selectIndex(QListWidget *list, int index)
{
    if (index >= 0 && index < list->count()) {
        list->setCurrentRow(index);
    } else {
        list->setCurrentRow(-1);
        list->clearSelection();
    }
}

// Writes entries into the list box, reusing the rows it has; no entry is selected afterwards.
void showEntries(QListWidget *list, const QStringList &entries)
{
    selectIndex(list, -1);
    const int n = int(entries.size());
    while (list->count() > n)
        delete list->takeItem(list->count() - 1);
    for (int i = 0; i < n; ++i) {
        if (i < list->count()) {
            QListWidgetItem *item = list->item(i);
            if (item->text() != entries.at(i))
                item->setText(entries.at(i));
        } else {
            list->addItem(entries.at(i));
        }
    }
}

} // namespace

void TfrmMain::initSequenceControls()
{
    {
        const QSignalBlocker blocker(cmbGrundform);
        cmbGrundform->clear();
        cmbGrundform->addItems(basicforms::formNames());
        cmbGrundform->setCurrentIndex(0);
    }
    setSequenceEntries(basicforms::initialSequence());

    // The box is pick-only: a typed key can never empty it or name no form. Every choice
    // rebuilds the list. Choosing the entry that is already shown changes no text, but counts
    // as a choice all the same (activated); choosing another entry raises both, and both
    // rebuild the same list.
    connect(cmbGrundform, &QComboBox::currentTextChanged, this, &TfrmMain::cmbGrundformChange,
            Qt::UniqueConnection);
    connect(cmbGrundform, &QComboBox::activated, this, &TfrmMain::cmbGrundformChange,
            Qt::UniqueConnection);
}

QStringList TfrmMain::sequenceEntries() const
{
    QStringList entries;
    entries.reserve(lbxReihenfolge->count());
    for (int i = 0; i < lbxReihenfolge->count(); ++i)
        entries.append(lbxReihenfolge->item(i)->text());
    return entries;
}

void TfrmMain::setSequenceEntries(const QStringList &entries)
{
    showEntries(lbxReihenfolge, entries);
}

namespace {

ServiceTicks ticksOf(const TfrmMain &window)
{
    return { .abendmahl = window.chkAbendmahl->isChecked(),
             .taufe = window.chkTaufe->isChecked(),
             .konfirmation = window.chkKonfirmation->isChecked(),
             .trauung = window.chkTrauung->isChecked() };
}

// The basic form the box shows: the position of its text among the four forms, -1 for a
// typed text that names none of them.
int basicFormPosition(const TfrmMain &window)
{
    return basicforms::formPosition(window.cmbGrundform->currentText());
}

// The rule of one tick on the list shown. A block placed into the list keeps the selected
// entry selected when it is still there; a rebuild, like any rebuild, selects nothing.
void applyServiceTick(TfrmMain &window, occasional::Service service)
{
    QListWidget *list = window.lbxReihenfolge;
    window.orderInputsChanged();
    const int selected = selectedIndex(list);
    const QString selectedName = selected >= 0 ? list->item(selected)->text() : QString();

    SequenceList sequence(window.sequenceEntries());
    const bool rebuilt
        = occasional::applyTick(service, sequence, basicFormPosition(window), ticksOf(window));
    showEntries(list, sequence.entries());
    if (rebuilt || selected < 0)
        return;
    if (selected < sequence.count() && sequence.at(selected) == selectedName)
        selectIndex(list, selected);
    else
        selectIndex(list, int(sequence.entries().indexOf(selectedName)));
}

} // namespace

void TfrmMain::cmbGrundformChange()
{
    const SequenceList sequence
        = occasional::rebuildSequence(basicFormPosition(*this), ticksOf(*this));
    showEntries(lbxReihenfolge, sequence.entries());
    orderInputsChanged();
}

void TfrmMain::cmbGrundformEnter()
{
    if (const auto text = statusHelpText(cmbGrundform->objectName()))
        Status->showMessage(*text);
}

void TfrmMain::btnUpClick()
{
    SequenceList sequence(sequenceEntries());
    const int selected = selectedIndex(lbxReihenfolge);
    const int now = moveEntryUp(sequence, selected);
    if (now == selected)
        return;
    showEntries(lbxReihenfolge, sequence.entries());
    selectIndex(lbxReihenfolge, now);
    orderInputsChanged();
}

void TfrmMain::btnDownClick()
{
    SequenceList sequence(sequenceEntries());
    const int selected = selectedIndex(lbxReihenfolge);
    const int now = moveEntryDown(sequence, selected);
    if (now == selected)
        return;
    showEntries(lbxReihenfolge, sequence.entries());
    selectIndex(lbxReihenfolge, now);
    orderInputsChanged();
}

void TfrmMain::chkAbendmahlClick()
{
    applyServiceTick(*this, occasional::Service::Communion);
}

void TfrmMain::chkKonfirmationClick()
{
    applyServiceTick(*this, occasional::Service::Confirmation);
}

void TfrmMain::chkTaufeClick()
{
    applyServiceTick(*this, occasional::Service::Baptism);
}

void TfrmMain::chkTrauungClick()
{
    applyServiceTick(*this, occasional::Service::Wedding);
}
