#include "shell/runtime/language_resources.h"

#include <cstdio>

namespace shell::runtime {

namespace {

constexpr std::uint16_t kChinesePrc = 0x0804;

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

} // namespace

LanguageResources LanguageResources::load(std::string_view libraryName, std::uint16_t locale) {
    return LanguageResources(equalsIgnoringCase(libraryName, "vb6chs.dll") &&
                             locale == kChinesePrc);
}

std::string LanguageResources::heading(Status status) const {
    char number[48];
    std::snprintf(number, sizeof number, "'%ld (%08lX)'", static_cast<long>(status),
                  static_cast<unsigned long>(static_cast<std::uint32_t>(status)));
    return (chinese_ ? std::string("实时错误 ") : std::string("Run-time error ")) + number +
           ":\n\n";
}

std::string LanguageResources::objectCallFailed(Status status, std::string_view interfaceName,
                                                std::string_view operation) const {
    const std::string iface(interfaceName), op(operation);
    if (chinese_)
        return heading(status) + "对象 '" + iface + "' 的方法 '" + op + "' 失败";
    return heading(status) + "Method '" + op + "' of object '" + iface + "' failed";
}

std::string LanguageResources::descriptionUnreadable(std::string_view windowName,
                                                     std::string_view detail) const {
    const std::string name(windowName), what(detail);
    if (chinese_)
        return heading(kFail) + "程序文件中窗体 '" + name + "' 的描述已损坏，无法载入。\n\n" + what;
    return heading(kFail) + "The description of form '" + name +
           "' in the program file is damaged and cannot be loaded.\n\n" + what;
}

} // namespace shell::runtime
