#include "order/BasicForms.h"

#include <gtest/gtest.h>

namespace {

TEST(BasicForms, TheFourFormsInTheirPositions)
{
    EXPECT_EQ(
        basicforms::formNames(),
        QStringList({ QStringLiteral("Liturgie I, Form 1"), QStringLiteral("Liturgie I, Form 2"),
                      QStringLiteral("Liturgie II, Form 1"),
                      QStringLiteral("Liturgie II, Form 2") }));
}

TEST(BasicForms, NoSelectionAndUnknownPositionsTakeLiturgyTwoFormTwo)
{
    for (int position : { -1, 4, 17, -100 })
        EXPECT_EQ(basicforms::formSequence(position), basicforms::formSequence(3)) << position;

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
    ASSERT_EQ(initial.size(), 24);
    EXPECT_EQ(initial.indexOf(QStringLiteral("Eingangslied")), 3);
    const QStringList formOne = basicforms::formSequence(0).entries();
    EXPECT_EQ(formOne.indexOf(QStringLiteral("Eingangslied")), 6);
    QStringList moved = initial;
    moved.move(3, 6);
    EXPECT_EQ(moved, formOne);
}

} // namespace
