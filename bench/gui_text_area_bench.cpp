// The main window's text areas with large texts, on a real window.
//
// copy: 20 full-size Calculates fill OutFld (199,980 lines); Ctrl+A, Ctrl+C, then a receiving
// program reads every format the clipboard offers. Prints copy_ms (the key press), handover_ms
// (reading every offered format), the formats, and the growth of the resident memory.
//
// long line: the full-size difference data as one line of TABs (9.4 MB) and its first 1 MB,
// each in the focused InputPCFld. Keys and clicks are timed from the press until the area has
// painted; idle time lets the caret blink. Prints the median and the longest answer, and
// max_event_ms, the longest time any single event kept the window from answering.
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QMainWindow>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
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

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Times every event delivered from the event loop (or sent by the benchmark) as a whole.
class TimedApplication final : public QApplication {
public:
    using QApplication::QApplication;
    double longestMs = 0;

    bool notify(QObject* receiver, QEvent* event) override {
        if (depth_ > 0) return QApplication::notify(receiver, event);
        ++depth_;
        const auto start = Clock::now();
        const bool result = QApplication::notify(receiver, event);
        longestMs = std::max(longestMs, MsSince(start));
        --depth_;
        return result;
    }

private:
    int depth_ = 0;
};

TimedApplication* App() { return static_cast<TimedApplication*>(QCoreApplication::instance()); }

// Counts the paints of a widget.
class PaintCounter final : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

double ResidentMb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

void Settle(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

std::size_t LineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

void Calculate(ControlWnd& window, std::size_t linesBefore) {
    QTest::mouseClick(fw::detail::NativeWidget(*window.CalculateBtn()), Qt::LeftButton);
    while (LineCount(window.OutFld()->Text()) < linesBefore + kSubjects) QCoreApplication::processEvents();
}

void BenchCopy(ControlWnd& window) {
    window.OutFld()->SetText("");
    for (int run = 0; run < 20; ++run) Calculate(window, static_cast<std::size_t>(run) * kSubjects);
    const std::string out = window.OutFld()->Text();
    std::printf("copy: OutFld %zu lines, %zu bytes\n", LineCount(out), out.size());

    QWidget* area = fw::detail::NativeWidget(*window.OutFld());
    window.OutFld()->SetFocus();
    Settle(100);
    QTest::keyClick(area, Qt::Key_A, Qt::ControlModifier);
    Settle(100);
    const double residentBefore = ResidentMb();
    auto start = Clock::now();
    QTest::keyClick(area, Qt::Key_C, Qt::ControlModifier);
    const double copyMs = MsSince(start);

    start = Clock::now();
    const QMimeData* offered = QApplication::clipboard()->mimeData();
    std::size_t bytes = 0;
    std::string formats;
    for (const QString& format : offered->formats()) {
        bytes += static_cast<std::size_t>(offered->data(format).size());
        formats += ' ';
        formats += format.toStdString();
    }
    const double handoverMs = MsSince(start);
    std::printf("copy: formats%s (%zu bytes)\n", formats.c_str(), bytes);
    std::printf("copy: resident memory grew %.0f MB\n", ResidentMb() - residentBefore);
    std::printf("copy_ms %.1f\nhandover_ms %.1f\n", copyMs, handoverMs);
    window.OutFld()->SetText("");
}

struct Answers {
    std::vector<double> ms;
    void Add(double value) { ms.push_back(value); }
    double Median() {
        std::sort(ms.begin(), ms.end());
        return ms.empty() ? 0 : ms[ms.size() / 2];
    }
    double Longest() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

// Runs `input` and waits until the area's viewport has painted after it.
double AnswerMs(QPlainTextEdit& area, PaintCounter& counter, const std::function<void()>& input) {
    const int before = counter.paints;
    const auto start = Clock::now();
    input();
    QElapsedTimer limit;
    limit.start();
    while (counter.paints == before && limit.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    (void)area;
    return MsSince(start);
}

void BenchLongLine(ControlWnd& window, const std::string& line, const char* label) {
    fw::TextArea& control = *window.InputPCFld();
    auto& area = *static_cast<QPlainTextEdit*>(fw::detail::NativeWidget(control));
    PaintCounter counter;
    area.viewport()->installEventFilter(&counter);

    auto start = Clock::now();
    control.SetText(line);
    control.SetFocus();
    Settle(0);
    const double setMs = MsSince(start);
    App()->longestMs = 0;

    Answers keys, clicks;
    auto key = [&](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        keys.Add(AnswerMs(area, counter, [&] { QTest::keyClick(&area, k, modifiers); }));
        if (qEnvironmentVariableIsSet("ORV_BENCH_VERBOSE")) std::printf("  key %x: %.1f ms\n", k, keys.ms.back());
    };
    key(Qt::Key_Home, Qt::ControlModifier);
    Settle(1200);  // the caret blinks
    for (int i = 0; i < 3; ++i) key(Qt::Key_Right);
    key(Qt::Key_1);
    key(Qt::Key_2);
    key(Qt::Key_Backspace);
    key(Qt::Key_Z, Qt::ControlModifier);
    key(Qt::Key_End);
    key(Qt::Key_Left);
    key(Qt::Key_Home);
    for (int x : {20, 60, 120}) {
        const QPoint at(x, 10);
        clicks.Add(AnswerMs(area, counter, [&] { QTest::mouseClick(area.viewport(), Qt::LeftButton, {}, at); }));
    }
    Settle(1200);
    area.viewport()->removeEventFilter(&counter);
    std::printf("%s: %zu bytes; set and shown in %.0f ms\n", label, line.size(), setMs);
    std::printf("%s: key median %.1f ms, longest %.1f ms; click median %.1f ms, longest %.1f ms\n",
                label, keys.Median(), keys.Longest(), clicks.Median(), clicks.Longest());
    std::printf("%s: max_event_ms %.1f\n", label, App()->longestMs);
    control.SetText("");
    Settle(0);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TimedApplication app(argc, argv);
    fw::BeginRunWithPicturesIn(QDir(QCoreApplication::applicationDirPath() + "/../resources")
                              .absolutePath().toStdString());
    const std::string which = argc > 1 ? argv[1] : "all";

    std::mt19937_64 random(20240611);
    const std::string matrix = TableText(kVariables, kVariables, random);
    std::string data = TableText(kSubjects, kVariables, random);

    ControlWnd& window = *ControlWnd::Instance();
    window.Show();
    if (!QTest::qWaitForWindowActive(static_cast<QWidget*>(fw::detail::NativeWindow(window)))) {
        std::fprintf(stderr, "the window did not become active\n");
        return 1;
    }
    window.Nvariables()->SetText(std::to_string(kVariables));
    window.Nsubs()->SetText(std::to_string(kSubjects));
    window.InputPMFld()->SetText(matrix);
    window.InputPCFld()->SetText(data);
    Settle(0);

    if (which == "all" || which == "copy") BenchCopy(window);

    // One line: every row break becomes a TAB.
    std::string line;
    line.reserve(data.size());
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (data[i] == '\r') continue;
        line.push_back(data[i] == '\n' ? '\t' : data[i]);
    }
    data.clear();
    if (which == "all" || which == "line1") {
        std::string first = line.substr(0, 1'000'000);
        first.resize(first.rfind('\t'));
        BenchLongLine(window, first, "line 1 MB");
    }
    if (which == "all" || which == "line9") BenchLongLine(window, line, "line 9.4 MB");
    return 0;
}
