// The hymn index of the saved preparations (each hymn by book and number, its latest title, the
// services it was sung in), the parish's own list read in whole or not at all, and what a hymn
// field is offered while the pastor types.
#include "storage/HymnIndex.h"
#include "storage/HymnList.h"
#include "storage/Win1252Text.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace {

using hymnindex::Hymn;
using hymnindex::Index;
using hymnindex::Service;

QString servicesText(const Hymn &hymn)
{
    QStringList services;
    for (const Service &service : hymn.services)
        services << history::dateText(service.date) + u' ' + service.dayName;
    return services.join(QStringLiteral(" | "));
}

class HymnFolder : public ::testing::Test
{
protected:
    // A preparation as the program saves it; dayStamp empty for a file of an older version.
    void write(const QString &relative, const QString &name, const QStringList &hymns,
               const QDate &saved, const QString &dayStamp = {})
    {
        QString text
            = QStringLiteral("[Allgemein]\nName=%1\nPredigtreihe=%2\n").arg(name, relative.left(1));
        if (!dayStamp.isEmpty())
            text += QStringLiteral("Datum=") + dayStamp + u'\n';
        text += QStringLiteral("[Lieder]\n");
        const QStringList keys = { QStringLiteral("Eingangslied"), QStringLiteral("Wochenlied"),
                                   QStringLiteral("Vorpredigtslied"),
                                   QStringLiteral("Kolektenlied"), QStringLiteral("Ausgangslied") };
        for (int i = 0; i < hymns.size(); ++i)
            text += keys.at(i) + u'=' + hymns.at(i) + u'\n';
        const QString path = dir.filePath(relative);
        writeFileBytes(path, win1252::encode(win1252::joinLines(win1252::splitLines(text))));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(
            file.setFileTime(QDateTime(saved, QTime(10, 0)), QFileDevice::FileModificationTime));
    }

    QTemporaryDir temp;
    QDir dir { temp.path() };
};

