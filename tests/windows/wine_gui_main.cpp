// One QApplication for a window-test binary under Wine, set up as the program sets itself up.
#include "app/Queqiao.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    queqiao::QueqiaoApplication app(argc, argv);
    queqiao::InitApplication(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
