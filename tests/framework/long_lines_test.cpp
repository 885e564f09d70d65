// Very long lines against short ones: the same text in two text areas, once in a short line,
// which the toolkit lays out, and once padded into a long line, which the area lays out in
// pieces. Every key, click and edit must leave the same text, caret and selection in both, and
// a long line must draw exactly what the toolkit draws for the same characters.
#include <QApplication>
#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/text_areas/area_widget.hpp"
#include "framework/text_areas/long_lines.hpp"

namespace {

using fw::detail::AreaWidget;
using fw::detail::LongLineLayout;

constexpr int kPadding = 12000;  // characters that make a line long

std::unique_ptr<AreaWidget> MakeArea() {
    auto area = std::make_unique<AreaWidget>(nullptr);
    area->setLineWrapMode(QPlainTextEdit::NoWrap);
    area->setFont(QFont(QStringLiteral("DejaVu Sans"), 10));  // proportional, with kerning
    area->resize(420, 160);
    area->show();
    return area;
}

bool IsLong(const QPlainTextEdit& area, int block) {
    return LongLineLayout::Of(area.document()->findBlockByNumber(block)) != nullptr;
}

std::string Escaped(const QString& text) {
    std::string out;
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F) out += static_cast<char>(c.unicode());
        else out += "\\u" + QString::number(c.unicode(), 16).rightJustified(4, u'0').toStdString();
    }
    return out;
}

// Where the long twin of a text has its padding: in which line, before its text (then a TAB)
// or after it (after a TAB), and of which letter.
struct Padding {
    int block = 0;
    bool front = false;
    QChar letter = u'x';

    int Length() const { return kPadding + 1; }
    QString Text() const {
        return front ? QString(kPadding, letter) + u'\t' : u'\t' + QString(kPadding, letter);
    }
};

// One step of a user, done alike in both areas.
struct Step {
    enum class Kind { Key, Type, Click, DoubleClick, ShiftClick };
    Kind kind = Kind::Key;
    QKeyCombination key{};
    QString text;
    QPointF point;  // in the viewport

    static Step Press(QKeyCombination key) { return {Kind::Key, key, {}, {}}; }
    static Step Press(Qt::Key key) { return Press(QKeyCombination(key)); }
    static Step Typing(const QString& text) { return {Kind::Type, {}, text, {}}; }
    static Step Clicking(QPointF point, Kind kind = Kind::Click) { return {kind, {}, {}, point}; }
    std::string Describe() const;
};

std::string Step::Describe() const {
    switch (kind) {
    case Kind::Key: return "key " + QKeySequence(key).toString().toStdString();
    case Kind::Type: return "typing " + Escaped(text);
    case Kind::Click: return "click at " + std::to_string(point.x()) + "," + std::to_string(point.y());
    case Kind::DoubleClick: return "double click at " + std::to_string(point.x()) + "," + std::to_string(point.y());
    case Kind::ShiftClick: return "shift click at " + std::to_string(point.x()) + "," + std::to_string(point.y());
    }
    return {};
}

void Do(QPlainTextEdit& area, const Step& step) {
    switch (step.kind) {
    case Step::Kind::Key:
        QTest::keyClick(&area, step.key.key(), step.key.keyboardModifiers());
        break;
    case Step::Kind::Type: {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, step.text);
        QApplication::sendEvent(&area, &press);
        break;
    }
    case Step::Kind::Click:
    case Step::Kind::ShiftClick:
        QTest::mouseClick(area.viewport(), Qt::LeftButton,
                          step.kind == Step::Kind::ShiftClick ? Qt::ShiftModifier : Qt::NoModifier, step.point.toPoint());
        break;
    case Step::Kind::DoubleClick:
        QTest::mouseDClick(area.viewport(), Qt::LeftButton, {}, step.point.toPoint());
        break;
    }
}

// The same text in a short line and, padded, in a long one.
class Twins {
public:
    Twins(const QString& text, Padding padding) : padding_(padding), short_(MakeArea()), long_(MakeArea()) {
        short_->setPlainText(text);
        QStringList lines = text.split(u'\n');
        QString& padded = lines[padding.block];
        padded = padding.front ? padding.Text() + padded : padded + padding.Text();
        long_->setPlainText(lines.join(u'\n'));
    }

    QPlainTextEdit& Short() const { return *short_; }
    QPlainTextEdit& Long() const { return *long_; }

