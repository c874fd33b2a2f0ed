// pergolan-kirchenjahr [TT.MM.JJJJ]: prints the day list of the church year around a date
// (today when none is given), one day entry per line, and the entry that the program would
// select at start-up on that date.
// pergolan-kirchenjahr --ical JJJJ [DATEI]: writes the Sundays and feast days of the calendar
// year with their propers as an iCalendar file, to DATEI or else to the standard output.
#include "base/Clock.h"
#include "base/CommandLine.h"
#include "calendar/ChurchYear.h"
#include "calendar/ChurchYearEvents.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>

namespace {

void write(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

// A date written exactly as dd.mm.yyyy.
QDate parseDate(const QString &text)
{
    if (text.size() != 10 || text[2] != u'.' || text[5] != u'.')
        return {};
    for (const int i : { 0, 1, 3, 4, 6, 7, 8, 9 }) {
        if (text[i] < u'0' || text[i] > u'9')
            return {};
    }
    return QDate(text.mid(6, 4).toInt(), text.mid(3, 2).toInt(), text.mid(0, 2).toInt());
}

const QString kUsage = QStringLiteral("Aufruf: pergolan-kirchenjahr [TT.MM.JJJJ]\n"
                                      "       pergolan-kirchenjahr --ical JJJJ [DATEI]\n");

const QString kHelp = kUsage
    + QStringLiteral("Gibt die Sonn- und Feiertage des Kirchenjahres um ein Datum aus (ohne Datum: "
                     "heute), einen je Zeile,\nund den Tag, den das Programm an diesem Datum "
                     "auswählen würde.\n"
                     "  TT.MM.JJJJ      das Datum\n"
                     "  --ical JJJJ     die Sonn- und Feiertage des Kalenderjahres mit ihren "
                     "Texten als Kalenderdatei\n"
                     "                  (iCalendar), in DATEI oder auf die Standardausgabe\n"
                     "  -h, --help      diese Hilfe\n"
                     "  --version       Name und Version\n");

// The calendar file of a year, to a file or to the standard output.
int writeCalendar(const QStringList &args)
{
    bool ok = false;
    const int year = args.value(1).toInt(&ok);
    // The day list is computed for the Gregorian calendar and four-digit years.
    if (!ok || args.value(1).size() != 4 || year < 1583) {
        write(stderr,
              QStringLiteral("Ungültiges Jahr „%1“: erwartet wird ein Jahr JJJJ ab 1583.\n")
                  .arg(args.value(1)));
        return 2;
    }
    const QByteArray calendar = churchyearcalendar::calendarOfYear(year);
    if (args.size() < 3) {
        std::fwrite(calendar.constData(), 1, static_cast<std::size_t>(calendar.size()), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    QSaveFile file(args.at(2));
    if (!file.open(QIODevice::WriteOnly) || file.write(calendar) != calendar.size()
        || !file.commit()) {
        write(stderr,
              QStringLiteral("Die Datei %1 kann nicht geschrieben werden.\n")
                  .arg(QDir::toNativeSeparators(args.at(2))));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (const auto answered
        = commandline::answerHelpOrVersion(args, QStringLiteral("pergolan-kirchenjahr"), kHelp))
        return *answered;
    if (!args.isEmpty() && args.first() == QStringLiteral("--ical")) {
        if (args.size() < 2 || args.size() > 3) {
            write(stderr, kUsage);
            return 2;
        }
        return writeCalendar(args);
    }
    if (args.size() > 1) {
        write(stderr, kUsage);
        return 2;
    }
    QDate date = appclock::today();
    if (!args.isEmpty()) {
        date = parseDate(args.first());
        if (!date.isValid()) {
            write(stderr,
                  QStringLiteral("Ungültiges Datum „%1“: erwartet wird ein Datum TT.MM.JJJJ.\n")
                      .arg(args.first()));
            return 2;
        }
    }
    const QStringList entries = churchyear::FillDayList(date);
    QString out;
    for (const QString &entry : entries)
        out += entry + u'\n';
    const int selected = churchyear::SelectComingDay(entries, date);
    out += QStringLiteral("Ausgewählt: ")
        + (selected >= 0 ? entries[selected] : QStringLiteral("-")) + u'\n';
    write(stdout, out);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
