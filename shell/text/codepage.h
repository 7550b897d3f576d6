#pragma once

// Conversion between UTF-8, the model's text encoding, and code page 936
// (GBK), the encoding texts are stored in inside a record. The work is done
// by the C library's iconv, or on Windows by the system's code-page tables;
// pure ASCII text is copied without calling either.

#include "shell/support/expected.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace shell::text {

namespace platform {
class WideDecoder;
}

// Converts code page 936 texts to UTF-8 one at a time, keeping the
// platform's converter open between them, since opening one costs more than
// converting a caption. One reader per record; not shared between threads.
class CodePage936Reader {
public:
    CodePage936Reader();
    ~CodePage936Reader();

    // Sets `out` to the UTF-8 form of `bytes`, which hold no 0x00 bytes. On
    // failure `out` is unchanged, the message is only "expected ..., got
    // ..." and `stoppedAt`, when given, is the offset within `bytes` of the
    // sequence that cannot be decoded, so that a caller can word the place.
    Expected<void> toUtf8(std::span<const std::uint8_t> bytes, std::string& out,
                          std::size_t* stoppedAt = nullptr);

private:
    std::unique_ptr<platform::WideDecoder> decoder_; // opened at the first non-ASCII text
    std::vector<wchar_t> wide_;
};

// Converts UTF-8 to code page 936. On failure the message names the
// character that code page 936 cannot hold and its byte offset in `utf8`
// ("character U+1F600 at byte 6 has no form in code page 936"), or the offset
// of malformed UTF-8.
Expected<std::string> utf8ToGbk(std::string_view utf8);

// True when every byte is below 0x80: such text reads the same in UTF-8 and
// in code page 936.
bool isAscii(std::span<const std::uint8_t> bytes);

} // namespace shell::text
