#include "order/OccasionalServices.h"
#include "order/BasicForms.h"

#include <gtest/gtest.h>

using occasional::Service;

namespace {

QStringList names(std::initializer_list<const char16_t *> list)
{
    QStringList result;
    for (const char16_t *name : list)
        result.append(QString::fromUtf16(name));
    return result;
}

constexpr ServiceTicks kCommunion { .abendmahl = true };
constexpr ServiceTicks kConfirmation { .konfirmation = true };
constexpr ServiceTicks kBaptism { .taufe = true };
constexpr ServiceTicks kWedding { .trauung = true };
constexpr ServiceTicks kAll {
    .abendmahl = true, .taufe = true, .konfirmation = true, .trauung = true
};

// The communion blocks as they stand around "Vaterunser".
const QStringList kCommunionAroundVaterunser
    = names({ u"Schuldbekenntnis", u"Fürbitte", u"Praefation", u"Lobgebet", u"Sanctus",
              u"Einsetzungsworte", u"Vaterunser", u"Agnus Dei", u"Austeilung", u"Dankgebet" });

// ---- Rebuild of a basic form with ticked services (the lists themselves are golden cases) --

TEST(Rebuild, EveryCombinationKeepsEachElementOnce)
{
    // Every form with every combination keeps each element of a ticked service exactly once
    // and never doubles the creed.
    for (int position = -1; position <= 3; ++position) {
        for (int mask = 0; mask < 16; ++mask) {
            const ServiceTicks ticks { .abendmahl = (mask & 1) != 0,
                                       .taufe = (mask & 4) != 0,
                                       .konfirmation = (mask & 2) != 0,
                                       .trauung = (mask & 8) != 0 };
            const QStringList list = occasional::rebuildSequence(position, ticks).entries();
            EXPECT_LE(list.count(QStringLiteral("Glaubensbekenntnis")), 1)
                << position << ' ' << mask;
            EXPECT_EQ(list.count(QStringLiteral("Fürbitte")), 1) << position << ' ' << mask;
            EXPECT_EQ(list.count(QStringLiteral("Trauvotum")), ticks.trauung ? 1 : 0);
            EXPECT_EQ(list.count(QStringLiteral("Tauflied")), ticks.taufe ? 1 : 0);
            EXPECT_EQ(list.count(QStringLiteral("Grußworte")), ticks.konfirmation ? 1 : 0);
            EXPECT_EQ(list.count(QStringLiteral("Agnus Dei")), ticks.abendmahl ? 1 : 0);
            // Communion in every form: the first block directly before "Vaterunser", the
            // second directly after it.
            if (ticks.abendmahl) {
                const int vaterunser = int(list.indexOf(QStringLiteral("Vaterunser")));
                EXPECT_EQ(list.mid(vaterunser - 6, 10), kCommunionAroundVaterunser)
                    << position << ' ' << mask;
            }
        }
    }
}

// ---- Ticks applied to an existing list -----------------------------------------------------

TEST(ServiceTick, WeddingTwiceLeavesEachElementOnce)
{
    for (const ServiceTicks ticks : { kWedding, ServiceTicks { .taufe = true, .trauung = true },
                                      ServiceTicks { .konfirmation = true, .trauung = true } }) {
        SequenceList list = occasional::rebuildSequence(0, ticks);
        const SequenceList once = list;
        EXPECT_TRUE(occasional::applyWedding(list, ticks));
        EXPECT_EQ(list, once);
        for (const char16_t *name : { u"Traulesungen", u"Trauversprechen", u"Ringübergabe",
                                      u"Händereichen", u"Trauvotum", u"Glaubensbekenntnis" })
            EXPECT_EQ(list.entries().count(QString::fromUtf16(name)), 1);
    }
}

TEST(ServiceTick, WeddingOnAListWithoutAnchorsPutsItsBlockOnTop)
{
    SequenceList list(names({ u"Evangelium", u"Lied", u"Segen" }));
    EXPECT_TRUE(occasional::applyWedding(list, kWedding));
    // "Evangelium" at the top: nothing stands before it; no "Predigt": the block goes first.
    EXPECT_EQ(list.entries(),
              names({ u"Glaubensbekenntnis", u"Traulesungen", u"Trauversprechen", u"Ringübergabe",
                      u"Händereichen", u"Trauvotum", u"Lied", u"Segen" }));
}

TEST(ServiceTick, CommunionTakesAFuerbitteMovedToTheTop)
{
    SequenceList list = basicforms::formSequence(0);
    list.move(list.find(u"Fürbitte"), 0);
    EXPECT_FALSE(occasional::applyTick(Service::Communion, list, 0, kCommunion));
    EXPECT_EQ(list, occasional::rebuildSequence(0, kCommunion));
}

TEST(ServiceTick, CommunionStandsAroundVaterunserWhereverTheSermonIs)
{
    // The sermon moved to the end, or other services ticked before: the words of institution
    // still come before the distribution.
    for (int fromEnd : { 1, 2, 5 }) {
        SequenceList list = basicforms::formSequence(3);
        list.move(list.find(u"Predigt"), list.count() - fromEnd);
        EXPECT_TRUE(occasional::applyCommunion(list, kCommunion));
        const QStringList entries = list.entries();
        const int vaterunser = int(entries.indexOf(QStringLiteral("Vaterunser")));
        EXPECT_EQ(entries.mid(vaterunser - 6, 10), kCommunionAroundVaterunser) << fromEnd;
    }
    SequenceList confirmed = occasional::rebuildSequence(0, kConfirmation);
    EXPECT_FALSE(occasional::applyTick(Service::Communion, confirmed, 0,
                                       { .abendmahl = true, .konfirmation = true }));
    const QStringList entries = confirmed.entries();
    const int vaterunser = int(entries.indexOf(QStringLiteral("Vaterunser")));
    EXPECT_EQ(entries.mid(vaterunser - 6, 10), kCommunionAroundVaterunser);
}

TEST(ServiceTick, MissingAnchorRebuildsTheBasicForm)
{
    // A restored list without "Vaterunser": communion cannot be placed.
    SequenceList list(names({ u"Predigt", u"Segen" }));
    EXPECT_FALSE(occasional::applyCommunion(list, kCommunion));
    EXPECT_EQ(list.entries(), names({ u"Predigt", u"Segen" }));
    EXPECT_TRUE(occasional::applyTick(Service::Communion, list, 2, kCommunion));
    EXPECT_EQ(list, occasional::rebuildSequence(2, kCommunion));

    SequenceList noHymn(names({ u"Predigt", u"Segen" }));
    EXPECT_TRUE(occasional::applyTick(Service::Baptism, noHymn, 1, kBaptism));
    EXPECT_EQ(noHymn, occasional::rebuildSequence(1, kBaptism));

    SequenceList noSermon(names({ u"Vorpredigtslied", u"Segen" }));
    EXPECT_TRUE(occasional::applyTick(Service::Confirmation, noSermon, -1, kConfirmation));
    EXPECT_EQ(noSermon, occasional::rebuildSequence(-1, kConfirmation));
}

TEST(ServiceTick, UntickingRebuildsWithTheRemainingServicesAndLosesMoves)
{
    SequenceList list = occasional::rebuildSequence(0, { .abendmahl = true, .taufe = true });
    list.move(0, list.count() - 1);
    list.move(5, 2);
    // Baptism unticked, communion still ticked.
    EXPECT_TRUE(occasional::applyTick(Service::Baptism, list, 0, kCommunion));
    EXPECT_EQ(list, occasional::rebuildSequence(0, kCommunion));
    EXPECT_EQ(list.find(u"Taufansprache"), -1);
    EXPECT_EQ(list.at(0), QStringLiteral("Glockengeläut"));
}

TEST(ServiceTick, TickingWorksOnTheCurrentListAndKeepsManualMoves)
{
    SequenceList list = basicforms::formSequence(0);
    list.move(list.find(u"Psalm"), 0);
    EXPECT_FALSE(occasional::applyTick(Service::Baptism, list, 0, kBaptism));
    EXPECT_EQ(list.at(0), QStringLiteral("Psalm"));
    const int hymn = list.find(u"Vorpredigtslied");
    EXPECT_EQ(list.at(hymn + 1), QStringLiteral("Taufansprache"));
    EXPECT_EQ(list.at(hymn + 8), QStringLiteral("Tauflied"));
    EXPECT_EQ(list.at(hymn + 9), QStringLiteral("Predigt"));
}

} // namespace
