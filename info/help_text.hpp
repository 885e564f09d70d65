#pragma once
// The help text that the Description window shows and prints: lines separated by CR LF,
// every line ending with CR LF, no tabs.
#include <string_view>

std::string_view HelpText();
