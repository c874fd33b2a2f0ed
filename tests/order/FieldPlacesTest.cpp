// Which filled field of the propers has no place in the sequence, for each basic form, and
// what the pastor is told about it.
#include "storage/FieldPlaces.h"
#include "order/BasicForms.h"

#include <gtest/gtest.h>

namespace {

Preparation everyFieldFilled()
{
    Preparation texts;
    texts.wochenspruch = QStringLiteral("Spruch");
    texts.psalm = QStringLiteral("Psalm 24");
    texts.atLesung = QStringLiteral("Sach 9,9-10");
    texts.epistel = QStringLiteral("Röm 1,1-7");
    texts.evangelium = QStringLiteral("Mt 21,1-9");
    texts.predigttext = QStringLiteral("Jer 23,5-8");
    texts.eingangslied = QStringLiteral("EG 1");
    texts.wochenlied = QStringLiteral("EG 10");
    texts.vorpredigtslied = QStringLiteral("EG 4");
    texts.kollektenlied = QStringLiteral("EG 7");
    texts.ausgangslied = QStringLiteral("EG 27");
    return texts;
}

TEST(FieldPlaces, EveryFilledFieldWhoseEntryTheSequenceLacks)
{
    const Preparation all = everyFieldFilled();
    Preparation three = all;
    three.threeReadings = true;
    QStringList withOldTestament = basicforms::formSequence(0).entries();
    withOldTestament.insert(withOldTestament.indexOf(QStringLiteral("Epistel")),
                            QStringLiteral("AT-Lesung"));
    Preparation blanks = all;
    blanks.wochenlied = QStringLiteral("   ");
    blanks.epistel.clear();
    const QStringList formTwoOne = basicforms::formSequence(2).entries();
    QStringList lowered = basicforms::formSequence(0).entries();
    lowered.replace(lowered.indexOf(QStringLiteral("Wochenlied")), QStringLiteral("wochenlied"));

    struct Case
    {
        const char *name;
        Preparation texts;
        QStringList sequence;
        QStringList unplaced;
    };
    const Case cases[] = {
        { "Liturgie I, Form 1 has a place for everything",
          all,
          basicforms::formSequence(0).entries(),
          {} },
        { "Liturgie I, Form 2 too", all, basicforms::formSequence(1).entries(), {} },
        { "the start's list too", all, basicforms::initialSequence(), {} },
        { "Liturgie II, Form 1: neither epistle nor hymn of the week",
          all,
          formTwoOne,
          { QStringLiteral("Epistel"), QStringLiteral("Wochenlied") } },
        { "Liturgie II, Form 2: no gospel either",
          all,
          basicforms::formSequence(3).entries(),
          { QStringLiteral("Epistel"), QStringLiteral("Evangelium"),
            QStringLiteral("Wochenlied") } },
        { "empty and blank fields need no place", blanks, formTwoOne, {} },
        { "an entry differing in case is not the entry",
          all,
          lowered,
          { QStringLiteral("Wochenlied") } },
        { "the Old Testament reading is read only in a service of three readings",
          all,
          withOldTestament,
          {} },
        { "three readings: its place", three, withOldTestament, {} },
        { "three readings in a form without any reading",
          three,
          basicforms::formSequence(3).entries(),
          { QStringLiteral("AT-Lesung"), QStringLiteral("Epistel"), QStringLiteral("Evangelium"),
            QStringLiteral("Wochenlied") } },
        { "an empty list has no place at all",
          all,
          {},
          { QStringLiteral("Wochenspruch"), QStringLiteral("Psalm"), QStringLiteral("Epistel"),
            QStringLiteral("Evangelium"), QStringLiteral("Predigttext"),
            QStringLiteral("Eingangslied"), QStringLiteral("Wochenlied"),
            QStringLiteral("Vorpredigtslied"), QStringLiteral("Kollektenlied"),
            QStringLiteral("Ausgangslied") } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto unplaced = fieldplaces::unplacedFields(c.texts, c.sequence);
        EXPECT_EQ(fieldplaces::labelsOf(unplaced), c.unplaced);
        EXPECT_EQ(fieldplaces::unplacedNote(unplaced).isEmpty(), c.unplaced.isEmpty());
    }
}

TEST(FieldPlaces, TheNoteNamesFieldAndTextAndCutsALongText)
{
    Preparation texts;
    texts.wochenlied = QStringLiteral(" EG 10 ");
    texts.epistel = QString(500, u'x');
    const QString note = fieldplaces::unplacedNote(
        fieldplaces::unplacedFields(texts, basicforms::formSequence(2).entries()));
    EXPECT_EQ(note,
              QStringLiteral("Nicht im Ablauf, weil die Reihenfolge keinen Platz dafür hat: "
                             "Epistel „")
                  + QString(39, u'x') + QStringLiteral("…“, Wochenlied „EG 10“"));
}

} // namespace
