#include "storage/ServiceOrderFile.h"

#include "storage/Win1252Text.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace serviceorder {
namespace {

const QString kAllgemein = QStringLiteral("Allgemein");
const QString kDatum = QStringLiteral("Datum");
const QString kTexte = QStringLiteral("Texte");
const QString kLieder = QStringLiteral("Lieder");
const QString kKasualien = QStringLiteral("Kasualien");
const QString kFormat = QStringLiteral("Format");
const QString kReihenfolge = QStringLiteral("Reihenfolge");
const QString kAnzahl = QStringLiteral("Anzahl");
const QString kGrundform = QStringLiteral("Grundform");
const QString kAngepasst = QStringLiteral("Angepasst");
const QString kATLesung = QStringLiteral("AT-Lesung");
const QString kDreiLesungen = QStringLiteral("DreiLesungen");

QString tickText(bool ticked)
{
    return ticked ? QStringLiteral("1") : QStringLiteral("0");
}

// A tick is set when its stored value is a non-zero integer; anything else leaves it off.
bool readTick(const IniFile &ini, const QString &key)
{
    return ini.intValue(kKasualien, key, 0) != 0;
}

} // namespace

QString missingEntryText()
{
    return QStringLiteral("Datei beschädigt");
}

QString damagedFileMessage()
{
    return QStringLiteral(
        "Fehler beim Einlesen der Daten. Möglicherweise ist die Datei beschädigt.");
}

QString storedOrderFileName(const QString &series, const QString &dayName)
{
    return series + u' ' + dayName + QStringLiteral(".ini");
}

Result<QString> proposedFileName(const QString &dayName, const QString &series)
{
    if (dayName == QStringLiteral("Sonntag") || dayName.isEmpty())
        return QString();
    bool ok = false;
    const int number = series.toInt(&ok);
    if (!ok)
        return Failure { QStringLiteral("'%1' ist kein gültiger Integerwert.").arg(series) };
    return number > 0 ? series + u' ' + dayName : QString();
}

void writeTicks(IniFile &ini, const ServiceTicks &ticks)
{
    ini.setValue(kKasualien, QStringLiteral("Abendmahl"), tickText(ticks.abendmahl));
    ini.setValue(kKasualien, QStringLiteral("Taufe"), tickText(ticks.taufe));
    ini.setValue(kKasualien, QStringLiteral("Konfirmation"), tickText(ticks.konfirmation));
    ini.setValue(kKasualien, QStringLiteral("Trauung"), tickText(ticks.trauung));
}

void writeSequence(IniFile &ini, const QStringList &sequence)
{
    ini.setValue(kReihenfolge, kAnzahl, QString::number(sequence.size()));
    for (qsizetype i = 0; i < sequence.size(); ++i)
        ini.setValue(kReihenfolge, QString::number(i), sequence.at(i));
}

IniFile toIni(const Preparation &p)
{
    IniFile ini;
    ini.setValue(kAllgemein, QStringLiteral("Name"), p.dayName);
    ini.setValue(kAllgemein, QStringLiteral("Predigtreihe"), p.series);
    // The date of the service, which the file name does not hold; files saved before it was
    // kept have none.
    if (!p.dayStamp.isEmpty())
        ini.setValue(kAllgemein, kDatum, p.dayStamp);
    ini.setValue(kTexte, QStringLiteral("Wochenspruch"), p.wochenspruch);
    ini.setValue(kTexte, QStringLiteral("Psalm"), p.psalm);
    ini.setValue(kTexte, kATLesung, p.atLesung);
    ini.setValue(kTexte, QStringLiteral("Epistel"), p.epistel);
    ini.setValue(kTexte, QStringLiteral("Evangelium"), p.evangelium);
    ini.setValue(kTexte, QStringLiteral("Predigttext"), p.predigttext);
    ini.setValue(kLieder, QStringLiteral("Eingangslied"), p.eingangslied);
    ini.setValue(kLieder, QStringLiteral("Wochenlied"), p.wochenlied);
    ini.setValue(kLieder, QStringLiteral("Vorpredigtslied"), p.vorpredigtslied);
    // Stored files have always spelt the collection hymn's key this way.
    ini.setValue(kLieder, QStringLiteral("Kolektenlied"), p.kollektenlied);
    ini.setValue(kLieder, QStringLiteral("Ausgangslied"), p.ausgangslied);
    writeTicks(ini, p.ticks);
    ini.setValue(kFormat, QStringLiteral("Seitenformat"), QString::number(p.pageFormat));
    ini.setValue(kFormat, kDreiLesungen, tickText(p.threeReadings));
    writeBasicForm(ini, p.basicForm, p.adjusted);
    writeSequence(ini, p.sequence);
    return ini;
}

namespace {

StoredSequence::Status statusOf(const QString &countText, qlonglong *count = nullptr)
{
    bool ok = false;
    const qlonglong n = countText.toLongLong(&ok);
    if (count)
        *count = n;
    if (!ok)
        return StoredSequence::Status::NotANumber;
    if (n < 0 || n > kMaxSequenceEntries)
        return StoredSequence::Status::OutOfRange;
    return n <= 5 ? StoredSequence::Status::Kept : StoredSequence::Status::Replaced;
}

} // namespace

