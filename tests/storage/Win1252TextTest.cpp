#include "storage/Win1252Text.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

TEST(Win1252Text, DecodesTheHighRangeAndLatin1)
{
    const QByteArray bytes("\x80 \x84\x93\x94 \x96 \xe4\xf6\xfc\xdf\xc4\xd6\xdc", 15);
    EXPECT_EQ(win1252::decode(bytes), QStringLiteral("€ „“” – äöüßÄÖÜ"));
}

TEST(Win1252Text, EncodesUnrepresentableCharactersAsQuestionMarks)
{
    EXPECT_EQ(win1252::encode(QStringLiteral("Buß- und Bettag – „Ω“ 😀")),
              QByteArray("Bu\xdf- und Bettag \x96 \x84?\x93 ?"));
}

TEST(Win1252Text, RoundTripsEveryWindows1252Byte)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(win1252::encode(win1252::decode(all)), all);
}

TEST(Win1252Text, SplitsLinesAtCrLfLfAndCr)
{
    EXPECT_EQ(win1252::splitLines(QStringLiteral("a\r\nb\nc\rd")),
              (QStringList { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                             QStringLiteral("d") }));
    // A final line ending starts no further line, but empty lines in between count.
    EXPECT_EQ(win1252::splitLines(QStringLiteral("a\r\n\r\n\n\rb\r\n")),
              (QStringList { QStringLiteral("a"), QString(), QString(), QString(),
                             QStringLiteral("b") }));
    EXPECT_TRUE(win1252::splitLines(QString()).isEmpty());
    // "\n\r" is two line endings, not one.
    EXPECT_EQ(win1252::splitLines(QStringLiteral("x\n\ry")).size(), 3);
}

TEST(Win1252Text, WritesCrLfAndReadsBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Glaubensbekenntnis.txt"));
    const QStringList lines { QStringLiteral("Ich glaube an Gott,"), QString(),
                              QStringLiteral("Amen.") };
    ASSERT_TRUE(win1252::writeLines(path, lines));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Ich glaube an Gott,\r\n\r\nAmen.\r\n"));
    const Result<QStringList> read = win1252::readLines(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, lines);
}

TEST(Win1252Text, FailedWriteKeepsTheEarlierFileAndSaysWhy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nicht-da/datei.txt"));
    EXPECT_TRUE(win1252::writeLines(path, { QStringLiteral("x") })
                    .error()
                    .contains(QStringLiteral("datei.txt")));

    EXPECT_TRUE(win1252::readLines(path).error().startsWith(QStringLiteral("Die Datei")));
}

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Makes every write of this process beyond limit bytes into a file fail with an error, as on a
// full disk, until it goes out of scope.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit lowered = m_old;
        lowered.rlim_cur = limit;
        m_active = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    bool active() const { return m_active; }

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

} // namespace

// Every file of the program is saved through writeFileAtomically. A save that overwrote the
// file in place would change what a second link to the earlier file sees, and a write that
// fails halfway would leave half a file.
TEST(Win1252Text, ASaveReplacesTheFileWholeOrNotAtAll)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ablauf.ini"));
    const QString link = dir.filePath(QStringLiteral("Verweis.ini"));
    ASSERT_TRUE(win1252::writeFileAtomically(path, "alt\r\n"));
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()), 0);

    ASSERT_TRUE(win1252::writeFileAtomically(path, "neu\r\n"));
    EXPECT_EQ(contentOf(path), "neu\r\n");
    EXPECT_EQ(contentOf(link), "alt\r\n");

    const QByteArray large(1 << 20, 'x');
    QString error;
    {
        const FileSizeLimit limit(64 * 1024);
        ASSERT_TRUE(limit.active());
        error = win1252::writeFileAtomically(path, large).error();
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(error.contains(QStringLiteral("Ablauf.ini"))) << error.toStdString();
    EXPECT_EQ(contentOf(path), "neu\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}
