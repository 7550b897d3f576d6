#pragma once

#include "shell/runtime/status.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace shell::runtime {

// Our stand-in for the runtime's language resource library: the texts of the
// runtime's own error boxes, in the language the project asks for.
class LanguageResources {
public:
    // Finds the texts for a library name and locale from the project
    // descriptor; an unknown library falls back to English.
    static LanguageResources load(std::string_view libraryName, std::uint16_t locale);

    bool isSimplifiedChinese() const { return chinese_; }

    // "Run-time error '<number> (<hex>)':" followed by a blank line and what failed.
    std::string objectCallFailed(Status status, std::string_view interfaceName,
                                 std::string_view operation) const;
    std::string descriptionUnreadable(std::string_view windowName, std::string_view detail) const;

private:
    explicit LanguageResources(bool chinese) : chinese_(chinese) {}
    std::string heading(Status status) const;

    bool chinese_;
};

} // namespace shell::runtime
