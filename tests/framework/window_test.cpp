// Windows made through the framework, on real widgets: where their controls stand, with
// which fonts and colours; the implicit instance and control lookup; events; closing.
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include "tests/framework/fixture_windows.hpp"

namespace {

using fixture::ContentOf;
using fixture::FormWnd;
using fixture::Native;
using fixture::NativeOf;
using fixture::PanelWnd;

QColor Rgb(int r, int g, int b) { return QColor(r, g, b); }

TEST(Window, ControlsStandWhereTheirListsSayWithTheirFontsAndColours) {
    FormWnd* form = FormWnd::Instance();
    ASSERT_TRUE(form->IsVisible());
    // Not resizable: exactly its Width x Height below the menu bar, although its maximum
    // width is 500, so the buttons beyond 500 are inside the window.
    QTest::qWait(0);
    EXPECT_EQ(ContentOf(form)->size(), QSize(650, 500));
    EXPECT_TRUE(ContentOf(form)->rect().contains(Native(form->CalculateBtn())->geometry()));
    EXPECT_EQ(NativeOf(form)->windowTitle(), "Form");
    EXPECT_EQ(ContentOf(form)->palette().color(QPalette::Window), Rgb(255, 255, 255));
    EXPECT_TRUE(ContentOf(form)->autoFillBackground());

    EXPECT_EQ(Native(form->Number())->geometry(), QRect(253, 155, 40, 20));
    EXPECT_EQ(Native(form->Output())->geometry(), QRect(466, 247, 150, 225));
    EXPECT_EQ(Native(form->ClearBtn())->geometry(), QRect(535, 185, 80, 20));
    EXPECT_EQ(Native(form->Heading())->geometry(), QRect(135, 20, 342, 55));

    auto* number = static_cast<QLineEdit*>(Native(form->Number()));
    EXPECT_EQ(number->maxLength(), 2);
    EXPECT_EQ(number->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(number->font().pixelSize(), 14);
    const QFontMetrics system(number->font());
    EXPECT_LT(system.horizontalAdvance("iiii"), system.horizontalAdvance("WWWW")) << "System is proportional";

    QWidget* output = Native(form->Output());
    EXPECT_EQ(output->font().pixelSize(), 10);
    const QFontMetrics courier(output->font());
    EXPECT_EQ(courier.horizontalAdvance("iiii"), courier.horizontalAdvance("WWWW")) << "Courier is monospace";
    EXPECT_EQ(output->palette().color(QPalette::Text), Rgb(0, 0, 255));
    EXPECT_EQ(output->palette().color(QPalette::Base), Rgb(255, 255, 200));

    auto* heading = static_cast<QLabel*>(Native(form->Heading()));
    EXPECT_EQ(heading->text(), "Orvantide");
    EXPECT_TRUE(heading->font().bold());
    EXPECT_EQ(heading->font().pixelSize(), 42);
    EXPECT_EQ(heading->palette().color(QPalette::WindowText), Rgb(0, 128, 64));

    QWidget* credit = Native(form->Credit());
    EXPECT_FALSE(credit->isVisible());
    EXPECT_TRUE(credit->font().italic());
    EXPECT_NE(QFontInfo(credit->font()).family(), QFontInfo(number->font()).family()) << "Times is not System";
    EXPECT_NE(QFontInfo(credit->font()).family(), QFontInfo(output->font()).family()) << "nor Courier";

    EXPECT_EQ(static_cast<QPushButton*>(Native(form->CalculateBtn()))->text(), "Calculate");
    EXPECT_EQ(Native(form->ClearBtn())->focusPolicy() & Qt::TabFocus, 0) << "TabStop False";
}

TEST(Window, ImplicitInstanceAndControlLookup) {
    FormWnd* first = FormWnd::Instance();
    EXPECT_EQ(FormWnd::Instance(), first);
    first->Hide();
    EXPECT_EQ(FormWnd::Instance(), first) << "a hidden window is still found";
    EXPECT_FALSE(first->IsVisible());

    EXPECT_EQ(first->Number(), first->Number());
    EXPECT_EQ(ControlOf<fw::TextField>(first, "NoSuchControl"), nullptr);
    EXPECT_THROW(ControlOf<fw::TextArea>(first, "Number"), fw::IllegalCastException);
    EXPECT_THROW(ControlOf<fw::TextField>(static_cast<fw::Window*>(nullptr), "Number"), fw::NilObjectException);

    fw::TextField* oldNumber = first->Number();
    first->Close();
    EXPECT_EQ(first->closes, 1);
    EXPECT_EQ(fw::GetImplicitWindow(FormWnd::kFullName), nullptr);
    FormWnd* second = FormWnd::Instance();
    EXPECT_NE(second, first);
    EXPECT_NE(second->Number(), oldNumber);
    EXPECT_TRUE(second->IsVisible());
}

TEST(Window, IsEventImplementedAnswersFromTheClassDeclaration) {
    const FormWnd* form = FormWnd::Instance();
    const PanelWnd* panel = PanelWnd::Instance();
    struct Case {
        const char* event;
        bool form, panel;
    } cases[] = {
        {"Layout", true, true},   {"CreateControls", true, true}, {"Close", true, false},
        {"KeyDown", false, true}, {"MouseDown", false, true},     {"Activate", false, false},
        {"NoSuchEvent", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(form->IsEventImplemented(c.event), c.form) << c.event;
        EXPECT_EQ(panel->IsEventImplemented(c.event), c.panel) << c.event;
    }
}

TEST(Window, CloseBoxClosesLikeCloseAndDestructionWaitsForTheEventLoop) {
    FormWnd* form = FormWnd::Instance();
    QPointer<QMainWindow> native = NativeOf(form);
    native->close();
    EXPECT_EQ(form->closes, 1);
    EXPECT_EQ(fw::GetImplicitWindow(FormWnd::kFullName), nullptr);
    EXPECT_FALSE(native.isNull()) << "a handler running on it may finish";
    EXPECT_FALSE(form->Timer1()->IsArmed()) << "a closed window's timer is off";
    form->Close();
    EXPECT_EQ(form->closes, 1) << "closing twice closes once";

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(native.isNull());
}

TEST(Window, KeysAndPressesThatReachTheWindowRaiseItsEvents) {
    PanelWnd* panel = PanelWnd::Instance();
    QMainWindow* native = NativeOf(panel);
    QTest::keyClick(native, Qt::Key_X);
    QTest::keyClick(native, Qt::Key_Return);
    QTest::keyClick(native, Qt::Key_Left);
    QTest::keyClick(native, Qt::Key_Shift);  // a modifier alone is no key
    EXPECT_EQ(panel->keys, (std::vector<std::string>{"x", "\r", "\x1c"}));

    // A label has no handler of its own, so its press reaches the window (in content
    // coordinates); the canvas has one and keeps its press.
    QTest::mouseClick(Native(panel->Caption()), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(Native(panel->Sign()), Qt::LeftButton, {}, QPoint(3, 4));
    QTest::mouseClick(ContentOf(panel), Qt::LeftButton, {}, QPoint(100, 60));
    EXPECT_EQ(panel->presses, (std::vector<std::string>{"window 15,15", "sign 3,4", "window 100,60"}));
}

TEST(Window, ResizableWindowKeepsAnchoredControlsAtTheirDistances) {
    PanelWnd* panel = PanelWnd::Instance();
    QTest::qWait(0);
    EXPECT_EQ(ContentOf(panel)->size(), QSize(300, 240));
    EXPECT_EQ(Native(panel->Body())->geometry(), QRect(-1, 80, 302, 150));
    NativeOf(panel)->resize(NativeOf(panel)->width() + 100, NativeOf(panel)->height() + 50);
    QTest::qWait(0);
    EXPECT_EQ(ContentOf(panel)->size(), QSize(400, 290));
    EXPECT_EQ(Native(panel->Body())->geometry(), QRect(-1, 80, 402, 200));
    EXPECT_EQ(Native(panel->Sign())->geometry(), QRect(250, 10, 33, 48)) << "anchored left and top only";
}

TEST(Window, TheWindowSystemIsToldTheSizeLimitsOfAResizableWindowOnly) {
    PanelWnd* panel = PanelWnd::Instance();
    QTest::qWait(0);
    auto resizable = [panel](bool on) {
        fw::SetProperties(*panel, fw::EncodeProperties(fw::Window::PropertyTableOfWindow(), {{"Resizeable", on}}));
    };
    struct Case {
        bool resizable;
        QSize minimum, maximum;
    } cases[] = {
        {true, {64, 64}, {32000, 32000}},
        {false, {300, 240}, {300, 240}},
        {true, {64, 64}, {32000, 32000}},
    };
    for (const Case& c : cases) {
        resizable(c.resizable);
        const QWindow* told = NativeOf(panel)->windowHandle();
        ASSERT_NE(told, nullptr);
        EXPECT_EQ(told->minimumSize(), c.minimum) << c.resizable;
        EXPECT_EQ(told->maximumSize(), c.maximum) << c.resizable;
    }
}

}  // namespace
