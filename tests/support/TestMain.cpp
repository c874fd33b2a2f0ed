// One QApplication for every test executable, headless (QT_QPA_PLATFORM=offscreen is set by
// ctest), named as the program so per-user paths match.
#include "base/ProgramInfo.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Tests drive Qt's own file dialog widget; a desktop's native dialog cannot be driven.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    QApplication::setApplicationName(programinfo::title());
    QApplication::setOrganizationName(programinfo::title());
    return RUN_ALL_TESTS();
}
