// Printing through the real print dialog into a PDF file, read back with poppler's tools:
// the dialog's answers, how the text printer cuts a text into blocks, and where it draws them.
#include <QApplication>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls.hpp"
#include "framework/events.hpp"
#include "framework/printing.hpp"
#include "framework/properties.hpp"
#include "framework/window.hpp"
#include "tests/support/pdf_reading.hpp"

namespace {

// The page surface's origin on the paper, and the block that the system prints.
constexpr double kOrigin = 36;
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
        fw::SetPrintDialogObserver({});
        for (const auto& file : files_) std::filesystem::remove(file);
    }

    void SetFont(int size) {
        fw::SetProperties(*area_, fw::EncodeProperties(fw::TextArea::PropertyTableOfTextArea(),
                                                       {{"FontName", "Courier"}, {"FontSize", size}}));
    }

    // Prints the area's text as the Description window does, through the dialog answered
    // with a new PDF file; the number of blocks drawn.
    int Print(const std::filesystem::path& file) {
        files_.push_back(file);
        fw::SetPrintDialogObserver([file](fw::PrintDialogControl& dialog) {
            EXPECT_TRUE(dialog.PrintToFile(file.string()));
        });
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

std::vector<std::string> AllLines(const std::vector<PdfPage>& pages) {
    std::vector<std::string> lines;
    for (const PdfPage& page : pages) {
        for (const std::string& line : page.Lines()) lines.push_back(line);
    }
    return lines;
}

TEST_F(PrintingTest, LongTextFillsEachPageWithWholeLinesUpTo720Points) {
    area_->SetText(NumberedLines(150));
    const auto file = FreshPdfPath("long");
    const int blocks = Print(file);

    ASSERT_GE(blocks, 3);
    EXPECT_EQ(PdfPageCount(file), blocks);
    const std::vector<PdfPage> pages = ReadPdf(file);
    ASSERT_EQ(static_cast<int>(pages.size()), blocks);

    std::vector<std::string> expected;
    for (int i = 1; i <= 150; ++i) expected.push_back("Line " + std::to_string(1000 + i));
    EXPECT_EQ(AllLines(pages), expected);

    // Every block starts at the surface's top left corner and stays within 720 points.
    for (const PdfPage& page : pages) {
        ASSERT_FALSE(page.words.empty());
        EXPECT_NEAR(page.words.front().xMin, kOrigin, 2);
        EXPECT_LT(page.words.front().yMin, kOrigin + 14);
        for (const PdfWord& word : page.words) {
            EXPECT_GE(word.yMin, kOrigin - kSlack) << word.text;
            EXPECT_LE(word.yMax, kOrigin + kHeight + kSlack) << word.text;
        }
    }
    // Full pages hold as many lines as fit, and all hold the same number.
    const double pitch = pages[0].words[2].yMin - pages[0].words[0].yMin;  // two words a line
    const std::size_t perPage = pages[0].Lines().size();
    EXPECT_LE(perPage * pitch, kHeight + kSlack);
    EXPECT_GT((perPage + 1) * pitch, kHeight - kSlack);
    for (std::size_t i = 0; i + 1 < pages.size(); ++i) EXPECT_EQ(pages[i].Lines().size(), perPage);
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

TEST_F(PrintingTest, LongLinesWrapWithin540Points) {
    std::string paragraph;
    for (int i = 1; i <= 150; ++i) paragraph += "word" + std::to_string(i) + " ";
    area_->SetText(paragraph);
    const auto file = FreshPdfPath("wrap");
    ASSERT_EQ(Print(file), 1);

    const std::vector<PdfPage> pages = ReadPdf(file);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_GT(pages[0].Lines().size(), 3u);
    ASSERT_EQ(pages[0].words.size(), 150u);
    for (std::size_t i = 0; i < pages[0].words.size(); ++i) {
        const PdfWord& word = pages[0].words[i];
        EXPECT_EQ(word.text, "word" + std::to_string(i + 1));
        EXPECT_GE(word.xMin, kOrigin - kSlack);
        EXPECT_LE(word.xMax, kOrigin + kWidth + kSlack) << word.text;
    }
}

TEST_F(PrintingTest, ALineTallerThanABlockIsDrawnAloneOnItsPage) {
    SetFont(800);
    area_->SetText("A\r\nB\r\nC");
    const auto file = FreshPdfPath("tall");
    EXPECT_EQ(Print(file), 3);
    EXPECT_EQ(PdfPageCount(file), 3);
}

TEST_F(PrintingTest, CancellingTheModalDialogGivesNoPage) {
    int shown = 0;
    bool modal = false;
    fw::SetPrintDialogObserver([&](fw::PrintDialogControl& dialog) {
        ++shown;
        modal = QApplication::activeModalWidget() != nullptr;
        dialog.Cancel();
    });
    EXPECT_EQ(fw::PrinterSetup::ShowPrinterDialog(), nullptr);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(modal);
}

}  // namespace
