#include "gui/HymnListDialog.h"

#include "gui/Dialogs.h"
#include "gui/HymnIndexSource.h"
#include "storage/HymnList.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

HymnListDialog::HymnListDialog(HymnIndexSource &source, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent)
    , m_source(source)
    , m_dialogs(dialogs)
{
    setObjectName(u"frmLiederverzeichnis"_s);
    setWindowTitle(u"Liederverzeichnis einlesen"_s);
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(
        u"Ein Liederverzeichnis der Gemeinde (etwa der Regionalteil des Gesangbuchs oder ein "
        u"Beiheft) macht Lieder mit Nummer und Titel bekannt, auch wenn sie noch in keiner "
        u"gespeicherten Vorbereitung stehen. Es wird im Datenordner aufbewahrt."_s,
        this);
    auto *format = new QLabel(hymnlist::formatDescription(), this);
    format->setObjectName(u"lblLiederverzeichnisFormat"_s);
    m_kept = new QLabel(this);
    m_kept->setObjectName(u"lblLiederverzeichnisStand"_s);
    for (QLabel *label : { intro, format, m_kept }) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(label);
    }
    auto *buttons = new QDialogButtonBox(this);
    auto *choose = buttons->addButton(u"Datei auswählen …"_s, QDialogButtonBox::ActionRole);
    choose->setObjectName(u"btnLiederverzeichnisDatei"_s);
    choose->setToolTip(u"Eine CSV-Datei mit Buch;Nummer;Titel einlesen"_s);
    auto *close = buttons->addButton(u"Schließen"_s, QDialogButtonBox::RejectRole);
    close->setObjectName(u"btnLiederverzeichnisSchliessen"_s);
    layout->addWidget(buttons);
    connect(choose, &QPushButton::clicked, this, &HymnListDialog::readIn);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(560, sizeHint().height());
    showKept();
}

void HymnListDialog::showKept()
{
    const Result<QList<hymnlist::Entry>> kept = hymnlist::readStored(m_source.dataDir());
    if (!kept)
        m_kept->setText(kept.error());
    else if (kept->isEmpty())
        m_kept->setText(u"Bisher ist kein Liederverzeichnis eingelesen."_s);
    else
        m_kept->setText(
            u"Das Liederverzeichnis enthält %1 %2 (%3)."_s.arg(kept->size())
                .arg(kept->size() == 1 ? u"Lied"_s : u"Lieder"_s)
                .arg(QDir::toNativeSeparators(hymnlist::storedPath(m_source.dataDir()))));
}

void HymnListDialog::readIn()
{
    FileDialogRequest request;
    request.title = u"Liederverzeichnis einlesen"_s;
    request.filter = u"CSV-Dateien|*.csv|Textdateien|*.txt|Alle Dateien|*.*"_s;
    request.initialDir = QDir::homePath();
    request.mustExist = true;
    const QString path = m_dialogs.openFileName(request);
    if (path.isEmpty())
        return;
    const Result<hymnlist::Imported> imported = hymnlist::import(path, m_source.dataDir());
    if (!imported) {
        m_dialogs.error(imported.error());
        return;
    }
    m_source.invalidate();
    showKept();
    const auto hymns = [](qsizetype n) { return n == 1 ? u"1 Lied"_s : u"%1 Lieder"_s.arg(n); };
    m_dialogs.message(u"%1 eingelesen; das Liederverzeichnis enthält jetzt %2."_s.arg(
        hymns(imported->read), hymns(imported->total)));
}
