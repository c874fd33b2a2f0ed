#pragma once

#include <QString>
#include <QStringList>

// The one-line fields of the tab "Proprium": the propers of the day and the hymns, in the
// order in which a preparation stores them.
struct ProperTexts
{
    QString wochenspruch;
    QString psalm;
    QString atLesung; // the Old Testament reading
    QString epistel;
    QString evangelium;
    QString predigttext;

    QString eingangslied;
    QString wochenlied;
    QString vorpredigtslied;
    QString kollektenlied;
    QString ausgangslied;
};

// The four occasional-service ticks of the tab "Liturgie", named as their check boxes and in
// the order a preparation stores them.
struct ServiceTicks
{
    bool abendmahl = false;
    bool taufe = false;
    bool konfirmation = false;
    bool trauung = false;

    bool operator==(const ServiceTicks &) const = default;
};

// One preparation of a service: what the main window shows of it, what a service-order file
// keeps and what the order of service is written from.
struct Preparation : ProperTexts
{
    QString dayName; // trimmed
    QString series; // the caption of the series label, normally "1" to "6"
    QString dayStamp; // the date of the service as yyyymmdd; empty when not known

    ServiceTicks ticks;
    int pageFormat = 0; // 0 portrait, 1 landscape
    bool threeReadings = false; // "Drei Lesungen": the Old Testament reading is read too
    QStringList sequence; // the element names of the sequence list, top to bottom
};
