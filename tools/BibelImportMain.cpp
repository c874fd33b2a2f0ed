// pergolan-bibel-import QUELLE [ZIELORDNER]: turns a German Bible in OSIS or Zefania XML (a
// file, or a folder with files), recognised by its content, into the program's Bible files, one
// file per book named after its Loccum abbreviation.
// pergolan-bibel-import --sword MODUL [ZIELORDNER] does the same for an installed SWORD module;
// pergolan-bibel-import --sword-list lists the installed SWORD Bible modules.
// Without ZIELORDNER the files go to the program folder's "libs/Bibel", or to the per-user copy
// of it when the program folder cannot be written to. The Bible files are replaced as a whole.
// Exit code 0 on success, 2 on bad input (also an unknown module or one that is not a Bible,
// and --sword or --sword-list without the SWORD plugin of the package pergolan-sword), 1 when a
// file cannot be written.
#include "base/CommandLine.h"
#include "base/ProgramInfo.h"
#include "bible/BibleImport.h"
#include "bible/SwordImport.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

void write(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

const QString kUsage
    = u"Aufruf: pergolan-bibel-import QUELLE [ZIELORDNER]\n"
      u"       pergolan-bibel-import --sword MODUL [ZIELORDNER]\n"
      u"       pergolan-bibel-import --sword-list\n"
      u"  QUELLE      eine Bibel im OSIS- oder Zefania-Format: eine XML-Datei oder ein "
      u"Ordner mit XML-Dateien\n"
      u"  MODUL       der Name eines installierten SWORD-Bibelmoduls (siehe "
      u"--sword-list)\n"
      u"  ZIELORDNER  wohin die Bibeldateien geschrieben werden (ohne Angabe: "
      u"libs/Bibel im Programmordner)\n"_s;

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The same names as the program, so that the per-user copy of the program folder is the
    // one the program reads.
    QCoreApplication::setApplicationName(programinfo::title());
    QCoreApplication::setOrganizationName(programinfo::title());

    QStringList args = QCoreApplication::arguments().mid(1);
    if (const auto answered
        = commandline::answerHelpOrVersion(args, u"pergolan-bibel-import"_s,
                                           kUsage
                                               + u"  -h, --help  diese Hilfe\n"
                                                 u"  --version   Name und Version\n"_s))
        return *answered;
    if (args == QStringList { u"--sword-list"_s }) {
        if (const QString missing = bible::swordUnavailableText(); !missing.isEmpty()) {
            write(stderr, u"Fehler: "_s + missing + u'\n');
            return 2;
        }
        const QList<bible::SwordModule> modules = bible::installedSwordBibles();
        if (modules.isEmpty())
            write(stderr, u"Es sind keine SWORD-Bibelmodule installiert.\n"_s);
        for (const bible::SwordModule &module : modules)
            write(stdout, module.name + u'\t' + module.description + u'\n');
        return 0;
    }
    const bool sword = !args.isEmpty() && args.first() == u"--sword"_s;
    if (sword)
        args.removeFirst();
    if (args.isEmpty() || args.size() > 2 || args.first().isEmpty()) {
        write(stderr, kUsage);
        return 2;
    }

    const auto progress = [](int done, int total, const QString &book) {
        if (book.isEmpty())
            write(
                stderr,
                u"\rBuch %1 von %2 geschrieben.                         \n"_s.arg(done).arg(total));
        else
            write(stderr, u"\rBuch %1 von %2: %3          "_s.arg(done + 1).arg(total).arg(book));
    };
    bible::ImportControl control;
    control.writing = progress;
    const QString target = args.size() > 1 ? args.at(1) : QString();
    const bible::ImportResult result = sword ? bible::importSwordBible(args.at(0), target, control)
                                             : bible::importBible(args.at(0), target, control);
    switch (result.status) {
    case bible::ImportStatus::Ok:
        write(stdout, bible::importSummaryText(result.summary) + u'\n');
        return 0;
    case bible::ImportStatus::BadInput:
        write(stderr, u"Fehler: "_s + result.errorText + u'\n');
        return 2;
    case bible::ImportStatus::WriteFailed:
    case bible::ImportStatus::Cancelled:
        write(stderr, u"\nFehler: "_s + result.errorText + u'\n');
        return 1;
    }
    return 1;
}
