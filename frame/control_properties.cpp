#include "frame/control_properties.hpp"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr fw::Color kWhite{255, 255, 255};
constexpr fw::Color kBlack{0, 0, 0};
// The Index of a control that is not part of a control array.
constexpr std::int64_t kNoIndex = std::numeric_limits<std::int32_t>::min();

bool States(const PropertyBlock& block, std::string_view name) {
    return std::any_of(block.begin(), block.end(),
                       [name](const fw::PropertySpec& entry) { return entry.Name() == name; });
}

}  // namespace

std::string ControlPropertyList(const fw::PropertyTable& table, const PropertyBlock& own,
                                std::initializer_list<const PropertyBlock*> shared) {
    std::string list;
    for (const fw::PropertySpec& entry : own) list += fw::EncodeProperties(table, {entry});
    for (const PropertyBlock* block : shared) {
        for (const fw::PropertySpec& entry : *block) {
            if (!States(own, entry.Name())) list += fw::EncodeProperties(table, {entry});
        }
    }
    return list;
}

const PropertyBlock& EveryControlValues() {
    static const PropertyBlock values = {
        {"Index", kNoIndex},       {"TabPanelIndex", 0},   {"LockLeft", true},
        {"LockTop", true},         {"LockRight", true},    {"LockBottom", true},
        {"AllowAutoDeactivate", true}, {"Enabled", true},  {"Visible", true},
        {"Tooltip", ""},           {"Transparent", true},  {"InitialParent", ""},
    };
    return values;
}

const PropertyBlock& TextControlValues() {
    static const PropertyBlock values = {
        {"FontUnit", 0}, {"Bold", false}, {"Italic", false}, {"Underline", false},
    };
    return values;
}

const PropertyBlock& TextEditValues() {
    static const PropertyBlock values = {
        {"BackgroundColor", kWhite}, {"HasBorder", true},  {"Format", ""},
        {"TextColor", kBlack},       {"Value", ""},        {"ValidationMask", ""},
        {"ReadOnly", false},         {"DataSource", ""},   {"DataField", ""},
    };
    return values;
}

const PropertyBlock& TextFieldValues() {
    static const PropertyBlock values = {
        {"Password", false}, {"AllowFocusRing", true},      {"Hint", ""},
        {"AllowTabs", false}, {"AllowSpellChecking", false},
    };
    return values;
}

const PropertyBlock& TextAreaValues() {
    static const PropertyBlock values = {
        {"HideSelection", true},           {"LineHeight", 0.0},
        {"LineSpacing", 1.0},              {"Multiline", true},
        {"HasHorizontalScrollbar", true},  {"HasVerticalScrollbar", true},
        {"AllowStyledText", false},        {"AllowFocusRing", false},
        {"AllowTabs", true},               {"TextAlignment", 0},
        {"AllowSpellChecking", true},      {"MaximumCharactersAllowed", 0},
    };
    return values;
}

const PropertyBlock& PushButtonValues() {
    static const PropertyBlock values = {
        {"MacButtonStyle", 0}, {"Cancel", false}, {"Default", true},
    };
    return values;
}

const PropertyBlock& LabelValues() {
    static const PropertyBlock values = {
        {"Selectable", false}, {"TextColor", kBlack}, {"DataSource", ""}, {"DataField", ""},
    };
    return values;
}

const PropertyBlock& CanvasValues() {
    static const PropertyBlock values = {
        {"AllowFocusRing", true}, {"AllowFocus", false}, {"AllowTabs", false},
        {"DoubleBuffer", false},
        // The canvases' lists give Transparent a second time, True like the first.
        {"Transparent", true},
    };
    return values;
}
