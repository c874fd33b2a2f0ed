#pragma once

#include <QString>

// The ten one-line fields of the tab "Proprium": the propers of the day and the hymns, in the
// order in which a preparation stores them.
struct ProperTexts
{
    QString wochenspruch;
    QString psalm;
    QString epistel;
    QString evangelium;
    QString predigttext;

    QString eingangslied;
    QString wochenlied;
    QString vorpredigtslied;
    QString kollektenlied;
    QString ausgangslied;
};
