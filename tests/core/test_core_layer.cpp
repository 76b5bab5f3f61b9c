#include <QCoreApplication>
#include <gtest/gtest.h>

#include <link.h>
#include <string>
#include <vector>

namespace {

// The core tests run as the core itself must: on a QCoreApplication, with no
// Qt Gui or Widgets library in the process. A core unit that needs a window
// module then fails to link here instead of passing unnoticed.
TEST(CoreLayer, TestsRunWithoutAWindowModule)
{
    ASSERT_NE(QCoreApplication::instance(), nullptr);
    EXPECT_FALSE(QCoreApplication::instance()->inherits("QGuiApplication"));

    std::vector<std::string> loaded;
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *data) {
            static_cast<std::vector<std::string> *>(data)->emplace_back(info->dlpi_name ? info->dlpi_name : "");
            return 0;
        },
        &loaded);
    ASSERT_FALSE(loaded.empty());
    bool coreSeen = false;
    for (const std::string &name : loaded) {
        coreSeen = coreSeen || name.find("libQt6Core.so") != std::string::npos;
        EXPECT_EQ(name.find("libQt6Gui"), std::string::npos) << name;
        EXPECT_EQ(name.find("libQt6Widgets"), std::string::npos) << name;
    }
    EXPECT_TRUE(coreSeen);  // the list is the real one
}

}  // namespace
