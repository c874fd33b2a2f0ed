#include "bible/BookNames.h"

#include <QHash>

using namespace Qt::Literals::StringLiterals;

namespace bible {

const QList<BookName> &bookNames()
{
    static const QList<BookName> books = {
        // Old Testament
        { u"1. Mose"_s, u"Gen"_s, u"1. Mose"_s },
        { u"2. Mose"_s, u"Exod"_s, u"2. Mose"_s },
        { u"3. Mose"_s, u"Lev"_s, u"3. Mose"_s },
        { u"4. Mose"_s, u"Num"_s, u"4. Mose"_s },
        { u"5. Mose"_s, u"Deut"_s, u"5. Mose"_s },
        { u"Jos"_s, u"Josh"_s, u"Josua"_s },
        { u"Ri"_s, u"Judg"_s, u"Richter"_s },
        { u"Rut"_s, u"Ruth"_s, u"Rut"_s },
        { u"1. Sam"_s, u"1Sam"_s, u"1. Samuel"_s },
        { u"2. Sam"_s, u"2Sam"_s, u"2. Samuel"_s },
        { u"1. Kön"_s, u"1Kgs"_s, u"1. Könige"_s },
        { u"2. Kön"_s, u"2Kgs"_s, u"2. Könige"_s },
        { u"1. Chr"_s, u"1Chr"_s, u"1. Chronik"_s },
        { u"2. Chr"_s, u"2Chr"_s, u"2. Chronik"_s },
        { u"Esra"_s, u"Ezra"_s, u"Esra"_s },
        { u"Neh"_s, u"Neh"_s, u"Nehemia"_s },
        { u"Est"_s, u"Esth"_s, u"Ester"_s },
        { u"Hiob"_s, u"Job"_s, u"Hiob"_s },
        { u"Ps"_s, u"Ps"_s, u"Psalmen"_s },
        { u"Spr"_s, u"Prov"_s, u"Sprüche"_s },
        { u"Pred"_s, u"Eccl"_s, u"Prediger"_s },
        { u"Hld"_s, u"Song"_s, u"Hoheslied"_s },
        { u"Jes"_s, u"Isa"_s, u"Jesaja"_s },
        { u"Jer"_s, u"Jer"_s, u"Jeremia"_s },
        { u"Klgl"_s, u"Lam"_s, u"Klagelieder"_s },
        { u"Hes"_s, u"Ezek"_s, u"Hesekiel"_s },
        { u"Dan"_s, u"Dan"_s, u"Daniel"_s },
        { u"Hos"_s, u"Hos"_s, u"Hosea"_s },
        { u"Joel"_s, u"Joel"_s, u"Joel"_s },
        { u"Am"_s, u"Amos"_s, u"Amos"_s },
        { u"Obd"_s, u"Obad"_s, u"Obadja"_s },
        { u"Jona"_s, u"Jonah"_s, u"Jona"_s },
        { u"Mi"_s, u"Mic"_s, u"Micha"_s },
        { u"Nah"_s, u"Nah"_s, u"Nahum"_s },
        { u"Hab"_s, u"Hab"_s, u"Habakuk"_s },
        { u"Zef"_s, u"Zeph"_s, u"Zefanja"_s },
        { u"Hag"_s, u"Hag"_s, u"Haggai"_s },
        { u"Sach"_s, u"Zech"_s, u"Sacharja"_s },
        { u"Mal"_s, u"Mal"_s, u"Maleachi"_s },
        // Apocrypha
        { u"Jdt"_s, u"Jdt"_s, u"Judit"_s },
        { u"Weish"_s, u"Wis"_s, u"Weisheit"_s },
        { u"Tob"_s, u"Tob"_s, u"Tobit"_s },
        { u"Sir"_s, u"Sir"_s, u"Jesus Sirach"_s },
        { u"Bar"_s, u"Bar"_s, u"Baruch"_s },
        { u"1. Makk"_s, u"1Macc"_s, u"1. Makkabäer"_s },
        { u"2. Makk"_s, u"2Macc"_s, u"2. Makkabäer"_s },
        { u"StEst"_s, u"AddEsth"_s, u"Stücke zu Ester"_s },
        { u"StDan"_s, u"AddDan"_s, u"Stücke zu Daniel"_s },
        { u"GebMan"_s, u"PrMan"_s, u"Gebet Manasses"_s },
        // New Testament
        { u"Mt"_s, u"Matt"_s, u"Matthäus"_s },
        { u"Mk"_s, u"Mark"_s, u"Markus"_s },
        { u"Lk"_s, u"Luke"_s, u"Lukas"_s },
        { u"Joh"_s, u"John"_s, u"Johannes"_s },
        { u"Apg"_s, u"Acts"_s, u"Apostelgeschichte"_s },
        { u"Röm"_s, u"Rom"_s, u"Römer"_s },
        { u"1. Kor"_s, u"1Cor"_s, u"1. Korinther"_s },
        { u"2. Kor"_s, u"2Cor"_s, u"2. Korinther"_s },
        { u"Gal"_s, u"Gal"_s, u"Galater"_s },
        { u"Eph"_s, u"Eph"_s, u"Epheser"_s },
        { u"Phil"_s, u"Phil"_s, u"Philipper"_s },
        { u"Kol"_s, u"Col"_s, u"Kolosser"_s },
        { u"1. Thess"_s, u"1Thess"_s, u"1. Thessalonicher"_s },
        { u"2. Thess"_s, u"2Thess"_s, u"2. Thessalonicher"_s },
        { u"1. Tim"_s, u"1Tim"_s, u"1. Timotheus"_s },
        { u"2. Tim"_s, u"2Tim"_s, u"2. Timotheus"_s },
        { u"Tit"_s, u"Titus"_s, u"Titus"_s },
        { u"Phlm"_s, u"Phlm"_s, u"Philemon"_s },
        { u"1. Petr"_s, u"1Pet"_s, u"1. Petrus"_s },
        { u"2. Petr"_s, u"2Pet"_s, u"2. Petrus"_s },
        { u"1. Joh"_s, u"1John"_s, u"1. Johannes"_s },
        { u"2. Joh"_s, u"2John"_s, u"2. Johannes"_s },
        { u"3. Joh"_s, u"3John"_s, u"3. Johannes"_s },
        { u"Hebr"_s, u"Heb"_s, u"Hebräer"_s },
        { u"Jak"_s, u"Jas"_s, u"Jakobus"_s },
        { u"Jud"_s, u"Jude"_s, u"Judas"_s },
        { u"Offb"_s, u"Rev"_s, u"Offenbarung"_s },
    };
    return books;
}

QStringList loccumAbbreviations()
{
    QStringList names;
    for (const BookName &book : bookNames())
        names.append(book.loccum);
    return names;
}

std::optional<BookName> bookByOsisId(const QString &osisId)
{
    for (const BookName &book : bookNames()) {
        if (book.osisId == osisId)
            return book;
    }
    return std::nullopt;
}

std::optional<BookName> bookByLoccum(const QString &loccum)
{
    for (const BookName &book : bookNames()) {
        if (book.loccum == loccum)
            return book;
    }
    return std::nullopt;
}

QString germanBookName(const QString &osisId)
{
    if (const auto book = bookByOsisId(osisId))
        return book->title;
    // The books of other canons and collections that OSIS Bibles may hold.
    static const QHash<QString, QString> others = {
        { u"1Esd"_s, u"3. Esra"_s },
        { u"2Esd"_s, u"4. Esra"_s },
        { u"3Macc"_s, u"3. Makkabäer"_s },
        { u"4Macc"_s, u"4. Makkabäer"_s },
        { u"Ps151"_s, u"Psalm 151"_s },
        { u"AddPs"_s, u"Psalm 151"_s },
        { u"EpJer"_s, u"Brief des Jeremia"_s },
        { u"Odes"_s, u"Oden"_s },
        { u"PssSol"_s, u"Psalmen Salomos"_s },
        { u"EpLao"_s, u"Laodizenerbrief"_s },
        { u"1En"_s, u"Henoch"_s },
        { u"Jub"_s, u"Jubiläen"_s },
        { u"Sus"_s, u"Susanna"_s },
        { u"Bel"_s, u"Bel und der Drache"_s },
        { u"PrAzar"_s, u"Gebet Asarjas"_s },
        { u"SgThree"_s, u"Gesang der drei Männer"_s },
    };
    return others.value(osisId, osisId);
}

} // namespace bible