TEST_F(HymnFolder, KnowsEachHymnByNumberWithItsLatestTitleAndItsServices)
{
    const QString advent = QStringLiteral("3. Sonntag im Advent");
    write(QStringLiteral("3/3 3. Sonntag im Advent.ini"), advent,
          { QStringLiteral("EG 10,1-3 Mit Ernst, o Menschenkinder"),
            QStringLiteral("EG 16"),
            {},
            QStringLiteral("EG 11 Wie soll ich dich empfangen"),
            QStringLiteral("EG 10,4") },
          QDate(2026, 12, 1), QStringLiteral("20261213"));
    // An earlier version of the same service: the one saved last counts, this one not at all.
    write(QStringLiteral("3/3 3. Sonntag im Advent (2).ini"), advent, { QStringLiteral("EG 99") },
          QDate(2026, 11, 28), QStringLiteral("20261213"));
    // A version replaced later, kept in the archive: the one in the series folder counts.
    write(QStringLiteral("3/Archiv/3 3. Sonntag im Advent 2026-12-13.ini"), advent,
          { QStringLiteral("EG 1 Gott sei Dank durch alle Welt") }, QDate(2026, 12, 5),
          QStringLiteral("20261213"));
    // Six years before, in the archive, in an older wording.
    write(QStringLiteral("2/Archiv/2 3. Sonntag im Advent.ini"), advent,
          { QStringLiteral("eg 10 - Mit Ernst o Menschenkinder"), QStringLiteral("EG 11,1-4") },
          QDate(2020, 12, 1), QStringLiteral("20201213"));
    // A file without a service date goes by the day it was saved; a title alone counts as the
    // number the index knows for it.
    write(QStringLiteral("1/Archiv/1 Ostersonntag.ini"), QStringLiteral("Ostersonntag"),
          { QStringLiteral("EG 99 Christ ist erstanden"),
            QStringLiteral("mit ernst, o  Menschenkinder"),
            QStringLiteral("Ein Lied ohne Nummer") },
          QDate(2025, 4, 20));
    const QList<hymnlist::Entry> list = {
        { QStringLiteral("EG"), QStringLiteral("16"),
          QStringLiteral("Die Nacht ist vorgedrungen") },
        { QStringLiteral("EG"), QStringLiteral("10"), QStringLiteral("Anders im Verzeichnis") },
        { QStringLiteral("EG"), QStringLiteral("535"), QStringLiteral("Gott hat das erste Wort") },
    };
    const Index index = Index::build(history::scanDataFolder(temp.path()), list);

    const struct
    {
        const char *label;
        const char *title;
        const char *services;
        bool numbered;
    } hymns[] = {
        { "EG 10", "Mit Ernst, o Menschenkinder",
          "13.12.2026 3. Sonntag im Advent | 20.04.2025 Ostersonntag | 13.12.2020 3. Sonntag im "
          "Advent",
          true },
        { "EG 11", "Wie soll ich dich empfangen",
          "13.12.2026 3. Sonntag im Advent | 13.12.2020 3. Sonntag im Advent", true },
        { "EG 16", "Die Nacht ist vorgedrungen", "13.12.2026 3. Sonntag im Advent", true },
        { "EG 99", "Christ ist erstanden", "20.04.2025 Ostersonntag", true },
        { "EG 535", "Gott hat das erste Wort", "", true },
        { "Ein Lied ohne Nummer", "", "20.04.2025 Ostersonntag", false },
    };
    ASSERT_EQ(index.size(), std::size(hymns));
    for (size_t i = 0; i < std::size(hymns); ++i) {
        const Hymn *hymn = index.find(QString::fromUtf8(hymns[i].label));
        ASSERT_NE(hymn, nullptr) << hymns[i].label;
        EXPECT_EQ(hymn->label, QString::fromUtf8(hymns[i].label));
        EXPECT_EQ(hymn->title, QString::fromUtf8(hymns[i].title)) << hymns[i].label;
        EXPECT_EQ(servicesText(*hymn), QString::fromUtf8(hymns[i].services)) << hymns[i].label;
        EXPECT_EQ(hymn->numbered, hymns[i].numbered) << hymns[i].label;
        if (hymns[i].numbered) {
            EXPECT_EQ(index.hymns().at(qsizetype(i)).label, hymn->label); // by book and number
        }
    }

    // What a field's text finds, and when it was sung last before a service.
    const struct
    {
        const char *field;
        QDate service;
        const char *day; // of the service chosen for; "" when not given
        const char *found; // nullptr: not known
        const char *lastSung;
        bool withinSixWeeks;
    } lookups[] = {
        { "EG 10,2", QDate(2026, 12, 13), "", "EG 10",
          "zuletzt gesungen am 20.04.2025 (Ostersonntag)", false },
        { "EG 10", QDate(2026, 12, 20), "", "EG 10",
          "zuletzt gesungen am 13.12.2026 (3. Sonntag im Advent)", true },
        { "EG 10", QDate(2027, 1, 24), "", "EG 10",
          "zuletzt gesungen am 13.12.2026 (3. Sonntag im Advent)", true }, // six weeks to the day
        { "EG 10", QDate(2027, 1, 25), "", "EG 10",
          "zuletzt gesungen am 13.12.2026 (3. Sonntag im Advent)", false },
        { "  Mit Ernst, O Menschenkinder ", QDate(2026, 12, 20), "", "EG 10",
          "zuletzt gesungen am 13.12.2026 (3. Sonntag im Advent)", true },
        { "EG 99", QDate(2025, 4, 20), "", "EG 99", "noch nie gesungen", false },
        // The file without a date, saved a week before its Easter: that service itself, not
        // an earlier one; for another day it is.
        { "EG 99", QDate(2025, 4, 27), "Ostersonntag", "EG 99", "noch nie gesungen", false },
        { "EG 99", QDate(2025, 4, 27), "Quasimodogeniti", "EG 99",
          "zuletzt gesungen am 20.04.2025 (Ostersonntag)", true },
        // The same day six years before is another service.
        { "EG 11", QDate(2026, 12, 13), "3. Sonntag im Advent", "EG 11",
          "zuletzt gesungen am 13.12.2020 (3. Sonntag im Advent)", false },
        { "eg 535 Gott hat das erste Wort", QDate(2026, 12, 20), "", "EG 535", "noch nie gesungen",
          false },
        { "EG 12", QDate(2026, 12, 20), "", nullptr, "", false },
        { "Ein  Lied ohne Nummer", QDate(2026, 12, 20), "", "Ein Lied ohne Nummer",
          "zuletzt gesungen am 20.04.2025 (Ostersonntag)", false },
    };
    for (const auto &l : lookups) {
        const Hymn *hymn = index.find(QString::fromUtf8(l.field));
        if (!l.found) {
            EXPECT_EQ(hymn, nullptr) << l.field;
            continue;
        }
        ASSERT_NE(hymn, nullptr) << l.field;
        EXPECT_EQ(hymn->label, QString::fromUtf8(l.found)) << l.field;
        const auto last = hymnindex::lastSungBefore(*hymn, l.service, QString::fromUtf8(l.day));
        EXPECT_EQ(hymnindex::lastSungText(last), QString::fromUtf8(l.lastSung)) << l.field;
        EXPECT_EQ(last && hymnindex::withinWeeks(*last, l.service, 6), l.withinSixWeeks)
            << l.field << " " << l.service.toString().toStdString();
    }

    // The hymns of the week as the propers give them, numbered where the index knows them.
    EXPECT_EQ(hymnindex::withNumbers(
                  index, QStringLiteral("Mit Ernst, o Menschenkinder / Tochter Zion, freue dich")),
              QStringLiteral("EG 10 Mit Ernst, o Menschenkinder / Tochter Zion, freue dich"));
    EXPECT_EQ(hymnindex::withNumbers(index, QStringLiteral("EG 16 Die Nacht ist vorgedrungen")),
              QStringLiteral("EG 16 Die Nacht ist vorgedrungen"));

    // What a hymn field says: the title to a bare number, each hymn of the week, the mark.
    const hymnindex::FieldNote recent
        = hymnindex::fieldNote(index, QStringLiteral("EG 16"), QDate(2026, 12, 20), 6);
    EXPECT_EQ(recent.text,
              QStringLiteral("EG 16 Die Nacht ist vorgedrungen: zuletzt gesungen am 13.12.2026 "
                             "(3. Sonntag im Advent) – höchstens 6 Wochen vor diesem "
                             "Gottesdienst"));
    EXPECT_TRUE(recent.recent);
    const hymnindex::FieldNote week = hymnindex::fieldNote(
        index, QStringLiteral("EG 11 wie soll ich dich empfangen / Tochter Zion"),
        QDate(2027, 3, 1), 6);
    EXPECT_EQ(week.text,
              QStringLiteral("zuletzt gesungen am 13.12.2026 (3. Sonntag im Advent); noch nie "
                             "gesungen"));
    EXPECT_FALSE(week.recent);
    EXPECT_TRUE(
        hymnindex::fieldNote(index, QStringLiteral("  "), QDate(2027, 3, 1), 6).text.isEmpty());

    // A hymn the index knows without a title: the note does not repeat its number.
    history::Scan untitled;
    untitled.preparations.append({ {}, QStringLiteral("1/1 Ewigkeitssonntag.ini"), {}, {} });
    untitled.preparations[0].preparation.dayName = QStringLiteral("Ewigkeitssonntag");
    untitled.preparations[0].preparation.dayStamp = QStringLiteral("20261122");
    untitled.preparations[0].preparation.eingangslied = QStringLiteral("EG 7,1-4");
    EXPECT_EQ(hymnindex::fieldNote(Index::build(untitled),
                                   QStringLiteral("EG 7 O Heiland, reiß die Himmel auf"),
                                   QDate(2027, 3, 1), 6)
                  .text,
              QStringLiteral("zuletzt gesungen am 22.11.2026 (Ewigkeitssonntag)"));
}

