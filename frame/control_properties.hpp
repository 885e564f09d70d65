#pragma once
// The property values that the system's controls share, one block per kind of control, and
// the making of one control's list from its own values and the blocks of its kinds.
#include <initializer_list>
#include <string>
#include <vector>

#include "framework/text/properties.hpp"

using PropertyBlock = std::vector<fw::PropertySpec>;

// One control's property list, encoded against its class's table: its own values, then
// every value of the shared blocks that its own values leave unstated. An own value thus
// stands in place of a shared value of the same name.
std::string ControlPropertyList(const fw::PropertyTable& table, const PropertyBlock& own,
                                std::initializer_list<const PropertyBlock*> shared);

// Every visual control.
const PropertyBlock& EveryControlValues();
// Every control that shows text: text fields, text areas, push buttons, labels.
const PropertyBlock& TextControlValues();
// Text fields and text areas.
const PropertyBlock& TextEditValues();
const PropertyBlock& TextFieldValues();
const PropertyBlock& TextAreaValues();
const PropertyBlock& PushButtonValues();
const PropertyBlock& LabelValues();
const PropertyBlock& CanvasValues();
