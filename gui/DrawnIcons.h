#pragma once

#include <QIcon>

// The images of the program's buttons, drawn as lines and shapes at whatever size a button
// asks for. They look alike on every desktop, and building them reads no image file: Qt's
// own icons are pictures whose reading loads every image-format plugin of the system, work
// the start of the program does not need.
enum class DrawnIcon {
    New, // a blank sheet with a folded corner
    Open, // a folder, its lid open
    Save, // a floppy disk
    Print, // a printer with a sheet coming out
    Font, // a large serif A
    Information, // an i in a blue circle
    Help, // a question mark in a blue circle
    Mail, // an envelope
    Close, // a door with an arrow leading out
    Repeat, // a circling arrow on amber: sung only a few weeks before
};

QIcon drawnIcon(DrawnIcon which);
