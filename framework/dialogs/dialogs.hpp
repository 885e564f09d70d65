#pragma once
// The modal message box and the beep.
#include <string_view>

namespace fw {

// An application-modal box with the text as given and one OK button; returns when the user
// dismisses it.
void MsgBox(std::string_view text);
// The platform's beep.
void Beep();

}  // namespace fw
