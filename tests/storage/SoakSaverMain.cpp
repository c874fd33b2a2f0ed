// One of several programs saving the same services on one folder for a while, as windows of
// colleagues would: each "window" loads the version of a day that choosing the day loads (now
// and then it keeps what it has, as a window left open does), puts a version of its own in and
// saves; asked about a change of somebody else, it answers at random. Every version it saved is
// written to its log with the version it was made from.
//
// soak_saver DATENORDNER SEKUNDEN NAME LOGDATEI
#include "storage/ServiceOrderFile.h"
#include "storage/ServicePreparation.h"
#include "storage/WatchedFile.h"

#include <QCoreApplication>
#include <QDate>
#include <QDeadlineTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>

#include <array>
#include <cstdio>

namespace {

const QString kSeries = QStringLiteral("2");
const QDate kService(2026, 12, 13);
const std::array<QString, 2> kDays
    = { QStringLiteral("3. Sonntag im Advent"), QStringLiteral("4. Sonntag im Advent") };

// A window showing one day: the file it watches and the version its content was made from.
struct Window
{
    WatchedFile file;
    QString path;
    QString parent;
};

// Loads the day as choosing it does: the newest version of the service, or none yet.
void load(const QString &folder, const QString &day, Window &window)
{
    const servicefile::Found found = servicefile::find(folder, kSeries, { day }, kService);
    window.path = found.kind == servicefile::Found::Kind::Current
        ? found.chosen.path
        : folder + u'/' + kSeries + u'/' + serviceorder::storedOrderFileName(kSeries, day);
    window.parent.clear();
    if (found.kind == servicefile::Found::Kind::Current) {
        if (const Result<QByteArray> bytes = window.file.read(window.path)) {
            const IniFile ini = IniFile::fromText(QString::fromLatin1(*bytes));
            window.parent = serviceorder::readTexts(ini).eingangslied;
        }
    } else {
        window.file.watchAbsent(window.path);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 5) {
        std::fputs("Aufruf: soak_saver DATENORDNER SEKUNDEN NAME LOGDATEI\n", stderr);
        return 2;
    }
    const QString folder = args.at(1);
    const QDeadlineTimer deadline(args.at(2).toInt() * 1000);
    const QString name = args.at(3);
    QFile log(args.at(4));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return 1;

    std::array<Window, kDays.size()> windows;
    for (std::size_t d = 0; d < kDays.size(); ++d)
        load(folder, kDays.at(d), windows.at(d));
    QRandomGenerator random(QRandomGenerator::global()->generate());
    int failures = 0;
    for (int n = 0; !deadline.hasExpired(); ++n) {
        const std::size_t d = random.bounded(int(kDays.size()));
        Window &window = windows.at(d);
        if (random.bounded(2) == 0)
            load(folder, kDays.at(d), window);

        const QString id = QStringLiteral("%1-%2").arg(name).arg(n);
        Preparation p;
        p.dayName = kDays.at(d);
        p.series = kSeries;
        p.dayStamp = kService.toString(QStringLiteral("yyyyMMdd"));
        p.eingangslied = id;
        p.wochenlied = window.parent;
        const QByteArray bytes = serviceorder::toIni(p).toBytes();
        Result<SaveOutcome> saved = window.file.save(window.path, bytes);
        if (saved && saved->status == SaveOutcome::Status::Asks) {
            constexpr SaveChoice answers[]
                = { SaveChoice::SaveAsNew, SaveChoice::Overwrite, SaveChoice::Cancel };
            saved = window.file.save(window.path, bytes, answers[random.bounded(3)]);
        }
        if (!saved) {
            std::fprintf(stderr, "%s\n", qPrintable(saved.error()));
            ++failures;
            continue;
        }
        if (saved->status != SaveOutcome::Status::Saved)
            continue;
        window.path = saved->path;
        window.parent = id;
        log.write(QStringLiteral("%1 %2\n").arg(id, p.wochenlied).toUtf8());
        log.flush();
        QThread::usleep(random.bounded(3000));
    }
    return failures == 0 ? 0 : 1;
}
