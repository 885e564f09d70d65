// Entry point of the GUI tests: one QApplication on the offscreen platform for the whole run,
// and a clean start before every test case, so that the cases pass in any order and together
// in one process as well as one by one.
#include <QApplication>
#include <QFont>
#include <gtest/gtest.h>

#include "tests/support/clean_start.hpp"

namespace {

class CleanStartOfEveryCase : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { CleanStart(); }
};

// On Windows the offscreen platform takes its fonts from a folder, without the font
// substitutes that Windows itself applies; the Windows build's tests give it those of Windows
// for the faces that the fonts of the same metrics stand in for.
void SubstituteWindowsFonts() {
#ifdef _WIN32
    QFont::insertSubstitutions("Times", {"Times New Roman", "Liberation Serif"});
    QFont::insertSubstitutions("Courier", {"Courier New", "Liberation Mono"});
    QFont::insertSubstitutions("Arial", {"Liberation Sans"});
#endif
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SubstituteWindowsFonts();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new CleanStartOfEveryCase);
    const int result = RUN_ALL_TESTS();
    CleanStart();  // the last case's windows go while the toolkit still exists
    return result;
}
