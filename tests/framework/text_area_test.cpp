// Text areas on real widgets: the selection that hides without the focus, the plain text
// that copy, paste and drag carry, appends read back at once, and very long lines.
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QImage>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "tests/framework/fixture_windows.hpp"

namespace {

using fixture::FormWnd;
using fixture::Native;

QPlainTextEdit& Edit(fw::TextArea& area) { return *static_cast<QPlainTextEdit*>(Native(&area)); }

// Pixels of the viewport painted in the selection's colour, active or inactive.
int SelectionPixels(QPlainTextEdit& edit) {
    const QImage image = edit.viewport()->grab().toImage();
    const QRgb active = edit.palette().color(QPalette::Active, QPalette::Highlight).rgb();
    const QRgb inactive = edit.palette().color(QPalette::Inactive, QPalette::Highlight).rgb();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y) | 0xff000000u;
            count += pixel == active || pixel == inactive;
        }
    }
    return count;
}

// Pixels of the viewport painted in another colour than the background.
int InkPixels(QPlainTextEdit& edit) {
    const QImage image = edit.viewport()->grab().toImage();
    const QRgb background = edit.palette().color(QPalette::Base).rgb();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += (image.pixel(x, y) | 0xff000000u) != background;
    }
    return count;
}

class TextAreaTest : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = FormWnd::Instance();
        QMainWindow* window = fixture::NativeOf(form_);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    fw::TextArea& Area() { return *form_->Output(); }

    FormWnd* form_ = nullptr;
};

TEST_F(TextAreaTest, HiddenSelectionShowsOnlyWhileTheAreaHasTheFocus) {
    for (const bool hide : {true, false}) {
        Area().SetProperty({"HideSelection", hide});
        Area().SetText("selected\r\ntext");
        Area().SetFocus();
        QPlainTextEdit& edit = Edit(Area());
        edit.selectAll();
        ASSERT_TRUE(edit.hasFocus());
        EXPECT_GT(SelectionPixels(edit), 0) << hide;

        form_->Number()->SetFocus();
        ASSERT_FALSE(edit.hasFocus());
        EXPECT_EQ(SelectionPixels(edit) > 0, !hide) << hide;
        EXPECT_TRUE(edit.textCursor().hasSelection());  // hidden, not lost

        Area().SetFocus();
        EXPECT_GT(SelectionPixels(edit), 0) << hide;
        // A menu or popup opened over the area leaves the selection in view.
        QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
        QCoreApplication::sendEvent(&edit, &popup);
        EXPECT_GT(SelectionPixels(edit), 0) << hide;
    }
}

TEST_F(TextAreaTest, CopyCarriesPlainTextOnly) {
    Area().SetText("1\t2,5\r\n\xc3\xa9\xc2\xa0x\r\n");
    QPlainTextEdit& edit = Edit(Area());
    Area().SetFocus();
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->formats(), QStringList{"text/plain"});
    EXPECT_EQ(copied->text(), QString::fromUtf8("1\t2,5\n\xc3\xa9\xc2\xa0x\n"));

    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(2);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
    edit.copy();  // the menu's Copy; a drag takes its data from the same place
    EXPECT_EQ(QApplication::clipboard()->mimeData()->formats(), QStringList{"text/plain"});
    EXPECT_EQ(QApplication::clipboard()->text(), "2,5");
}

TEST_F(TextAreaTest, PasteTakesThePlainTextWhateverElseIsOffered) {
    struct Case {
        QString format;  // offered before the plain text
        QByteArray data;
        QString text;    // none: only the other format
        std::string pasted;
    };
    const Case cases[] = {
        {"text/html", "<b>1</b>\t<i>2</i>", "1\t2", "1\t2"},
        {"text/markdown", "**1**\t_2_", "**1**\t_2_", "**1**\t_2_"},
        {"application/x-qrichtext", "<p>1</p>", "1\r\n2", "1\r\n2"},
        {"text/html", "<b>1</b>", QString(), ""},
    };
    QPlainTextEdit& edit = Edit(Area());
    for (const Case& c : cases) {
        Area().SetText("");
        auto* offered = new QMimeData;
        offered->setData(c.format, c.data);
        if (!c.text.isNull()) offered->setText(c.text);
        QApplication::clipboard()->setMimeData(offered);
        edit.paste();
        EXPECT_EQ(Area().Text(), c.pasted) << c.format.toStdString();
    }
}

TEST_F(TextAreaTest, TextAndEveryChangeSeeWhatWasJustAppended) {
    fw::TextArea& area = Area();
    area.SetText("a\r\n");
    area.AppendText("b\r\n");
    EXPECT_EQ(area.Text(), "a\r\nb\r\n");
    area.AppendText("c");
    area.SetText("new");  // what was gathered is replaced with the rest
    QCoreApplication::processEvents();
    EXPECT_EQ(area.Text(), "new");

    area.AppendText("\r\nd");
    Edit(area).selectAll();  // the widget itself sees the addition too
    EXPECT_EQ(Edit(area).textCursor().selectedText(), QString("new") + QChar::ParagraphSeparator + "d");
}

TEST_F(TextAreaTest, AVeryLongLineDrawsWhereverItIsScrolledToAndSelects) {
    std::string line;
    while (line.size() < 200000) line += "-1.234567\t";
    Area().SetProperty({"HasHorizontalScrollbar", true});  // one line, scrolled sideways
    Area().SetText(line);
    QPlainTextEdit& edit = Edit(Area());
    Area().SetFocus();
    QScrollBar& bar = *edit.horizontalScrollBar();
    for (const double at : {0.0, 0.5, 1.0}) {
        bar.setValue(static_cast<int>(bar.maximum() * at));
        EXPECT_GT(InkPixels(edit), 0) << at;
    }
    EXPECT_GT(bar.maximum(), 1000000);

    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClick(&edit, Qt::Key_Left);
    QTest::keyClick(&edit, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(edit.textCursor().selectedText(), "7");
    EXPECT_GT(SelectionPixels(edit), 0);
    QTest::keyClicks(&edit, "89");
    EXPECT_TRUE(Area().Text() == line.substr(0, line.size() - 3) + "689\t");
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Area().Text().size(), line.size());
}

}  // namespace
