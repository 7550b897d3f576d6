// The converter behind shell/text/codepage.cpp on Windows: the system's own
// code-page tables (MultiByteToWideChar and WideCharToMultiByte) instead of
// iconv, which Windows does not have. Windows reports only that a
// conversion failed, not where, so on failure the place is found by
// converting one character at a time.

#include "shell/support/win32_api.h"
#include "shell/text/codepage_platform.h"

#include <string>
#include <vector>

namespace shell::text::platform {

namespace {

constexpr UINT kCodePage936 = 936;

// Writes the UTF-16 of `bytes` in `codePage` at the start of `wide`, which
// grows when too small, and sets `count` to the number of wchar_t written;
// false when a sequence is not valid there.
bool toWide(UINT codePage, const char* bytes, std::size_t size, std::vector<wchar_t>& wide,
            std::size_t& count) {
    count = 0;
    if (size == 0)
        return true;
    const int length = static_cast<int>(size);
    const int needed =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, length, nullptr, 0);
    if (needed <= 0)
        return false;
    if (wide.size() < static_cast<std::size_t>(needed))
        wide.resize(static_cast<std::size_t>(needed));
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, length, wide.data(), needed) !=
        needed)
        return false;
    count = static_cast<std::size_t>(needed);
    return true;
}

bool decodes(const char* bytes, std::size_t size) {
    std::vector<wchar_t> scratch;
    std::size_t count = 0;
    return toWide(kCodePage936, bytes, size, scratch, count);
}

// The offset of the first sequence of `bytes` that code page 936 cannot decode.
std::size_t firstUndecodable(std::span<const char> bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (static_cast<std::uint8_t>(bytes[at]) < 0x81) { // ASCII, and 0x80 (the euro sign)
            if (!decodes(&bytes[at], 1))
                break;
            ++at;
            continue;
        }
        if (at + 1 == bytes.size() || !decodes(&bytes[at], 2))
            break;
        at += 2;
    }
    return at;
}

// Sets `out` to the code page 936 bytes of `utf8`; false when it is not
// well-formed or a character has no form there.
bool encodes(std::string_view utf8, std::string& out) {
    out.clear();
    std::vector<wchar_t> wide;
    std::size_t count = 0;
    if (!toWide(CP_UTF8, utf8.data(), utf8.size(), wide, count))
        return false;
    if (count == 0)
        return true;
    const int length = static_cast<int>(count);
    BOOL usedDefault = FALSE;
    const int needed = WideCharToMultiByte(kCodePage936, WC_NO_BEST_FIT_CHARS, wide.data(), length,
                                           nullptr, 0, nullptr, &usedDefault);
    if (needed <= 0 || usedDefault)
        return false;
    out.resize(static_cast<std::size_t>(needed));
    WideCharToMultiByte(kCodePage936, WC_NO_BEST_FIT_CHARS, wide.data(), length, out.data(), needed,
                        nullptr, &usedDefault);
    return !usedDefault;
}

} // namespace

WideDecoder::WideDecoder() = default;
WideDecoder::~WideDecoder() = default;

Expected<StopOffset> WideDecoder::decode(std::span<const char> bytes, std::vector<wchar_t>& wide,
                                         std::size_t& count) {
    if (toWide(kCodePage936, bytes.data(), bytes.size(), wide, count))
        return StopOffset{};
    return StopOffset{firstUndecodable(bytes)};
}

Expected<StopOffset> encodeCodePage936(std::string_view utf8, std::string& out) {
    if (encodes(utf8, out))
        return StopOffset{};
    out.clear();
    // The first character that is malformed or has no form in the code page.
    std::size_t at = 0;
    std::string scratch;
    while (at < utf8.size()) {
        std::uint32_t cp = 0;
        const std::size_t length = utf8SequenceAt(utf8, at, cp);
        if (length == 0 || !encodes(utf8.substr(at, length), scratch))
            break;
        at += length;
    }
    return StopOffset{at};
}

} // namespace shell::text::platform
