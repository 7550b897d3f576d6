// The portable half of the code page 936 conversion: everything but the
// conversion itself, which the platform's converter does (see
// codepage_platform.h).

#include "shell/text/codepage.h"

#include "shell/text/codepage_platform.h"

#include <bit>
#include <cstdio>
#include <cstring>
#include <utility>

namespace shell::text {

namespace {

// Writes the UTF-8 form of `cp` at `p` (at most four bytes) and returns the
// position after it.
char* writeUtf8(char* p, std::uint32_t cp) {
    if (cp < 0x80) {
        *p = static_cast<char>(cp);
        return p + 1;
    }
    if (cp >= 0x800 && cp < 0x10000) { // most of a Chinese text: three bytes
        p[0] = static_cast<char>(0xE0 | (cp >> 12));
        p[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        p[2] = static_cast<char>(0x80 | (cp & 0x3F));
        return p + 3;
    }
    if (cp < 0x800) {
        p[0] = static_cast<char>(0xC0 | (cp >> 6));
        p[1] = static_cast<char>(0x80 | (cp & 0x3F));
        return p + 2;
    }
    p[0] = static_cast<char>(0xF0 | (cp >> 18));
    p[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    p[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    p[3] = static_cast<char>(0x80 | (cp & 0x3F));
    return p + 4;
}

std::string hex(std::uint32_t value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*x", digits, static_cast<unsigned>(value));
    return buffer;
}

// U+XXXX, in the customary upper case.
std::string codePointName(std::uint32_t cp) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(cp));
    return buffer;
}

// Words why decoding stopped at `failedAt` in `bytes`.
Error decodeFailure(std::span<const std::uint8_t> bytes, std::size_t failedAt) {
    if (failedAt >= bytes.size()) // not expected, but never index past the end
        return Error{"expected a code page 936 character, got the end of the text"};
    if (failedAt + 1 == bytes.size() && bytes[failedAt] >= 0x81)
        return Error{"expected a second byte after 0x" + hex(bytes[failedAt], 2) +
                     ", got the end of the text"};
    if (failedAt + 1 < bytes.size() && bytes[failedAt] >= 0x81)
        return Error{"expected a code page 936 character, got 0x" + hex(bytes[failedAt], 2) +
                     " 0x" + hex(bytes[failedAt + 1], 2)};
    return Error{"expected a code page 936 character, got 0x" + hex(bytes[failedAt], 2)};
}

// Words why encoding stopped at `failedAt` in `utf8`.
Error encodeFailure(std::string_view utf8, std::size_t failedAt) {
    std::uint32_t cp = 0;
    if (failedAt < utf8.size() && platform::utf8SequenceAt(utf8, failedAt, cp) != 0)
        return Error{"character " + codePointName(cp) + " at byte " + std::to_string(failedAt) +
                     " has no form in code page 936"};
    if (failedAt >= utf8.size())
        return Error{"byte " + std::to_string(failedAt) +
                     ": expected well-formed UTF-8, got the end of the text"};
    return Error{"byte " + std::to_string(failedAt) + ": expected well-formed UTF-8, got 0x" +
                 hex(static_cast<std::uint8_t>(utf8[failedAt]), 2)};
}

} // namespace

std::size_t platform::utf8SequenceAt(std::string_view s, std::size_t at, std::uint32_t& cp) {
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

bool isAscii(std::span<const std::uint8_t> bytes) {
    for (const std::uint8_t b : bytes)
        if (b >= 0x80)
            return false;
    return true;
}

CodePage936Reader::CodePage936Reader() = default;
CodePage936Reader::~CodePage936Reader() = default;

Expected<void> CodePage936Reader::toUtf8(std::span<const std::uint8_t> bytes, std::string& out,
                                         std::size_t* stoppedAt) {
    if (isAscii(bytes)) {
        out.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return {};
    }
    if (!decoder_)
        decoder_ = std::make_unique<platform::WideDecoder>();
    std::size_t count = 0;
    LANSU_TRY_ASSIGN(const platform::StopOffset undecodable,
                     decoder_->decode({reinterpret_cast<const char*>(bytes.data()), bytes.size()},
                                      wide_, count));
    if (undecodable) {
        if (stoppedAt)
            *stoppedAt = *undecodable;
        return decodeFailure(bytes, *undecodable);
    }
    // Room for four UTF-8 bytes per wchar_t, written in one pass and trimmed.
    std::string utf8(4 * count, '\0');
    char* p = utf8.data();
    const wchar_t* const end = wide_.data() + count;
    for (const wchar_t* cp = wide_.data(); cp != end; ++cp) {
        auto c = static_cast<std::uint32_t>(*cp);
        if constexpr (std::endian::native == std::endian::little) {
            if (c >= 0x800 && c < 0xD800) { // most of a Chinese text: one store
                // The fourth byte lands in room that the next character, or
                // the trim below, takes back.
                const std::uint32_t units = (0xE0u | (c >> 12)) |
                                            ((0x80u | ((c >> 6) & 0x3Fu)) << 8) |
                                            ((0x80u | (c & 0x3Fu)) << 16);
                std::memcpy(p, &units, 4);
                p += 3;
                continue;
            }
        }
        if constexpr (sizeof(wchar_t) == 2) { // UTF-16: a surrogate pair is one character
            if (c >= 0xD800 && c <= 0xDBFF && end - cp > 1 && cp[1] >= 0xDC00 && cp[1] <= 0xDFFF)
                c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<std::uint32_t>(*++cp) - 0xDC00);
        }
        p = writeUtf8(p, c);
    }
    utf8.resize(static_cast<std::size_t>(p - utf8.data()));
    out = std::move(utf8);
    return {};
}

Expected<std::string> utf8ToGbk(std::string_view utf8) {
    std::string out;
    const auto* data = reinterpret_cast<const std::uint8_t*>(utf8.data());
    if (isAscii({data, utf8.size()})) {
        out.assign(utf8);
        return out;
    }
    LANSU_TRY_ASSIGN(const platform::StopOffset unencodable,
                     platform::encodeCodePage936(utf8, out));
    if (unencodable)
        return encodeFailure(utf8, *unencodable);
    return out;
}

} // namespace shell::text
