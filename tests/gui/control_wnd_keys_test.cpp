// The key filter of the two number fields, and Alt keys in every text control, typed on the
// real controls.
#include <QTest>

#include <initializer_list>
#include <string>
#include <vector>

#include "calculator/control_wnd.hpp"
#include "framework/dialogs/dialogs.hpp"
#include "tests/support/system_window_test.hpp"
#include "tests/support/test_presenter.hpp"

namespace {

class NumberFieldKeys : public SystemWindowTest {
protected:
    void SetUp() override {
        SystemWindowTest::SetUp();
        window = ControlWnd::Instance();
        window->Show();
        ASSERT_TRUE(Activate(window));
    }

    fw::TextField* Field(const std::string& name) const {
        return name == "Nvariables" ? window->Nvariables() : window->Nsubs();
    }

    // Types the keys into the field, starting from `before` with the cursor at the end.
    std::string TypeInto(const std::string& name, const std::string& before,
                         std::initializer_list<Qt::Key> keys) {
        Field(name)->SetText(before);
        Field(name)->SetFocus();
        for (Qt::Key key : keys) QTest::keyClick(Native(Field(name)), key);
        return Field(name)->Text();
    }

    ControlWnd* window = nullptr;
};

const char* const kFields[] = {"Nvariables", "Nsubs"};

TEST_F(NumberFieldKeys, RefusedKeysBeepAndLeaveTheTextAsItWas) {
    for (const char* name : kFields) {
        for (char key : {'a', 'Z', '-', '.', ' ', '+', ','}) {
            Field(name)->SetText("1");
            Field(name)->SetFocus();
            const auto beeps = fw::BeepCount();
            QTest::keyClick(Native(Field(name)), key);
            EXPECT_EQ(Field(name)->Text(), "1") << name << " '" << key << "'";
            EXPECT_EQ(fw::BeepCount(), beeps + 1) << name << " '" << key << "'";
        }
    }
}

TEST_F(NumberFieldKeys, DigitsPassUpToEachFieldsLimit) {
    const auto beeps = fw::BeepCount();
    Field("Nvariables")->SetText("");
    Field("Nvariables")->SetFocus();
    QTest::keyClicks(Native(Field("Nvariables")), "507");
    EXPECT_EQ(Field("Nvariables")->Text(), "50");
    Field("Nsubs")->SetText("");
    Field("Nsubs")->SetFocus();
    QTest::keyClicks(Native(Field("Nsubs")), "1234567890");
    EXPECT_EQ(Field("Nsubs")->Text(), "1234");
    EXPECT_EQ(fw::BeepCount(), beeps) << "the limit stops a digit without the filter's beep";
}

TEST_F(NumberFieldKeys, ControlKeysPassWithoutABeep) {
    struct Case {
        std::initializer_list<Qt::Key> keys;
        const char* after;
    };
    const Case cases[] = {
        {{Qt::Key_Backspace}, "5"},
        {{Qt::Key_Home, Qt::Key_Delete}, "0"},
        {{Qt::Key_Left, Qt::Key_Backspace}, "0"},
        {{Qt::Key_Tab}, "50"},
    };
    for (const char* name : kFields) {
        for (const Case& c : cases) {
            const auto beeps = fw::BeepCount();
            EXPECT_EQ(TypeInto(name, "50", c.keys), c.after) << name;
            EXPECT_EQ(fw::BeepCount(), beeps) << name;
        }
    }
}

// Alt with a letter or digit is a menu's access key, never text: in the number fields (where
// the filter would let a digit through) and in the text areas, selected text included. AltGr
// (the group switch on X, Ctrl+Alt on Windows) still types.
using TextControlKeys = NumberFieldKeys;

TEST_F(TextControlKeys, AltKeysTypeNothingAltGrTypes) {
    const Qt::Key keys[] = {Qt::Key_E, Qt::Key_5, Qt::Key_Q, Qt::Key_Space};
    const Qt::KeyboardModifiers alts[] = {Qt::AltModifier, Qt::AltModifier | Qt::ShiftModifier};
    const std::vector<fw::TextEdit*> controls = {window->Nvariables(), window->Nsubs(), window->InputPMFld(),
                                                 window->InputPCFld(), window->OutFld()};
    for (fw::TextEdit* control : controls) {
        for (const Qt::KeyboardModifiers alt : alts) {
            control->SetText("12");
            control->SetFocus();
            QTest::keyClick(Native(control), Qt::Key_A, Qt::ControlModifier);  // select all
            for (Qt::Key key : keys) QTest::keyClick(Native(control), key, alt);
            EXPECT_EQ(control->Text(), "12") << control->Name();
            QTest::keyClick(Native(control), Qt::Key_End);
            QTest::keyClick(Native(control), Qt::Key_3);
            EXPECT_EQ(control->Text(), control == window->Nvariables() ? "12" : "123") << control->Name();
        }
    }
    for (fw::TextEdit* area : {window->InputPMFld(), window->OutFld()}) {
        area->SetText("");
        area->SetFocus();
        QTest::keyClick(Native(area), '@', Qt::GroupSwitchModifier);
        QTest::keyClick(Native(area), '@', Qt::ControlModifier | Qt::AltModifier);
        EXPECT_EQ(area->Text(), "@@") << area->Name();
    }
}

TEST_F(NumberFieldKeys, ReturnInANumberFieldRunsCalculateNotClear) {
    window->InputPMFld()->SetText("2\t1\r\n0\t1");
    window->InputPCFld()->SetText("1\t1");
    for (const char* name : kFields) {
        window->OutFld()->SetText("");
        window->Nvariables()->SetText("2");
        window->Nsubs()->SetText("1");
        Field(name)->SetFocus();
        const auto beeps = fw::BeepCount();
        QTest::keyClick(Native(Field(name)), Qt::Key_Return);
        EXPECT_EQ(window->OutFld()->Text(), "4\r\n") << name;
        EXPECT_EQ(window->Nvariables()->Text(), "2") << name;
        EXPECT_EQ(fw::BeepCount(), beeps) << name;
    }
}

}  // namespace
