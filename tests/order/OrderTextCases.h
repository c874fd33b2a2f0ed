#pragma once

// Shared data of the order-text tests: the texts of a prepared day and expected lines written
// one per row as "<format>|<text>", the format being H (10 point bold), B (bold), I (italic)
// or R (regular 8 point).

#include "order/OrderText.h"

#include <QStringList>

namespace ordertexttest {

inline ordertext::OrderInput trinitatis()
{
    ordertext::OrderInput in;
    in.dayPanelCaption = QStringLiteral("   Trinitatis  ");
    in.colour = ordertext::colourFromRgb(255, 255, 255);
    in.dayEntry = QStringLiteral("31.05.2026 - Trinitatis");
    in.series = QStringLiteral("4");
    in.wochenspruch = QStringLiteral("Heilig, heilig, heilig ist der HERR Zebaoth (Jes 6,3)");
    in.psalm = QStringLiteral("Ps 113");
    in.epistel = QStringLiteral("Röm 11,33-36");
    in.evangelium = QStringLiteral("Joh 3,1-8");
    in.predigttext = QStringLiteral("Jes 6,1-13");
    in.eingangslied = QStringLiteral("EG 139,1-5");
    in.wochenlied = QStringLiteral("EG 126");
    in.vorpredigtslied = QStringLiteral("EG 165");
    in.kollektenlied = QStringLiteral("EG 331");
    in.ausgangslied = QStringLiteral("EG 421");
    in.dialog1 = { QStringLiteral("L: Im Namen des Vaters"), QStringLiteral("G: Amen") };
    in.dialog2 = { QStringLiteral("L: Unsere Hilfe"), QStringLiteral("G: Der Himmel") };
    in.dialog3 = { QStringLiteral("L: Der Herr sei mit euch!"),
                   QStringLiteral("G: Und mit deinem Geist!") };
    in.gloriaPatri = { QStringLiteral("Ehr sei dem Vater"), QStringLiteral("Amen.") };
    in.kyrie = { QStringLiteral("Kyrie eleison."), QStringLiteral("   Herr, erbarme dich.") };
    in.gloriaExcelsis = { QStringLiteral("Ehre sei Gott"), QString(),
                          QStringLiteral("all Fehd hat nun ein Ende.") };
    in.credo = { QStringLiteral("Ich glaube an Gott,"), QString(), QStringLiteral("Amen.") };
    in.vaterUnser = { QStringLiteral("Vater Unser im Himmel,"), QStringLiteral("Amen.") };
    in.segen = { QStringLiteral("Der Herr segne dich"), QStringLiteral("Amen.") };
    return in;
}

// "Liturgie I, Form 1" with communion, confirmation, baptism and wedding: the longest list the
// basic forms and occasional services make.
inline QStringList longestSequence()
{
    return QString::fromUtf8("Glockengeläut|Musik zum Eingang|Begrüßung mit Wochenspruch|1. Dialog|"
                             "2. Dialog|3. Dialog|Eingangslied|Psalm|Vorpredigtslied|Taufansprache|"
                             "Taufgebet|Patenverpflichtung|Glaubensbekenntnis|Taufhandlung|"
                             "Eingliederung|Segnung der Täuflingseltern|Tauflied|Predigt|"
                             "Tauferinnerung|Konfirmationsfrage|Segensgebet|Segnung|"
                             "Urkundenübergabe|Grußworte|Traulesungen|Trauversprechen|Ringübergabe|"
                             "Händereichen|Trauvotum|Kollektenlied|Schuldbekenntnis|Fürbitte|"
                             "Praefation|Lobgebet|Sanctus|Einsetzungsworte|Vaterunser|Agnus Dei|"
                             "Austeilung|Dankgebet|Ausgangslied|Segen")
        .split(u'|');
}

// The heading of the prepared day.
inline const char *const kHeading = R"(H|Trinitatis
H|31.05.2026, Predigtreihe 4
H|
)";

// The longest list without any text file: every element without a rule is its bare name.
inline const char *const kLongestWithoutFiles = R"(R|Glockengeläut
R|
R|Musik zum Eingang
R|
R|Begrüßung mit dem Wochenspruch: Heilig, heilig, heilig ist der HERR Zebaoth (Jes 6,3)
R|
R|L: Im Namen des Vaters
R|G: Amen
R|
R|L: Unsere Hilfe
R|G: Der Himmel
R|
R|L: Der Herr sei mit euch!
R|G: Und mit deinem Geist!
R|
R|Lied: EG 139,1-5
R|
R|Ps 113
R|
R|Lied: EG 165
R|
R|Taufansprache
R|
R|Taufgebet
R|
R|Patenverpflichtung
R|
B|Glaubensbekenntnis:
R|Ich glaube an Gott,
R|
R|Amen.
R|
R|Taufhandlung
R|
R|Eingliederung
R|
R|Segnung der Täuflingseltern
R|
R|Tauflied
R|
R|Predigt: Jes 6,1-13
R|
R|Tauferinnerung
R|
R|Konfirmationsfrage
R|
R|Segensgebet
R|
R|Segnung
R|
R|Urkundenübergabe
R|
R|Grußworte
R|
R|Traulesungen
R|
R|Trauversprechen
R|
R|Ringübergabe
R|
R|Händereichen
R|
R|Trauvotum
R|
R|Lied: EG 331 (Sammlung der Kollekte)
R|
R|Schuldbekenntnis
R|
B|Fürbitte:
I|<selbst einfügen>
R|
R|Praefation
R|
R|Lobgebet
R|
R|Sanctus
R|
R|Einsetzungsworte
R|
R|Gemeinsam beten wir:
R|Vater Unser im Himmel,
R|Amen.
R|
R|Agnus Dei
R|
R|Austeilung
R|
R|Dankgebet
R|
R|Lied: EG 421
R|
B|Segen:
R|Der Herr segne dich
R|Amen.
R|Orgelnachspiel
R|
)";

// Writes lines in the form of the expected texts above, so that a difference shows as text.
inline QString encode(const QList<ordertext::Line> &lines)
{
    QString text;
    for (const ordertext::Line &line : lines) {
        const ordertext::LineFormat &f = line.format;
        QChar code = u'?';
        if (f.pointSize == ordertext::kHeadingPointSize && f.bold && !f.italic)
            code = u'H';
        else if (f.pointSize == ordertext::kTextPointSize && f.bold && !f.italic)
            code = u'B';
        else if (f.pointSize == ordertext::kTextPointSize && !f.bold && f.italic)
            code = u'I';
        else if (f.pointSize == ordertext::kTextPointSize && !f.bold && !f.italic)
            code = u'R';
        text += code + u'|' + line.text + u'\n';
    }
    return text;
}

} // namespace ordertexttest
