// The toolkit's application that the framework makes at start-up: the program reads no
// command-line options, so none of the toolkit's own may take effect either.
#include <QApplication>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/runtime/startup.hpp"

namespace {

TEST(CommandLine, TheToolkitSeesOnlyTheProgramsName) {
    const auto sheet = std::filesystem::temp_directory_path() /
                       ("orvantide-command-line-" + std::to_string(QCoreApplication::applicationPid()) + ".qss");
    std::ofstream(sheet) << "QWidget { color: red; }\n";
    std::vector<std::string> words = {"/opt/orvantide/orvantide", "-reverse", "-stylesheet", sheet.string(),
                                      "-platform", "minimal"};
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    fw::RuntimeInit(static_cast<int>(words.size()), argv.data());
    bool lateStartupRan = false;
    fw::RunFrameworkInitialization([&] {
        lateStartupRan = true;
        EXPECT_EQ(QCoreApplication::arguments().join(' ').toStdString(), "/opt/orvantide/orvantide");
        EXPECT_FALSE(QGuiApplication::isRightToLeft()) << "-reverse";
        EXPECT_TRUE(qApp->styleSheet().isEmpty()) << "-stylesheet";
        EXPECT_EQ(QGuiApplication::platformName().toStdString(), "offscreen") << "-platform";
    });
    EXPECT_TRUE(lateStartupRan);
    fw::RuntimeExit();
    std::filesystem::remove(sheet);
}

}  // namespace
