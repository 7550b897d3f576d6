// libFuzzer target for the text form's reader. Beyond "never crash" (the
// sanitizers' part), whatever it reads must encode, and its text, written
// and read again, must give the same record and the same text.

#include "shell/record/record.h"
#include "shell/record/text_form.h"
#include "tests/shell/record/test_pictures.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Every picture a fuzzed text names is one of the two tiny files, by its
// name's ending.
shell::Expected<Bytes> fixedPicture(std::string_view name) {
    if (name.ends_with(".bmp"))
        return Bytes(std::begin(record_test::kTinyBitmap), std::end(record_test::kTinyBitmap));
    if (name.ends_with(".ico"))
        return Bytes(std::begin(record_test::kTinyIcon), std::end(record_test::kTinyIcon));
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
    const auto record = shell::record::encodeRecord(first->window);
    if (!record)
        fail("a window read from text does not encode", record.error().message);
    const auto form = shell::record::writeTextForm(first->window, "fuzz");
    const auto second = shell::record::readTextForm(form.text, "again.txt",
                                                    record_test::writtenPictures(form.pictures));
    if (!second)
        fail("the written text does not read back", second.error().message);
    if (shell::record::encodeRecord(second->window).value() != *record)
        fail("the written text encodes to another record", form.text);
    if (shell::record::writeTextForm(second->window, "fuzz").text != form.text)
        fail("the written text, read and written again, differs", form.text);
    return 0;
}
