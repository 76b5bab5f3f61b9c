#include "core/ProcessSetup.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

// The core tests' main: the core needs no more than a QCoreApplication, and
// a test that would need a window cannot pass here.
int main(int argc, char **argv)
{
    // The program's own process setting, so that a write past the file-size
    // limit fails here as it does in the program.
    mostarium::prepareProcess();
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
