#include "tests/support/TestEnvironment.h"

#include "base/Clock.h"
#include "base/ProgramFolder.h"
#include "gui/FrmMain.h"
#include "tests/support/ScriptedDialogs.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString rel = QDir(from).relativeFilePath(src);
        const QString dst = to + u'/' + rel;
        // The plugins (web view, office, SWORD) are loaded from the program folder: a link to
        // the built one each. The other executables and libraries are not needed there.
        if (rel.startsWith(QStringLiteral("libpergolan_")) && rel.endsWith(QStringLiteral(".so"))) {
            QFile::link(src, dst);
            continue;
        }
        if (QFileInfo(src).isExecutable() || rel.startsWith(QStringLiteral("lib/")))
            continue;
        QDir().mkpath(QFileInfo(dst).absolutePath());
        QFile::copy(src, dst);
    }
}

} // namespace

QString sharedReferenceDir()
{
    const QByteArray env = qgetenv("PERGOLAN_SHARED_DIR");
    if (env.isEmpty())
        return {};
    return QString::fromLocal8Bit(env) + QStringLiteral("/reference");
}

QString builtProgramDir()
{
    return QString::fromLocal8Bit(qgetenv("PERGOLAN_PROGRAM_DIR"));
}

CommandRun runBuiltCommand(const QString &name, const QStringList &arguments, int timeoutMs)
{
    CommandRun run;
    QProcess process;
    process.start(builtProgramDir() + u'/' + name, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        ADD_FAILURE() << name.toStdString() << " did not finish";
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.outBytes = process.readAllStandardOutput();
    run.out = QString::fromUtf8(run.outBytes);
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

TestEnvironment::TestEnvironment()
    : m_oldHome(qgetenv("HOME"))
    , m_oldCurrent(QDir::currentPath())
{
    if (!m_root.isValid())
        ADD_FAILURE() << "no temporary folder";
    QDir().mkpath(home());
    QDir().mkpath(home() + QStringLiteral("/Documents"));
    qputenv("HOME", home().toLocal8Bit());
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CACHE_HOME");
    qunsetenv("XDG_DOCUMENTS_DIR");
    QStandardPaths::setTestModeEnabled(false);
    const QString built = builtProgramDir();
    if (!built.isEmpty())
        copyTree(built, programDir());
    else
        QDir().mkpath(programDir());
    programfolder::setDirForTesting(programDir());
    programfolder::setReadOnlyForTesting(false);
}

TestEnvironment::~TestEnvironment()
{
    QDir::setCurrent(m_oldCurrent);
    programfolder::setDirForTesting({});
    programfolder::setReadOnlyForTesting(false);
    appclock::setTodayForTesting({});
    qputenv("HOME", m_oldHome);
}

QString TestEnvironment::home() const
{
    return m_root.path() + QStringLiteral("/home");
}

QString TestEnvironment::programDir() const
{
    return m_root.path() + QStringLiteral("/programm");
}

QString TestEnvironment::dataDir() const
{
    return home() + QStringLiteral("/Documents/Pergol");
}

void TestEnvironment::writeProgramFile(const QString &relative, const QByteArray &bytes) const
{
    writeFileBytes(programDir() + u'/' + relative, bytes);
}

QByteArray readFileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFileBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
}

std::unique_ptr<TfrmMain> makeMainWindow(ScriptedDialogs **dialogs)
{
    auto scripted = std::make_unique<ScriptedDialogs>();
    if (dialogs)
        *dialogs = scripted.get();
    StartOptions options;
    options.skipUpdateCheck = true;
    return std::make_unique<TfrmMain>(std::move(scripted), options);
}
