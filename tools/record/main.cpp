// lansu_record: a window description record as text, both ways.
//
//   lansu_record dump FILE [TEXT]  the window as its text form, on stdout or
//                                  into TEXT with its pictures beside it
//   lansu_record encode TEXT OUT   the record a text form describes
//   lansu_record check FILE        "FILE: valid", or the first error
//   lansu_record show FILE         the window, until it is closed
//
// FILE is a record or a text form: a record begins with 0xff and holds
// 0x00 bytes, which no UTF-8 text does. Exit status: 0 done, 1 invalid or
// unreadable (one line; a directory, a device, a pipe are refused), 2 usage.

#include "shell/record/format.h"
#include "shell/record/record.h"
#include "shell/record/text_form.h"
#include "tools/record/show.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <random>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr int kValid = 0;
constexpr int kInvalid = 1;
constexpr int kUsage = 2;

void usage() {
    std::fputs("usage: lansu_record dump FILE [TEXT]\n"
               "       lansu_record encode TEXT OUT\n"
               "       lansu_record check FILE\n"
               "       lansu_record show FILE\n",
               stderr);
}

// Records are at most a few hundred kilobytes; anything far larger is not
// one, and is refused before it is read into memory.
constexpr std::uintmax_t kMaxFileSize = 64u << 20;

const char* fileKind(std::filesystem::file_type type) {
    using T = std::filesystem::file_type;
    switch (type) {
    case T::directory:
        return "a directory";
    case T::block:
        return "a block device";
    case T::character:
        return "a character device";
    case T::fifo:
        return "a pipe";
    case T::socket:
        return "a socket";
    default:
        return "not a regular file";
    }
}

// Reads a whole regular file. Anything else (missing, a directory, a
// device, a pipe, unreadable, too large) is an error saying why.
shell::Expected<Bytes> readFile(const std::string& path) {
    const auto refuse = [](const std::string& why) { return shell::Error{why}; };
    std::error_code error;
    const auto status = fs::status(path, error);
    if (error)
        return refuse("cannot open: " + error.message());
    // Checked before opening: opening a pipe would wait for a writer.
    if (!fs::is_regular_file(status))
        return refuse(std::string("cannot read: ") + fileKind(status.type()));
    const std::uintmax_t size = fs::file_size(path, error);
    if (error)
        return refuse("cannot read: " + error.message());
    if (size > kMaxFileSize)
        return refuse("cannot read: " + std::to_string(size) + " bytes, more than a record's " +
                      std::to_string(kMaxFileSize) + " at most");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return refuse(std::string("cannot open: ") + std::strerror(errno));
    Bytes out(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(size));
    if (static_cast<std::uintmax_t>(in.gcount()) != size)
        return refuse("cannot read: " + std::to_string(in.gcount()) + " of " +
                      std::to_string(size) + " bytes");
    return out;
}

// A window read from a record or a text form, with the record it encodes
// to; the description's pictures are views into `record`.
struct Loaded {
    Bytes record;
    shell::WindowDescription window;
};

// The one line `check` prints for a file that fails: a text form's errors
// already start with the file's name, line and column.
struct Failure {
    std::string line;
};

// A record begins with 0xff and holds 0x00 bytes; a text form, UTF-8, has
// neither. Anything empty is refused as the record it is too short to be.
bool isRecord(const Bytes& bytes) {
    return bytes.empty() || bytes[0] == shell::record_format::kLeadByte ||
           std::find(bytes.begin(), bytes.end(), 0) != bytes.end();
}

// Reads a picture a text form names: a file beside the text, nowhere else.
shell::Expected<Bytes> loadBeside(const fs::path& text, std::string_view name) {
    const std::string shown = "\"" + std::string(name) + "\"";
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos)
        return shell::Error{"expected the name of a picture file beside the text, got " + shown};
    auto bytes = readFile((text.parent_path() / fs::path(std::string(name))).string());
    if (!bytes)
        return shell::Error{"expected a picture file beside the text, got " + shown + ": " +
                            bytes.error().message};
    return bytes;
}

std::variant<Loaded, Failure> load(const std::string& path, const Bytes& bytes) {
    Loaded out;
    if (isRecord(bytes)) {
        out.record = bytes;
    } else {
        const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        const auto read = shell::record::readTextForm(
            text, path, [&](std::string_view name) { return loadBeside(path, name); });
        if (!read)
            return Failure{read.error().message};
        // readTextForm has encoded and decoded it once already.
        out.record = shell::encodeRecord(read->window).value();
    }
    auto window = shell::decodeRecord(out.record);
    if (!window)
        return Failure{path + ": " + window.error().message};
    out.window = std::move(*window);
    return out;
}

// Writes `bytes` to a new file beside `path`, then renames it over `path`:
// a failure leaves no file behind, and never half of one.
bool writeAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::string temporary = path + ".new" + std::to_string(std::random_device{}() % 1000000);
    bool written = false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        written = static_cast<bool>(out);
    }
    std::error_code error;
    if (written)
        fs::rename(temporary, path, error);
    if (!written || error) {
        std::fprintf(stderr, "lansu_record: %s: cannot write%s%s\n", path.c_str(),
                     error ? ": " : "", error ? error.message().c_str() : "");
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

std::span<const std::uint8_t> asBytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

int dump(const Loaded& loaded, const std::string& from, const char* to) {
    const std::string stem = fs::path(to ? to : from).stem().string();
    const auto form = shell::record::writeTextForm(loaded.window, stem);
    if (!to) {
        std::fwrite(form.text.data(), 1, form.text.size(), stdout);
        return kValid;
    }
    const fs::path folder = fs::path(to).parent_path();
    for (const auto& picture : form.pictures)
        if (!writeAtomically((folder / picture.name).string(), picture.bytes))
            return kInvalid;
    return writeAtomically(to, asBytes(form.text)) ? kValid : kInvalid;
}

int run(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    const bool known = (command == "dump" && (argc == 3 || argc == 4)) ||
                       (command == "encode" && argc == 4) ||
                       ((command == "check" || command == "show") && argc == 3);
    if (!known) {
        usage();
        return kUsage;
    }
    const std::string path = argv[2];
    auto bytes = readFile(path);
    if (!bytes) {
        std::fprintf(stderr, "lansu_record: %s: %s\n", path.c_str(), bytes.error().message.c_str());
        return kInvalid;
    }
    const auto loaded = load(path, *bytes);
    if (const auto* failure = std::get_if<Failure>(&loaded)) {
        // check and show print it where check always has; the others on
        // stderr, leaving stdout for what they make.
        std::FILE* out = command == "check" || command == "show" ? stdout : stderr;
        std::fprintf(out, "%s%s\n", out == stderr ? "lansu_record: " : "", failure->line.c_str());
        return kInvalid;
    }
    const Loaded& window = std::get<Loaded>(loaded);
    if (command == "check") {
        std::printf("%s: valid\n", path.c_str());
        return kValid;
    }
    if (command == "dump")
        return dump(window, path, argc == 4 ? argv[3] : nullptr);
    if (command == "encode")
        return writeAtomically(argv[3], window.record) ? kValid : kInvalid;
    std::fflush(stdout);
    return showWindow(window.window);
}

} // namespace

int main(int argc, char** argv) {
    // Nothing the tool is given may end it with an abort: whatever escapes
    // is one line and the status for unreadable input.
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lansu_record: %s\n", e.what());
    } catch (...) {
        std::fputs("lansu_record: unexpected failure\n", stderr);
    }
    return kInvalid;
}
