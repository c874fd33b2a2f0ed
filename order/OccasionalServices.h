#pragma once

#include "order/SequenceList.h"
#include "storage/Preparation.h"

// The liturgies of the occasional services (communion, confirmation, baptism, wedding) that
// the four ticks of the "Liturgie" tab add to the sequence of the service.
namespace occasional {

enum class Service { Communion, Confirmation, Baptism, Wedding };

// Each of the four places its service's block into list, relative to the block's anchor,
// taking out the service's own elements first so that nothing is doubled. They return false
// and leave list untouched when the service's tick is off or its anchor is missing; then the
// list has to be rebuilt from the basic form instead (rebuildSequence).
//
// Communion (anchors "Predigt" and "Vaterunser"): "Schuldbekenntnis" ... "Einsetzungsworte"
// directly before "Vaterunser", "Agnus Dei", "Austeilung", "Dankgebet" directly after it.
// Takes the basic form's "Fürbitte" into its block.
bool applyCommunion(SequenceList &list, const ServiceTicks &ticks);
// Confirmation: its block right after "Predigt", taking the first creed into it.
bool applyConfirmation(SequenceList &list, const ServiceTicks &ticks);
// Baptism: its block right after "Vorpredigtslied", taking the first creed into it.
bool applyBaptism(SequenceList &list, const ServiceTicks &ticks);
// Wedding: takes out the readings (the Old Testament reading too), the entry before the gospel,
// Gloria Patri, Kyrie, Gloria in excelsis, the collect and the announcements, and places its block
// after "Grußworte" (with confirmation) or "Predigt" (the top of the list when that anchor is
// missing). Without baptism the creed moves to the head of the wedding block. Has no anchor test:
// only an unticked wedding asks for a rebuild.
bool applyWedding(SequenceList &list, const ServiceTicks &ticks);

// The list of the basic form at position (see basicforms::formSequence) with every ticked
// service applied, in the order communion, confirmation, baptism, wedding. A freshly built
// form always holds every anchor, so this never needs to rebuild again.
SequenceList rebuildSequence(int position, const ServiceTicks &ticks);

// What a change of one tick does to the current list: the ticked service placed into it in
// place, or, when the service cannot be placed (its tick is off, or its anchor is missing),
// the list rebuilt from the basic form at position with the services still ticked.
// Returns true when the list was rebuilt.
bool applyTick(Service service, SequenceList &list, int position, const ServiceTicks &ticks);

} // namespace occasional
