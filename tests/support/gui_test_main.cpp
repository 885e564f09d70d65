// Entry point of the GUI tests: one QApplication on the offscreen platform for the whole run,
// and a clean start before every test case, so that the cases pass in any order and together
// in one process as well as one by one.
#include <QApplication>
#include <gtest/gtest.h>

#include "tests/support/clean_start.hpp"

namespace {

class CleanStartOfEveryCase : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { CleanStart(); }
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new CleanStartOfEveryCase);
    const int result = RUN_ALL_TESTS();
    CleanStart();  // the last case's windows go while the toolkit still exists
    return result;
}
