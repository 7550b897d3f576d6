#include "tests/app/record_faults.h"

#include "shell/record/property_table.h"
#include "tests/shell/record/record_walker.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>

namespace record_faults {

namespace {

using record_test::le16;
using record_test::le32;
using shell::record::Encoding;

using record_test::hex;

// The places worth damaging in one record, found by walking its blocks and
// reading each property by its kind's table: every field with the values
// at and just past the edges a decoder must hold.
class FieldFaults {
public:
    FieldFaults(std::span<const std::uint8_t> r, int window) : r_(r), window_(window) {}

    std::vector<Fault> all() {
        add("control count", 4, 1, {0, r_[4] + 1u, 0xFF});
        add("record length", 89, 4, {le32(r_, 89) - 1, le32(r_, 89) + 1});
        for (const auto& b : record_test::walkBlocks(r_)) {
            block_ = b.name;
            const auto length = static_cast<std::uint32_t>(b.length);
            add("block length", b.offset, 4, {length - 1, length + 1, 0xFFFFFFFF});
            add("ordinal", b.offset + 4, 1, {0, r_[b.offset + 4] + 1u, 0xFF});
            add("name length", b.nameLengthOffset(), 2,
                {0, static_cast<std::uint32_t>(b.name.size()) + 1, 0xFFFF});
            add("kind", b.kindOffset(), 1, {3, 7, 13});
            add("structure code", b.codeOffset, 1, {0, 1, 2, 3, 4, 5});
            const std::uint8_t kind = r_[b.kindOffset()];
            for (std::size_t at = b.firstPropertyOffset(); at < b.closingOffset();)
                at = property(kind, at);
        }
        return std::move(faults_);
    }

    // Pixel rows of every picture: damage there must show, not be refused.
    std::vector<std::pair<std::size_t, std::size_t>> pixels;
    // Where each block's picture value starts, by block name.
    std::map<std::string, std::size_t> pictureValues;

private:
    void add(const std::string& what, std::size_t at, int size,
             std::initializer_list<std::uint32_t> values) {
        for (const std::uint32_t v : values) {
            Bytes bytes(static_cast<std::size_t>(size));
            record_test::putLe(bytes, 0, v, size);
            faults_.push_back({"Form" + std::to_string(window_) + " " + block_ + " " + what +
                                   " at " + hex(at) + " = " +
                                   std::to_string(static_cast<std::int32_t>(v)),
                               window_,
                               at,
                               std::move(bytes),
                               {},
                               0});
        }
    }

    // Adds the faults of the property at `at`; returns the next one's offset.
    std::size_t property(std::uint8_t kind, std::size_t at) {
        const auto* rule = shell::record::findPropertyRule(kind, r_[at]);
        const std::string name(rule->name);
        const std::size_t v = at + 1;
        switch (rule->encoding) {
        case Encoding::Text: {
            const std::uint32_t n = le16(r_, v);
            add(name + " length", v, 2, {0, n - 1, n + 1, 0xFFFF});
            return v + 3 + n;
        }
        case Encoding::Boolean:
        case Encoding::SmallInt:
            add(name, v, 1, {1, 2, 3, 0xFE});
            return v + 1;
        case Encoding::Word:
            add(name, v, 2, {0, 0xFFFF});
            return v + 2;
        case Encoding::Colour:
            add(name, v, 4, {0x800000FF, 0xFFFFFFFF});
            return v + 4;
        case Encoding::Constant:
            add(name, v + 1, 1, {1});
            return v + 4;
        case Encoding::Rect:
            for (std::size_t i = 0; i < 4; ++i)
                add(name + " " + std::to_string(i), v + 2 * i, 2, {0, 0xFFFF, 0x7FFF, 0x8000});
            return v + 8;
        case Encoding::ClientRect:
            for (std::size_t i = 0; i < 4; ++i)
                add(name + " " + std::to_string(i), v + 4 * i, 4,
                    {0, 0xFFFFFFFF, 14, 15, 245760, 245761, 0x7FFFFFFF, 0x80000000});
            return v + 16;
        case Encoding::Font:
            add("font version", v, 1, {2});
            add("font charset", v + 1, 2, {0, 0xFFFF});
            add("font flags", v + 3, 1, {0x10, 0x0E});
            add("font weight", v + 4, 2, {0, 1, 1000, 1001, 0xFFFF});
            add("font size", v + 6, 4,
                {0, 1, 9999, 10000, 16380000, 16380001, 0x7FFFFFFF, 0xFFFFFFFF});
            add("font name length", v + 10, 1, {0, r_[v + 10] - 1u, r_[v + 10] + 1u, 32});
            return v + 11 + r_[v + 10];
        case Encoding::Picture:
            return picture(name, v);
        }
        return v;
    }

