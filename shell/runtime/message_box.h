#pragma once

#include <cstdint>
#include <string>

namespace runtime {

// What a message box shows, decoded from the buttons value of rtcMsgBox.
struct MessageBoxRequest {
    enum class Buttons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
    enum class Icon { None, Critical, Question, Exclamation, Information };
    enum class Modality { Application, System };

    std::string title;  // UTF-8
    std::string prompt; // UTF-8
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    int defaultButton = 0; // 0 is the first button
    Modality modality = Modality::Application;
    bool helpButton = false;

    friend bool operator==(const MessageBoxRequest&, const MessageBoxRequest&) = default;
};

// The answers a message box returns.
enum class MessageBoxResult { Ok = 1, Cancel, Abort, Retry, Ignore, Yes, No };

// Decodes the bits of a buttons value; returns false for a value with bits
// that mean nothing.
bool decodeMessageBoxStyle(std::int32_t buttons, MessageBoxRequest& request);

} // namespace runtime
