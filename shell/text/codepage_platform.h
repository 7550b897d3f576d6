#pragma once

// The seam between the portable half of the code page 936 conversion
// (codepage.cpp: the ASCII short cut, joining and splitting texts, writing
// and reading UTF-8, the wording of every failure) and the platform's
// converter, which only turns code page 936 bytes into wide characters and
// UTF-8 into code page 936 bytes. Linux supplies the converter in
// codepage_iconv.cpp (glibc's iconv), Windows in codepage_windows.cpp (the
// system's code-page tables).
//
// Not part of the interface: only the files named here include it.

#include "shell/support/expected.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace shell::text::platform {

// Supplied by the platform file.

// Where a conversion stopped short: the offset of the first sequence that
// cannot be converted, or nothing when every byte was converted. Either is an
// answer; an Error means the platform cannot convert this code page at all.
using StopOffset = std::optional<std::size_t>;

// The platform's converter from code page 936 to wide characters, open for
// as long as it lives: an iconv descriptor on Linux; Windows needs none.
class WideDecoder {
public:
    WideDecoder();
    ~WideDecoder();
    WideDecoder(const WideDecoder&) = delete;
    WideDecoder& operator=(const WideDecoder&) = delete;

    // Decodes the code page 936 `bytes` into `wide`, the wide-character text
    // of the platform: UTF-32 where wchar_t has 32 bits (Linux), UTF-16 where
    // it has 16 (Windows). Grows `wide` when it is too small, never shrinks
    // it, and sets `count` to the number of wchar_t written.
    Expected<StopOffset> decode(std::span<const char> bytes, std::vector<wchar_t>& wide,
                                std::size_t& count);

private:
    void* handle_ = nullptr; // iconv_t is a pointer in glibc
};

// Sets `out` to the code page 936 form of `utf8`. It stops at the first
// sequence that is not well-formed UTF-8 or whose character has no form in
// code page 936.
Expected<StopOffset> encodeCodePage936(std::string_view utf8, std::string& out);

// Supplied by codepage.cpp, for the platform files.

// The length of the well-formed UTF-8 sequence at `at` in `s`, with its code
// point in `cp`, or 0 when the bytes there are not well-formed UTF-8.
std::size_t utf8SequenceAt(std::string_view s, std::size_t at, std::uint32_t& cp);

} // namespace shell::text::platform
