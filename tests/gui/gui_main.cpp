#include "gui/SampleWindow.h"

#include <QApplication>

#include <gtest/gtest.h>

// The GUI tests drive real widgets, so they need an application object;
// they run with the offscreen platform (set by CTest), so no display is
// needed.
int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    tv::app::WindowBench::close();
    return status;
}
