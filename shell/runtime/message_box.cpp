#include "shell/runtime/message_box.h"

namespace runtime {

bool decodeMessageBoxStyle(std::int32_t buttons, MessageBoxRequest& request) {
    constexpr std::int32_t kButtonsMask = 0x0007;
    constexpr std::int32_t kIconMask = 0x0070;
    constexpr std::int32_t kDefaultMask = 0x0300;
    constexpr std::int32_t kModalityMask = 0x3000;
    constexpr std::int32_t kHelpButton = 0x4000;
    constexpr std::int32_t kKnown =
        kButtonsMask | kIconMask | kDefaultMask | kModalityMask | kHelpButton;

    if (buttons < 0 || (buttons & ~kKnown) != 0)
        return false;
    const int set = buttons & kButtonsMask;
    const int icon = (buttons & kIconMask) >> 4;
    const int modality = (buttons & kModalityMask) >> 12;
    if (set > 5 || icon > 4 || modality > 1)
        return false;

    request.buttons = static_cast<MessageBoxRequest::Buttons>(set);
    request.icon = static_cast<MessageBoxRequest::Icon>(icon);
    request.defaultButton = (buttons & kDefaultMask) >> 8;
    request.modality = static_cast<MessageBoxRequest::Modality>(modality);
    request.helpButton = (buttons & kHelpButton) != 0;
    return true;
}

} // namespace runtime
