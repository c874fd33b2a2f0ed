#include "order/SequenceList.h"

#include <gtest/gtest.h>

namespace {

SequenceList listOf(std::initializer_list<const char16_t *> names)
{
    QStringList entries;
    for (const char16_t *name : names)
        entries.append(QString::fromUtf16(name));
    return SequenceList(entries);
}

TEST(SequenceList, FindIgnoresLetterCaseAndGivesTheFirstMatch)
{
    const SequenceList list = listOf({ u"Eingangslied", u"Predigt", u"Fürbitte", u"Predigt" });
    EXPECT_EQ(list.find(u"predigt"), 1);
    EXPECT_EQ(list.find(u"PREDIGT"), 1);
    EXPECT_EQ(list.find(u"FÜRBITTE"), 2);
    EXPECT_EQ(list.find(u"Segen"), -1);
    // Neither a prefix nor a longer name matches.
    EXPECT_EQ(list.find(u"Predig"), -1);
    EXPECT_EQ(list.find(u"Predigten"), -1);
    EXPECT_EQ(list.find(u""), -1);
}

TEST(SequenceList, DeleteOutsideTheListChangesNothing)
{
    SequenceList list = listOf({ u"Psalm", u"Predigt", u"Segen" });
    const SequenceList before = list;
    list.deleteAt(list.find(u"Vaterunser"));
    list.deleteAt(-2);
    list.deleteAt(3);
    EXPECT_EQ(list, before);
    list.deleteAt(list.find(u"predigt"));
    EXPECT_EQ(list, listOf({ u"Psalm", u"Segen" }));
}

TEST(SequenceList, InsertAddAndClear)
{
    SequenceList list = listOf({ u"Psalm", u"Segen" });
    list.insert(1, QStringLiteral("Predigt"));
    list.insert(list.count(), QStringLiteral("Ausgangslied")); // the count appends
    list.insert(0, QStringLiteral("Glockengeläut"));
    list.add(QStringLiteral("Predigt")); // duplicates are kept
    EXPECT_EQ(
        list,
        listOf({ u"Glockengeläut", u"Psalm", u"Predigt", u"Segen", u"Ausgangslied", u"Predigt" }));
    // Positions beyond either end land at that end rather than failing.
    list.insert(99, QStringLiteral("Ende"));
    list.insert(-5, QStringLiteral("Anfang"));
    EXPECT_EQ(list.at(0), QStringLiteral("Anfang"));
    EXPECT_EQ(list.at(list.count() - 1), QStringLiteral("Ende"));
    list.clear();
    EXPECT_TRUE(list.isEmpty());
}

TEST(SequenceList, InsertingARowAtOnePlaceReversesIt)
{
    SequenceList list = listOf({ u"Predigt", u"Segen" });
    for (const char16_t *name : { u"C", u"B", u"A" })
        list.insert(1, QString::fromUtf16(name));
    EXPECT_EQ(list, listOf({ u"Predigt", u"A", u"B", u"C", u"Segen" }));
}

TEST(SequenceList, MoveTakesTheEntryOutAndPutsItAtTheTarget)
{
    SequenceList list = listOf({ u"A", u"B", u"C", u"D" });
    list.move(0, 3);
    EXPECT_EQ(list, listOf({ u"B", u"C", u"D", u"A" }));
    list.move(3, 1);
    EXPECT_EQ(list, listOf({ u"B", u"A", u"C", u"D" }));
    const SequenceList before = list;
    list.move(-1, 0);
    list.move(0, 4);
    EXPECT_EQ(list, before);
}

TEST(SequenceMoves, RepeatedMovesCarryTheSelectedEntryFurther)
{
    SequenceList list = listOf({ u"A", u"B", u"C", u"D" });
    int selected = moveEntryUp(list, 2);
    EXPECT_EQ(selected, 1);
    selected = moveEntryUp(list, selected);
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(list, listOf({ u"C", u"A", u"B", u"D" }));
    selected = moveEntryDown(list, selected);
    selected = moveEntryDown(list, selected);
    selected = moveEntryDown(list, selected);
    EXPECT_EQ(selected, 3);
    EXPECT_EQ(list, listOf({ u"A", u"B", u"D", u"C" }));
}

TEST(SequenceMoves, EndsAndNoSelectionChangeNothing)
{
    SequenceList list = listOf({ u"A", u"B", u"C" });
    const SequenceList before = list;
    EXPECT_EQ(moveEntryUp(list, 0), 0);
    EXPECT_EQ(moveEntryDown(list, 2), 2);
    EXPECT_EQ(moveEntryUp(list, -1), -1);
    EXPECT_EQ(moveEntryDown(list, -1), -1);
    EXPECT_EQ(list, before);

    SequenceList empty;
    EXPECT_EQ(moveEntryUp(empty, -1), -1);
    EXPECT_EQ(moveEntryDown(empty, -1), -1);
    EXPECT_EQ(moveEntryDown(empty, 0), 0);
    EXPECT_TRUE(empty.isEmpty());
}

} // namespace
