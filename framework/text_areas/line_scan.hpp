#pragma once
// Framework-internal: where a very long line may be cut into stretches that the toolkit lays
// out on their own exactly as it lays them out within the whole line, and what each stretch
// needs to be told about the text around it.
//
// The toolkit shapes a line item by item: an item ends at a TAB, a line separator, a change of
// script or bidi level, and after 4096 characters. It resolves bidi levels over the whole
// paragraph and resets a TAB to the paragraph's level. So a stretch may start right after a
// TAB, or where a text line starts, when what comes before it is summed up by a few characters
// put in front of it: the script in effect and the last strong direction (see ScanState).
// Paired brackets and explicit embeddings tie text together across a TAB: no cut inside them.
// A paragraph without any right-to-left text is all on one level; it may also be cut where
// the toolkit starts a new item between two ASCII characters.
#include <QChar>
#include <QString>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace fw::detail {

enum class Strong : std::uint8_t { None, L, R, AL };
enum class Side : std::uint8_t { None, L, R };  // which side a neutral takes from a neighbour

// What the toolkit's analysis carries from the text before a point to the text after it.
struct ScanState {
    Strong lastStrong = Strong::None;
    Side previous = Side::None;  // the side of the last strong character or number
    QChar::Script script = QChar::Script_Common;
    int scriptSetter = -1;  // the character that set `script`
    int itemStart = 0;      // where the toolkit's current item starts

    bool operator==(const ScanState&) const = default;
    ScanState Shifted(int from, int delta) const;  // with positions from `from` on moved by delta
};

// A point where the line may be cut, with the context a stretch starting or ending there needs.
struct Cut {
    static constexpr int kUnresolved = -2;
    int start = 0;
    ScanState state;
    bool rowStart = false;  // where a text line starts: the line's start, or after U+2028
    bool afterTab = false;
    bool selfContained = true;  // `state` sums up what comes before: a stretch may start here
    Side next = Side::None;     // the side of the first strong character or number from here on
    int nextSource = kUnresolved;  // where that character is (the text's length if none)
    int nextScript = kUnresolved;  // the first character of a real script from here on, -1 none

    Cut Shifted(int from, int delta) const;
};

// Facts about the whole paragraph that decide where it may be cut.
struct Paragraph {
    bool rtl = false;       // its direction as the toolkit lays it out
    bool plain = true;      // no right-to-left character, Arabic number or explicit embedding
    bool embedded = false;  // explicit embeddings or isolates
    std::vector<std::pair<int, int>> bracketSpans;  // positions after a paired bracket, up to its pair

    // `rtl` is the text's own direction unless `direction` says otherwise.
    static Paragraph Of(const QString& text, Qt::LayoutDirection direction);
    bool InsideBrackets(int position) const;
    bool SameCuts(const Paragraph& other) const;
};

class LineScanner {
public:
    LineScanner(const QString& text, const Paragraph& paragraph, int minimumLength);

    // Finds the cuts after `from` to the end of the text, appending `from` and each new cut
    // to `cuts`. When `known` says that a new cut and everything after it is already known,
    // stops before appending it and returns true. Cuts whose lookahead runs beyond the last one
    // appended keep kUnresolved: they take it from the cut where the scan stopped.
    bool Scan(const Cut& from, std::vector<Cut>& cuts, const std::function<bool(const Cut&)>& known) const;

private:
    bool MayStartStretch(int position, const ScanState& state) const;

    const QString& text_;
    const Paragraph& paragraph_;
    int minimumLength_;
};

// Whether `text` has a character of a right-to-left class (or an Arabic number, or an explicit
// embedding) in [from, to).
bool HasRightToLeft(const QString& text, int from, int to);

}  // namespace fw::detail
