// pergolan-lieder [DATENORDNER]: writes every hymn of the saved preparations (series folders
// and their archives) as CSV to the standard output, one line per hymn use, for a
// spreadsheet. Without an argument the user's data folder is read.
#include "base/CommandLine.h"
#include "base/DataFolder.h"
#include "storage/HymnCsv.h"
#include "storage/PreparationHistory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

namespace {

void write(FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString usage = QStringLiteral("Aufruf: pergolan-lieder [DATENORDNER]\n");
    if (const auto answered = commandline::answerHelpOrVersion(
            args, QStringLiteral("pergolan-lieder"),
            usage
                + QStringLiteral(
                    "Gibt jedes Lied der gespeicherten Vorbereitungen (Predigtreihen-Ordner und "
                    "ihre Archive)\nals CSV auf die Standardausgabe aus, eine Zeile je "
                    "Verwendung.\n"
                    "  DATENORDNER  der Datenordner (ohne Angabe: Pergol im Dokumentenordner)\n"
                    "  -h, --help   diese Hilfe\n"
                    "  --version    Name und Version\n")))
        return *answered;
    if (args.size() > 1) {
        write(stderr, usage.toUtf8());
        return 2;
    }
    const QString folder = args.isEmpty() ? datafolder::path() : args.first();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        write(stderr,
              QStringLiteral("Der Datenordner „%1“ existiert nicht.\n")
                  .arg(QDir::toNativeSeparators(folder))
                  .toUtf8());
        return 2;
    }
    const history::Scan scan = history::scanDataFolder(folder);
    write(stdout, hymncsv::write(history::hymnUses(scan)));
    if (!scan.unreadable.isEmpty()) {
        QString message = scan.unreadable.size() == 1
            ? QStringLiteral("1 Datei konnte nicht gelesen werden:\n")
            : QStringLiteral("%1 Dateien konnten nicht gelesen werden:\n")
                  .arg(scan.unreadable.size());
        for (const QString &path : scan.unreadable)
            message += QStringLiteral("  ") + path + u'\n';
        write(stderr, message.toUtf8());
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