    // Where the padding starts in the long twin's text.
    int PaddingStart() const {
        const QTextBlock block = long_->document()->findBlockByNumber(padding_.block);
        return padding_.front ? block.position() : block.position() + block.length() - 1 - padding_.Length();
    }
    // A position of the long twin in the short one: -1 inside the padding.
    int ToShort(int position) const {
        const int start = PaddingStart(), length = padding_.Length();
        if (padding_.front ? position < start : position <= start) return position;
        if (padding_.front ? position >= start + length : position > start + length) return position - length;
        return -1;
    }
    int ToLong(int position) const {
        const int start = PaddingStart();
        return (padding_.front ? position < start : position <= start) ? position : position + padding_.Length();
    }
    QString LongTextWithoutPadding() const {
        return long_->toPlainText().remove(PaddingStart(), padding_.Length());
    }
    bool PaddingIntact() const { return long_->toPlainText().mid(PaddingStart(), padding_.Length()) == padding_.Text(); }

    // After the same step: the same text, caret and anchor, or what differs.
    std::string Difference() const {
        const QTextCursor s = short_->textCursor(), l = long_->textCursor();
        if (!PaddingIntact()) return "the padding changed";
        if (short_->toPlainText() != LongTextWithoutPadding()) {
            return "text " + Escaped(short_->toPlainText()) + " | " + Escaped(LongTextWithoutPadding());
        }
        if (ToShort(l.position()) != s.position() || ToShort(l.anchor()) != s.anchor()) {
            return "caret " + std::to_string(s.anchor()) + "-" + std::to_string(s.position()) + " | " +
                   std::to_string(ToShort(l.anchor())) + "-" + std::to_string(ToShort(l.position()));
        }
        return {};
    }
    // Puts the long twin's caret where the short twin's is, both with the column of that caret.
    void Align() {
        const int anchor = short_->textCursor().anchor(), position = short_->textCursor().position();
        for (QPlainTextEdit* area : {&*short_, &*long_}) {
            const bool isLong = area == &*long_;
            QTextCursor cursor = area->textCursor();
            cursor.setPosition(isLong ? ToLong(anchor) : anchor);
            cursor.setPosition(isLong ? ToLong(position) : position, QTextCursor::KeepAnchor);
            area->setTextCursor(cursor);
            area->horizontalScrollBar()->setValue(0);
        }
    }

    // The viewport point at `fraction` of the way from the caret before `from` to the caret before
    // `to`, in the short twin: the long twin shows the same there.
    QPointF Between(int from, int to, qreal fraction) const {
        const QRect a = short_->cursorRect(CursorAt(from)), b = short_->cursorRect(CursorAt(to));
        return {a.left() + (b.left() - a.left()) * fraction, a.center().y() + 0.0};
    }
    QTextCursor CursorAt(int position) const {
        QTextCursor cursor(short_->document());
        cursor.setPosition(position);
        return cursor;
    }

private:
    Padding padding_;
    std::unique_ptr<AreaWidget> short_, long_;
};

// ---- the cases of the known differences -----------------------------------------------------

struct Case {
    std::string name;
    QString text;
    Padding padding;
    std::function<std::vector<Step>(const Twins&)> steps;
};

std::vector<Step> Keys(std::initializer_list<QKeyCombination> keys) {
    std::vector<Step> steps;
    for (const QKeyCombination key : keys) steps.push_back(Step::Press(key));
    return steps;
}

