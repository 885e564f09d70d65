// The Calculate and Clear commands on the real main window.
#include <QTest>

#include <string>
#include <vector>

#include "calculator/control_wnd.hpp"
#include "tests/support/system_window_test.hpp"

namespace {

class CalculateCommand : public SystemWindowTest {
protected:
    void SetUp() override {
        SystemWindowTest::SetUp();
        window = ControlWnd::Instance();
        window->Show();
        // The window outlives a test; results of an earlier one must not show in the next.
        window->OutFld()->SetText("");
    }

    void Fill(const char* variables, const char* subjects, const char* matrix, const char* data) {
        window->Nvariables()->SetText(variables);
        window->Nsubs()->SetText(subjects);
        window->InputPMFld()->SetText(matrix);
        window->InputPCFld()->SetText(data);
    }

    void ClickCalculate() { QTest::mouseClick(Native(window->CalculateBtn()), Qt::LeftButton); }

    ControlWnd* window = nullptr;
};

TEST_F(CalculateCommand, TextsPastedWithLineFeedsAreReadRowByRow) {
    MessageLog messages;
    Fill("2", "2", "1\t0\n0\t1\n", "3\t4\n1\t1");
    ClickCalculate();
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(window->OutFld()->Text(), "25\r\n2\r\n");
}

TEST_F(CalculateCommand, ResultsFollowWhateverTheOutputHolds) {
    struct Case {
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {"", "4\r\n"},
        {"4\r\n", "4\r\n4\r\n"},
        {"earlier", "earlier4\r\n"},
        {"a\r\nb", "a\r\nb4\r\n"},
    };
    Fill("2", "1", "2\t1\r\n0\t1", "1\t1");
    for (const Case& c : cases) {
        window->OutFld()->SetText(c.before);
        ClickCalculate();
        EXPECT_EQ(window->OutFld()->Text(), c.after) << c.before;
    }
}

TEST_F(CalculateCommand, MessagesAreModalAndComeInOrderBeforeAnyLine) {
    MessageLog messages;
    std::vector<std::string> outputWhileShown;
    messages.whileOpen = [&](const std::string&) { outputWhileShown.push_back(window->OutFld()->Text()); };
    Fill("3", "1", "1", "1\t1\t1");
    ClickCalculate();
    const std::vector<std::string> expected = {
        "Please check the accuracy of inverted covariance matrix (Row 1, Column 2)",
        "Please check the accuracy of inverted covariance matrix (Row 1, Column 3)",
        "Please check the accuracy of inverted covariance matrix (Row 2, Column 1)",
        "Please check the accuracy of inverted covariance matrix (Row 2, Column 2)",
        "Please check the accuracy of inverted covariance matrix (Row 2, Column 3)",
        "Please check the accuracy of inverted covariance matrix (Row 3, Column 1)",
        "Please check the accuracy of inverted covariance matrix (Row 3, Column 2)",
        "Please check the accuracy of inverted covariance matrix (Row 3, Column 3)",
    };
    EXPECT_EQ(messages.texts, expected);
    EXPECT_EQ(messages.modal, std::vector<bool>(expected.size(), true));
    EXPECT_EQ(outputWhileShown, std::vector<std::string>(expected.size(), ""));
    EXPECT_EQ(window->OutFld()->Text(), "1\r\n");
}

TEST_F(CalculateCommand, AFailedCheckShowsItsMessageAndAppendsNothing) {
    struct Case {
        const char* variables;
        const char* subjects;
        const char* matrix;
        const char* data;
        const char* message;
    };
    const Case cases[] = {
        {"1", "1", "1", "1", "Variables must range from 2-99"},
        {"2", "0", "1", "1", "Subjects must range from 1-9999"},
        {"2", "1", "", "1", "No data for inverted covariance matrix"},
        {"2", "1", "1\t0\t0\t1", "", "No data."},
        // V typed as 3 for a 4 x 4 matrix: one message, none of the cell messages.
        {"3", "2", "1\t0\t0\t0\r\n0\t1\t0\t0\r\n0\t0\t1\t0\r\n0\t0\t0\t1\r\n", "1\t2\t3\t4\r\n5\t6\t7\t8\r\n",
         "The inverted covariance matrix has 16 fields, more than 3 x 3 = 9: please check the number of variables"},
    };
    for (const Case& c : cases) {
        MessageLog messages;
        window->OutFld()->SetText("");
        Fill(c.variables, c.subjects, c.matrix, c.data);
        ClickCalculate();
        EXPECT_EQ(messages.texts, std::vector<std::string>{c.message});
        EXPECT_EQ(window->OutFld()->Text(), "");
    }
}

// Matrix-cell messages (empty, missing or not a number): the first ten one by one, then one
// that counts the rest, before any later message or line.
TEST_F(CalculateCommand, MatrixCellMessagesPastTheTenthAreCounted) {
    struct Case {
        const char* variables;
        const char* subjects;
        const char* matrix;
        const char* data;
        std::size_t cellMessagesShown;
        std::vector<std::string> after;
        const char* output;
    };
    const Case cases[] = {
        // 4 x 4 with 6 fields: exactly ten empty cells, no count.
        {"4", "1", "1\t1\t1\t1\t1\t1", "1\t1\t1\t1", 10, {}, "6\r\n"},
        // 11 empty cells: ten shown, one counted.
        {"4", "1", "1\t1\t1\t1\t1", "1\t1\t1\t1", 10,
         {"1 more cells of the inverted covariance matrix are empty, missing or not numbers"}, "5\r\n"},
        // 16 cells written with decimal commas: each is reported and reads as 1.
        {"4", "1", "1,5\t1,5\t1,5\t1,5\r\n1,5\t1,5\t1,5\t1,5\r\n1,5\t1,5\t1,5\t1,5\r\n1,5\t1,5\t1,5\t1,5",
         "1\t1\t1\t1", 10, {"6 more cells of the inverted covariance matrix are empty, missing or not numbers"},
         "16\r\n"},
        // 99 x 99 with one field: 9800 empty cells; the data message still follows the count.
        {"99", "1", "1", "1", 10,
         {"9790 more cells of the inverted covariance matrix are empty, missing or not numbers",
          "Please check the accuracy of difference data (Row 1, Column 2)"}, ""},
    };
    for (const Case& c : cases) {
        MessageLog messages;
        window->OutFld()->SetText("");
        Fill(c.variables, c.subjects, c.matrix, c.data);
        ClickCalculate();
        ASSERT_EQ(messages.texts.size(), c.cellMessagesShown + c.after.size()) << c.variables;
        for (std::size_t i = 0; i < c.cellMessagesShown; ++i) {
            EXPECT_TRUE(messages.texts[i].starts_with(
                "Please check the accuracy of inverted covariance matrix (Row "))
                << messages.texts[i];
        }
        EXPECT_EQ(std::vector<std::string>(messages.texts.begin() + c.cellMessagesShown,
                                           messages.texts.end()),
                  c.after);
        EXPECT_EQ(window->OutFld()->Text(), c.output);
    }
}

TEST_F(CalculateCommand, ClearEmptiesAllFiveAndFocusesTheNumberOfVariables) {
    Fill("2", "1", "2\t1\r\n0\t1", "1\t1");
    window->OutFld()->SetText("4\r\n");
    ASSERT_TRUE(Activate(window));
    window->OutFld()->SetFocus();
    QTest::mouseClick(Native(window->ClearBtn()), Qt::LeftButton);
    for (const fw::TextEdit* control :
         {static_cast<fw::TextEdit*>(window->Nvariables()), static_cast<fw::TextEdit*>(window->Nsubs()),
          static_cast<fw::TextEdit*>(window->InputPMFld()),
          static_cast<fw::TextEdit*>(window->InputPCFld()), static_cast<fw::TextEdit*>(window->OutFld())}) {
        EXPECT_EQ(control->Text(), "");
    }
    EXPECT_TRUE(window->Nvariables()->HasFocus());
}

}  // namespace