TEST(HymnCompletion, OffersTitlesForNumbersAndNumbersForTitlesKeepingTheVerses)
{
    const auto entry = [](const char *number, const char *title) {
        return hymnlist::Entry { QStringLiteral("EG"), QString::fromUtf8(number),
                                 QString::fromUtf8(title) };
    };
    const Index index = Index::build(
        {},
        { entry("105", "Erstanden ist der heilig Christ"),
          entry("1", "Macht hoch die Tür"),
          entry("10", "Mit Ernst, o Menschenkinder"),
          entry("11", "Wie soll ich dich empfangen"),
          entry("100", "Wir wollen alle fröhlich sein"),
          entry("99", "Christ ist erstanden"),
          { QStringLiteral("GL"), QStringLiteral("140"), QStringLiteral("Kommt herbei") } });
    const QString ernst = QStringLiteral("Mit Ernst, o Menschenkinder");
    const struct
    {
        const char *typed;
        QStringList offered;
    } cases[] = {
        { "EG 10",
          { u"EG 10 "_s + ernst, QStringLiteral("EG 100 Wir wollen alle fröhlich sein"),
            QStringLiteral("EG 105 Erstanden ist der heilig Christ") } },
        { "EG 10,1-3", { u"EG 10,1-3 "_s + ernst } },
        { "eg 10, 2.4+6", { u"EG 10, 2.4+6 "_s + ernst } },
        { "EG 10:1", { u"EG 10:1 "_s + ernst } },
        { "EG 10 ", { u"EG 10 "_s + ernst } },
        { "EG 010 mit er", { u"EG 10 "_s + ernst } },
        { "EG 10,1 mit", { u"EG 10,1 "_s + ernst } },
        { "EG 10 Mit Ernst, o Menschenkinder", {} }, // complete already
        { "EG 10 Tochter Zion", {} },
        { "EG 12", {} },
        { "EG 10a", {} },
        { "EG 1",
          { QStringLiteral("EG 1 Macht hoch die Tür"), u"EG 10 "_s + ernst,
            QStringLiteral("EG 11 Wie soll ich dich empfangen"),
            QStringLiteral("EG 100 Wir wollen alle fröhlich sein"),
            QStringLiteral("EG 105 Erstanden ist der heilig Christ") } },
        { "gl 140", { QStringLiteral("GL 140 Kommt herbei") } },
        { "ernst menschen", { u"EG 10 "_s + ernst } },
        { "  MENSCHENKINDER", { u"EG 10 "_s + ernst } },
        { "erstanden",
          { QStringLiteral("EG 105 Erstanden ist der heilig Christ"),
            QStringLiteral("EG 99 Christ ist erstanden") } },
        { "er", {} }, // too short to look for
        { "Halleluja", {} },
        { "", {} },
    };
    for (const auto &c : cases)
        EXPECT_EQ(index.completions(QString::fromUtf8(c.typed)), c.offered) << c.typed;
    EXPECT_EQ(index.completions(QStringLiteral("EG 1"), 2).size(), 2);
}

