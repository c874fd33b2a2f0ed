// The order text's helpers that no golden case shows: the file name of an element and the
// colour layout. The order texts themselves are the golden cases in cases/.
#include "order/OrderText.h"

#include "order/OccasionalServices.h"
#include "tests/order/OrderCases.h"

#include <gtest/gtest.h>

namespace {

// The case of the longest list holds exactly the list the basic form makes with all four services.
TEST(OrderText, LongestListCaseIsTheBasicFormWithAllFourServices)
{
    const QStringList longest = ordercases::readList(
        ordercases::casesFolder() + QStringLiteral("/longest-list/sequence.txt"));
    EXPECT_EQ(longest, occasional::rebuildSequence(0, { true, true, true, true }).entries());
    EXPECT_EQ(longest.size(), 42);
}

TEST(OrderText, FileNameLowersOnlyAToZ)
{
    EXPECT_EQ(ordertext::textFileName(QStringLiteral("Musik zum Eingang")),
              QStringLiteral("musik zum eingang.txt"));
    EXPECT_EQ(ordertext::textFileName(QStringLiteral("Segnung der Täuflingseltern")),
              QStringLiteral("segnung der täuflingseltern.txt"));
    EXPECT_EQ(ordertext::textFileName(QStringLiteral("ÄÖÜ ÉZ ß 1.")),
              QStringLiteral("ÄÖÜ Éz ß 1..txt"));
}

TEST(OrderText, ColourFromRgbHasTheLibrarysLayout)
{
    EXPECT_EQ(ordertext::colourFromRgb(0xAA, 0x00, 0xAA), ordertext::kViolet);
    EXPECT_EQ(ordertext::colourFromRgb(0, 0, 0), ordertext::kBlack);
    EXPECT_EQ(ordertext::colourFromRgb(0xFF, 0xFF, 0xFF), 0x02FFFFFF);
    EXPECT_EQ(ordertext::colourFromRgb(0x12, 0x34, 0x56), 0x02563412);
}

} // namespace
