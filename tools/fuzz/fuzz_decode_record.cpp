// libFuzzer target for the record decoder. Beyond "never crash, never read
// out of bounds" (the sanitizers' part), it checks that whatever decodes
// also encodes, and that the encoded record decodes to the same window. That
// a window's text form reads back into the same record, fuzz_text_form and
// the text form tests check.

#include "shell/record/record.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto window = shell::record::decodeRecord(std::span<const std::uint8_t>(data, size));
    if (!window) {
        if (window.error().message.empty()) {
            std::fprintf(stderr, "decode failed without a message\n");
            std::abort();
        }
        return 0;
    }
    const auto record = shell::record::encodeRecord(*window);
    if (!record) {
        std::fprintf(stderr, "a decoded window does not encode: %s\n",
                     record.error().message.c_str());
        std::abort();
    }
    const auto again = shell::record::decodeRecord(*record);
    if (!again || !(*again == *window)) {
        std::fprintf(stderr, "the re-encoded record decodes to another window\n");
        std::abort();
    }
    return 0;
}
