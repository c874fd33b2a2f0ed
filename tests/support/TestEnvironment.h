#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class ScriptedDialogs;
class TfrmMain;

// A private world for one test: HOME (and with it the documents folder and the per-user
// overlay) in a temporary folder, a program folder of its own holding a copy of the built
// program folder's data, and today's date fixed when asked.
class TestEnvironment
{
public:
    TestEnvironment();
    ~TestEnvironment();

    QString home() const;
    QString programDir() const;
    QString dataDir() const; // <home>/Documents/Pergol

    // Writes a Windows-1252 (or raw) file under the program folder.
    void writeProgramFile(const QString &relative, const QByteArray &bytes) const;

private:
    QTemporaryDir m_root;
    QByteArray m_oldHome;
    QString m_oldCurrent;
};

// The whole content of a file (empty when it cannot be read).
QByteArray readFileBytes(const QString &path);

// Writes a file whole, creating its folder; a failure fails the test.
void writeFileBytes(const QString &path, const QByteArray &bytes);

// The folder with the shared public reference data (a Bible text, the order of readings):
// reference/ in the folder PERGOLAN_SHARED_DIR names; empty when the variable is not set.
QString sharedReferenceDir();

// The built program folder (executable, libpergol.so, Texte/, libs/).
QString builtProgramDir();

// How a command of the built program folder ended and what it wrote.
struct CommandRun
{
    // -1 when the command crashed or did not end in time.
    int exitCode = -1;
    QByteArray outBytes;
    // The output and the error output read as UTF-8.
    QString out;
    QString err;
};

// Runs the command of the built program folder and waits for it; one that does not end in
// time is killed and counts as a test failure.
CommandRun runBuiltCommand(const QString &name, const QStringList &arguments,
                           int timeoutMs = 30000);

// Creates the main window with scripted dialogs and without the update check.
std::unique_ptr<TfrmMain> makeMainWindow(ScriptedDialogs **dialogs = nullptr);
