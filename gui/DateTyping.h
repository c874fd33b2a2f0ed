#pragma once

class QDateEdit;

// A date typed whole into a date field becomes that date. Qt's date field edits section by
// section: typed over, it drops digits and keeps parts of the old date ("31.01.2027" over
// 24.12.2026 gave 24.01.2027). Typing that begins at the field's start (all of it selected, its
// day selected as the Tab key leaves it, or the cursor at the start) is taken over here: the
// field shows what is typed (typeddate::canContinue) and takes the date once the year is
// complete; Return, Tab or leaving the field take what was typed, or bring the date back when
// it is none. Escape brings the date back. A single section edited further on is Qt's.
namespace datetyping {

void install(QDateEdit &edit);

} // namespace datetyping
