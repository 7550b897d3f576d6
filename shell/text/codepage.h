#pragma once

// Conversion between UTF-8, the model's text encoding, and code page 936
// (GBK), the encoding texts are stored in inside a record. The work is done
// by the C library's iconv, or on Windows by the system's code-page tables;
// pure ASCII text is copied without calling either.

#include "shell/support/expected.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace shell::text {

// Converts code page 936 bytes to UTF-8. On failure the message starts with
// the byte offset (within `bytes`) of the first sequence that cannot be
// decoded: "byte 4: expected a code page 936 character, got 0x81 0x20".
Expected<std::string> gbkToUtf8(std::span<const std::uint8_t> bytes);

// Appends the UTF-8 form of `bytes` to `out`; `out` is unchanged on failure.
// On failure the message is only "expected ..., got ..." and the offset of
// the bad sequence within `bytes` goes to `failedAt`, so that a caller can
// word the place itself.
Expected<bool> appendGbkAsUtf8(std::span<const std::uint8_t> bytes, std::string& out,
                               std::size_t& failedAt);

// Converts several code page 936 texts to UTF-8 in one call to the converter,
// appending texts[i] to *outs[i]; far cheaper than one call per text when
// there are many short ones. The texts must not contain 0x00 bytes. On
// failure no output is changed, `failedText` is the index of the text that
// cannot be decoded and `failedAt` the offset within it, and the message is
// worded as appendGbkAsUtf8 words it.
Expected<bool> appendManyGbkAsUtf8(std::span<const std::span<const std::uint8_t>> texts,
                                   std::span<std::string* const> outs, std::size_t& failedText,
                                   std::size_t& failedAt);

// Converts UTF-8 to code page 936. On failure the message names the
// character that code page 936 cannot hold and its byte offset in `utf8`
// ("character U+1F600 at byte 6 has no form in code page 936"), or the offset
// of malformed UTF-8.
Expected<std::string> utf8ToGbk(std::string_view utf8);

// True when every byte is below 0x80: such text reads the same in UTF-8 and
// in code page 936.
bool isAscii(std::span<const std::uint8_t> bytes);

} // namespace shell::text
