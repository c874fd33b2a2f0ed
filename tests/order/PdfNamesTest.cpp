// The PDF file each printed document proposes.
#include "order/PdfNames.h"

#include <gtest/gtest.h>

namespace {

TEST(PdfNames, EachDocumentByItsKindAndDay)
{
    const QDate advent(2026, 11, 29);
    const struct
    {
        QString name;
        QString expected;
    } cases[] = {
        { pdfnames::orderFileName(QStringLiteral("1. Advent"), advent),
          QStringLiteral("Ablauf 1. Advent 29.11.2026.pdf") },
        { pdfnames::lectorFileName(QStringLiteral("1. Advent"), advent),
          QStringLiteral("Lesungen 1. Advent 29.11.2026.pdf") },
        { pdfnames::hymnPlanFileName(advent, QDate(2026, 12, 20)),
          QStringLiteral("Liedplan 29.11.2026 bis 20.12.2026.pdf") },
        // What a file name cannot hold, and a day without a date.
        { pdfnames::orderFileName(QStringLiteral(" Tag der Arbeit / 1. Mai: \"Fest\" "), {}),
          QStringLiteral("Ablauf Tag der Arbeit - 1. Mai- -Fest-.pdf") },
        { pdfnames::lectorFileName(QStringLiteral("../.."), advent),
          QStringLiteral("Lesungen -.. 29.11.2026.pdf") },
        { pdfnames::orderFileName(QString(), {}), QStringLiteral("Ablauf.pdf") },
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.name, c.expected);

    EXPECT_EQ(pdfnames::besidePrevious(QStringLiteral("/home/p/Druck/Ablauf alt.pdf"),
                                       QStringLiteral("Lesungen.pdf"), QStringLiteral("/home/p")),
              QStringLiteral("/home/p/Druck/Lesungen.pdf"));
    EXPECT_EQ(pdfnames::besidePrevious(QString(), QStringLiteral("Lesungen.pdf"),
                                       QStringLiteral("/home/p")),
              QStringLiteral("/home/p/Lesungen.pdf"));
}

} // namespace
