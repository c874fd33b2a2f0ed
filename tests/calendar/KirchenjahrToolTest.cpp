#include "base/ProgramVersion.h"
#include "calendar/ChurchYear.h"
#include "tests/support/TestEnvironment.h"

#include <QDate>
#include <QFileInfo>
#include <QScopeGuard>

#include <gtest/gtest.h>

namespace {

CommandRun runTool(const QStringList &arguments)
{
    return runBuiltCommand(QStringLiteral("pergolan-kirchenjahr"), arguments);
}

QString expectedOutput(const QDate &date)
{
    const QStringList list = churchyear::FillDayList(date);
    const int selected = churchyear::SelectComingDay(list, date);
    return list.join(u'\n') + QStringLiteral("\nAusgewählt: ")
        + (selected >= 0 ? list.at(selected) : QStringLiteral("-")) + u'\n';
}

} // namespace

TEST(KirchenjahrTool, PrintsTheDayListAndTheSelectedDay)
{
    ASSERT_TRUE(
        QFileInfo(builtProgramDir() + QStringLiteral("/pergolan-kirchenjahr")).isExecutable());
    const CommandRun run = runTool({ QStringLiteral("10.02.2026") });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.isEmpty());
    const QStringList lines = run.out.split(u'\n');
    ASSERT_EQ(lines.size(), 85); // 83 entries, the selection, and the final line end
    EXPECT_EQ(lines.at(0), QStringLiteral("09.11.2025 - Drittletzter Sonntag des Kirchenjahres"));
    EXPECT_EQ(lines.at(2), QStringLiteral("19.11.2025 - Buß- und Bettag")); // UTF-8
    EXPECT_EQ(lines.at(14), QStringLiteral("01.01.2026 - Neujahr"));
    EXPECT_EQ(lines.at(17), QStringLiteral("11.01.2026 - 1. Sonntag nach Epiphanias"));
    EXPECT_EQ(lines.at(82), QStringLiteral("26.12.2026 - 2. Weihnachtstag"));
    EXPECT_EQ(lines.at(83), QStringLiteral("Ausgewählt: 15.02.2026 - Estomihi"));
    EXPECT_EQ(lines.at(84), QString());
    EXPECT_EQ(run.out, expectedOutput(QDate(2026, 2, 10)));
}

TEST(KirchenjahrTool, WithoutADateListsToday)
{
    const QDate before = QDate::currentDate();
    const CommandRun run = runTool({});
    const QDate after = QDate::currentDate();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out == expectedOutput(before) || run.out == expectedOutput(after));
}

TEST(KirchenjahrTool, NoSelectionPrintsADash)
{
    // 27 to 31 December 9999: nothing of the year 10000 can be listed.
    const CommandRun run = runTool({ QStringLiteral("31.12.9999") });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.endsWith(QStringLiteral("\nAusgewählt: -\n")));
}

TEST(KirchenjahrTool, RejectsWhatIsNotADate)
{
    for (const QString &arg :
         { QStringLiteral("31.02.2026"), QStringLiteral("1.2.2026"), QStringLiteral("2026-02-10"),
           QStringLiteral("10.02.26"), QStringLiteral("aa.bb.cccc"), QStringLiteral("10.02.2026x"),
           QStringLiteral("") }) {
        const CommandRun run = runTool({ arg });
        EXPECT_EQ(run.exitCode, 2) << arg.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << arg.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Ungültiges Datum"))) << run.err.toStdString();
    }
    const CommandRun two = runTool({ QStringLiteral("10.02.2026"), QStringLiteral("11.02.2026") });
    EXPECT_EQ(two.exitCode, 2);
    EXPECT_TRUE(two.out.isEmpty());
}

// Every command, the program itself included, answers --help with its German usage and
// --version with its name and the program's version, and ends with 0 without doing its work.
// The display is one that cannot be reached: a command that made a window would end in error.
TEST(CompanionCommands, AnswerHelpAndVersion)
{
    const struct
    {
        const char *command;
        const char *usageLine;
    } commands[] = {
        { "pergolan", "Aufruf: pergolan [ARGUMENT ...]" },
        { "pergolan-kirchenjahr", "Aufruf: pergolan-kirchenjahr [TT.MM.JJJJ]" },
        { "pergolan-bibel-import", "Aufruf: pergolan-bibel-import QUELLE [ZIELORDNER]" },
        { "pergolan-lieder", "Aufruf: pergolan-lieder [DATENORDNER]" },
    };
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("DISPLAY");
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("DISPLAY", ":99999");
    const auto restore = qScopeGuard([&] {
        qputenv("QT_QPA_PLATFORM", platform);
        qputenv("DISPLAY", display);
    });
    for (const auto &c : commands) {
        const QString command = QString::fromLatin1(c.command);
        SCOPED_TRACE(c.command);
        for (const QString &help : { QStringLiteral("--help"), QStringLiteral("-h") }) {
            const CommandRun run = runBuiltCommand(command, { help });
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_TRUE(run.out.startsWith(QString::fromUtf8(c.usageLine)))
                << run.out.toStdString();
            EXPECT_TRUE(run.out.contains(QStringLiteral("--version")));
            EXPECT_TRUE(run.out.contains(QStringLiteral("diese Hilfe")));
            EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
        }
        const CommandRun version = runBuiltCommand(command, { QStringLiteral("--version") });
        EXPECT_EQ(version.exitCode, 0);
        EXPECT_EQ(version.out,
                  command + QStringLiteral(" (Pergolan) ") + QStringLiteral(PERGOLAN_VERSION_TEXT)
                      + u'\n');
    }
}
