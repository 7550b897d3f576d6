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

// Where converting code page 936 texts stopped: which text, and the offset
// of the sequence that cannot be decoded within it.
struct DecodeStop {
    std::size_t text = 0;
    std::size_t offset = 0;
};

// Converts code page 936 texts to UTF-8, appending texts[i] to *outs[i], in
// one call to the converter: far cheaper than one call per text when there
// are many short ones. The texts must not contain 0x00 bytes. On failure no
// output is changed, the message is only "expected ..., got ..." and
// `stopped`, when given, says which text and where in it, so that a caller
// can word the place itself.
Expected<void> appendGbkAsUtf8(std::span<const std::span<const std::uint8_t>> texts,
                               std::span<std::string* const> outs, DecodeStop* stopped = nullptr);

// Converts UTF-8 to code page 936. On failure the message names the
// character that code page 936 cannot hold and its byte offset in `utf8`
// ("character U+1F600 at byte 6 has no form in code page 936"), or the offset
// of malformed UTF-8.
Expected<std::string> utf8ToGbk(std::string_view utf8);

// True when every byte is below 0x80: such text reads the same in UTF-8 and
// in code page 936.
bool isAscii(std::span<const std::uint8_t> bytes);

} // namespace shell::text
