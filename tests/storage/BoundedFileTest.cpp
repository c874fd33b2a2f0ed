// The check every read goes through, called directly: a pipe, a folder and an oversized file
// are refused before anything is opened.
#include "storage/BoundedFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

// Runs the check on another thread. Should it block (a pipe opened for reading waits for a
// writer), the test opens the pipe's other end, which lets it go on, and fails instead of
// hanging.
bool checkWithoutHanging(const QString &path, qint64 limit)
{
    auto checked
        = std::async(std::launch::async, [path, limit] { return boundedfile::check(path, limit); });
    if (checked.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        ADD_FAILURE() << "the check blocked on " << path.toStdString();
        const int writer = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    return checked.get();
}

} // namespace

TEST(BoundedFile, OnlyRegularFilesWithinTheLimitPass)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("notiz.rtf"));
    {
        QFile f(plain);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(100, 'x'));
    }
    const QString pipe = dir.filePath(QStringLiteral("rohr"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString linkToPipe = dir.filePath(QStringLiteral("verweis-rohr"));
    ASSERT_TRUE(QFile::link(pipe, linkToPipe));
    const QString linkToPlain = dir.filePath(QStringLiteral("verweis"));
    ASSERT_TRUE(QFile::link(plain, linkToPlain));

    const struct
    {
        const char *what;
        QString path;
        qint64 limit;
        bool passes;
    } cases[] = {
        { "regular file", plain, 100, true },
        { "link to a regular file", linkToPlain, 100, true },
        { "larger than the limit", plain, 99, false },
        { "pipe", pipe, boundedfile::kNoteLimit, false },
        { "link to a pipe", linkToPipe, boundedfile::kNoteLimit, false },
        { "folder", dir.path(), boundedfile::kNoteLimit, false },
        { "missing", dir.filePath(QStringLiteral("fehlt")), boundedfile::kNoteLimit, false },
        { "endless device", QStringLiteral("/dev/zero"), boundedfile::kNoteLimit, false },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(checkWithoutHanging(c.path, c.limit), c.passes);
        EXPECT_EQ(boundedfile::problem(c.path, c.limit).isEmpty(), c.passes);
    }
    QString why;
    EXPECT_FALSE(boundedfile::read(pipe, boundedfile::kNoteLimit, &why).has_value());
    EXPECT_TRUE(why.contains(QStringLiteral("rohr"))) << why.toStdString();
}
