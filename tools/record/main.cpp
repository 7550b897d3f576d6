// lansu_record: looks inside a window description record.
//
//   lansu_record dump FILE    the record as an indented tree
//   lansu_record check FILE   "FILE: valid", or the decoder's first error
//
// Exit status: 0 valid, 1 invalid or unreadable (a directory, a device, a
// pipe: one line on stderr), 2 usage.

#include "shell/record/guid_text.h"
#include "shell/record/location.h"
#include "shell/record/property_table.h"
#include "shell/record/record.h"
#include "tools/record/picture_info.h"

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

using shell::ControlDescription;
using shell::WindowDescription;
using shell::record::Field;
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

// A text between quotes with line breaks, tabs, other control characters,
// quotes and backslashes escaped, so every byte shows and a line break
// cannot end the dump's line.
std::string quoted(const std::string& utf8) {
    std::string out = "\"";
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\x%02x", c);
                out += buffer;
            } else {
                out += ch;
            }
        }
    }
    return out + "\"";
}

std::string colour(shell::Colour c) {
    char buffer[48];
    if (c.isSystem())
        std::snprintf(buffer, sizeof buffer, "0x%08x (system colour %u)",
                      static_cast<unsigned>(c.raw), static_cast<unsigned>(c.systemIndex()));
    else
        std::snprintf(buffer, sizeof buffer, "0x%08x", static_cast<unsigned>(c.raw));
    return buffer;
}

std::string points(std::int32_t tenThousandths) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.4g pt", tenThousandths / 10000.0);
    return buffer;
}

std::string font(const shell::Font& f) {
    std::string out = quoted(f.face) + " " + points(f.sizeTenThousandths) + ", weight " +
                      std::to_string(f.weight) + ", character set " + std::to_string(f.charset);
    if (f.italic)
        out += ", italic";
    if (f.underline)
        out += ", underline";
    if (f.strikethrough)
        out += ", strikethrough";
    return out;
}

std::string rect(const shell::TwipRect& r) {
    return "left " + std::to_string(r.left) + ", top " + std::to_string(r.top) + ", width " +
           std::to_string(r.width) + ", height " + std::to_string(r.height) + " twips";
}

std::string yesNo(bool v) {
    return v ? "true" : "false";
}

std::string checkValue(std::uint8_t v) {
    switch (v) {
    case 0:
        return "0 (unchecked)";
    case 1:
        return "1 (checked)";
    case 2:
        return "2 (grayed)";
    }
    return std::to_string(v);
}

void line(int depth, const std::string& text) {
    std::fputs(std::string(static_cast<std::size_t>(depth) * 2, ' ').c_str(), stdout);
    std::fputs(text.c_str(), stdout);
    std::fputc('\n', stdout);
}

void property(int depth, const PropertyRule& rule, const std::string& value) {
    line(depth, shell::record::hexByte(rule.id) + " " + std::string(rule.name) + ": " + value);
}

void dumpControl(const ControlDescription& c, int depth) {
    const auto code = static_cast<std::uint8_t>(c.kind);
    line(depth, c.name + " (" + std::string(shell::controlKindName(c.kind)) + ", ordinal " +
                    std::to_string(c.ordinal) + ")");
    for (const PropertyRule& rule : shell::record::propertyRules(code)) {
        switch (rule.field) {
        case Field::Caption:
            if (c.caption)
                property(depth + 1, rule, quoted(*c.caption));
            break;
        case Field::BackColour:
            if (c.backColour)
                property(depth + 1, rule, colour(*c.backColour));
            break;
        case Field::ForeColour:
            if (c.foreColour)
                property(depth + 1, rule, colour(*c.foreColour));
            break;
        case Field::Font:
            if (c.font)
                property(depth + 1, rule, font(*c.font));
            break;
        case Field::Picture:
            if (c.picture)
                property(depth + 1, rule, record_tool::describePicture(c.picture->fileBytes));
            break;
        case Field::Rect:
            property(depth + 1, rule, rect(c.rect));
            break;
        case Field::TabIndex:
            property(depth + 1, rule, std::to_string(c.tabIndex));
            break;
        case Field::DrawingSetting:
            if (c.drawingSetting)
                property(depth + 1, rule, "01 00 42 00");
            break;
        case Field::PictureBorder:
            if (c.border)
                property(depth + 1, rule,
                         *c.border == shell::PictureBorder::None ? "0 (none)" : "1 (fixed single)");
            break;
        case Field::CheckValue:
            if (c.value)
                property(depth + 1, rule, checkValue(*c.value));
            break;
        case Field::OptionValue:
            if (c.value)
                property(depth + 1, rule, yesNo(*c.value != 0));
            break;
        default:
            break;
        }
    }
    for (const ControlDescription& child : c.children)
        dumpControl(child, depth + 1);
}

std::size_t countControls(const std::vector<ControlDescription>& list) {
    std::size_t n = list.size();
    for (const auto& c : list)
        n += countControls(c.children);
    return n;
}

void dumpWindow(const char* path, std::size_t size, const WindowDescription& w) {
    line(0, std::string(path) + ": " + std::to_string(size) + " bytes, " +
                std::to_string(countControls(w.controls)) + " controls");
    line(0, w.name + " (window, ordinal 0)");
    line(1, "window id: " + shell::record::guidText(w.windowId));
    line(1, "interface id: " + shell::record::guidText(w.interfaceId));
    for (const PropertyRule& rule : shell::record::propertyRules(shell::kWindowKindCode)) {
        switch (rule.field) {
        case Field::WindowCaption:
            property(1, rule, quoted(w.caption));
            break;
        case Field::WindowDrawingSetting:
            if (w.drawingSetting)
                property(1, rule, "01 00 42 00");
            break;
        case Field::HelpButton:
            if (w.helpButton)
                property(1, rule, yesNo(*w.helpButton));
            break;
        case Field::BorderStyle:
            property(1, rule, std::to_string(w.borderStyle));
            break;
        case Field::Icon:
            if (w.icon)
                property(1, rule, record_tool::describePicture(w.icon->fileBytes));
            break;
        case Field::LinkTopic:
            property(1, rule, quoted(w.linkTopic));
            break;
        case Field::MaxButton:
            property(1, rule, yesNo(w.maxButton));
            break;
        case Field::MinButton:
            property(1, rule, yesNo(w.minButton));
            break;
        case Field::Client:
            property(1, rule,
                     "left " + std::to_string(w.client.left) + ", top " +
                         std::to_string(w.client.top) + ", width " +
                         std::to_string(w.client.width) + ", height " +
                         std::to_string(w.client.height) + " twips");
            break;
        case Field::ShowInTaskbar:
            property(1, rule, yesNo(w.showInTaskbar));
            break;
        case Field::StartUpPosition:
            property(1, rule, std::to_string(w.startUpPosition));
            break;
        default:
            break;
        }
    }
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
    const auto window = shell::decodeRecord(bytes);
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
