// The window tests run in one QApplication on Qt's offscreen platform. No
// modal window may wait for a person: each test prepares its answers, and a
// window without one fails the test instead of hanging it.
#include "app/ui/modal_runner.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The automatic login reads the user's settings; the tests keep theirs
    // apart from the person running them.
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    QApplication app(argc, argv);
    RequirePreparedAnswers(true);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
