// Code page 936 (GBK) <-> UTF-8 on Windows, through the system's own tables
// (MultiByteToWideChar and WideCharToMultiByte) instead of iconv, which
// Windows does not have. Same interface and same wording of failures as the
// iconv implementation in shell/text.

#include "shell/text/codepage.h"
#include "shell/win32/win32_api.h"

#include <cstdio>
#include <vector>

namespace shell::text {

namespace {

constexpr UINT kCodePage936 = 936;

std::string hexByte(std::uint8_t value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02x", static_cast<unsigned>(value));
    return buffer;
}

// UTF-16 of `bytes` in `code page`, or false when a sequence is not valid there.
bool toWide(UINT codePage, const char* bytes, std::size_t size, std::wstring& out) {
    out.clear();
    if (size == 0)
        return true;
    const int length = static_cast<int>(size);
    const int needed =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, length, nullptr, 0);
    if (needed <= 0)
        return false;
    out.resize(static_cast<std::size_t>(needed));
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, length, out.data(), needed) ==
           needed;
}

bool decodes(const std::uint8_t* bytes, std::size_t size) {
    std::wstring scratch;
    return toWide(kCodePage936, reinterpret_cast<const char*>(bytes), size, scratch);
}

// Finds the first sequence of `bytes` that code page 936 cannot decode and
// words it as the iconv implementation does.
Error decodeFailure(std::span<const std::uint8_t> bytes, std::size_t& failedAt) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::uint8_t lead = bytes[at];
        if (lead < 0x81) { // ASCII, and 0x80 (the euro sign)
            if (!decodes(&bytes[at], 1))
                break;
            ++at;
            continue;
        }
        if (at + 1 == bytes.size() || !decodes(&bytes[at], 2))
            break;
        at += 2;
    }
    failedAt = at;
    if (at >= bytes.size())
        return Error{"expected a code page 936 character, got the end of the text"};
    if (at + 1 == bytes.size() && bytes[at] >= 0x81)
        return Error{"expected a second byte after " + hexByte(bytes[at]) +
                     ", got the end of the text"};
    if (bytes[at] >= 0x81)
        return Error{"expected a code page 936 character, got " + hexByte(bytes[at]) + " " +
                     hexByte(bytes[at + 1])};
    return Error{"expected a code page 936 character, got " + hexByte(bytes[at])};
}

void appendUtf8(const std::wstring& wide, std::string& out) {
    if (wide.empty())
        return;
    const int length = static_cast<int>(wide.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(needed));
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, out.data() + start, needed, nullptr,
                        nullptr);
}

// The length of the well-formed UTF-8 sequence at `at`, or 0.
std::size_t utf8SequenceAt(std::string_view s, std::size_t at, std::uint32_t& cp) {
    const auto b0 = static_cast<std::uint8_t>(s[at]);
    std::size_t extra = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        cp = b0 & 0x1Fu;
        extra = 1;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        cp = b0 & 0x0Fu;
        extra = 2;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        cp = b0 & 0x07u;
        extra = 3;
    } else {
        return 0;
    }
    if (s.size() - at <= extra)
        return 0;
    for (std::size_t i = 1; i <= extra; ++i) {
        const auto b = static_cast<std::uint8_t>(s[at + i]);
        if ((b & 0xC0u) != 0x80u)
            return 0;
        cp = (cp << 6) | (b & 0x3Fu);
    }
    const std::uint32_t minimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return extra + 1;
}

// Code page 936 bytes of one UTF-16 text; false when a character has no form there.
bool toCodePage(const wchar_t* wide, int length, std::string& out) {
    out.clear();
    if (length == 0)
        return true;
    BOOL usedDefault = FALSE;
    const int needed = WideCharToMultiByte(kCodePage936, WC_NO_BEST_FIT_CHARS, wide, length,
                                           nullptr, 0, nullptr, &usedDefault);
    if (needed <= 0 || usedDefault)
        return false;
    out.resize(static_cast<std::size_t>(needed));
    WideCharToMultiByte(kCodePage936, WC_NO_BEST_FIT_CHARS, wide, length, out.data(), needed,
                        nullptr, &usedDefault);
    return !usedDefault;
}

} // namespace

bool isAscii(std::span<const std::uint8_t> bytes) {
    for (const std::uint8_t b : bytes)
        if (b >= 0x80)
            return false;
    return true;
}

Expected<bool> appendGbkAsUtf8(std::span<const std::uint8_t> bytes, std::string& out,
                               std::size_t& failedAt) {
    if (isAscii(bytes)) {
        out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return true;
    }
    std::wstring wide;
    if (!toWide(kCodePage936, reinterpret_cast<const char*>(bytes.data()), bytes.size(), wide))
        return decodeFailure(bytes, failedAt);
    appendUtf8(wide, out);
    return true;
}

Expected<bool> appendManyGbkAsUtf8(std::span<const std::span<const std::uint8_t>> texts,
                                   std::span<std::string* const> outs, std::size_t& failedText,
                                   std::size_t& failedAt) {
    // Every text is checked before any output is written.
    std::vector<std::wstring> wides(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto text = texts[i];
        if (!toWide(kCodePage936, reinterpret_cast<const char*>(text.data()), text.size(),
                    wides[i])) {
            failedText = i;
            return decodeFailure(text, failedAt);
        }
    }
    for (std::size_t i = 0; i < texts.size(); ++i)
        appendUtf8(wides[i], *outs[i]);
    return true;
}

Expected<std::string> gbkToUtf8(std::span<const std::uint8_t> bytes) {
    std::string out;
    std::size_t failedAt = 0;
    auto ok = appendGbkAsUtf8(bytes, out, failedAt);
    if (!ok)
        return Error{"byte " + std::to_string(failedAt) + ": " + ok.error().message};
    return out;
}

Expected<std::string> utf8ToGbk(std::string_view utf8) {
    if (isAscii({reinterpret_cast<const std::uint8_t*>(utf8.data()), utf8.size()}))
        return std::string(utf8);
    std::wstring wide;
    std::string out;
    if (toWide(CP_UTF8, utf8.data(), utf8.size(), wide) &&
        toCodePage(wide.data(), static_cast<int>(wide.size()), out))
        return out;
    // Find the first character that is malformed or has no form in the code page.
    std::size_t at = 0;
    while (at < utf8.size()) {
        std::uint32_t cp = 0;
        const std::size_t length = utf8SequenceAt(utf8, at, cp);
        if (length == 0)
            break;
        std::wstring one;
        std::string encoded;
        if (!toWide(CP_UTF8, utf8.data() + at, length, one) ||
            !toCodePage(one.data(), static_cast<int>(one.size()), encoded)) {
            char name[16];
            std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(cp));
            return Error{"character " + std::string(name) + " at byte " + std::to_string(at) +
                         " has no form in code page 936"};
        }
        at += length;
    }
    if (at >= utf8.size())
        return Error{"byte " + std::to_string(at) +
                     ": expected well-formed UTF-8, got the end of the text"};
    return Error{"byte " + std::to_string(at) + ": expected well-formed UTF-8, got " +
                 hexByte(static_cast<std::uint8_t>(utf8[at]))};
}

} // namespace shell::text
