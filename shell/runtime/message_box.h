#pragma once

#include <string>

namespace shell::runtime {

// What a message box shows. The program only asks for buttons value 0: one
// OK button, no icon, and no window of the program takes input until the
// box is dismissed.
struct MessageBoxRequest {
    std::string title;  // UTF-8
    std::string prompt; // UTF-8

    friend bool operator==(const MessageBoxRequest&, const MessageBoxRequest&) = default;
};

// What rtcMsgBox answers for the OK button.
inline constexpr long kMessageBoxOk = 1;

} // namespace shell::runtime
