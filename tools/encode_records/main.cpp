// Encodes both window descriptions into records at build time:
//     lansu_encode_records FORM1_OUT FORM2_OUT
// Each file is written only when its bytes change, so the embedding step and
// everything after it rebuild only when a description really changed.

#include "main_window/form1_description.h"
#include "shell/record/record.h"
#include "troubleshooting_window/form2_description.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool sameAsFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const std::vector<char> existing{std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>()};
    return existing.size() == bytes.size() &&
           std::equal(existing.begin(), existing.end(), bytes.begin(),
                      [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

bool encodeTo(const shell::model::WindowDescription& window, const std::string& path) {
    auto record = shell::record::encodeRecord(window);
    if (!record) {
        std::fprintf(stderr, "lansu_encode_records: %s: %s\n", window.name.c_str(),
                     record.error().message.c_str());
        return false;
    }
    // Whatever we write must read back as the same description.
    auto decoded = shell::record::decodeRecord(*record);
    if (!decoded) {
        std::fprintf(stderr, "lansu_encode_records: %s: the record does not decode: %s\n",
                     window.name.c_str(), decoded.error().message.c_str());
        return false;
    }
    if (!(*decoded == window)) {
        std::fprintf(stderr, "lansu_encode_records: %s: the record decodes to another window\n",
                     window.name.c_str());
        return false;
    }
    if (sameAsFile(path, *record))
        return true;
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(record->data()),
                  static_cast<std::streamsize>(record->size()));
        if (!out) {
            std::fprintf(stderr, "lansu_encode_records: cannot write %s\n", temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::fprintf(stderr, "lansu_encode_records: cannot rename %s to %s\n", temporary.c_str(),
                     path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: lansu_encode_records FORM1_OUT FORM2_OUT\n");
        return 2;
    }
    const bool ok = encodeTo(main_window::form1Description(), argv[1]) &&
                    encodeTo(troubleshooting_window::form2Description(), argv[2]);
    return ok ? 0 : 1;
}
