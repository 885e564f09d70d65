// Text areas on real widgets: the selection that hides without the focus, the plain text
// that copy, paste and drag carry, appends read back at once, and very long lines.
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QImage>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

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
        {  // The menu bar in use (Alt, or Escape out of a menu) leaves it in view as well.
            QMenuBar bar(fixture::NativeOf(form_));
            bar.show();
            bar.setFocus(Qt::MenuBarFocusReason);
            ASSERT_TRUE(bar.hasFocus());
            EXPECT_GT(SelectionPixels(edit), 0) << hide;
            form_->Number()->SetFocus();
            EXPECT_EQ(SelectionPixels(edit) > 0, !hide) << hide;
        }
        Area().SetFocus();
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

// A line of TAB-separated numbers longer than the areas lay out the ordinary way.
std::string LongLine(int fields = 20000) {
    std::string line;
    for (int i = 0; i < fields; ++i) line += "-1.234567\t";
    return line;
}

class LongLineTest : public TextAreaTest {
protected:
    void SetUp() override {
        TextAreaTest::SetUp();
        Area().SetProperty({"HasHorizontalScrollbar", true});  // lines run on, scrolled sideways
        Area().SetFocus();
    }
    QPlainTextEdit& edit() { return Edit(Area()); }
    void Keys(std::initializer_list<QKeyCombination> keys) {
        for (const QKeyCombination key : keys) QTest::keyClick(&edit(), key.key(), key.keyboardModifiers());
    }
};

TEST_F(LongLineTest, DrawsWhereverItIsScrolledToAndShowsItsSelection) {
    const std::string line = LongLine();
    Area().SetText(line);
    QScrollBar& bar = *edit().horizontalScrollBar();
    EXPECT_GT(bar.maximum(), 1000000);
    for (const double at : {0.0, 0.5, 1.0}) {
        bar.setValue(static_cast<int>(bar.maximum() * at));
        EXPECT_GT(InkPixels(edit()), 0) << at;
    }
    Keys({Qt::Key_End, Qt::Key_Left, Qt::ShiftModifier | Qt::Key_Left});
    EXPECT_EQ(edit().textCursor().selectedText(), "7");
    EXPECT_GT(SelectionPixels(edit()), 0);  // the end was scrolled into view with the caret
}

TEST_F(LongLineTest, KeysEditItAsAnyOtherLine) {
    const std::string line = LongLine();
    const std::string cut = line.substr(0, line.size() - 1);
    struct Case {
        std::vector<QKeyCombination> keys;
        std::string text;  // of "a", the long line and "b"
    };
    using Qt::Key;
    const Case cases[] = {
        {{Qt::ControlModifier | Key::Key_End, Key::Key_Home, Key::Key_Up, Key::Key_X}, "a\r\nx" + line + "\r\nb"},
        {{Key::Key_Down, Key::Key_End, Key::Key_Backspace, Key::Key_Y}, "a\r\n" + cut + "y\r\nb"},
        {{Key::Key_Down, Key::Key_End, Key::Key_Delete}, "a\r\n" + line + "b"},
        {{Key::Key_Down, Key::Key_Right, Key::Key_Right, Qt::ShiftModifier | Key::Key_Right, Key::Key_Delete},
         "a\r\n-1234567" + line.substr(9) + "\r\nb"},
        {{Key::Key_Down, Qt::ControlModifier | Key::Key_Right, Qt::ControlModifier | Key::Key_Backspace},
         "a\r\n" + line.substr(1) + "\r\nb"},
        {{Key::Key_Down, Key::Key_Left, Key::Key_Return}, "a\r\n\r\n" + line + "\r\nb"},
        {{Key::Key_Down, Key::Key_End, Key::Key_Right, Key::Key_Backspace, Key::Key_Backspace},
         "a\r\n" + cut + "b"},
        {{Key::Key_Down, Key::Key_End, Key::Key_Backspace, Qt::ControlModifier | Key::Key_Z}, "a\r\n" + line + "\r\nb"},
    };
    for (const Case& c : cases) {
        Area().SetText("a\r\n" + line + "\r\nb");
        Keys({Qt::ControlModifier | Key::Key_Home});
        for (const QKeyCombination key : c.keys) QTest::keyClick(&edit(), key.key(), key.keyboardModifiers());
        const std::string text = Area().Text();
        const auto differ = std::mismatch(text.begin(), text.end(), c.text.begin(), c.text.end());
        EXPECT_TRUE(text == c.text) << "case " << &c - cases << ": differs at " << differ.first - text.begin()
                                    << " of " << text.size() << ", near \"" << text.substr(differ.first - text.begin(), 12) << '"';
    }
    // Moving through every kind of line and page, the caret stays on real positions.
    for (const Key key : {Key::Key_PageDown, Key::Key_PageUp, Key::Key_Down, Key::Key_Up, Key::Key_End, Key::Key_Home}) {
        QTest::keyClick(&edit(), key);
        EXPECT_LT(edit().textCursor().position(), edit().document()->characterCount());
    }
}

TEST_F(LongLineTest, ClicksAndDragsSelectInIt) {
    const std::string line = LongLine();
    Area().SetText("a\r\n" + line);
    QWidget& view = *edit().viewport();
    const QTextBlock second = edit().document()->findBlockByNumber(1);
    const int y = edit().cursorRect(QTextCursor(second)).top() + 3;
    const QPoint inside(30, y);  // within the first number
    QTest::mouseClick(&view, Qt::LeftButton, {}, inside);
    const QTextCursor clicked = edit().textCursor();
    EXPECT_EQ(clicked.blockNumber(), 1);
    EXPECT_GT(clicked.positionInBlock(), 2);
    EXPECT_LT(clicked.positionInBlock(), 20);

    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(2, y));
    QTest::mouseMove(&view, inside);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, inside);
    EXPECT_EQ(edit().textCursor().selectionStart(), second.position());
    EXPECT_EQ(edit().textCursor().selectionEnd(), clicked.position());

    QTest::mouseDClick(&view, Qt::LeftButton, {}, inside);
    const QString word = edit().textCursor().selectedText();
    EXPECT_FALSE(word.isEmpty());
    EXPECT_FALSE(word.contains(u'\t'));
    EXPECT_TRUE(QString::fromStdString(line).contains(word));
}

TEST_F(LongLineTest, ALineTurnsLongAndShortAgainAsItIsEditedAndWrapsWhenTheAreaWraps) {
    const std::string almost = LongLine(999);  // 9990 characters
    Area().SetText(almost);
    EXPECT_EQ(edit().document()->firstBlock().layout()->lineCount(), 1);  // laid out the ordinary way

    QApplication::clipboard()->setText(QString(20, u'9'));
    QTest::keyClick(&edit(), Qt::Key_End);
    edit().paste();
    EXPECT_TRUE(Area().Text() == almost + std::string(20, '9'));
    EXPECT_EQ(edit().document()->firstBlock().layout()->lineCount(), 0);  // measured by the area
    EXPECT_GT(InkPixels(edit()), 0);

    QTest::keyClick(&edit(), Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClick(&edit(), Qt::Key_Delete);
    EXPECT_EQ(Area().Text(), "");
    QTest::keyClicks(&edit(), "12");
    EXPECT_EQ(edit().document()->firstBlock().layout()->lineCount(), 1);

    Area().SetProperty({"HasHorizontalScrollbar", false});
    Area().SetText(LongLine());
    EXPECT_GT(edit().document()->firstBlock().layout()->lineCount(), 100);  // wrapped at the edge
}

}  // namespace
