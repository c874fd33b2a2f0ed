#pragma once

#include "bible/LectorReadings.h"

#include <QDate>
#include <QDialog>

#include <memory>

class Dialogs;
class QPrinter;
namespace Ui {
class LectorDialog;
}

// "Lesungen für den Lektor": the day's readings in full text from the installed Bible, in a
// font size the pastor chooses, with or without the sermon text; previewed, printed on the
// program's printer (or into a PDF through the print dialog) and exported to LibreOffice.
// Without a Bible it says how to get one, the import one click away.
class LectorDialog : public QDialog
{
public:
    LectorDialog(const QString &dayName, const QDate &date, const ProperTexts &texts,
                 Dialogs &dialogs, QPrinter &printer, QWidget *parent = nullptr);
    ~LectorDialog() override;

private:
    // Makes the document again from the Bible and the choices and shows it.
    void remake();
    void print();
    void exportToOffice();
    void importBible();
    QString documentTitle() const;

    std::unique_ptr<Ui::LectorDialog> m_ui;
    QString m_dayName;
    QDate m_date;
    ProperTexts m_texts;
    Dialogs &m_dialogs;
    QPrinter &m_printer;
    lector::Document m_made;
};
