#pragma once

#include "order/SequenceList.h"

#include <QString>

// A service with three readings ("Drei Lesungen"): the Old Testament reading is read before
// the epistle, or before the gospel where the form has no epistle.
namespace threereadings {

// The sequence entry of the Old Testament reading: "AT-Lesung".
QString entryName();

// Takes every "AT-Lesung" out of list; with three readings one is put back right before the
// first "Epistel", or before the first "Evangelium" when the list has no epistle. A list
// without either reading ("Liturgie II, Form 2", a wedding) gets none. Returns true when the
// list changed.
bool place(SequenceList &list, bool threeReadings);

} // namespace threereadings
