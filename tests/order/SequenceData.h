#pragma once

// Complete expected sequences, written out entry by entry.
#include <QStringList>

#include <initializer_list>
#include <ostream>

// Readable names in the failure messages of GoogleTest.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace sequencedata {

inline QStringList names(std::initializer_list<const char16_t *> list)
{
    QStringList result;
    for (const char16_t *name : list)
        result.append(QString::fromUtf16(name));
    return result;
}

inline QStringList liturgyOneFormOne()
{
    return names({ u"Glockengeläut",
                   u"Musik zum Eingang",
                   u"Begrüßung mit Wochenspruch",
                   u"1. Dialog",
                   u"2. Dialog",
                   u"3. Dialog",
                   u"Eingangslied",
                   u"Psalm",
                   u"Gloria Patri",
                   u"Kyrie",
                   u"Gloria Excelsis",
                   u"Tagesgebet",
                   u"Epistel",
                   u"Wochenlied",
                   u"Evangelium",
                   u"Glaubensbekenntnis",
                   u"Vorpredigtslied",
                   u"Predigt",
                   u"Abkündigungen",
                   u"Kollektenlied",
                   u"Fürbitte",
                   u"Vaterunser",
                   u"Ausgangslied",
                   u"Segen" });
}

inline QStringList liturgyOneFormTwo()
{
    return names({ u"Glockengeläut",
                   u"Musik zum Eingang",
                   u"Begrüßung mit Wochenspruch",
                   u"Eingangslied",
                   u"1. Dialog",
                   u"2. Dialog",
                   u"3. Dialog",
                   u"Psalm",
                   u"Gloria Patri",
                   u"Sündenbekenntnis",
                   u"Kyrie",
                   u"Gnadenzusage",
                   u"Gloria Excelsis",
                   u"Tagesgebet",
                   u"Epistel",
                   u"Wochenlied",
                   u"Evangelium",
                   u"Glaubensbekenntnis",
                   u"Vorpredigtslied",
                   u"Predigt",
                   u"Abkündigungen",
                   u"Kollektenlied",
                   u"Fürbitte",
                   u"Vaterunser",
                   u"Ausgangslied",
                   u"Segen" });
}

inline QStringList liturgyTwoFormOne()
{
    return names({ u"Glockengeläut", u"Musik zum Eingang", u"Begrüßung mit Wochenspruch",
                   u"Eingangslied", u"1. Dialog", u"2. Dialog", u"3. Dialog", u"Psalm",
                   u"Gloria Patri", u"Tagesgebet", u"Evangelium", u"Glaubensbekenntnis",
                   u"Vorpredigtslied", u"Predigt", u"Kollektenlied", u"Fürbitte", u"Vaterunser",
                   u"Segen", u"Ausgangslied" });
}

inline QStringList liturgyTwoFormTwo()
{
    return names({ u"Glockengeläut", u"Musik zum Eingang", u"Begrüßung mit Wochenspruch",
                   u"Eingangslied", u"3. Dialog", u"Psalm", u"Tagesgebet", u"Vorpredigtslied",
                   u"Predigt", u"Kollektenlied", u"Fürbitte", u"Vaterunser", u"Segen",
                   u"Ausgangslied" });
}

inline QStringList initialSequence()
{
    return names({ u"Glockengeläut",
                   u"Musik zum Eingang",
                   u"Begrüßung mit Wochenspruch",
                   u"Eingangslied",
                   u"1. Dialog",
                   u"2. Dialog",
                   u"3. Dialog",
                   u"Psalm",
                   u"Gloria Patri",
                   u"Kyrie",
                   u"Gloria Excelsis",
                   u"Tagesgebet",
                   u"Epistel",
                   u"Wochenlied",
                   u"Evangelium",
                   u"Glaubensbekenntnis",
                   u"Vorpredigtslied",
                   u"Predigt",
                   u"Abkündigungen",
                   u"Kollektenlied",
                   u"Fürbitte",
                   u"Vaterunser",
                   u"Ausgangslied",
                   u"Segen" });
}

// "Liturgie I, Form 1" as stored after a rebuild with confirmation and baptism ticked: the
// baptism block took the creed.
inline QStringList storedWithBaptismAndConfirmation()
{
    return names({ u"Glockengeläut",
                   u"Musik zum Eingang",
                   u"Begrüßung mit Wochenspruch",
                   u"1. Dialog",
                   u"2. Dialog",
                   u"3. Dialog",
                   u"Eingangslied",
                   u"Psalm",
                   u"Gloria Patri",
                   u"Kyrie",
                   u"Gloria Excelsis",
                   u"Tagesgebet",
                   u"Epistel",
                   u"Wochenlied",
                   u"Evangelium",
                   u"Vorpredigtslied",
                   u"Taufansprache",
                   u"Taufgebet",
                   u"Patenverpflichtung",
                   u"Glaubensbekenntnis",
                   u"Taufhandlung",
                   u"Eingliederung",
                   u"Segnung der Täuflingseltern",
                   u"Tauflied",
                   u"Predigt",
                   u"Tauferinnerung",
                   u"Konfirmationsfrage",
                   u"Segensgebet",
                   u"Segnung",
                   u"Urkundenübergabe",
                   u"Grußworte",
                   u"Abkündigungen",
                   u"Kollektenlied",
                   u"Fürbitte",
                   u"Vaterunser",
                   u"Ausgangslied",
                   u"Segen" });
}

// The same stored list after restoring it with the baptism tick set first, then the
// confirmation tick: the confirmation block takes the creed over.
inline QStringList restoredWithBaptismThenConfirmation()
{
    return names({ u"Glockengeläut",
                   u"Musik zum Eingang",
                   u"Begrüßung mit Wochenspruch",
                   u"1. Dialog",
                   u"2. Dialog",
                   u"3. Dialog",
                   u"Eingangslied",
                   u"Psalm",
                   u"Gloria Patri",
                   u"Kyrie",
                   u"Gloria Excelsis",
                   u"Tagesgebet",
                   u"Epistel",
                   u"Wochenlied",
                   u"Evangelium",
                   u"Vorpredigtslied",
                   u"Taufansprache",
                   u"Taufgebet",
                   u"Patenverpflichtung",
                   u"Taufhandlung",
                   u"Eingliederung",
                   u"Segnung der Täuflingseltern",
                   u"Tauflied",
                   u"Predigt",
                   u"Tauferinnerung",
                   u"Glaubensbekenntnis",
                   u"Konfirmationsfrage",
                   u"Segensgebet",
                   u"Segnung",
                   u"Urkundenübergabe",
                   u"Grußworte",
                   u"Abkündigungen",
                   u"Kollektenlied",
                   u"Fürbitte",
                   u"Vaterunser",
                   u"Ausgangslied",
                   u"Segen" });
}

} // namespace sequencedata
