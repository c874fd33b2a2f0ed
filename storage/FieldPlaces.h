#pragma once

#include "storage/Preparation.h"

#include <QList>
#include <QString>
#include <QStringList>

// Which entry of the sequence writes each propers and hymn field into the order of service
// ("Wochenlied" the hymn of the week, "Predigt" the sermon text). A field whose entry the
// sequence lacks is not in the printed order; the pastor is told, and the hymn plan marks
// such a hymn.
namespace fieldplaces {

struct FieldPlace
{
    QString ProperTexts::*member;
    QString label; // the field's name on the tab "Proprium": "Wochenlied"
    QString element; // the sequence entry that writes it: "Wochenlied"
};

// The verse of the week, the readings and the five hymns, in the order of the tab "Proprium".
// The Old Testament reading is read only in a service of three readings.
const QList<FieldPlace> &places();

struct UnplacedField
{
    QString label;
    QString text; // trimmed
};

// The filled fields (blanks alone count as empty) whose entry the sequence does not hold; the
// Old Testament reading only when the preparation asks for three readings. Names are compared
// exactly, letter case included, as the order's rules compare them.
QList<UnplacedField> unplacedFields(const Preparation &preparation, const QStringList &sequence);

// The German note naming them, e.g. "Nicht im Ablauf, weil die Reihenfolge keinen Platz dafür
// hat: Epistel „Röm 1,1-7“, Wochenlied „EG 10“"; empty when every filled field has its place.
QString unplacedNote(const QList<UnplacedField> &fields);

// The labels of the unplaced fields alone.
QStringList labelsOf(const QList<UnplacedField> &fields);

} // namespace fieldplaces