QDate stampDate(const QString &stamp)
{
    // As QDate::fromString(stamp, "yyyyMMdd") reads it, without its general parser: reading a
    // folder of preparations asks this of every file.
    if (stamp.size() != 8)
        return {};
    int parts[3] = {};
    const int widths[3] = { 4, 2, 2 };
    qsizetype at = 0;
    for (int p = 0; p < 3; ++p) {
        for (int i = 0; i < widths[p]; ++i, ++at) {
            const char16_t c = stamp.at(at).unicode();
            if (c < u'0' || c > u'9')
                return {};
            parts[p] = parts[p] * 10 + (c - u'0');
        }
    }
    return QDate(parts[0], parts[1], parts[2]);
}

StoredSequence::Status sequenceStatus(const IniFile &ini)
{
    return statusOf(ini.value(kReihenfolge, kAnzahl, QStringLiteral("0")));
}

StoredSequence readSequence(const IniFile &ini)
{
    StoredSequence result;
    result.countText = ini.value(kReihenfolge, kAnzahl, QStringLiteral("0"));
    qlonglong count = 0;
    result.status = statusOf(result.countText, &count);
    if (result.status != StoredSequence::Status::Replaced)
        return result;
    result.entries.reserve(count);
    for (qlonglong i = 0; i < count; ++i)
        result.entries.append(ini.value(kReihenfolge, QString::number(i), missingEntryText()));
    result.ticks.abendmahl = readTick(ini, QStringLiteral("Abendmahl"));
    result.ticks.taufe = readTick(ini, QStringLiteral("Taufe"));
    result.ticks.konfirmation = readTick(ini, QStringLiteral("Konfirmation"));
    result.ticks.trauung = readTick(ini, QStringLiteral("Trauung"));
    return result;
}

void writeBasicForm(IniFile &ini, const QString &name, bool adjusted)
{
    if (name.isEmpty())
        return;
    ini.setValue(kFormat, kGrundform, name);
    if (adjusted)
        ini.setValue(kFormat, kAngepasst, QStringLiteral("1"));
}

StoredBasicForm readBasicForm(const IniFile &ini)
{
    return { ini.value(kFormat, kGrundform), ini.intValue(kFormat, kAngepasst, 0) != 0 };
}

int readPageFormat(const IniFile &ini)
{
    return ini.intValue(kFormat, QStringLiteral("Seitenformat"), 1) >= 1 ? 1 : 0;
}

bool readThreeReadings(const IniFile &ini)
{
    return ini.intValue(kFormat, kDreiLesungen, 0) != 0;
}

Preparation readTexts(const IniFile &ini)
{
    Preparation p;
    p.dayName = ini.value(kAllgemein, QStringLiteral("Name"), QStringLiteral("Sonntag"));
    p.series = ini.value(kAllgemein, QStringLiteral("Predigtreihe"), QStringLiteral("0"));
    if (const QString stamp = ini.value(kAllgemein, kDatum); stampDate(stamp).isValid())
        p.dayStamp = stamp;
    p.wochenspruch = ini.value(kTexte, QStringLiteral("Wochenspruch"));
    p.psalm = ini.value(kTexte, QStringLiteral("Psalm"));
    p.atLesung = ini.value(kTexte, kATLesung);
    p.epistel = ini.value(kTexte, QStringLiteral("Epistel"));
    p.evangelium = ini.value(kTexte, QStringLiteral("Evangelium"));
    p.predigttext = ini.value(kTexte, QStringLiteral("Predigttext"));
    p.eingangslied = ini.value(kLieder, QStringLiteral("Eingangslied"));
    p.wochenlied = ini.value(kLieder, QStringLiteral("Wochenlied"));
    p.vorpredigtslied = ini.value(kLieder, QStringLiteral("Vorpredigtslied"));
    p.kollektenlied = ini.value(kLieder, QStringLiteral("Kolektenlied"));
    p.ausgangslied = ini.value(kLieder, QStringLiteral("Ausgangslied"));
    return p;
}

Result<IniFile> readFile(const QString &path, qint64 maxBytes)
{
    return IniFile::read(path, maxBytes);
}

Result<IniFile> readDayAndHymns(const QString &path, qint64 maxBytes)
{
    static const QList<IniFile::Wanted> wanted { { kAllgemein, {} },
                                                 { kLieder, {} },
                                                 { kReihenfolge, { kAnzahl } } };
    return IniFile::read(path, maxBytes, wanted);
}

Result<> writeFile(const QString &path, const IniFile &ini)
{
    if (win1252::writeFileAtomically(path, ini.toBytes()))
        return {};
    return Failure { QStringLiteral("Die Datei %1 kann nicht geschrieben werden.")
                         .arg(QDir::toNativeSeparators(path)) };
}

} // namespace serviceorder
