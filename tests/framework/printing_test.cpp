// Printing through the real print dialog into a PDF file, read back with poppler's tools:
// the dialog's answers, how the text printer cuts a text into blocks, and where it draws them.
#include <QApplication>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "framework/printing/printing.hpp"
#include "framework/runtime/events.hpp"
#include "framework/text/properties.hpp"
#include "framework/windows/controls.hpp"
#include "framework/windows/window.hpp"
#include "tests/support/pdf_reading.hpp"
#include "tests/support/print_answers.hpp"

namespace {

// The block that the system prints, and the leeway of a word's box as pdftotext reads it.
constexpr std::int64_t kWidth = 540;
constexpr std::int64_t kHeight = 720;
constexpr double kSlack = 1;

class PrintFixtureWindow : public fw::Window {
public:
    std::string_view FullName() const override { return "PrintFixture.PrintFixture"; }
    fw::WindowEvents ImplementedEvents() const override { return {}; }
};

class PrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = fw::Window::Construct(std::make_unique<PrintFixtureWindow>());
        window_->AddControl("Area", std::make_unique<fw::TextArea>(*window_));
        area_ = dynamic_cast<fw::TextArea*>(window_->ControlByName("Area"));
        SetFont(12);
    }
    void TearDown() override {
        for (const auto& file : files_) std::filesystem::remove(file);
    }

    void SetFont(int size) {
        fw::SetProperties(*area_, fw::EncodeProperties(fw::TextArea::PropertyTableOfTextArea(),
                                                       {{"FontName", "Courier"}, {"FontSize", size}}));
    }

    // Prints the area's text as the Description window does, through the dialog answered
    // with a new PDF file; the number of blocks drawn.
    int Print(const std::filesystem::path& file, const PrintChoices& choices = {}) {
        files_.push_back(file);
        fw::AnswerPrintDialogs(PrintIntoPdf(file, choices));
        std::unique_ptr<fw::Graphics> page = fw::PrinterSetup::ShowPrinterDialog();
        EXPECT_NE(page, nullptr);
        if (!page) return 0;
        std::unique_ptr<fw::StyledTextPrinter> printer = fw::MakeStyledTextPrinter(*area_, *page, kWidth);
        int blocks = 0;
        while (!printer->Eof()) {
            printer->DrawBlock(0, 0, kHeight);
            ++blocks;
            if (!printer->Eof()) page->NextPage();
        }
        return blocks;  // the printer, then the page, end here: the file is complete
    }

    static std::string NumberedLines(int count, const char* ending = "\r\n") {
        std::string text;
        for (int i = 1; i <= count; ++i) {
            if (i > 1) text += ending;
            text += "Line " + std::to_string(1000 + i);
        }
        return text;
    }

    fw::Window* window_ = nullptr;
    fw::TextArea* area_ = nullptr;
    std::vector<std::filesystem::path> files_;
};

std::vector<std::string> AllWords(const std::vector<PdfPage>& pages) {
    std::vector<std::string> words;
    for (const PdfPage& page : pages) {
        for (const PdfWord& word : page.words) words.push_back(word.text);
    }
    return words;
}

// On every paper, a paragraph that wraps and 150 short lines print whole and in order, each
// page holding as much as fits into a block of at most 540 by 720 points, with equal margins
// left and right and at top and bottom.
TEST_F(PrintingTest, EveryLineLandsOnThePaperWithEqualMarginsInBlocksOfAtMost540By720) {
    struct Paper {
        const char* name;
        bool landscape;
        double width, height;  // in points
    };
    const Paper papers[] = {
        {"Letter", false, 612, 792},
        {"A4", false, 595.28, 841.89},
        {"A5", false, 419.53, 595.28},
        {"A4", true, 841.89, 595.28},
    };
    constexpr double kLeastMargin = 18;
    std::string text;
    std::vector<std::string> expected;
    for (int i = 1; i <= 150; ++i) {
        expected.push_back("word" + std::to_string(i));
        text += expected.back() + " ";
    }
    text += "\r\n" + NumberedLines(150);
    for (int i = 1; i <= 150; ++i) {
        expected.push_back("Line");
        expected.push_back(std::to_string(1000 + i));
    }
    area_->SetText(text);

    for (const Paper& paper : papers) {
        SCOPED_TRACE(std::string(paper.name) + (paper.landscape ? " landscape" : ""));
        const auto file = FreshPdfPath(std::string("paper-") + paper.name + (paper.landscape ? "-l" : ""));
        const int blocks = Print(file, {.paper = paper.name, .landscape = paper.landscape});
        const std::vector<PdfPage> pages = ReadPdf(file);
        ASSERT_EQ(static_cast<int>(pages.size()), blocks);
        EXPECT_EQ(AllWords(pages), expected);

        const double blockWidth = std::min<double>(kWidth, paper.width - 2 * kLeastMargin);
        const double blockHeight = std::min<double>(kHeight, paper.height - 2 * kLeastMargin);
        const double left = (paper.width - blockWidth) / 2, top = (paper.height - blockHeight) / 2;
        double widest = 0;
        for (std::size_t p = 0; p < pages.size(); ++p) {
            const PdfPage& page = pages[p];
            EXPECT_NEAR(page.width, paper.width, kSlack);
            EXPECT_NEAR(page.height, paper.height, kSlack);
            ASSERT_GE(page.words.size(), 3u);
            EXPECT_NEAR(page.words.front().xMin, left, kSlack);
            EXPECT_NEAR(page.words.front().yMin, top, 3);
            for (const PdfWord& word : page.words) {
                EXPECT_GE(word.xMin, left - kSlack) << word.text;
                EXPECT_LE(word.xMax, left + blockWidth + kSlack) << word.text;
                EXPECT_GE(word.yMin, top - kSlack) << word.text;
                EXPECT_LE(word.yMax, top + blockHeight + kSlack) << word.text;
                widest = std::max(widest, word.xMax);
            }
            // A page before the last has no room for one more line.
            const std::size_t n = page.words.size();
            const double pitch = page.words[n - 1].yMin - page.words[n - 3].yMin;  // two words a line
            if (p + 1 < pages.size()) {
                EXPECT_GT(page.words.back().yMax + pitch, top + blockHeight - kSlack);
            }
        }
        // The paragraph wraps at the block's width, not before.
        EXPECT_GT(widest, left + blockWidth - 80);
    }
}

