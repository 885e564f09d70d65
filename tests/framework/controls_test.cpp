// Controls on real widgets: the text field's key filter, the window's default button, the
// text of text controls with its line ends, the gathered appends, and the timer.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "tests/framework/fixture_windows.hpp"
#include "tests/support/fake_clock.hpp"

namespace {

using fixture::FormWnd;
using fixture::Native;

TEST(TextField, KeyDownSeesEveryKeyFirstAndASwallowedKeyNeverReachesTheField) {
    FormWnd* form = FormWnd::Instance();
    QWidget* field = Native(form->Number());
    QTest::keyClicks(field, "5a0");
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_EQ(form->Number()->Text(), "5");
    EXPECT_EQ(form->keys, (std::vector<std::string>{"5", "a", "0", "\b", "\t"}));
}

TEST(TextField, ReturnRunsTheLastMadeDefaultButtonAfterTheFieldsKeyDown) {
    FormWnd* form = FormWnd::Instance();
    form->keys.clear();
    QTest::keyClick(Native(form->Number()), Qt::Key_Return);
    EXPECT_EQ(form->keys, (std::vector<std::string>{"\r"}));
    EXPECT_EQ(form->actions, (std::vector<std::string>{"Calculate"}));

    Native(form->CalculateBtn())->setEnabled(false);  // a disabled default button does nothing
    QTest::keyClick(Native(form->Number()), Qt::Key_Enter);
    EXPECT_EQ(form->actions.size(), 1u);
}

TEST(TextEdit, TextReadsEveryLineBreakAsCrLfAndSettingAcceptsAnyLineEnd) {
    FormWnd* form = FormWnd::Instance();
    fw::TextArea& area = *form->Output();
    const std::pair<std::string, std::string> cases[] = {
        {"a\r\nb", "a\r\nb"}, {"a\nb", "a\r\nb"}, {"a\rb", "a\r\nb"}, {"a\r\n\r\nb\n", "a\r\n\r\nb\r\n"},
        {"\r\r\n\n", "\r\n\r\n\r\n"}, {"caf\xc3\xa9 \xf0\x9f\x98\x80\xc2\xa0", "caf\xc3\xa9 \xf0\x9f\x98\x80\xc2\xa0"}, {"", ""},
    };
    for (const auto& [set, get] : cases) {
        area.SetText(set);
        EXPECT_EQ(area.Text(), get) << set;
    }
    form->Number()->SetText("12");
    EXPECT_EQ(form->Number()->Text(), "12");
}

TEST(TextArea, AppendEndsAsReadingAppendingAndSettingWould) {
    fw::TextArea& area = *FormWnd::Instance()->Output();
    fw::TextArea& reference = *fixture::PanelWnd::Instance()->Body();
    const std::vector<std::vector<std::string>> cases = {
        {"1.5\r\n", "2\r\n", "3\r\n"},
        {"a\r", "\nb"},  // a CR ending one addition, a LF starting the next
        {"", "x", "", "\n", "y\r\n"},
        {"\xc3\xa9t\xc3\xa9\r\n", "\xe2\x82\xac"},
    };
    for (const auto& additions : cases) {
        area.SetText("start\r\n");
        reference.SetText("start\r\n");
        for (const std::string& addition : additions) {
            area.AppendText(addition);
            reference.SetText(reference.Text() + addition);
        }
        EXPECT_EQ(area.Text(), reference.Text()) << additions.front();
    }
    // What is appended reaches the widget once control is back in the event loop.
    area.SetText("");
    area.AppendText("1\r\n");
    area.AppendText("2\r\n");
    QCoreApplication::processEvents();
    EXPECT_EQ(static_cast<QPlainTextEdit*>(Native(&area))->document()->toPlainText(), "1\n2\n");
}

TEST(TextArea, PastedTextSplitsIntoLinesAtAnyLineEnd) {
    FormWnd* form = FormWnd::Instance();
    auto* edit = static_cast<QPlainTextEdit*>(Native(form->Output()));
    for (const char* pasted : {"1\t2\r\n3\t4\r\n", "1\t2\n3\t4\n", "1\t2\r3\t4\r"}) {
        form->Output()->SetText("");
        QApplication::clipboard()->setText(QString::fromLatin1(pasted));
        edit->paste();
        EXPECT_EQ(form->Output()->Text(), "1\t2\r\n3\t4\r\n") << pasted;
        EXPECT_EQ(edit->document()->blockCount(), 3) << pasted;
    }
}

TEST(Timer, ASingleRunFiresOncePeriodLaterAndNeverAfterItsWindowClosed) {
    FormWnd* form = FormWnd::Instance();
    fw::Timer& timer = *form->Timer1();
    EXPECT_TRUE(timer.IsArmed());
    fw::AdvanceTimersBy(3999);
    EXPECT_EQ(form->timerRuns, 0);
    fw::AdvanceTimersBy(1);
    EXPECT_EQ(form->timerRuns, 1);
    EXPECT_FALSE(timer.IsArmed());
    fw::AdvanceTimersBy(60000);
    EXPECT_EQ(form->timerRuns, 1);

    timer.SetProperty({"RunMode", std::int64_t{2}});  // repeating: once per period
    fw::AdvanceTimersBy(12000);
    EXPECT_EQ(form->timerRuns, 4);
    form->Close();
    fw::AdvanceTimersBy(60000);
    EXPECT_EQ(form->timerRuns, 4);
}

TEST(Timer, FiresFromTheEventLoopInRealTime) {
    FormWnd* form = FormWnd::Instance();
    form->Timer1()->SetProperty({"Period", std::int64_t{20}});
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->timerRuns == 1; }, 2000));
}

}  // namespace
