#include "core/ProcessSetup.h"

#include <QApplication>
#include <gtest/gtest.h>

// The window tests' main: the windows need a QApplication.
int main(int argc, char **argv)
{
    // The program's own process setting, so that a write past the file-size
    // limit fails here as it does in the program.
    mostarium::prepareProcess();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
