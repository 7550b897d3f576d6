#include "shell/text/codepage.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <iconv.h>
#include <vector>

namespace shell::text {

namespace {

// glibc knows code page 936 under this name; it differs from "GBK" only in
// also mapping the single byte 0x80 to the euro sign, as Windows does.
constexpr const char kCodePage936[] = "CP936";

// One iconv descriptor per direction and thread, opened on first use and
// closed when the thread ends: opening one costs far more than converting a
// caption.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

// Decoding goes to wchar_t (UCS-4 with glibc) rather than straight to UTF-8:
// glibc converts to UTF-8 in two steps through its internal form, which
// costs three times as much, and writing UTF-8 from code points is simple.
Converter& fromCodePage() {
    thread_local Converter converter("WCHAR_T", kCodePage936);
    return converter;
}

static_assert(sizeof(wchar_t) == 4, "code points come back from iconv as 32-bit wchar_t");

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

Converter& toCodePage() {
    thread_local Converter converter(kCodePage936, "UTF-8");
    return converter;
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

// Decodes the UTF-8 sequence at `at`, for naming a character in a message.
// Returns false when the bytes there are not well-formed UTF-8.
bool codePointAt(std::string_view s, std::size_t at, std::uint32_t& cp) {
    const auto b0 = static_cast<std::uint8_t>(s[at]);
    int extra = 0;
    if (b0 < 0x80) {
        cp = b0;
        return true;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
        cp = b0 & 0x1Fu;
        extra = 1;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        cp = b0 & 0x0Fu;
        extra = 2;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        cp = b0 & 0x07u;
        extra = 3;
    } else {
        return false;
    }
    if (s.size() - at <= static_cast<std::size_t>(extra))
        return false;
    for (int i = 1; i <= extra; ++i) {
        const auto b = static_cast<std::uint8_t>(s[at + static_cast<std::size_t>(i)]);
        if ((b & 0xC0u) != 0x80u)
            return false;
        cp = (cp << 6) | (b & 0x3Fu);
    }
    const std::uint32_t minimum[] = {0, 0x80, 0x800, 0x10000};
    return cp >= minimum[extra] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
}

// Runs `in` through `cd`, appending to `out`. On failure returns false and
// sets `failedAt` to the offset in `in` of the sequence iconv stopped at, and
// `error` to errno.
bool run(iconv_t cd, const char* in, std::size_t size, std::string& out, std::size_t& failedAt,
         int& error) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
    const std::size_t start = out.size();
    // Code page 936 takes at most two bytes per character, and a character
    // it holds takes at least two bytes in UTF-8 unless it is ASCII: the
    // input's size always suffices, with a margin for the shift-state flush.
    out.resize(start + size + 4);
    char* inPtr = const_cast<char*>(in);
    std::size_t inLeft = size;
    char* outPtr = out.data() + start;
    std::size_t outLeft = out.size() - start;
    for (;;) {
        const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        if (rc != static_cast<std::size_t>(-1)) {
            out.resize(static_cast<std::size_t>(outPtr - out.data()));
            return true;
        }
        if (errno == E2BIG) { // not expected; grow and go on
            const std::size_t used = static_cast<std::size_t>(outPtr - out.data());
            out.resize(out.size() + inLeft * 2 + 16);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        error = errno;
        failedAt = static_cast<std::size_t>(inPtr - in);
        out.resize(start);
        return false;
    }
}

// Words why iconv stopped at `failedAt` in `bytes`; `endsThere` says the
// text ends right after that byte.
Error decodeFailure(std::span<const std::uint8_t> bytes, std::size_t failedAt, int error) {
    if (failedAt >= bytes.size()) // not expected from iconv, but never index past the end
        return Error{"expected a code page 936 character, got the end of the text"};
    if (error == EINVAL || (failedAt + 1 == bytes.size() && bytes[failedAt] >= 0x81))
        return Error{"expected a second byte after 0x" + hex(bytes[failedAt], 2) +
                     ", got the end of the text"};
    if (failedAt + 1 < bytes.size() && bytes[failedAt] >= 0x81)
        return Error{"expected a code page 936 character, got 0x" + hex(bytes[failedAt], 2) +
                     " 0x" + hex(bytes[failedAt + 1], 2)};
    return Error{"expected a code page 936 character, got 0x" + hex(bytes[failedAt], 2)};
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
    const std::span<const std::uint8_t> texts[] = {bytes};
    std::string* const outs[] = {&out};
    std::size_t failedText = 0;
    return appendManyGbkAsUtf8(texts, outs, failedText, failedAt);
}

Expected<bool> appendManyGbkAsUtf8(std::span<const std::span<const std::uint8_t>> texts,
                                   std::span<std::string* const> outs, std::size_t& failedText,
                                   std::size_t& failedAt) {
    if (texts.empty())
        return true;
    Converter& converter = fromCodePage();
    if (!converter.ok())
        return Error{"expected iconv to convert from " + std::string(kCodePage936) +
                     ", got no converter"};
    // The texts joined, each ended by 0x00: the code page is stateless, so
    // the separators split iconv's output exactly, and a lead byte cut off by
    // the end of its text meets 0x00 and fails there rather than pairing with
    // the next text's first byte.
    thread_local std::vector<char> joined;
    std::size_t total = 0;
    for (const auto text : texts)
        total += text.size() + 1;
    joined.resize(total);
    char* at = joined.data();
    for (const auto text : texts) {
        if (!text.empty())
            std::memcpy(at, text.data(), text.size());
        at += text.size();
        *at++ = '\0';
    }
    // Every character takes at least one byte, so as many code points as
    // bytes always suffice.
    thread_local std::vector<wchar_t> codePoints;
    if (codePoints.size() < joined.size())
        codePoints.resize(joined.size());
    char* in = joined.data();
    std::size_t inLeft = joined.size();
    char* outPtr = reinterpret_cast<char*>(codePoints.data());
    std::size_t outLeft = codePoints.size() * sizeof(wchar_t);
    if (iconv(converter.get(), &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        const int error = errno;
        iconv(converter.get(), nullptr, nullptr, nullptr, nullptr); // back to the initial state
        std::size_t failed = joined.size() - inLeft;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (failed <= texts[i].size()) {
                failedText = i;
                failedAt = failed;
                return decodeFailure(texts[i], failed, error);
            }
            failed -= texts[i].size() + 1;
        }
        failedText = texts.size() - 1;
        failedAt = texts.back().size();
        return decodeFailure(texts.back(), failedAt, error);
    }
    // Each text gets room for four UTF-8 bytes per code point, is written in
    // one pass and trimmed; trimming never reallocates.
    const wchar_t* cp = codePoints.data();
    const wchar_t* const end = reinterpret_cast<const wchar_t*>(outPtr);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const wchar_t* stop = std::wmemchr(cp, L'\0', static_cast<std::size_t>(end - cp));
        if (!stop)
            stop = end;
        std::string& out = *outs[i];
        const std::size_t start = out.size();
        out.resize(start + 4 * static_cast<std::size_t>(stop - cp));
        char* p = out.data() + start;
        for (; cp != stop; ++cp)
            p = writeUtf8(p, static_cast<std::uint32_t>(*cp));
        out.resize(static_cast<std::size_t>(p - out.data()));
        cp = stop == end ? end : stop + 1;
    }
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
    std::string out;
    const auto* data = reinterpret_cast<const std::uint8_t*>(utf8.data());
    if (isAscii({data, utf8.size()})) {
        out.assign(utf8);
        return out;
    }
    Converter& converter = toCodePage();
    if (!converter.ok())
        return Error{"code page 936: iconv cannot convert to " + std::string(kCodePage936)};
    std::size_t failedAt = 0;
    int error = 0;
    if (run(converter.get(), utf8.data(), utf8.size(), out, failedAt, error))
        return out;
    std::uint32_t cp = 0;
    if (error == EILSEQ && codePointAt(utf8, failedAt, cp))
        return Error{"character " + codePointName(cp) + " at byte " + std::to_string(failedAt) +
                     " has no form in code page 936"};
    if (failedAt >= utf8.size())
        return Error{"byte " + std::to_string(failedAt) +
                     ": expected well-formed UTF-8, got the end of the text"};
    return Error{"byte " + std::to_string(failedAt) + ": expected well-formed UTF-8, got 0x" +
                 hex(static_cast<std::uint8_t>(utf8[failedAt]), 2)};
}

} // namespace shell::text
