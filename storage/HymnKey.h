#pragma once

#include <QString>

#include <optional>

// What a hymn field names, for counting hymns across preparations: a hymn-book number counts
// as that number whatever follows it ("EG 99", "EG 99,1-3" and "EG 99 Christ ist erstanden"
// are all "EG 99"; "GL 140" or "KAA 12" likewise); any other text counts by itself, with its
// blanks tidied.
namespace hymnkey {

// A text naming a hymn-book number, in its parts: "EG 10,1-3 Mit Ernst, o Menschenkinder" is
// the book "EG", the number "10", the verses ",1-3" as written (with what separates them from
// the number) and the title "Mit Ernst, o Menschenkinder" (without a dash or colon before it).
struct Parts
{
    QString book;
    QString number; // without leading zeros
    QString verses; // empty when none are named
    QString title; // empty when none is written

    // "<book> <number>", as label() gives it.
    QString label() const { return book + u' ' + number; }
};

// The parts of a text that begins with a hymn-book number; nothing for any other text.
std::optional<Parts> parts(const QString &hymn);

// The hymn as it is counted and shown: "<book> <number>" or the tidied text; empty for a
// field holding nothing but blanks.
QString label(const QString &hymn);

// Two hymns count together when their keys are equal: the label without regard to case, so
// that "eg 99" and "EG 99" are one hymn.
QString key(const QString &hymn);

// What hymns sort by: the book, then the number as a number, then the rest ("EG 16" before
// "EG 147", "EG 99" before "EG 99a"), without regard to case; a text without a number sorts
// as itself.
QString sortKey(const QString &hymn);

} // namespace hymnkey
