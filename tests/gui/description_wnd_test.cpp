// The Description window on real widgets: what it shows, one window at a time, its read-only
// help text, its Control, Close and Print commands through its menu bar, and printing the
// help text into a PDF file, the print dialog answered by the test.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "calculator/control_wnd.hpp"
#include "framework/menus/menu.hpp"
#include "framework/printing/printing.hpp"
#include "framework/runtime/dispatch.hpp"
#include "info/description_wnd.hpp"
#include "info/help_text.hpp"
#include "info/menu_bar2.hpp"
#include "tests/support/pdf_reading.hpp"
#include "tests/support/print_answers.hpp"
#include "tests/support/system_window_test.hpp"
#include "tests/support/unhandled_exceptions.hpp"

namespace {

constexpr const char* kDescription = "DescriptionWnd.DescriptionWnd";
constexpr const char* kMain = "ControlWnd.ControlWnd";

QMainWindow* NativeOf(const fw::Window* window) { return fw::detail::NativeWindow(fw::NotNil(window)); }

QPlainTextEdit* AreaOf(const DescriptionWnd* window) {
    return qobject_cast<QPlainTextEdit*>(Native(fw::NotNil(window).DescribeFld2()));
}

// Opens a menu of the window's menu bar as a user would (which runs the enabling cycle)
// and gives the entry shown with that text, or none.
QAction* OpenMenuEntry(const fw::Window* window, const QString& menuTitle, const QString& itemText) {
    for (QAction* top : NativeOf(window)->menuBar()->actions()) {
        if (top->menu() == nullptr || top->text() != menuTitle) continue;
        emit top->menu()->aboutToShow();
        for (QAction* entry : top->menu()->actions()) {
            if (entry->text().section(QLatin1Char('\t'), 0, 0) == itemText) return entry;
        }
    }
    return nullptr;
}

// Chooses a menu entry; false when it is missing or disabled.
bool Choose(const fw::Window* window, const QString& menuTitle, const QString& itemText) {
    QAction* entry = OpenMenuEntry(window, menuTitle, itemText);
    if (entry == nullptr || !entry->isEnabled()) return false;
    entry->trigger();
    return true;
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

std::vector<std::string> WordsOf(const std::vector<PdfPage>& pages) {
    std::vector<std::string> words;
    for (const PdfPage& page : pages) {
        for (const PdfWord& word : page.words) words.push_back(word.text);
    }
    return words;
}

std::vector<std::string> HelpLines() {
    std::vector<std::string> lines;
    const std::string text(HelpText());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(text.substr(at));
            break;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

class DescriptionWndTest : public SystemWindowTest {
protected:
    // Answers every print dialog by printing into a new PDF file.
    std::filesystem::path PrintIntoFile(const std::string& stem, const PrintChoices& choices = {}) {
        const auto file = FreshPdfPath(stem);
        fw::AnswerPrintDialogs([this, answer = PrintIntoPdf(file, choices)](QPrinter& printer) {
            ++dialogs;
            return answer(printer);
        });
        return file;
    }

    int dialogs = 0;
};

TEST(HelpTextTest, LinesStandAsWrittenWithCrLfEndsAndTheRuleOf59Asterisks) {
    const std::string text(HelpText());
    EXPECT_EQ(text.find('\t'), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
        ASSERT_GT(at, 0u);
        EXPECT_EQ(text[at - 1], '\r') << "a line break without CR at " << at;
    }
    for (std::size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', at + 1)) {
        EXPECT_EQ(text[at + 1], '\n') << "a CR without LF at " << at;
    }

    const std::vector<std::string> lines = HelpLines();
    const std::vector<std::string> expected = {
        "Orvantide",
        "",
        "This program calculates the Mahalanobis distance for each set of scores in comparison "
        "to an inverted covariance matrix.",
        "",
        "Input is:",
        "1.  Number of variables (V).",
        "2.  Number of subjects (S).",
        "3.  An Inverted Covariance matrix. Obtain the covariance matrix of interest and invert "
        "it (in Excel or some other program).  Matrix will be of size V x V.",
        "4.  Data for each subject in difference score format. That is, with the mean of each "
        "variable already subtracted from each score. Matrix will be of size S x V.",
        "",
        "",
        "",
        std::string(59, '*'),
    };
    ASSERT_GT(lines.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;

    std::string notices;
    for (std::size_t i = expected.size(); i < lines.size(); ++i) notices += lines[i] + "\n";
    EXPECT_NE(notices.find("free of charge"), std::string::npos);
    EXPECT_NE(notices.find("without warranty"), std::string::npos);
}

TEST_F(DescriptionWndTest, OpensWithItsTitleSizeMenuBarAndReadOnlyHelpText) {
    DescriptionWnd* window = DescriptionWnd::Instance();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->IsVisible());
    EXPECT_EQ(NativeOf(window)->windowTitle(), "Description");
    EXPECT_EQ(ContentOf(window)->size(), QSize(427, 491));
    EXPECT_EQ(window->GetMenuBar(), MenuBar2::Instance());

    QStringList titles;
    for (QAction* top : NativeOf(window)->menuBar()->actions()) {
        if (top->isVisible()) titles << top->text();
    }
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "Window"}));

