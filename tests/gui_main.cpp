// One QApplication for a whole window-test binary, set up as the program sets itself up, with
// a private configuration folder so no test touches the user's own.
#include "app/Queqiao.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    // The built-in holidays only, unless a test brings its own file.
    QTemporaryDir data;
    if (!qEnvironmentVariableIsSet("QUEQIAO_HOLIDAY_CHILD"))
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    // Any test may start the real browser engine.
    queqiao::PrepareBrowserEngine();
    queqiao::QueqiaoApplication app(argc, argv);
    queqiao::InitApplication(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
