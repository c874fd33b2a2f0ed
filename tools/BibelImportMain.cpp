// pergolan-bibel-import QUELLE [ZIELORDNER]: turns a public-domain German Bible in OSIS XML (a
// file, or a folder with one file per book) into the program's Bible files, one file per book
// named after its Loccum abbreviation. Without ZIELORDNER the files go to the program folder's
// "libs/Bibel", or to the per-user copy of it when the program folder cannot be written to.
// Exit code 0 on success, 2 on bad input, 1 when a file cannot be written.
#include "base/ProgramInfo.h"
#include "bible/OsisImport.h"

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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The same names as the program, so that the per-user copy of the program folder is the
    // one the program reads.
    QCoreApplication::setApplicationName(programinfo::title());
    QCoreApplication::setOrganizationName(programinfo::title());

    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.size() > 2 || args.first().isEmpty()) {
        write(stderr,
              u"Aufruf: pergolan-bibel-import QUELLE [ZIELORDNER]\n"
              u"  QUELLE      eine Bibel im OSIS-Format: eine XML-Datei oder ein Ordner "
              u"mit XML-Dateien\n"
              u"  ZIELORDNER  wohin die Bibeldateien geschrieben werden (ohne Angabe: "
              u"libs/Bibel im Programmordner)\n"_s);
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
    const bible::ImportResult result
        = bible::importOsisBible(args.at(0), args.size() > 1 ? args.at(1) : QString(), progress);
    switch (result.status) {
    case bible::ImportStatus::Ok:
        write(stdout, bible::importSummaryText(result.summary) + u'\n');
        return 0;
    case bible::ImportStatus::BadInput:
        write(stderr, u"Fehler: "_s + result.errorText + u'\n');
        return 2;
    case bible::ImportStatus::WriteFailed:
        write(stderr, u"\nFehler: "_s + result.errorText + u'\n');
        return 1;
    }
    return 1;
}
