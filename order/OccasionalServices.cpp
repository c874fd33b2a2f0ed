#include "order/OccasionalServices.h"

#include "order/BasicForms.h"

#include <initializer_list>

namespace occasional {
namespace {

// Removes the first entry of each name that is there, in the given order.
void removeIfPresent(SequenceList &list, std::initializer_list<QString> names)
{
    for (const QString &name : names)
        list.deleteAt(list.find(name));
}

// Inserts each name at the same position, one after the other, so that from position on the
// list then holds the names in reverse.
void insertEachAt(SequenceList &list, int position, std::initializer_list<QString> names)
{
    for (const QString &name : names)
        list.insert(position, name);
}

const QString &predigt()
{
    static const QString name = QStringLiteral("Predigt");
    return name;
}

const QString &glaubensbekenntnis()
{
    static const QString name = QStringLiteral("Glaubensbekenntnis");
    return name;
}

} // namespace

bool applyCommunion(SequenceList &list, const ServiceTicks &ticks)
{
    const QString vaterunser = QStringLiteral("Vaterunser");
    if (!ticks.abendmahl || list.find(predigt()) < 0 || list.find(vaterunser) < 0)
        return false;

    const std::initializer_list<QString> prayers
        = { QStringLiteral("Einsetzungsworte"), QStringLiteral("Sanctus"),
            QStringLiteral("Lobgebet"),         QStringLiteral("Praefation"),
            QStringLiteral("Fürbitte"),         QStringLiteral("Schuldbekenntnis") };
    removeIfPresent(list, prayers);
    // Confession to the words of institution stand directly before "Vaterunser", the
    // distribution directly after it, wherever the sermon is and whatever follows it.
    insertEachAt(list, list.find(vaterunser), prayers);

    const std::initializer_list<QString> supper
        = { QStringLiteral("Dankgebet"), QStringLiteral("Austeilung"),
            QStringLiteral("Agnus Dei") };
    removeIfPresent(list, supper);
    insertEachAt(list, list.find(vaterunser) + 1, supper);
    return true;
}

bool applyConfirmation(SequenceList &list, const ServiceTicks &ticks)
{
    if (!ticks.konfirmation || list.find(predigt()) < 0)
        return false;

    const std::initializer_list<QString> block = { QStringLiteral("Grußworte"),
                                                   QStringLiteral("Urkundenübergabe"),
                                                   QStringLiteral("Segnung"),
                                                   QStringLiteral("Segensgebet"),
                                                   QStringLiteral("Konfirmationsfrage"),
                                                   glaubensbekenntnis(),
                                                   QStringLiteral("Tauferinnerung") };
    removeIfPresent(list, block);
    insertEachAt(list, list.find(predigt()) + 1, block);
    return true;
}

bool applyBaptism(SequenceList &list, const ServiceTicks &ticks)
{
    const QString vorpredigtslied = QStringLiteral("Vorpredigtslied");
    if (!ticks.taufe || list.find(vorpredigtslied) < 0)
        return false;

    const std::initializer_list<QString> block = { QStringLiteral("Tauflied"),
                                                   QStringLiteral("Segnung der Täuflingseltern"),
                                                   QStringLiteral("Eingliederung"),
                                                   QStringLiteral("Taufhandlung"),
                                                   glaubensbekenntnis(),
                                                   QStringLiteral("Patenverpflichtung"),
                                                   QStringLiteral("Taufgebet"),
                                                   QStringLiteral("Taufansprache") };
    removeIfPresent(list, block);
    insertEachAt(list, list.find(vorpredigtslied) + 1, block);
    return true;
}

bool applyWedding(SequenceList &list, const ServiceTicks &ticks)
{
    if (!ticks.trauung)
        return false;

    const QString evangelium = QStringLiteral("Evangelium");
    // Whatever stands right before the gospel goes (the hymn of the week in the Liturgie I
    // forms, the collect in "Liturgie II, Form 1"), then the gospel itself.
    list.deleteAt(list.find(evangelium) - 1);
    list.deleteAt(list.find(evangelium));
    if (!ticks.taufe)
        list.deleteAt(list.find(glaubensbekenntnis()));
    removeIfPresent(list,
                    { QStringLiteral("Gloria Patri"), QStringLiteral("Kyrie"),
                      QStringLiteral("Gloria Excelsis"), QStringLiteral("Tagesgebet"),
                      QStringLiteral("AT-Lesung"), QStringLiteral("Epistel"),
                      QStringLiteral("Abkündigungen") });

    const std::initializer_list<QString> block
        = { QStringLiteral("Trauvotum"), QStringLiteral("Händereichen"),
            QStringLiteral("Ringübergabe"), QStringLiteral("Trauversprechen"),
            QStringLiteral("Traulesungen") };
    removeIfPresent(list, block);
    const int p = ticks.konfirmation ? list.find(QStringLiteral("Grußworte")) + 1
                                     : list.find(predigt()) + 1;
    insertEachAt(list, p, block);
    // With baptism the baptism block keeps the only creed.
    if (!ticks.taufe)
        list.insert(p, glaubensbekenntnis());
    return true;
}

SequenceList rebuildSequence(int position, const ServiceTicks &ticks)
{
    SequenceList list = basicforms::formSequence(position);
    // Every basic form holds "Predigt", "Vaterunser" and "Vorpredigtslied", so a ticked
    // service always finds its anchor here and never asks for another rebuild.
    if (ticks.abendmahl)
        applyCommunion(list, ticks);
    if (ticks.konfirmation)
        applyConfirmation(list, ticks);
    if (ticks.taufe)
        applyBaptism(list, ticks);
    if (ticks.trauung)
        applyWedding(list, ticks);
    return list;
}

bool applyTick(Service service, SequenceList &list, int position, const ServiceTicks &ticks)
{
    bool placed = false;
    switch (service) {
    case Service::Communion:
        placed = applyCommunion(list, ticks);
        break;
    case Service::Confirmation:
        placed = applyConfirmation(list, ticks);
        break;
    case Service::Baptism:
        placed = applyBaptism(list, ticks);
        break;
    case Service::Wedding:
        placed = applyWedding(list, ticks);
        break;
    }
    if (placed)
        return false;
    list = rebuildSequence(position, ticks);
    return true;
}

} // namespace occasional