TEST(HymnList, ReadsAParishListOrRefusesItWhole)
{
    QByteArray tooMany;
    for (int i = 1; i <= hymnlist::kMaxEntries + 1; ++i)
        tooMany += (i <= 5000 ? QStringLiteral("X;%1;Lied\n").arg(i)
                              : QStringLiteral("Y;%1;Lied\n").arg(i - 5000))
                       .toUtf8();
    const struct
    {
        QByteArray content;
        QString read; // "book number title" joined by "|"; empty when refused
        QString refusal; // part of the reason
    } cases[] = {
        { "Buch;Nummer;Titel\r\nEG;535;Gott hat das erste Wort\r\n\r\n"
          "EGplus; 012 ;\"Da ber\xC3\xBChren sich; \"\"Himmel\"\" und Erde\"\r\n",
          QStringLiteral("EG 535 Gott hat das erste Wort|EGplus 12 Da berühren sich; "
                         "\"Himmel\" und Erde"),
          {} },
        { "\xEF\xBB\xBF"
          "EG;536;Gro\xC3\x9F ist;;\n",
          QStringLiteral("EG 536 Groß ist"),
          {} },
        { "EG;536;Gro\xDF ist\n", QStringLiteral("EG 536 Groß ist"), {} }, // Windows-1252
        { "EG;1;Macht hoch\nEG;abc;Anders\n", {}, QStringLiteral("Zeile 2: „abc“ ist keine") },
        { "EG;1;Macht hoch\nEG;0;Null\n", {}, QStringLiteral("Zeile 2: „0“ ist keine") },
        { "EG;1;Macht hoch\neg;01;Doppelt\n",
          {},
          QStringLiteral("Zeile 2: eg 1 steht schon in "
                         "Zeile 1") },
        { "EG;1\n", {}, QStringLiteral("Zeile 1: Erwartet werden drei") },
        { "EG;1;Titel;mehr\n", {}, QStringLiteral("Zeile 1: Erwartet werden drei") },
        { "E G;1;Titel\n", {}, QStringLiteral("kein Kürzel") },
        { "EG;1;\"offen\n", {}, QStringLiteral("Anführungszeichen") },
        { "EG;1;\"zu\" mehr\n", {}, QStringLiteral("Anführungszeichen") },
        { "EG;1;\n", {}, QStringLiteral("Der Titel fehlt") },
        { "EG;1;" + QByteArray(hymnlist::kMaxTitleLength + 1, 'a') + "\n",
          {},
          QStringLiteral("länger als 200 Zeichen") },
        { QByteArray("EG;1;Titel\0\n", 12), {}, QStringLiteral("keine Textdatei") },
        { "EG;1;Ti\x1Btel\n", {}, QStringLiteral("Steuerzeichen") },
        { tooMany, {}, QStringLiteral("mehr als 10000 Lieder") },
        { "\r\n  \r\n", {}, QStringLiteral("keine Lieder") },
        { "Buch;Nummer;Titel\n", {}, QStringLiteral("keine Lieder") },
    };
    for (const auto &c : cases) {
        const Result<QList<hymnlist::Entry>> parsed = hymnlist::parse(c.content);
        const std::string what = c.content.left(60).toStdString();
        if (c.read.isEmpty()) {
            EXPECT_FALSE(parsed.ok()) << what;
            EXPECT_TRUE(parsed.error().contains(c.refusal)) << parsed.error().toStdString();
            continue;
        }
        ASSERT_TRUE(parsed.ok()) << what << ": " << parsed.error().toStdString();
        QStringList read;
        for (const hymnlist::Entry &e : *parsed)
            read << e.label() + u' ' + e.title;
        EXPECT_EQ(read.join(u'|'), c.read);
        // What the data folder keeps reads back the same.
        const Result<QList<hymnlist::Entry>> again = hymnlist::parse(hymnlist::toCsv(*parsed));
        ASSERT_TRUE(again.ok()) << again.error().toStdString();
        EXPECT_EQ(*again, *parsed);
    }
}

