#include "gui/BibleImportDialog.h"

#include "gui/Dialogs.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

BibleImportDialog::BibleImportDialog(const QList<bible::SwordModule> &modules, Dialogs &dialogs,
                                     QWidget *parent, const QString &swordUnavailable)
    : QDialog(parent)
    , m_dialogs(dialogs)
{
    setObjectName(u"dlgBibelImport"_s);
    setWindowTitle(u"Bibeltext einlesen"_s);
    auto *layout = new QVBoxLayout(this);

    auto *intro = new QLabel(u"Die Bibeltexte ersetzen die bisher eingelesenen als Ganzes."_s);
    intro->setTextFormat(Qt::PlainText);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_fileChoice = new QRadioButton(u"Datei oder Ordner (OSIS oder Zefania XML):"_s);
    m_fileChoice->setObjectName(u"rbtDatei"_s);
    layout->addWidget(m_fileChoice);
    auto *pathRow = new QHBoxLayout;
    m_path = new QLineEdit;
    m_path->setObjectName(u"edtQuelle"_s);
    m_path->setAccessibleName(u"Datei oder Ordner"_s);
    m_path->setMinimumWidth(320);
    auto *fileButton = new QPushButton(u"Datei …"_s);
    fileButton->setObjectName(u"btnDatei"_s);
    fileButton->setAccessibleName(u"Datei wählen"_s);
    auto *folderButton = new QPushButton(u"Ordner …"_s);
    folderButton->setObjectName(u"btnOrdner"_s);
    folderButton->setAccessibleName(u"Ordner wählen"_s);
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(fileButton);
    pathRow->addWidget(folderButton);
    layout->addLayout(pathRow);

    m_swordChoice = new QRadioButton(u"Installiertes SWORD-Bibelmodul:"_s);
    m_swordChoice->setObjectName(u"rbtSword"_s);
    layout->addWidget(m_swordChoice);
    m_modules = new QListWidget;
    m_modules->setObjectName(u"lbxSwordModule"_s);
    m_modules->setAccessibleName(u"Installiertes SWORD-Bibelmodul"_s);
    for (const bible::SwordModule &module : modules) {
        auto *item = new QListWidgetItem(module.description.isEmpty()
                                             ? module.name
                                             : module.name + u" – "_s + module.description);
        item->setData(Qt::UserRole, module.name);
        m_modules->addItem(item);
    }
    if (modules.isEmpty()) {
        m_modules->addItem(swordUnavailable.isEmpty() ? u"(keine SWORD-Bibelmodule installiert)"_s
                                                      : swordUnavailable);
        m_modules->item(0)->setFlags(Qt::NoItemFlags);
        m_swordChoice->setEnabled(false);
    }
    layout->addWidget(m_modules);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_buttons->button(QDialogButtonBox::Ok)->setText(u"Einlesen"_s);
    m_buttons->button(QDialogButtonBox::Cancel)->setText(u"Abbrechen"_s);
    layout->addWidget(m_buttons);

    m_fileChoice->setChecked(true);
    connect(fileButton, &QPushButton::clicked, this, &BibleImportDialog::chooseFile);
    connect(folderButton, &QPushButton::clicked, this, &BibleImportDialog::chooseFolder);
    connect(m_path, &QLineEdit::textChanged, this, [this] {
        m_fileChoice->setChecked(true);
        updateOk();
    });
    connect(m_modules, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && m_swordChoice->isEnabled())
            m_swordChoice->setChecked(true);
        updateOk();
    });
    connect(m_fileChoice, &QRadioButton::toggled, this, &BibleImportDialog::updateOk);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateOk();
}

bool BibleImportDialog::swordChosen() const
{
    return m_swordChoice->isChecked();
}

QString BibleImportDialog::sourcePath() const
{
    return m_path->text().trimmed();
}

QString BibleImportDialog::moduleName() const
{
    const QListWidgetItem *item = m_modules->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

void BibleImportDialog::chooseFile()
{
    FileDialogRequest request;
    request.title = u"Bibel im OSIS- oder Zefania-Format wählen"_s;
    request.filter = u"XML-Bibeln (*.xml)|*.xml|Alle Dateien|*.*"_s;
    request.mustExist = true;
    const QString path = m_dialogs.openFileName(request);
    if (!path.isEmpty())
        m_path->setText(path);
}

void BibleImportDialog::chooseFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(
        this, u"Ordner mit einer Bibel im OSIS- oder Zefania-Format wählen"_s, sourcePath());
    if (!folder.isEmpty())
        m_path->setText(folder);
}

void BibleImportDialog::updateOk()
{
    const bool ready = swordChosen() ? !moduleName().isEmpty() : !sourcePath().isEmpty();
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(ready);
}