QString Repeated(const QString& piece, int times) {
    QString text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

const QString kAcute = QStringLiteral("\u0301");
const QString kThumbUp = QString::fromUtf8("\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD");  // with a skin tone
const QString kFamily = QString::fromUtf8("\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7");
const QString kFlags = QString::fromUtf8("\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7");
const QString kShalom = QString::fromUtf8("\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D");
const QChar kLineSeparator(0x2028);

std::vector<Case> KnownDifferences() {
    using Qt::Key;
    const auto ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
    const Padding front{0, true}, end{0, false};
    return {
        {"Backspace after a combining mark", u'e' + kAcute, front,
         [](const Twins&) { return Keys({Key::Key_End, Key::Key_Backspace, Key::Key_Backspace}); }},
        {"Backspace after a skin tone", u'a' + kThumbUp, front,
         [](const Twins&) { return Keys({Key::Key_End, Key::Key_Backspace, Key::Key_Backspace}); }},
        {"Backspace after 600 marks", u'o' + Repeated(kAcute, 600), front,
         [](const Twins&) { return Keys({Key::Key_End, Key::Key_Backspace, Key::Key_Left}); }},
        {"Delete before clusters", u'e' + kAcute + kThumbUp + kFamily + kFlags, end, [](const Twins&) {
             return Keys({Key::Key_Home, Key::Key_Delete, Key::Key_Right, Key::Key_Delete, Key::Key_Delete,
                          Key::Key_Delete, ctrl | Key::Key_Z});
         }},
        {"Down and Up keep the column", QStringLiteral("abcdefghij\nTwo words, then more\nklmnopqrstuvw"),
         Padding{1, false}, [](const Twins&) {
             return Keys({Key::Key_Right, Key::Key_Right, Key::Key_Right, Key::Key_Right, Key::Key_Right,
                          Key::Key_Down, Key::Key_Down, Key::Key_Up, Key::Key_Up, Key::Key_End, Key::Key_Down,
                          Key::Key_Down, Key::Key_Up, shift | Key::Key_Up, shift | Key::Key_Down});
         }},
        {"Word steps in a number", QStringLiteral("-1.234567 abc"), front, [](const Twins&) {
             return Keys({Key::Key_End, ctrl | Key::Key_Left, ctrl | Key::Key_Left, ctrl | Key::Key_Right,
                          ctrl | Key::Key_Backspace, ctrl | Key::Key_Z, ctrl | shift | Key::Key_Left,
                          ctrl | Key::Key_Delete});
         }},
        {"A word step over 700 letters", QStringLiteral("a ") + QString(700, u'w'), front,
         [](const Twins&) { return Keys({Key::Key_End, ctrl | Key::Key_Left, ctrl | Key::Key_Backspace}); }},
        {"Clicks inside clusters", u'e' + kAcute + u'x' + kFamily + kFlags, end, [](const Twins& twins) {
             std::vector<Step> steps;
             // The right half of e with its accent, then inside the joined family and the flags.
             for (const auto& [from, to] : {std::pair{0, 2}, {3, 11}, {11, 19}}) {
                 for (const qreal fraction : {0.3, 0.6, 0.9}) {
                     steps.push_back(Step::Clicking(twins.Between(from, to, fraction)));
                 }
             }
             steps.push_back(Step::Clicking(twins.Between(0, 2, 0.7)));
             steps.push_back(Step::Typing(QStringLiteral("y")));
             steps.push_back(Step::Clicking(twins.Between(3, 11, 0.4), Step::Kind::DoubleClick));
             return steps;
         }},
        {"Right-to-left text moves by its direction", kShalom + QStringLiteral(" abc"), Padding{0, true, QChar(0x05D0)},
         [](const Twins& twins) {
             std::vector<Step> steps = Keys({Key::Key_End, Key::Key_Right, Key::Key_Right, Key::Key_Right,
                                             Key::Key_Right, Key::Key_Right, Key::Key_Left, ctrl | Key::Key_Right,
                                             ctrl | Key::Key_Left});
             for (const qreal fraction : {0.2, 0.5, 0.8}) steps.push_back(Step::Clicking(twins.Between(0, 4, fraction)));
             return steps;
         }},
        {"A line separator ends a row", QStringLiteral("first") + kLineSeparator + QStringLiteral("second row\nlast"),
         end, [](const Twins&) {
             return Keys({Key::Key_Right, Key::Key_Right, Key::Key_End, Key::Key_Right, Key::Key_Left, Key::Key_Down,
                          Key::Key_Home, Key::Key_Up, Key::Key_End, Key::Key_Down, Key::Key_Down, Key::Key_Up});
         }},
    };
}

class LongLinesTest : public ::testing::Test {};

TEST_F(LongLinesTest, KnownDifferencesAreGone) {
    for (const Case& c : KnownDifferences()) {
        Twins twins(c.text, c.padding);
        ASSERT_TRUE(IsLong(twins.Long(), c.padding.block)) << c.name;
        ASSERT_FALSE(IsLong(twins.Short(), c.padding.block)) << c.name;
        int index = 0;
        for (const Step& step : c.steps(twins)) {
            Do(twins.Short(), step);
            Do(twins.Long(), step);
            EXPECT_EQ(twins.Difference(), "") << c.name << ", step " << index << " (" << step.Describe() << ")";
            ++index;
        }
    }
}

// ---- random editing -------------------------------------------------------------------------------

// Pieces of text in many scripts: clusters of several characters, surrogate pairs, marks,
// right-to-left letters and numbers, brackets, soft hyphens, TABs and line separators.
const char* const kPieces[] = {
    "a", "b", "f", "i", "W", "T", "V", "A", "x", "o", "1", "2", "3", ".", "-", ",", " ", "  ", "\t", "'", "!",
    "(", ")", "[", "]", "e\xCC\x81", "o\xCC\x88\xCC\x81", "\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD",
    "\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7",
    "\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA", "\xE6\xBC\xA2", "\xD7\xA9", "\xD7\x9C", "\xD7\x9D", "\xD9\x85",
    "\xD8\xB1", "\xD8\xAD", "\xD9\xA3", "\xE2\x80\x8D", "\xC2\xAD", "\xC2\xA0", "\xE2\x80\xA8",
};

QString RandomPiece(QRandomGenerator& random) {
    return QString::fromUtf8(kPieces[random.bounded(static_cast<int>(std::size(kPieces)))]);
}

// A line of pieces after a strong letter: right-to-left in one line of four, else left-to-right
// and closed by a left-to-right letter too.
QString RandomLine(QRandomGenerator& random) {
    const bool rightToLeft = random.bounded(4) == 0;
    QString line = rightToLeft ? QString::fromUtf8("\xD7\x90") : QStringLiteral("A");
    const int pieces = 3 + random.bounded(25);
    for (int i = 0; i < pieces; ++i) line += RandomPiece(random);
    return rightToLeft ? line : line + u'Z';
}

Step RandomStep(QRandomGenerator& random, const Twins& twins, int line) {
    using Qt::Key;
    static const QKeyCombination kKeys[] = {
        Key::Key_Left, Key::Key_Right, Qt::ShiftModifier | Key::Key_Left, Qt::ShiftModifier | Key::Key_Right,
        Qt::ControlModifier | Key::Key_Left, Qt::ControlModifier | Key::Key_Right,
        Qt::ControlModifier | Qt::ShiftModifier | Key::Key_Left, Qt::ControlModifier | Qt::ShiftModifier | Key::Key_Right,
        Key::Key_Up, Key::Key_Down, Qt::ShiftModifier | Key::Key_Up, Qt::ShiftModifier | Key::Key_Down,
        Key::Key_Home, Key::Key_End, Qt::ShiftModifier | Key::Key_Home, Qt::ShiftModifier | Key::Key_End,
        Key::Key_PageUp, Key::Key_PageDown, Key::Key_Backspace, Key::Key_Backspace, Key::Key_Delete, Key::Key_Delete,
        Qt::ControlModifier | Key::Key_Backspace, Qt::ControlModifier | Key::Key_Delete, Key::Key_Tab,
        Qt::ControlModifier | Key::Key_Z, Qt::ControlModifier | Qt::ShiftModifier | Key::Key_Z,
    };
    const int kind = random.bounded(10);
    if (kind < 6) return Step::Press(kKeys[random.bounded(static_cast<int>(std::size(kKeys)))]);
    if (kind < 8) return Step::Typing(RandomPiece(random));
    // A click on a text line of the padded line or of its neighbours.
    const QTextBlock block = twins.Short().document()->findBlockByNumber(line - 1 + random.bounded(3));
    twins.Short().document()->documentLayout()->blockBoundingRect(block);  // laid out
    QTextLayout& layout = *block.layout();
    const QTextLine row = layout.lineAt(random.bounded(std::max(1, layout.lineCount())));
    const qreal y = twins.Short().cursorRect(twins.CursorAt(block.position() + row.textStart())).center().y();
    const QPointF point(random.bounded(300), y);
    const Step::Kind kinds[] = {Step::Kind::Click, Step::Kind::Click, Step::Kind::DoubleClick, Step::Kind::ShiftClick};
    return Step::Clicking(point, kinds[random.bounded(4)]);
}

// Whether a step may be done in both twins. Where the short twin's line ends (or starts), the
// long twin has its padding: there the texts differ, and with them what comes after the line's
// last character. So the line's first and last characters stay (its first also keeps its
// direction), and edits stay between them.
bool Comparable(const Step& step, const Twins& twins, const Padding& padding) {
    const QTextBlock padded = twins.Short().document()->findBlockByNumber(padding.block);
    if (step.kind != Step::Kind::Key && step.kind != Step::Kind::Type) {
        // Past the line's end on the padding's side the long twin shows its padding.
        const QTextCursor hit = twins.Short().cursorForPosition(step.point.toPoint());
        const int edge = padding.front ? padded.position() : padded.position() + padded.length() - 1;
        return hit.position() != edge;
    }
    const Qt::Key key = step.kind == Step::Kind::Key ? step.key.key() : Qt::Key_unknown;
    const bool edits = step.kind == Step::Kind::Type || key == Qt::Key_Backspace || key == Qt::Key_Delete ||
                       key == Qt::Key_Tab;
    if (!edits) return true;
    const QTextCursor cursor = twins.Short().textCursor();
    const int low = padded.position() + 1;
    const int high = padded.position() + padded.length() - 1 - (padding.front ? 0 : 1);
    if (cursor.hasSelection()) return cursor.selectionStart() >= low && cursor.selectionEnd() <= high;
    const int at = cursor.position();
    if (at < low || at > high) return false;
    QTextCursor probe = cursor;
    const bool word = step.key.keyboardModifiers() & Qt::ControlModifier;
    if (key == Qt::Key_Backspace) {
        if (!word) return at >= low + 2;
        probe.movePosition(QTextCursor::PreviousWord);
        return probe.position() >= low;
    }
    if (key == Qt::Key_Delete) {
        probe.movePosition(word ? QTextCursor::NextWord : QTextCursor::NextCharacter);
        return probe.position() <= high;
    }
    return true;
}

bool AfterLineSeparator(const QPlainTextEdit& area) {
    const QTextCursor cursor = area.textCursor();
    const int at = cursor.positionInBlock();
    return at > 0 && cursor.block().text()[at - 1] == kLineSeparator;
}

TEST_F(LongLinesTest, RandomEditingGoesAsInAShortLine) {
    constexpr int kSequences = 300, kSteps = 30;
    int compared = 0;
    for (int seed = 1; seed <= kSequences; ++seed) {
        QRandomGenerator random(static_cast<quint32>(seed));
        const QString line = RandomLine(random);
        const bool rightToLeft = line.isRightToLeft();
        const Padding padding{1, rightToLeft, rightToLeft ? QChar(0x05D0) : QChar(u'x')};
        Twins twins(QStringLiteral("The line above it\n") + line + QStringLiteral("\nand the line below it"), padding);
        ASSERT_TRUE(IsLong(twins.Long(), 1));
        std::string done;
        bool lastVertical = false;
        for (int i = 0; i < kSteps; ++i) {
            const Step step = RandomStep(random, twins, padding.block);
            const Qt::Key key = step.kind == Step::Kind::Key ? step.key.key() : Qt::Key_unknown;
            const bool vertical = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
            if (!Comparable(step, twins, padding)) continue;
            // The toolkit takes the column at the start of a row after a line separator before
            // text of the other direction from the row's end: the padding's end in the long twin.
            if (vertical && !lastVertical && AfterLineSeparator(twins.Short())) continue;
            lastVertical = vertical;
            if (step.kind != Step::Kind::Key && step.kind != Step::Kind::Type) twins.Align();
            Do(twins.Short(), step);
            Do(twins.Long(), step);
            done += step.Describe() + "; ";
            // A caret that went on into the padding comes back to where the short twin's is. A
            // word chosen there by a double click stays for later Shift clicks to extend, so
            // such a sequence ends.
            const QTextCursor caret = twins.Long().textCursor();
            if (twins.ToShort(caret.position()) < 0 || twins.ToShort(caret.anchor()) < 0) {
                ASSERT_TRUE(twins.PaddingIntact()) << "seed " << seed << ": " << done;
                if (step.kind == Step::Kind::DoubleClick) break;
                twins.Align();
                continue;
            }
            const std::string difference = twins.Difference();
            ASSERT_EQ(difference, "") << "seed " << seed << ", line " << Escaped(line) << ": " << done;
            ++compared;
        }
    }
    EXPECT_GT(compared, kSequences * kSteps / 2);
}

// ---- drawing ------------------------------------------------------------------------------------

QImage Shown(QPlainTextEdit& area) {
    area.setCursorWidth(0);  // whether the caret blinks on or off
    return area.viewport()->grab().toImage();
}

// A long line that was changed draws what a long line with its new text draws.
TEST_F(LongLinesTest, DrawsItsTextAfterEveryChange) {
    using Qt::Key;
    const QString line = QStringLiteral("abc word a b ") + QString(kPadding, u'x');
    struct Change {
        std::string name;
        std::function<void(QPlainTextEdit&)> make;
    };
    auto keys = [](std::initializer_list<QKeyCombination> pressed) {
        return [list = std::vector<QKeyCombination>(pressed)](QPlainTextEdit& area) {
            for (const QKeyCombination key : list) QTest::keyClick(&area, key.key(), key.keyboardModifiers());
        };
    };
    const Change changes[] = {
        {"a character typed over a selected one", keys({Key::Key_Right, Qt::ShiftModifier | Key::Key_Right, Key::Key_W})},
        {"Tab over a selected character", keys({Key::Key_Right, Qt::ShiftModifier | Key::Key_Right, Key::Key_Tab})},
        {"a one-letter word chosen by a double click, then typed over",
         [](QPlainTextEdit& area) {
             QTextCursor cursor = area.textCursor();
             cursor.setPosition(9);  // in "a"
             const QRect caret = area.cursorRect(cursor);
             QTest::mouseDClick(area.viewport(), Qt::LeftButton, {}, caret.center() + QPoint(2, 0));
             QTest::keyClick(&area, Key::Key_Q);
         }},
        {"text of the same length pasted over a selection",
         [](QPlainTextEdit& area) {
             QApplication::clipboard()->setText(QStringLiteral("XYZ"));
             QTest::keyClick(&area, Key::Key_Right, Qt::ShiftModifier);
             QTest::keyClick(&area, Key::Key_Right, Qt::ShiftModifier);
             QTest::keyClick(&area, Key::Key_Right, Qt::ShiftModifier);
             area.paste();
         }},
        {"an undone change", keys({Key::Key_Right, Qt::ShiftModifier | Key::Key_Right, Key::Key_W,
                                   Qt::ControlModifier | Key::Key_Z})},
    };
    for (const Change& change : changes) {
        auto changed = MakeArea(), anew = MakeArea();
        changed->setPlainText(line);
        Shown(*changed);  // drawn once before the change
        change.make(*changed);
        ASSERT_TRUE(IsLong(*changed, 0)) << change.name;
        anew->setPlainText(changed->toPlainText());
        anew->setTextCursor([&] {
            QTextCursor cursor(anew->document());
            cursor.setPosition(changed->textCursor().anchor());
            cursor.setPosition(changed->textCursor().position(), QTextCursor::KeepAnchor);
            return cursor;
        }());
        anew->horizontalScrollBar()->setValue(changed->horizontalScrollBar()->value());
        EXPECT_EQ(Shown(*changed), Shown(*anew)) << change.name;
    }
}

// Scrolled to a TAB stop, a long line shows exactly what a short line of the text from there
// shows: the toolkit's glyphs, in the toolkit's places.
TEST_F(LongLinesTest, DrawsWhatTheToolkitDrawsForItsText) {
    const QString field = QStringLiteral("Tea AVA fi ffl -1.25e3 ") + u'e' + kAcute + kThumbUp + kFamily + kFlags +
                          QChar(0) + QStringLiteral(" 漢字 ") + kShalom + QStringLiteral(" (x) ") + QChar(0xD800) +
                          QStringLiteral(" end\t");
    QString line;
    while (line.size() <= LongLineLayout::kLongLine) line += field;
    const int last = static_cast<int>(line.size() / field.size()) - 5;
    for (const int fields : {0, 40, last}) {
        auto shown = MakeArea(), reference = MakeArea();
        shown->setPlainText(line);
        ASSERT_TRUE(IsLong(*shown, 0));
        const int from = static_cast<int>(field.size()) * fields;
        reference->setPlainText(line.mid(from, 4 * field.size()));
        ASSERT_FALSE(IsLong(*reference, 0));
        // Where the field starts: after TABs, at a stop of 80 pixels.
        QTextCursor at(shown->document());
        at.setPosition(from);
        shown->setTextCursor(at);
        QTest::keyClick(shown.get(), Qt::Key_Right);
        QTest::keyClick(shown.get(), Qt::Key_Left);
        const qreal caret = shown->inputMethodQuery(Qt::ImCursorRectangle).toRectF().left();
        const int scroll = shown->horizontalScrollBar()->value() + static_cast<int>(caret) -
                           reference->cursorRect(QTextCursor(reference->document())).left();
        shown->horizontalScrollBar()->setValue(scroll);
        EXPECT_EQ(Shown(*shown), Shown(*reference)) << "from field " << fields;
    }
}

// ---- lengths ----------------------------------------------------------------------------------

TEST_F(LongLinesTest, ALineIsLongWithMoreCharactersThanTheLimit) {
    auto area = MakeArea();
    area->setPlainText(QString(LongLineLayout::kLongLine, u'x') + u'\n' + QString(LongLineLayout::kLongLine + 1, u'x'));
    EXPECT_FALSE(IsLong(*area, 0));
    EXPECT_TRUE(IsLong(*area, 1));
}

}  // namespace
