// The text form's writer: every present property goes through its row's
// write into record bytes, and those bytes are spelt out by their encoding.

#include "shell/record/byte_reader.h"
#include "shell/record/byte_writer.h"
#include "shell/record/guid_text.h"
#include "shell/record/location.h"
#include "shell/record/property_table.h"
#include "shell/record/text_form.h"
#include "shell/support/little_endian.h"
#include "shell/text/codepage.h"

#include <cstdio>
#include <span>

namespace shell::record {

namespace {

using Bytes = std::span<const std::uint8_t>;

// Code page 936 bytes as a quoted UTF-8 text; bytes that are not code page
// 936 (never in a description that encodes) stay visible as escapes.
std::string quotedGbk(Bytes gbk) {
    std::string utf8;
    const Bytes texts[] = {gbk};
    std::string* const outs[] = {&utf8};
    if (!text::appendGbkAsUtf8(texts, outs))
        return quoted(asText(gbk), Quote::RawBytes);
    return quoted(utf8, Quote::Utf8);
}

std::string hex32(std::uint32_t v) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08x", static_cast<unsigned>(v));
    return buffer;
}

template <typename T> std::string sides(Bytes b) {
    std::string out;
    for (std::size_t i = 0; i < 4; ++i)
        out += std::to_string(loadLittleEndian<T>(&b[i * sizeof(T)])) + " ";
    return out + "twips";
}

// 157500 -> "15.75": points with the ten-thousandths kept exactly.
std::string points(std::int32_t tenThousandths) {
    const std::int64_t v = tenThousandths;
    const std::int64_t magnitude = v < 0 ? -v : v;
    std::string out;
    if (v < 0)
        out += '-';
    out += std::to_string(magnitude / 10000);
    char fraction[8];
    std::snprintf(fraction, sizeof fraction, ".%04d", static_cast<int>(magnitude % 10000));
    std::string_view digits(fraction);
    while (digits.back() == '0')
        digits.remove_suffix(1);
    if (digits.size() > 1)
        out += digits;
    return out;
}

std::string font(Bytes b) {
    // version, character set, flags, weight, size, face length, face
    const std::uint8_t flags = b[3];
    std::string out = quotedGbk(b.subspan(11, b[10])) + " " +
                      points(loadLittleEndian<std::int32_t>(&b[6])) + " pt, weight " +
                      std::to_string(loadLittleEndian<std::uint16_t>(&b[4])) + ", character set " +
                      std::to_string(loadLittleEndian<std::uint16_t>(&b[1]));
    if (flags & 0x02)
        out += ", italic";
    if (flags & 0x04)
        out += ", underline";
    if (flags & 0x08)
        out += ", strikethrough";
    return out;
}

class Writer {
public:
    explicit Writer(std::string_view stem) : stem_(stem) {}

    void block(int depth, std::string_view blockName, std::uint8_t kindCode, ConstFields fields) {
        for (const PropertyRule& rule : propertyRules(kindCode)) {
            if (!rule.present(fields))
                continue;
            ByteWriter bytes;
            // A description that does not encode is refused by the encoder
            // with its reason; here the value is shown as far as it goes.
            const bool written = rule.write(bytes, fields).hasValue();
            line(depth, std::string(rule.name) + " = " +
                            (written ? value(rule, blockName, bytes.buffer())
                                     : "# cannot be encoded: " + rule.describe(fields)));
        }
    }

    void control(const ControlDescription& c, int depth) {
        line(depth, std::string(controlKindName(c.kind)) + " " + c.name + " ordinal " +
                        std::to_string(c.ordinal));
        block(depth + 1, c.name, static_cast<std::uint8_t>(c.kind), {nullptr, &c});
        for (const ControlDescription& child : c.children)
            control(child, depth + 1);
    }

    TextForm take() { return std::move(out_); }

    void line(int depth, const std::string& text) {
        out_.text.append(static_cast<std::size_t>(depth) * 2, ' ');
        out_.text += text;
        out_.text += '\n';
    }

private:
    std::string value(const PropertyRule& rule, std::string_view blockName, Bytes b) {
        switch (rule.encoding) {
        case Encoding::Text:
            return quotedGbk(b.subspan(2, b.size() - 3));
        case Encoding::Boolean:
            return b[0] ? "true" : "false";
        case Encoding::SmallInt:
            return std::to_string(b[0]);
        case Encoding::Word:
            return std::to_string(loadLittleEndian<std::uint16_t>(b.data()));
        case Encoding::Colour:
            return hex32(loadLittleEndian<std::uint32_t>(b.data()));
        case Encoding::Rect:
            return sides<std::int16_t>(b);
        case Encoding::ClientRect:
            return sides<std::int32_t>(b);
        case Encoding::Font:
            return font(b);
        case Encoding::Picture:
            return picture(blockName, b.subspan(12));
        case Encoding::Constant:
            return byteList(b);
        }
        return byteList(b);
    }

    std::string picture(std::string_view blockName, Bytes file) {
        const bool icon = file.size() >= 2 && file[0] == 0 && file[1] == 0;
        std::string name =
            std::string(stem_) + "." + std::string(blockName) + (icon ? ".ico" : ".bmp");
        out_.pictures.push_back({name, {file.begin(), file.end()}});
        return "file " + quoted(name, Quote::Utf8);
    }

    std::string_view stem_;
    TextForm out_;
};

} // namespace

TextForm writeTextForm(const WindowDescription& window, std::string_view stem) {
    Writer w(stem);
    w.line(0, "window " + window.name);
    w.line(1, "window id = " + guidText(window.windowId));
    w.line(1, "interface id = " + guidText(window.interfaceId));
    w.block(1, window.name, kWindowKindCode, {&window, nullptr});
    for (const ControlDescription& c : window.controls)
        w.control(c, 1);
    return w.take();
}

} // namespace shell::record
