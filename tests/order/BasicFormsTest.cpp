#include "order/BasicForms.h"
#include "tests/order/SequenceData.h"

#include <gtest/gtest.h>

using namespace sequencedata;

namespace {

TEST(BasicForms, TheFourFormsInTheirPositions)
{
    EXPECT_EQ(basicforms::formNames(),
              names({ u"Liturgie I, Form 1", u"Liturgie I, Form 2", u"Liturgie II, Form 1",
                      u"Liturgie II, Form 2" }));
}

TEST(BasicForms, CompleteListOfEveryForm)
{
    EXPECT_EQ(basicforms::formSequence(0).entries(), liturgyOneFormOne());
    EXPECT_EQ(basicforms::formSequence(1).entries(), liturgyOneFormTwo());
    EXPECT_EQ(basicforms::formSequence(2).entries(), liturgyTwoFormOne());
    EXPECT_EQ(basicforms::formSequence(3).entries(), liturgyTwoFormTwo());
}

TEST(BasicForms, NoSelectionAndUnknownPositionsTakeLiturgyTwoFormTwo)
{
    for (int position : { -1, 4, 17, -100 })
        EXPECT_EQ(basicforms::formSequence(position).entries(), liturgyTwoFormTwo()) << position;

    const SequenceList shortForm = basicforms::formSequence(-1);
    for (const char16_t *missing :
         { u"Evangelium", u"Epistel", u"Wochenlied", u"Glaubensbekenntnis", u"Gloria Patri",
           u"Kyrie", u"Gloria Excelsis", u"Abkündigungen", u"1. Dialog", u"2. Dialog" })
        EXPECT_EQ(shortForm.find(QStringView(missing)), -1)
            << QString::fromUtf16(missing).toStdString();
}

TEST(BasicForms, TypedTextNamesAFormOnlyWhenItIsExactlyItsName)
{
    EXPECT_EQ(basicforms::formPosition(QStringLiteral("Liturgie I, Form 1")), 0);
    EXPECT_EQ(basicforms::formPosition(QStringLiteral("Liturgie II, Form 2")), 3);
    EXPECT_EQ(basicforms::formPosition(QStringLiteral("Liturgie II")), -1);
    EXPECT_EQ(basicforms::formPosition(QStringLiteral("Unsere Gemeindeliturgie")), -1);
    EXPECT_EQ(basicforms::formPosition(QString()), -1);
}

TEST(BasicForms, InitialSequenceDiffersFromFormOneOnlyInTheOpeningHymn)
{
    const QStringList initial = basicforms::initialSequence();
    EXPECT_EQ(initial, initialSequence());
    ASSERT_EQ(initial.size(), 24);
    EXPECT_EQ(initial.indexOf(QStringLiteral("Eingangslied")), 3);
    const QStringList formOne = basicforms::formSequence(0).entries();
    EXPECT_EQ(formOne.indexOf(QStringLiteral("Eingangslied")), 6);
    QStringList moved = initial;
    moved.move(3, 6);
    EXPECT_EQ(moved, formOne);
}

} // namespace
