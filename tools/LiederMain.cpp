// pergolan-lieder [DATENORDNER]: writes every hymn of the saved preparations (series folders
// and their archives) as CSV to the standard output, one line per hymn use, for a
// spreadsheet. Without an argument the user's data folder is read.
// pergolan-lieder --plan [--von TT.MM.JJJJ] [--bis TT.MM.JJJJ] [--ical DATEI] [DATENORDNER]:
// writes the hymn plan of the services of a period (by default the next four Sundays and
// feast days from today) as CSV to the standard output and, with --ical, as a calendar file;
// a hymn sung within the weeks set in the program before its service is marked.
#include "base/Clock.h"
#include "base/CommandLine.h"
#include "base/DataFolder.h"
#include "calendar/HymnPlanOutput.h"
#include "storage/HymnCsv.h"
#include "storage/PreparationHistory.h"
#include "storage/ProgramSettings.h"
#include "storage/Win1252Text.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

namespace {

const QString kUsage = QStringLiteral(
    "Aufruf: pergolan-lieder [DATENORDNER]\n"
    "       pergolan-lieder --plan [--von TT.MM.JJJJ] [--bis TT.MM.JJJJ] [--ical DATEI] "
    "[DATENORDNER]\n");

void write(FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

void complain(const QString &text)
{
    write(stderr, text.toUtf8());
}

// A date written exactly as TT.MM.JJJJ.
QDate parseDate(const QString &text)
{
    return text.size() == 10 ? QDate::fromString(text, QStringLiteral("dd.MM.yyyy")) : QDate();
}

// The data folder named on the command line or else the user's; empty (after saying why)
// when it is no folder.
QString dataFolder(const QString &given)
{
    const QString folder = given.isEmpty() ? datafolder::path() : given;
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        complain(QStringLiteral("Der Datenordner „%1“ existiert nicht.\n")
                     .arg(QDir::toNativeSeparators(folder)));
        return {};
    }
    return folder;
}

void reportUnreadable(const history::Scan &scan)
{
    if (scan.unreadable.isEmpty())
        return;
    QString message = scan.unreadable.size() == 1
        ? QStringLiteral("1 Datei konnte nicht gelesen werden:\n")
        : QStringLiteral("%1 Dateien konnten nicht gelesen werden:\n").arg(scan.unreadable.size());
    for (const QString &path : scan.unreadable)
        message += QStringLiteral("  ") + path + u'\n';
    complain(message);
}

int writeHymnUses(const QStringList &args)
{
    if (args.size() > 1) {
        complain(kUsage);
        return 2;
    }
    const QString folder = dataFolder(args.value(0));
    if (folder.isEmpty())
        return 2;
    const history::Scan scan = history::scanDataFolder(folder, history::Reading::DayAndHymns);
    write(stdout, hymncsv::write(history::hymnUses(scan)));
    reportUnreadable(scan);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int writePlan(const QStringList &args)
{
    QDate from = appclock::today();
    QDate to;
    QString icalPath;
    QString folderArg;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QStringLiteral("--von") || arg == QStringLiteral("--bis")) {
            const QDate date = parseDate(args.value(i + 1));
            if (!date.isValid()) {
                complain(QStringLiteral("Ungültiges Datum „%1“ nach %2: erwartet wird ein "
                                        "Datum TT.MM.JJJJ.\n")
                             .arg(args.value(i + 1), arg));
                return 2;
            }
            (arg == QStringLiteral("--von") ? from : to) = date;
            ++i;
        } else if (arg == QStringLiteral("--ical")) {
            if (i + 1 >= args.size() || args.at(i + 1).isEmpty()) {
                complain(QStringLiteral("Nach --ical fehlt der Name der Kalenderdatei.\n"));
                return 2;
            }
            icalPath = args.at(++i);
        } else if (arg.startsWith(QStringLiteral("--")) || !folderArg.isEmpty()) {
            complain(kUsage);
            return 2;
        } else {
            folderArg = arg;
        }
    }
    const Result<hymnplan::Period> period = hymnplan::resolvePeriod(from, to);
    if (!period) {
        complain(period.error() + u'\n');
        return 2;
    }
    const QString folder = dataFolder(folderArg);
    if (folder.isEmpty())
        return 2;

    const history::Scan scan = hymnplan::scanFor(*period, folder);
    hymnplan::Plan plan = hymnplan::make(*period, scan);
    // Hymns sung within the weeks set in the program before their service are marked.
    const hymnindex::FolderIndex index = hymnindex::readDataFolder(folder);
    if (!index.listProblem.isEmpty())
        complain(index.listProblem + u'\n');
    hymnplan::markRecent(plan, index.index, programsettings::repeatWeeks());
    if (!icalPath.isEmpty()) {
        if (const Result<> written = win1252::writeFileAtomically(
                icalPath, hymnplan::toICal(plan, QDateTime::currentDateTimeUtc()));
            !written) {
            complain(written.error() + u'\n');
            return 1;
        }
    }
    write(stdout, hymnplan::toCsv(plan));
    reportUnreadable(scan);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (const auto answered = commandline::answerHelpOrVersion(
            args, QStringLiteral("pergolan-lieder"),
            kUsage
                + QStringLiteral(
                    "Gibt jedes Lied der gespeicherten Vorbereitungen (Predigtreihen-Ordner und "
                    "ihre Archive)\nals CSV auf die Standardausgabe aus, eine Zeile je "
                    "Verwendung.\n"
                    "Mit --plan den Liedplan der Gottesdienste eines Zeitraums (ohne Angabe die "
                    "nächsten vier\nSonn- und Feiertage ab heute), eine Zeile je Gottesdienst.\n"
                    "  DATENORDNER    der Datenordner (ohne Angabe: Pergol im Dokumentenordner)\n"
                    "  --von, --bis   Beginn und Ende des Zeitraums, TT.MM.JJJJ\n"
                    "  --ical DATEI   den Liedplan zusätzlich als Kalenderdatei schreiben\n"
                    "  -h, --help     diese Hilfe\n"
                    "  --version      Name und Version\n")))
        return *answered;
    if (!args.isEmpty() && args.first() == QStringLiteral("--plan"))
        return writePlan(args.mid(1));
    return writeHymnUses(args);
}
