#include "order/BasicForms.h"

#include <initializer_list>

namespace basicforms {
namespace {

void append(QStringList &list, std::initializer_list<QString> names)
{
    for (const QString &name : names)
        list.append(name);
}

// Every form starts with the ringing of the bells, the music and the greeting.
void appendOpening(QStringList &list)
{
    append(list,
           { QStringLiteral("Glockengeläut"), QStringLiteral("Musik zum Eingang"),
             QStringLiteral("Begrüßung mit Wochenspruch") });
}

// The closing part of the Liturgie I forms: both readings, creed, sermon, announcements.
void appendTailOne(QStringList &list)
{
    append(list,
           { QStringLiteral("Tagesgebet"), QStringLiteral("Epistel"), QStringLiteral("Wochenlied"),
             QStringLiteral("Evangelium"), QStringLiteral("Glaubensbekenntnis"),
             QStringLiteral("Vorpredigtslied"), QStringLiteral("Predigt"),
             QStringLiteral("Abkündigungen"), QStringLiteral("Kollektenlied"),
             QStringLiteral("Fürbitte"), QStringLiteral("Vaterunser"),
             QStringLiteral("Ausgangslied"), QStringLiteral("Segen") });
}

// The closing part of the Liturgie II forms; here the blessing comes before the closing hymn.
void appendTailTwo(QStringList &list)
{
    append(list,
           { QStringLiteral("Predigt"), QStringLiteral("Kollektenlied"), QStringLiteral("Fürbitte"),
             QStringLiteral("Vaterunser"), QStringLiteral("Segen"),
             QStringLiteral("Ausgangslied") });
}

} // namespace

const QStringList &formNames()
{
    static const QStringList names
        = { QStringLiteral("Liturgie I, Form 1"), QStringLiteral("Liturgie I, Form 2"),
            QStringLiteral("Liturgie II, Form 1"), QStringLiteral("Liturgie II, Form 2") };
    return names;
}

int formPosition(const QString &text)
{
    return int(formNames().indexOf(text));
}

SequenceList formSequence(int position)
{
    QStringList list;
    list.reserve(26);
    appendOpening(list);
    switch (position) {
    case 0:
        append(list,
               { QStringLiteral("1. Dialog"), QStringLiteral("2. Dialog"),
                 QStringLiteral("3. Dialog"), QStringLiteral("Eingangslied"),
                 QStringLiteral("Psalm"), QStringLiteral("Gloria Patri"), QStringLiteral("Kyrie"),
                 QStringLiteral("Gloria Excelsis") });
        appendTailOne(list);
        break;
    case 1:
        append(list,
               { QStringLiteral("Eingangslied"), QStringLiteral("1. Dialog"),
                 QStringLiteral("2. Dialog"), QStringLiteral("3. Dialog"), QStringLiteral("Psalm"),
                 QStringLiteral("Gloria Patri"), QStringLiteral("Sündenbekenntnis"),
                 QStringLiteral("Kyrie"), QStringLiteral("Gnadenzusage"),
                 QStringLiteral("Gloria Excelsis") });
        appendTailOne(list);
        break;
    case 2:
        append(list,
               { QStringLiteral("Eingangslied"), QStringLiteral("1. Dialog"),
                 QStringLiteral("2. Dialog"), QStringLiteral("3. Dialog"), QStringLiteral("Psalm"),
                 QStringLiteral("Gloria Patri"), QStringLiteral("Tagesgebet"),
                 QStringLiteral("Evangelium"), QStringLiteral("Glaubensbekenntnis"),
                 QStringLiteral("Vorpredigtslied") });
        appendTailTwo(list);
        break;
    default:
        append(list,
               { QStringLiteral("Eingangslied"), QStringLiteral("3. Dialog"),
                 QStringLiteral("Psalm"), QStringLiteral("Tagesgebet"),
                 QStringLiteral("Vorpredigtslied") });
        appendTailTwo(list);
        break;
    }
    return SequenceList(std::move(list));
}

const QStringList &initialSequence()
{
    static const QStringList entries = [] {
        QStringList list;
        appendOpening(list);
        append(list,
               { QStringLiteral("Eingangslied"), QStringLiteral("1. Dialog"),
                 QStringLiteral("2. Dialog"), QStringLiteral("3. Dialog"), QStringLiteral("Psalm"),
                 QStringLiteral("Gloria Patri"), QStringLiteral("Kyrie"),
                 QStringLiteral("Gloria Excelsis") });
        appendTailOne(list);
        return list;
    }();
    return entries;
}

} // namespace basicforms
