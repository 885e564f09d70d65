// Calculate on a real main window with the full-size input: 99 variables, 9999 subjects.
// Fills the four fields, clicks Calculate and waits until all 9999 lines stand in OutFld;
// prints each run and, as its last line, the median of five: click_to_shown_ms X.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "bench/table_text.hpp"
#include "calculator/control_wnd.hpp"
#include "framework/windows/native.hpp"
#include "tests/support/test_resources.hpp"

namespace {

constexpr int kVariables = 99;
constexpr int kSubjects = 9999;

std::size_t LineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

double ClickToShownMs(ControlWnd& window) {
    window.OutFld()->SetText("");
    QWidget* button = fw::detail::NativeWidget(*window.CalculateBtn());
    const auto start = std::chrono::steady_clock::now();
    QTest::mouseClick(button, Qt::LeftButton);
    while (LineCount(window.OutFld()->Text()) < kSubjects) QCoreApplication::processEvents();
    QCoreApplication::processEvents();  // the last lines painted
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    fw::BeginRunWithPicturesIn(QDir(QCoreApplication::applicationDirPath() + "/../resources")
                              .absolutePath().toStdString());

    std::mt19937_64 random(20240611);
    const std::string matrix = TableText(kVariables, kVariables, random);
    const std::string data = TableText(kSubjects, kVariables, random);
    std::printf("input: matrix %zu bytes, data %zu bytes\n", matrix.size(), data.size());

    ControlWnd& window = *ControlWnd::Instance();
    window.Show();
    window.Nvariables()->SetText(std::to_string(kVariables));
    window.Nsubs()->SetText(std::to_string(kSubjects));
    window.InputPMFld()->SetText(matrix);
    window.InputPCFld()->SetText(data);
    QCoreApplication::processEvents();

    std::vector<double> runs;
    for (int run = 0; run < 5; ++run) {
        runs.push_back(ClickToShownMs(window));
        std::printf("run %d: %.1f ms\n", run + 1, runs.back());
    }
    std::sort(runs.begin(), runs.end());
    std::printf("click_to_shown_ms %.1f\n", runs[runs.size() / 2]);
    return 0;
}