    std::size_t picture(const std::string& name, std::size_t v) {
        pictureValues[block_] = v;
        const std::uint32_t n = le32(r_, v);
        const std::uint32_t m = le32(r_, v + 8);
        add(name + " length", v, 4, {0, n - 1, n + 1});
        add(name + " preamble", v + 4, 1, {0x6D});
        add(name + " file length", v + 8, 4, {m - 1, m + 1});
        const std::size_t f = v + 12;
        if (r_[f] == 'B') {
            const std::uint32_t w = le32(r_, f + 18), h = le32(r_, f + 22);
            add("bitmap signature", f + 1, 1, {'N'});
            add("bitmap file size", f + 2, 4, {m - 1, m + 1, 0});
            add("bitmap pixel offset", f + 10, 4, {0, 53, 55});
            add("bitmap header size", f + 14, 4, {12, 108});
            add("bitmap width", f + 18, 4, {0, w - 1, w + 1, 0x7FFFFFFF, 0 - w});
            add("bitmap height", f + 22, 4, {0, h - 1, h + 1, 0 - h, 0x80000000});
            add("bitmap planes", f + 26, 2, {0, 2});
            add("bitmap bits", f + 28, 2, {1, 8, 32});
            add("bitmap compression", f + 30, 4, {1, 3});
            add("bitmap image size", f + 34, 4, {0, le32(r_, f + 34) + 1});
            add("bitmap colours used", f + 46, 4, {1, 256});
            pixels.emplace_back(f + 54, f + m);
        } else {
            const std::size_t e = f + 6, i = f + le32(r_, e + 12);
            add("icon count", f + 4, 2, {0, 2, 0xFFFF});
            add("icon entry width", e, 1, {0, 16, 33});
            add("icon entry height", e + 1, 1, {0, 31});
            add("icon entry bits", e + 6, 2, {0, 24});
            add("icon entry size", e + 8, 4, {le32(r_, e + 8) - 1, le32(r_, e + 8) + 1});
            add("icon entry offset", e + 12, 4, {0, 21, 23, 0xFFFFFFFF});
            add("icon image header size", i, 4, {12, 0x474E5089});
            add("icon image width", i + 4, 4, {0, 31, 64});
            add("icon image height", i + 8, 4, {32, 63, 65});
            add("icon image planes", i + 12, 2, {0});
            add("icon image bits", i + 14, 2, {8, 24});
            add("icon image compression", i + 16, 4, {3});
            pixels.emplace_back(i + 40, f + m);
        }
        return f + m;
    }

    std::span<const std::uint8_t> r_;
    int window_;
    std::string block_;
    std::vector<Fault> faults_;
};

std::vector<Fault> faultsOf(std::span<const std::uint8_t> r, int window, std::size_t count,
                            std::mt19937& random) {
    FieldFaults fields(r, window);
    std::vector<Fault> candidates = fields.all();
    std::shuffle(candidates.begin(), candidates.end(), random);
    // The window's size and position and the pictures' headers first: the
    // faults that once gave an unseen window or a blank picture.
    std::stable_partition(candidates.begin(), candidates.end(), [](const Fault& f) {
        return f.name.find("client rectangle") != std::string::npos ||
               f.name.find(" bitmap ") != std::string::npos ||
               f.name.find(" icon ") != std::string::npos;
    });
    // About half whole fields, a few pictures re-encoded shorter or longer,
    // the rest single bytes: most outside the pixels, some inside.
    const std::size_t fieldCount = std::min(candidates.size(), count / 2);
    std::vector<Fault> out(candidates.begin(), candidates.begin() + static_cast<long>(fieldCount));

    const std::string form = "Form" + std::to_string(window);
    for (const auto& [block, value] : fields.pictureValues)
        for (const long resize : {-1L, -40L, 1L, 3L})
            out.push_back({form + " " + block + " picture " +
                               (resize < 0 ? "cut by " : "extended by ") +
                               std::to_string(std::labs(resize)),
                           window,
                           value,
                           {},
                           block,
                           resize});

    const auto inPixels = [&](std::size_t at) {
        return std::any_of(fields.pixels.begin(), fields.pixels.end(),
                           [at](const auto& p) { return at >= p.first && at < p.second; });
    };
    std::uniform_int_distribution<std::size_t> anywhere(0, r.size() - 1);
    std::uniform_int_distribution<int> bit(0, 7), byte(0, 255);
    while (out.size() < count) {
        const bool pixel = out.size() % 4 == 0;
        std::size_t at = anywhere(random);
        while (inPixels(at) != pixel)
            at = anywhere(random);
        const bool flip = out.size() % 2 == 0;
        std::uint8_t value = flip ? static_cast<std::uint8_t>(r[at] ^ (1u << bit(random)))
                                  : static_cast<std::uint8_t>(byte(random));
        if (value == r[at])
            value = static_cast<std::uint8_t>(~value);
        char buffer[80];
        std::snprintf(buffer, sizeof buffer, " byte %s%s = 0x%02x", hex(at).c_str(),
                      pixel ? " (pixels)" : "", value);
        out.push_back({form + buffer, window, at, {value}, {}, 0});
    }
    return out;
}

} // namespace

std::vector<Fault> makeFaults(std::span<const std::uint8_t> form1,
                              std::span<const std::uint8_t> form2, std::size_t perWindow,
                              std::uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<Fault> faults = faultsOf(form1, 1, perWindow, random);
    for (auto& f : faultsOf(form2, 2, perWindow, random))
        faults.push_back(std::move(f));
    return faults;
}

Bytes applyFault(std::span<const std::uint8_t> record, const Fault& fault) {
    Bytes out(record.begin(), record.end());
    if (fault.resize != 0)
        record_test::resizePicture(out,
                                   record_test::block(record_test::walkBlocks(record), fault.block),
                                   fault.at, fault.resize, 0xA5);
    else
        std::copy(fault.bytes.begin(), fault.bytes.end(),
                  out.begin() + static_cast<long>(fault.at));
    return out;
}

} // namespace record_faults
