// libFuzzer target for the text form's reader. Beyond "never crash" (the
// sanitizers' part), whatever it reads must encode, and its text, written
// and read again, must give the same record and the same text.

#include "shell/record/record.h"
#include "shell/record/text_form.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

// clang-format off
// A 2×1 bitmap and a 1×1 icon: every picture a fuzzed text names is one of
// them, by its name's ending.
const std::uint8_t kBitmap[62] = {
    'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
    40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0, 0};
const std::uint8_t kIcon[70] = {
    0, 0, 1, 0, 1, 0,
    1, 1, 0, 0, 1, 0, 32, 0, 48, 0, 0, 0, 22, 0, 0, 0,
    40, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0x40, 0x80, 0xC0, 0xFF, 0, 0, 0, 0};
// clang-format on

using Bytes = std::vector<std::uint8_t>;

shell::Expected<Bytes> fixedPicture(std::string_view name) {
    if (name.ends_with(".bmp"))
        return Bytes(std::begin(kBitmap), std::end(kBitmap));
    if (name.ends_with(".ico"))
        return Bytes(std::begin(kIcon), std::end(kIcon));
    return shell::Error{"expected a name ending .bmp or .ico"};
}

[[noreturn]] void fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto first = shell::record::readTextForm(text, "fuzz.txt", fixedPicture);
    if (!first) {
        if (!first.error().message.starts_with("fuzz.txt:"))
            fail("an error without its place", first.error().message);
        return 0;
    }
    const auto record = shell::encodeRecord(first->window);
    if (!record)
        fail("a window read from text does not encode", record.error().message);
    const auto form = shell::record::writeTextForm(first->window, "fuzz");
    const auto second = shell::record::readTextForm(
        form.text, "again.txt", [&form](std::string_view name) -> shell::Expected<Bytes> {
            for (const auto& picture : form.pictures)
                if (picture.name == name)
                    return picture.bytes;
            return shell::Error{"expected a picture the writer named"};
        });
    if (!second)
        fail("the written text does not read back", second.error().message);
    if (shell::encodeRecord(second->window).value() != *record)
        fail("the written text encodes to another record", form.text);
    if (shell::record::writeTextForm(second->window, "fuzz").text != form.text)
        fail("the written text, read and written again, differs", form.text);
    return 0;
}