    EXPECT_EQ(fw::NotNil(window->DescribeFld2()).Text(), HelpText());
    ASSERT_NE(AreaOf(window), nullptr);
    EXPECT_TRUE(AreaOf(window)->isReadOnly());
    EXPECT_FALSE(Exists(kMain)) << "opening the Description window made a main window";
}

TEST_F(DescriptionWndTest, TypingPastingAndTheEditItemsLeaveTheTextUnchanged) {
    DescriptionWnd* window = DescriptionWnd::Instance();
    QPlainTextEdit* area = AreaOf(window);
    area->setFocus();
    QTest::keyClicks(area, "typed");
    for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return}) QTest::keyClick(area, key);
    QGuiApplication::clipboard()->setText("pasted");
    QTest::keyClick(area, Qt::Key_V, Qt::ControlModifier);
    area->selectAll();
    QTest::keyClick(area, Qt::Key_X, Qt::ControlModifier);
    for (const char* item : {"Paste", "Cut", "Clear", "Undo"}) {
        area->selectAll();
        Choose(window, "&Edit", item);
    }
    EXPECT_EQ(fw::NotNil(window->DescribeFld2()).Text(), HelpText());
}

TEST_F(DescriptionWndTest, OneWindowAtATimeAndANewOneWithTheSameTextAfterEachClose) {
    DescriptionWnd* first = DescriptionWnd::Instance();
    EXPECT_EQ(DescriptionWnd::Instance(), first);
    ControlWnd* main = ControlWnd::Instance();
    main->Show();

    // By the Close item, then by the close box: only the Description window goes.
    for (bool byItem : {true, false}) {
        DescriptionWnd* window = DescriptionWnd::Instance();
        QPointer<QMainWindow> native = NativeOf(window);
        if (byItem) {
            ASSERT_TRUE(Choose(window, "&File", "Close"));
        } else {
            native->close();
        }
        EXPECT_FALSE(Exists(kDescription));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(native.isNull()) << "the closed window still stands";
        EXPECT_TRUE(Shown(kMain));

        DescriptionWnd* again = DescriptionWnd::Instance();
        ASSERT_NE(again, nullptr);
        EXPECT_TRUE(again->IsVisible());
        EXPECT_NE(NativeOf(again), nullptr);
        EXPECT_EQ(fw::NotNil(again->DescribeFld2()).Text(), HelpText());
        EXPECT_EQ(DescriptionWnd::Instance(), again);
    }
}

