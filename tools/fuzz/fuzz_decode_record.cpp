// libFuzzer target for the record decoder. Beyond "never crash, never read
// out of bounds" (the sanitizers' part), it checks that whatever decodes
// also encodes, that the encoded record decodes to the same window, and
// that the window's text form reads back into the same encoded record.

#include "shell/record/record.h"
#include "shell/record/text_form.h"
#include "tests/shell/record/test_pictures.h"

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
    const auto form = shell::record::writeTextForm(*window, "fuzz");
    const auto read = shell::record::readTextForm(form.text, "fuzz.txt",
                                                  record_test::writtenPictures(form.pictures));
    if (!read || shell::record::encodeRecord(read->window).value() != *record) {
        std::fprintf(stderr, "the text form gives another record: %s\n",
                     read ? "" : read.error().message.c_str());
        std::abort();
    }
    return 0;
}
