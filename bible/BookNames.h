#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The books of the Bible under their German Loccum abbreviations ("1. Mose", "Mk", "Röm",
// "1. Kor", ...), which are also the names of the Bible files, together with the OSIS book
// identifiers that public-domain Bible texts use ("Gen", "Mark", "Rom", "1Cor", ...).
namespace bible {

struct BookName
{
    QString loccum; // the abbreviation, e.g. "1. Kor"; the Bible file is "<loccum>.lib"
    QString osisId; // e.g. "1Cor"
    QString title; // the German name, e.g. "1. Korinther"
};

// Every book in the order of the Luther Bible: Old Testament, Apocrypha, New Testament.
const QList<BookName> &bookNames();

// The Loccum abbreviations in the same order.
QStringList loccumAbbreviations();

// Looks a book up by its OSIS identifier (exact spelling, e.g. "Mark"), or by its Loccum
// abbreviation (exact spelling, e.g. "Mk").
std::optional<BookName> bookByOsisId(const QString &osisId);
std::optional<BookName> bookByLoccum(const QString &loccum);

// The German name of a book by its OSIS identifier, also of the books the program keeps no
// file for ("1Esd" -> "3. Esra", "3Macc" -> "3. Makkabäer"); an unknown identifier as it is.
QString germanBookName(const QString &osisId);

} // namespace bible