TEST_F(DescriptionWndTest, ControlShowsTheMainWindowAndLeavesTheDescriptionOpen) {
    DescriptionWnd* window = DescriptionWnd::Instance();
    ASSERT_TRUE(Choose(window, "Window", "Control"));
    EXPECT_TRUE(Shown(kMain));
    EXPECT_TRUE(Shown(kDescription));
    EXPECT_EQ(DescriptionWnd::Instance(), window);

    ControlWnd::Instance()->Hide();
    ASSERT_TRUE(Choose(window, "Window", "Control"));
    EXPECT_TRUE(Shown(kMain));
}

TEST_F(DescriptionWndTest, EnablingTurnsOnControlPrintAndCloseInThatOrder) {
    DescriptionWnd* window = DescriptionWnd::Instance();
    std::vector<fw::MenuItem*> items = {window->ControlMenuItem(), window->PrintMenuItem(),
                                        window->CloseMenuItem()};
    std::vector<std::string> changes;
    std::vector<fw::MenuItem::Observation> observations;
    for (fw::MenuItem* item : items) {
        ASSERT_NE(item, nullptr);
        item->SetEnabled(false);
        observations.push_back(item->Observe([&changes](const fw::MenuItem& changed) {
            changes.push_back(changed.Name() + (changed.Enabled() ? " on" : " off"));
        }));
    }
    window->Event_EnableMenuItems();
    EXPECT_EQ(changes, (std::vector<std::string>{"ControlMenuItem on", "PrintMenuItem on",
                                                 "CloseMenuItem on"}));
    observations.clear();

    for (const char* entry : {"Print", "Close"}) {
        EXPECT_TRUE(fw::NotNil(OpenMenuEntry(window, "&File", entry)).isEnabled()) << entry;
    }
    EXPECT_TRUE(fw::NotNil(OpenMenuEntry(window, "Window", "Control")).isEnabled());
}

TEST_F(DescriptionWndTest, EveryHandlerGivesFalse) {
    fw::AnswerPrintDialogs(CancelPrinting());
    EXPECT_FALSE(DescriptionWnd::Instance()->ControlMenuItem_Action());
    EXPECT_FALSE(DescriptionWnd::Instance()->PrintMenuItem_Action());
    const auto file = PrintIntoFile("handler");
    EXPECT_FALSE(DescriptionWnd::Instance()->PrintMenuItem_Action());
    std::filesystem::remove(file);
    EXPECT_FALSE(DescriptionWnd::Instance()->CloseMenuItem_Action());
    EXPECT_FALSE(Exists(kDescription));
}

// Through the real dialog, on each paper: every word of the help text, in order, on one page.
TEST_F(DescriptionWndTest, PrintPutsEveryWordOfTheHelpTextOnThePaperOfAnySize) {
    struct Paper {
        const char* name;
        bool landscape;
    };
    const Paper papers[] = {{"Letter", false}, {"A4", false}, {"A5", false}, {"A4", true}};
    DescriptionWnd* window = DescriptionWnd::Instance();
    const std::vector<std::string> expected = Words(std::string(HelpText()));
    for (const Paper& paper : papers) {
        SCOPED_TRACE(std::string(paper.name) + (paper.landscape ? " landscape" : ""));
        const auto file = PrintIntoFile("help", {.paper = paper.name, .landscape = paper.landscape});
        ASSERT_TRUE(Choose(window, "&File", "Print"));

        EXPECT_EQ(PdfPageCount(file), 1);
        const std::vector<PdfPage> pages = ReadPdf(file);
        const std::vector<std::string> printed = WordsOf(pages);
        const auto [differs, _] = std::mismatch(printed.begin(), printed.end(), expected.begin(), expected.end());
        EXPECT_EQ(printed, expected) << "first difference at printed word "
                                     << (differs - printed.begin()) << ": "
                                     << (differs == printed.end() ? "(end)" : *differs);
        for (const PdfPage& page : pages) {
            for (const PdfWord& word : page.words) {
                EXPECT_TRUE(word.xMin >= 0 && word.xMax <= page.width && word.yMin >= 0 &&
                            word.yMax <= page.height) << word.text << " lies off the paper";
            }
        }
        ASSERT_FALSE(pages.empty());
        EXPECT_EQ(pages[0].Lines().front(), "Orvantide");
        std::filesystem::remove(file);
    }
    EXPECT_EQ(dialogs, 4);
}

