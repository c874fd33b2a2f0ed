#pragma once

#include "order/SequenceList.h"

#include <QStringList>

// The four basic forms of the liturgy and the sequence the main window starts with.
namespace basicforms {

// The entries of the basic-form box, in the order of their positions 0 to 3:
// "Liturgie I, Form 1", "Liturgie I, Form 2", "Liturgie II, Form 1", "Liturgie II, Form 2".
const QStringList &formNames();

// The position of the basic form whose name is exactly text, -1 for any other text. A text
// typed into the box that names no form counts as no selection.
int formPosition(const QString &text);

// The complete list of a basic form before any occasional service: the opening block and the
// body of the form at position. Positions 0, 1 and 2 have their own body; 3 and every other
// value, -1 included, take the body of "Liturgie II, Form 2".
SequenceList formSequence(int position);

// The 24 entries the list holds when the main window is created. They differ from the list of
// position 0 only in the place of "Eingangslied" (4th instead of 7th).
const QStringList &initialSequence();

} // namespace basicforms