TEST(HymnList, ReadingInKeepsTheListBesideTheHistoryAndNothingOfARefusedFile)
{
    QTemporaryDir temp;
    const QString data = temp.filePath(QStringLiteral("Pergol"));
    const QString first = temp.filePath(QStringLiteral("regional.csv"));
    writeFileBytes(first, "EG;535;Gott hat das erste Wort\nEG;536;Alt\n");
    const Result<hymnlist::Imported> imported = hymnlist::import(first, data);
    ASSERT_TRUE(imported.ok()) << imported.error().toStdString();
    EXPECT_EQ(imported->read, 2);
    EXPECT_EQ(imported->total, 2);

    // A supplement is added; a number given again replaces the earlier title.
    const QString second = temp.filePath(QStringLiteral("beiheft.csv"));
    writeFileBytes(second, "EG;536;Neu\nEGplus;1;Eins\n");
    const Result<hymnlist::Imported> added = hymnlist::import(second, data);
    ASSERT_TRUE(added.ok()) << added.error().toStdString();
    EXPECT_EQ(added->read, 2);
    EXPECT_EQ(added->total, 3);
    const QByteArray kept = readFileBytes(hymnlist::storedPath(data));
    EXPECT_EQ(kept,
              QByteArray("\xEF\xBB\xBF"
                         "Buch;Nummer;Titel\r\nEG;535;Gott hat das erste Wort\r\nEG;536;Neu\r\n"
                         "EGplus;1;Eins\r\n"));

    // Hostile or broken files change nothing.
    const QString broken = temp.filePath(QStringLiteral("kaputt.csv"));
    writeFileBytes(broken, "EG;537;Gut\nEG;x;Schlecht\n");
    const QString huge = temp.filePath(QStringLiteral("riesig.csv"));
    writeFileBytes(huge, QByteArray(hymnlist::kMaxFileSize + 1, 'a'));
    QStringList hostile = { broken, huge, temp.path(), temp.filePath(QStringLiteral("fehlt.csv")) };
#ifdef Q_OS_UNIX
    const QString pipe = temp.filePath(QStringLiteral("pipe.csv"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    hostile << pipe;
#endif
    for (const QString &path : hostile) {
        const Result<hymnlist::Imported> refused = hymnlist::import(path, data);
        EXPECT_FALSE(refused.ok()) << path.toStdString();
        EXPECT_TRUE(refused.error().startsWith(QStringLiteral("Das Liederverzeichnis")))
            << refused.error().toStdString();
        EXPECT_EQ(readFileBytes(hymnlist::storedPath(data)), kept) << path.toStdString();
    }

    // A kept list that was damaged outside the program is reported, never half read.
    writeFileBytes(hymnlist::storedPath(data), "EG;1;Eins\nEG;1;Doppelt\n");
    const Result<QList<hymnlist::Entry>> damaged = hymnlist::readStored(data);
    EXPECT_FALSE(damaged.ok());
    EXPECT_TRUE(damaged.error().contains(QStringLiteral("beschädigt")));
    EXPECT_TRUE(hymnlist::readStored(temp.filePath(QStringLiteral("leer")))->isEmpty());
}

} // namespace