TEST_F(PrintingTest, AFinalLineBreakAddsNoPage) {
    area_->SetText(NumberedLines(150));
    const auto probe = FreshPdfPath("probe");
    Print(probe);
    const std::size_t perPage = ReadPdf(probe).at(0).Lines().size();

    for (const char* ending : {"\r\n", "\n"}) {
        area_->SetText(NumberedLines(static_cast<int>(perPage), ending) + ending);
        const auto file = FreshPdfPath(std::string("exact") + (ending[0] == '\r' ? "-crlf" : "-lf"));
        EXPECT_EQ(Print(file), 1);
        EXPECT_EQ(PdfPageCount(file), 1);
    }
}

// Only the pages of the range chosen in the dialog are printed, in the chosen order, as many
// times as chosen: copy after copy when collated, else each page's copies together.
TEST_F(PrintingTest, ThePagesChosenInTheDialogAreTheOnlyOnesPrinted) {
    area_->SetText(NumberedLines(150));
    const auto probe = FreshPdfPath("probe");
    Print(probe);
    const int perPage = static_cast<int>(ReadPdf(probe).at(0).Lines().size());
    area_->SetText(NumberedLines(2 * perPage + 1));
    std::vector<std::string> firstLines;  // of each of the text's three pages
    const auto whole = FreshPdfPath("whole");
    ASSERT_EQ(Print(whole), 3);
    for (const PdfPage& page : ReadPdf(whole)) firstLines.push_back(page.Lines().at(0));

    struct Case {
        int firstPage, lastPage, copies;
        bool collate, reverse;
        std::vector<int> pages;  // which page of the text each printed page is
    };
    const Case cases[] = {
        {2, 2, 1, true, false, {2}},
        {2, 3, 2, true, false, {2, 3, 2, 3}},
        {0, 0, 2, false, false, {1, 1, 2, 2, 3, 3}},
        {0, 0, 1, true, true, {3, 2, 1}},
        {3, 5, 1, true, false, {3}},
        {4, 5, 1, true, false, {}},  // no page of the text: no print job
    };
    for (const Case& c : cases) {
        PrintChoices choices;
        choices.firstPage = c.firstPage;
        choices.lastPage = c.lastPage;
        choices.copies = c.copies;
        choices.collate = c.collate;
        choices.reverse = c.reverse;
        const auto file = FreshPdfPath("chosen-" + std::to_string(&c - cases));
        EXPECT_EQ(Print(file, choices), 3) << "the system draws every block";
        std::vector<std::string> printed, expected;
        for (const PdfPage& page : ReadPdf(file)) printed.push_back(page.Lines().at(0));
        for (int page : c.pages) expected.push_back(firstLines.at(page - 1));
        EXPECT_EQ(printed, expected) << "case " << (&c - cases);
        if (c.pages.empty()) {
            EXPECT_FALSE(std::filesystem::exists(file));
        }
    }
}

TEST_F(PrintingTest, ALineTallerThanABlockIsDrawnAloneOnItsPage) {
    SetFont(800);
    area_->SetText("A\r\nB\r\nC");
    const auto file = FreshPdfPath("tall");
    EXPECT_EQ(Print(file), 3);
    EXPECT_EQ(PdfPageCount(file), 3);
}

TEST_F(PrintingTest, TheDialogGetsQuarterInchMarginsAndCancellingGivesNoPage) {
    int shown = 0;
    QMarginsF margins;
    fw::AnswerPrintDialogs([&](QPrinter& printer) {
        ++shown;
        margins = printer.pageLayout().margins(QPageLayout::Point);
        return CancelPrinting()(printer);
    });
    EXPECT_EQ(fw::PrinterSetup::ShowPrinterDialog(), nullptr);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(margins, QMarginsF(18, 18, 18, 18));
}

}  // namespace
