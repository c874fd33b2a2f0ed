// pergolan-kirchenjahr [TT.MM.JJJJ]: prints the day list of the church year around a date
// (today when none is given), one day entry per line, and the entry that the program would
// select at start-up on that date.
#include "base/Clock.h"
#include "calendar/ChurchYear.h"

#include <QCoreApplication>
#include <QDate>
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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() > 1) {
        write(stderr, QStringLiteral("Aufruf: pergolan-kirchenjahr [TT.MM.JJJJ]\n"));
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
