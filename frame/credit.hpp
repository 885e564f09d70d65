#pragma once
// The one-line credit of the program: the About window's bottom line, the hidden credit label
// of the main window and the application's LongVersion.
inline constexpr const char* kCreditLine = "Orvantide 3.0 - by the Orvantide developers";
