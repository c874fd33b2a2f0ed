// What the program has loaded once its window is complete (shown, painted, every page built):
// neither the office's UNO libraries nor libsword nor the web engine nor the network library,
// which the plugins bring in only when an action needs them; nor the print system, asked only
// when printing; nor OpenGL, which only the web view needs.
#include "tests/support/TestEnvironment.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(StartupLibraries, WindowShownWithoutTheLibrariesOfActionsNotYetTaken)
{
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"HOME"_s, home.path());
    QProcess probe;
    probe.setProcessEnvironment(env);
    // Any argument skips the update check.
    probe.start(QCoreApplication::applicationDirPath() + u"/pergolan_startup_libraries"_s,
                { u"--ohne-update"_s });
    ASSERT_TRUE(probe.waitForFinished(120000));
    ASSERT_EQ(probe.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
    const QStringList mapped = QString::fromLocal8Bit(probe.readAllStandardOutput()).split(u'\n');

    // The list is the real one: the window's own libraries are in it.
    const auto anyContains = [&mapped](const QString &part) {
        return std::any_of(mapped.begin(), mapped.end(),
                           [&part](const QString &path) { return path.contains(part); });
    };
    EXPECT_TRUE(anyContains(u"libQt6Widgets.so"_s));
    EXPECT_TRUE(anyContains(u"libpergol.so"_s));
    const QStringList heavy { u"libsword"_s, u"libuno_"_s, u"/libreoffice/"_s,
                              u"libpergolan_office.so"_s, u"libpergolan_sword.so"_s,
                              u"libpergolan_webview.so"_s, u"libQt6WebEngineCore"_s, u"libcups"_s,
                              u"libpergolan_network.so"_s,
                              // Reading a picture loads every image-format plugin; Qt's PDF plugin,
                              // where installed, brings the network library and Kerberos with it.
                              u"/imageformats/"_s, u"libQt6Network"_s, u"libkrb5"_s };
    for (const QString &library : heavy)
        EXPECT_FALSE(anyContains(library)) << library.toStdString() << " is loaded at start-up";
    // No shared OpenGL context either: on a desktop it loads the OpenGL drivers; the web view
    // makes it when it is first needed.
    EXPECT_FALSE(mapped.contains(u"OpenGL"_s));
}
