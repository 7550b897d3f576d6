// lansu_record: looks inside a window description record.
//
//   lansu_record dump FILE    the record as an indented tree
//   lansu_record check FILE   "FILE: valid", or the decoder's first error
//
// Exit status: 0 valid, 1 invalid or unreadable (a directory, a device, a
// pipe: one line on stderr), 2 usage.

#include "shell/model/ordering.h"
#include "shell/record/guid_text.h"
#include "shell/record/location.h"
#include "shell/record/property_table.h"
#include "shell/record/record.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using shell::model::ControlDescription;
using shell::model::WindowDescription;
using shell::record::PropertyRule;

constexpr int kValid = 0;
constexpr int kInvalid = 1;
constexpr int kUsage = 2;

void usage() {
    std::fputs("usage: lansu_record dump FILE\n"
               "       lansu_record check FILE\n",
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
// device, a pipe, unreadable, too large) is one line on stderr and false.
bool readFile(const char* path, std::vector<std::uint8_t>& out) {
    const auto refuse = [path](const std::string& why) {
        std::fprintf(stderr, "lansu_record: %s: %s\n", path, why.c_str());
        return false;
    };
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error)
        return refuse("cannot open: " + error.message());
    // Checked before opening: opening a pipe would wait for a writer.
    if (!std::filesystem::is_regular_file(status))
        return refuse(std::string("cannot read: ") + fileKind(status.type()));
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        return refuse("cannot read: " + error.message());
    if (size > kMaxFileSize)
        return refuse("cannot read: " + std::to_string(size) + " bytes, more than a record's " +
                      std::to_string(kMaxFileSize) + " at most");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return refuse(std::string("cannot open: ") + std::strerror(errno));
    out.resize(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(size));
    if (static_cast<std::uintmax_t>(in.gcount()) != size)
        return refuse("cannot read: " + std::to_string(in.gcount()) + " of " +
                      std::to_string(size) + " bytes");
    return true;
}

void line(int depth, const std::string& text) {
    std::fputs(std::string(static_cast<std::size_t>(depth) * 2, ' ').c_str(), stdout);
    std::fputs(text.c_str(), stdout);
    std::fputc('\n', stdout);
}

void property(int depth, const PropertyRule& rule, const std::string& value) {
    line(depth, shell::record::hexByte(rule.id) + " " + std::string(rule.name) + ": " + value);
}

// Every property the description holds, through its kind's rules.
void dumpProperties(int depth, std::uint8_t kindCode, shell::record::ConstFields fields) {
    for (const PropertyRule& rule : shell::record::propertyRules(kindCode))
        if (rule.present(fields))
            property(depth, rule, rule.describe(fields));
}

void dumpControl(const ControlDescription& c, int depth) {
    line(depth, c.name + " (" + std::string(shell::model::controlKindName(c.kind)) + ", ordinal " +
                    std::to_string(c.ordinal) + ")");
    dumpProperties(depth + 1, static_cast<std::uint8_t>(c.kind), {nullptr, &c});
    for (const ControlDescription& child : c.children)
        dumpControl(child, depth + 1);
}

void dumpWindow(const char* path, std::size_t size, const WindowDescription& w) {
    line(0, std::string(path) + ": " + std::to_string(size) + " bytes, " +
                std::to_string(shell::model::allControls(w).size()) + " controls");
    line(0, w.name + " (window, ordinal 0)");
    line(1, "window id: " + shell::record::guidText(w.windowId));
    line(1, "interface id: " + shell::record::guidText(w.interfaceId));
    dumpProperties(1, shell::model::kWindowKindCode, {&w, nullptr});
    for (const ControlDescription& c : w.controls)
        dumpControl(c, 1);
}

int run(int argc, char** argv) {
    if (argc != 3) {
        usage();
        return kUsage;
    }
    const std::string command = argv[1];
    if (command != "dump" && command != "check") {
        usage();
        return kUsage;
    }
    const char* path = argv[2];
    std::vector<std::uint8_t> bytes;
    if (!readFile(path, bytes))
        return kInvalid;
    const auto window = shell::record::decodeRecord(bytes);
    if (command == "check") {
        std::printf("%s: %s\n", path, window ? "valid" : window.error().message.c_str());
        return window ? kValid : kInvalid;
    }
    if (!window) {
        std::fprintf(stderr, "lansu_record: %s: %s\n", path, window.error().message.c_str());
        return kInvalid;
    }
    dumpWindow(path, bytes.size(), *window);
    return kValid;
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
