#pragma once

#include "bible/SwordImport.h"

#include <QDialog>

class Dialogs;
class QDialogButtonBox;
class QLineEdit;
class QListWidget;
class QRadioButton;

// The choice of what to read in as the program's Bible: a file or folder in OSIS or Zefania
// XML, or one of the installed SWORD Bible modules (listed by name and description). Without the
// SWORD plugin the list holds the one line saying how to get it (swordUnavailable).
class BibleImportDialog : public QDialog
{
public:
    BibleImportDialog(const QList<bible::SwordModule> &modules, Dialogs &dialogs,
                      QWidget *parent = nullptr, const QString &swordUnavailable = {});

    // True when a SWORD module is chosen, false for a file or folder.
    bool swordChosen() const;
    // The chosen file or folder.
    QString sourcePath() const;
    // The name of the chosen module.
    QString moduleName() const;

private:
    void chooseFile();
    void chooseFolder();
    void updateOk();

    Dialogs &m_dialogs;
    QRadioButton *m_fileChoice = nullptr;
    QLineEdit *m_path = nullptr;
    QRadioButton *m_swordChoice = nullptr;
    QListWidget *m_modules = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};
