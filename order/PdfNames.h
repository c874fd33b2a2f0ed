#pragma once

#include <QDate>
#include <QString>

// The PDF file each printed document proposes: its kind and what it is for, so that printing
// one document into a PDF never proposes the file of another ("Ablauf 1. Advent
// 29.11.2026.pdf", "Lesungen 1. Advent 29.11.2026.pdf", "Liedplan 29.11.2026 bis
// 20.12.2026.pdf").
namespace pdfnames {

// The order of service and the lector's readings of a day; an invalid date is left out.
QString orderFileName(const QString &dayName, const QDate &date);
QString lectorFileName(const QString &dayName, const QDate &date);
// The hymn plan of a period.
QString hymnPlanFileName(const QDate &from, const QDate &to);

// The file name in the folder of the PDF printed last (previousPath), or in fallbackFolder
// when there was none.
QString besidePrevious(const QString &previousPath, const QString &fileName,
                       const QString &fallbackFolder);

} // namespace pdfnames
