// The main window as a person sees it: its size and every shown label legible in its box.
#include <QFontMetrics>
#include <QLabel>
#include <QMainWindow>

#include "calculator/control_wnd.hpp"
#include "tests/support/system_window_test.hpp"

namespace {

class MainWindowLayout : public SystemWindowTest {};

TEST_F(MainWindowLayout, ContentAreaIs650By500) {
    ControlWnd* window = ControlWnd::Instance();
    EXPECT_EQ(ContentOf(window)->size(), QSize(650, 500));
}

TEST_F(MainWindowLayout, EveryShownLabelFitsItsBox) {
    ControlWnd* window = ControlWnd::Instance();
    for (const fw::Label* control :
         {window->StaticText1(), window->StaticText3(), window->StaticText2(), window->StaticText6(),
          window->StaticText7(), window->StaticText4()}) {
        const auto* label = static_cast<const QLabel*>(Native(control));
        const int needed = QFontMetrics(label->font()).horizontalAdvance(label->text());
        EXPECT_LE(needed, label->width()) << label->text().toStdString();
    }
}

}  // namespace
