#include <QCoreApplication>
#include <gtest/gtest.h>

// The core tests' main: the core needs no more than a QCoreApplication, and
// a test that would need a window cannot pass here.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
