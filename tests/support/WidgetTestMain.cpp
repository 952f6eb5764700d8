#include "playback/LeaveProcess.h"

#include <QApplication>
#include <gtest/gtest.h>

// Widget tests need an application object for their whole run.
int main(int argc, char** argv) {
    int result = 0;
    {
        QApplication application(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
#ifdef __SANITIZE_ADDRESS__
    // The leak check runs at exit; these runs have no sound server to trip over.
    return result;
#else
    LeaveProcess(result);
#endif
}