TEST_F(DescriptionWndTest, CtrlPPrintsALongTextOnePagePerBlockWithNoBlankPage) {
    DescriptionWnd* window = DescriptionWnd::Instance();
    std::string text;
    std::vector<std::string> expected;
    for (int i = 1; i <= 200; ++i) {
        expected.push_back("Row " + std::to_string(i));
        text += expected.back() + "\r\n";
    }
    fw::NotNil(window->DescribeFld2()).SetText(text);

    const auto file = PrintIntoFile("long");
    QMainWindow* native = NativeOf(window);
    native->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(native));
    QTest::keyClick(native, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(dialogs, 1);

    const std::vector<PdfPage> pages = ReadPdf(file);
    ASSERT_GE(pages.size(), 3u);
    EXPECT_EQ(PdfPageCount(file), static_cast<int>(pages.size()));
    std::vector<std::string> lines;
    for (const PdfPage& page : pages) {
        EXPECT_FALSE(page.words.empty()) << "a blank page";
        for (const std::string& line : page.Lines()) lines.push_back(line);
    }
    EXPECT_EQ(lines, expected);
    std::filesystem::remove(file);
}

// A print job that cannot start is a message, not the end of the program: every window stays
// open and every text, the user's pasted ones too, stays as it was.
TEST_F(DescriptionWndTest, APrintJobThatCannotStartIsAMessageAndLosesNoText) {
    ControlWnd* main = ControlWnd::Instance();
    const std::vector<std::pair<fw::TextEdit*, std::string>> texts = {
        {main->Nvariables(), "2"},
        {main->Nsubs(), "1"},
        {main->InputPMFld(), "1\t0\r\n0\t1"},
        {main->InputPCFld(), "0.5\t-0.5"},
        {main->OutFld(), "earlier output"},
    };
    for (const auto& [control, text] : texts) fw::NotNil(control).SetText(text);
    DescriptionWnd* window = DescriptionWnd::Instance();
    const std::string described = fw::NotNil(window->DescribeFld2()).Text();

    bool unhandled = false;
    fw::SetUnhandledExceptionHandler([&](std::exception_ptr) { unhandled = true; });
    MessageLog messages;
    const auto file = FreshPdfPath("unwritable");
    fw::AnswerPrintDialogs([answer = PrintIntoPdf(file)](QPrinter& printer) {
        const bool print = answer(printer);
        // Once the dialog has taken the file, a folder stands in its place: the job cannot open it.
        std::filesystem::create_directory(printer.outputFileName().toStdWString());
        return print;
    });
    const bool chosen = Choose(window, "&File", "Print");
    fw::SetUnhandledExceptionHandler({});
    std::filesystem::remove(file);

    EXPECT_TRUE(chosen);
    EXPECT_FALSE(unhandled);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Printing failed: the printer could not be started."});
    EXPECT_EQ(messages.modal, std::vector<bool>{true});
    EXPECT_TRUE(Shown(kDescription));
    EXPECT_TRUE(Shown(kMain));
    for (const auto& [control, text] : texts) EXPECT_EQ(fw::NotNil(control).Text(), text);
    EXPECT_EQ(fw::NotNil(window->DescribeFld2()).Text(), described);
}

TEST_F(DescriptionWndTest, CancellingTheDialogPrintsNothing) {
    DescriptionWnd* window = DescriptionWnd::Instance();
    fw::AnswerPrintDialogs([this](QPrinter& printer) {
        ++dialogs;
        return CancelPrinting()(printer);
    });
    ASSERT_TRUE(Choose(window, "&File", "Print"));
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(Shown(kDescription));
}

}  // namespace
