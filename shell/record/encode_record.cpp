#include "shell/record/guid_text.h"
#include "shell/record/location.h"
#include "shell/record/property_table.h"
#include "shell/record/record.h"
#include "shell/text/codepage.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

namespace {

using record::Encoding;
using record::Field;
using record::hexByte;
using record::PropertyRule;
namespace rf = record_format;

bool isIdentifier(std::string_view name) {
    if (name.empty())
        return false;
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (!letter(name[0]))
        return false;
    return std::all_of(name.begin() + 1, name.end(),
                       [&](char c) { return letter(c) || digit(c) || c == '_'; });
}

// The description fields that only some kinds carry, for refusing one that a
// control's kind has no property for.
struct OptionalField {
    Field field;
    std::string_view words;
    bool (*present)(const ControlDescription&);
};

constexpr OptionalField kOptionalFields[] = {
    {Field::Caption, "a caption or text",
     [](const ControlDescription& c) { return c.caption.has_value(); }},
    {Field::BackColour, "a back colour",
     [](const ControlDescription& c) { return c.backColour.has_value(); }},
    {Field::ForeColour, "a fore colour",
     [](const ControlDescription& c) { return c.foreColour.has_value(); }},
    {Field::Font, "a font", [](const ControlDescription& c) { return c.font.has_value(); }},
    {Field::Picture, "a picture",
     [](const ControlDescription& c) { return c.picture.has_value(); }},
    {Field::PictureBorder, "a border style",
     [](const ControlDescription& c) { return c.border.has_value(); }},
    {Field::DrawingSetting, "a drawing setting",
     [](const ControlDescription& c) { return c.drawingSetting.has_value(); }},
};

class Encoder {
public:
    Expected<std::vector<std::uint8_t>> run(const WindowDescription& window);

private:
    struct Subject {
        std::string_view name;
        int ordinal = -1; // -1: the window
    };

    Expected<bool> validate(const WindowDescription& window);
    Expected<bool> validateList(const std::vector<ControlDescription>& list, std::size_t depth,
                                std::vector<const ControlDescription*>& all);
    Expected<bool> validateControl(const ControlDescription& control);

    Expected<bool> writeWindowBlock(const WindowDescription& window);
    Expected<bool> writeControlBlock(const ControlDescription& control);
    Expected<bool> writeList(const std::vector<ControlDescription>& list);
    void beginBlock(std::string_view name, std::uint8_t ordinal, std::uint8_t kindCode);
    Expected<bool> endBlock();

    Expected<bool> writeText(const std::string& utf8);
    Expected<bool> writePicture(const Picture& picture);
    Expected<bool> writeFont(const Font& font);
    void writeRect(const TwipRect& rect);

    void u8(std::uint8_t v) { out_.push_back(v); }
    void u16(std::uint16_t v) {
        out_.push_back(static_cast<std::uint8_t>(v));
        out_.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8)
            out_.push_back(static_cast<std::uint8_t>(v >> shift));
    }
    void patch32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out_[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    }

    // "control Label3 (ordinal 5)", "window Form1", with " property 0x01
    // (caption)" when a property is named.
    Error fail(std::string_view what, const PropertyRule* rule = nullptr) const {
        std::string message = subject_.ordinal < 0 ? "window " : "control ";
        message += subject_.name;
        if (subject_.ordinal >= 0)
            message += " (ordinal " + std::to_string(subject_.ordinal) + ")";
        if (rule) {
            message += " property " + hexByte(rule->id) + " (";
            message += rule->name;
            message += ')';
        }
        message += ": ";
        message += what;
        return Error{std::move(message)};
    }

    std::vector<std::uint8_t> out_;
    Subject subject_;
    const PropertyRule* rule_ = nullptr; // the property being written
    std::size_t blockStart_ = 0;
};

Expected<bool> Encoder::validate(const WindowDescription& window) {
    subject_ = {window.name, -1};
    if (!isIdentifier(window.name) || window.name.size() > rf::kMaxNameLength)
        return fail("expected an ASCII identifier of at most " +
                    std::to_string(rf::kMaxNameLength) + " characters as the name");
    if (window.drawingSetting && *window.drawingSetting != kStandardDrawingSetting)
        return fail("expected drawing setting 0x00420001, got " +
                    record::hexNumber(*window.drawingSetting));
    if (window.borderStyle > 5)
        return fail("expected a border style from 0 to 5, got " +
                    std::to_string(window.borderStyle));
    if (window.startUpPosition > 3)
        return fail("expected a start-up position from 0 to 3, got " +
                    std::to_string(window.startUpPosition));

    std::vector<const ControlDescription*> all;
    if (auto ok = validateList(window.controls, 1, all); !ok)
        return ok;
    subject_ = {window.name, -1};
    if (all.size() > 255)
        return fail("expected at most 255 controls, got " + std::to_string(all.size()));
    std::vector<const ControlDescription*> byOrdinal(256, nullptr);
    for (const ControlDescription* c : all) {
        subject_ = {c->name, c->ordinal};
        if (c->ordinal == 0 || c->ordinal > all.size())
            return fail("expected an ordinal from 1 to " + std::to_string(all.size()) +
                        " (the number of controls)");
        if (byOrdinal[c->ordinal])
            return fail("expected an ordinal no other control has, got the ordinal of " +
                        byOrdinal[c->ordinal]->name);
        byOrdinal[c->ordinal] = c;
    }
    std::vector<const ControlDescription*> byName = all;
    std::stable_sort(byName.begin(), byName.end(),
                     [](const auto* a, const auto* b) { return a->name < b->name; });
    for (std::size_t i = 1; i < byName.size(); ++i) {
        if (byName[i]->name == byName[i - 1]->name) {
            subject_ = {byName[i]->name, byName[i]->ordinal};
            return fail("expected a name no other control has, got the name of ordinal " +
                        std::to_string(byName[i - 1]->ordinal));
        }
    }
    return true;
}

Expected<bool> Encoder::validateList(const std::vector<ControlDescription>& list, std::size_t depth,
                                     std::vector<const ControlDescription*>& all) {
    for (const ControlDescription& control : list) {
        all.push_back(&control);
        subject_ = {control.name, control.ordinal};
        if (auto ok = validateControl(control); !ok)
            return ok;
        if (!control.children.empty()) {
            if (depth + 1 > rf::kMaxDepth)
                return fail("expected at most " + std::to_string(rf::kMaxDepth) +
                            " nested containers, the window included");
            if (auto ok = validateList(control.children, depth + 1, all); !ok)
                return ok;
        }
    }
    return true;
}

Expected<bool> Encoder::validateControl(const ControlDescription& c) {
    if (!isIdentifier(c.name) || c.name.size() > rf::kMaxNameLength)
        return fail("expected an ASCII identifier of at most " +
                    std::to_string(rf::kMaxNameLength) + " characters as the name");
    const auto code = static_cast<std::uint8_t>(c.kind);
    if (!controlKindFromCode(code))
        return fail("expected a control kind (0 to 6, 9 or 10), got " + std::to_string(code));
    const std::string kindName(controlKindName(c.kind));
    for (const OptionalField& f : kOptionalFields)
        if (f.present(c) && !record::findFieldRule(code, f.field))
            return fail("a " + kindName + " cannot carry " + std::string(f.words));
    if (c.value) {
        const PropertyRule* rule = record::findFieldRule(code, Field::CheckValue);
        if (!rule)
            rule = record::findFieldRule(code, Field::OptionValue);
        if (!rule)
            return fail("a " + kindName + " cannot carry a value");
        const std::uint8_t maxValue = rule->field == Field::CheckValue ? rule->maxValue : 1;
        if (*c.value > maxValue)
            return fail("expected a value from 0 to " + std::to_string(maxValue) + ", got " +
                            std::to_string(*c.value),
                        rule);
    }
    if (c.border && static_cast<std::uint8_t>(*c.border) > 1)
        return fail("expected border style 0 or 1, got " +
                        std::to_string(static_cast<unsigned>(*c.border)),
                    record::findFieldRule(code, Field::PictureBorder));
    if (c.drawingSetting && *c.drawingSetting != kStandardDrawingSetting)
        return fail("expected drawing setting 0x00420001, got " +
                        record::hexNumber(*c.drawingSetting),
                    record::findFieldRule(code, Field::DrawingSetting));
    if (!c.children.empty() && !isContainer(c.kind))
        return fail("a " + kindName + " cannot hold controls; only a frame can");
    return true;
}

void Encoder::beginBlock(std::string_view name, std::uint8_t ordinal, std::uint8_t kindCode) {
    blockStart_ = out_.size();
    u32(0); // patched by endBlock
    u8(ordinal);
    u16(static_cast<std::uint16_t>(name.size()));
    out_.insert(out_.end(), name.begin(), name.end());
    u8(0);
    u8(kindCode);
}

Expected<bool> Encoder::endBlock() {
    u8(rf::kEndOfProperties);
    const std::size_t length = out_.size() - blockStart_;
    if (length > std::numeric_limits<std::uint32_t>::max())
        return fail("expected a block of at most 4 GiB, got " + std::to_string(length) + " bytes");
    patch32(blockStart_, static_cast<std::uint32_t>(length));
    return true;
}

Expected<bool> Encoder::writeText(const std::string& utf8) {
    if (utf8.find('\0') != std::string::npos)
        return fail("expected a text without NUL characters, got one at byte " +
                        std::to_string(utf8.find('\0')),
                    rule_);
    auto gbk = text::utf8ToGbk(utf8);
    if (!gbk)
        return fail(gbk.error().message, rule_);
    if (gbk->size() > std::numeric_limits<std::uint16_t>::max())
        return fail("expected at most 65535 bytes in code page 936, got " +
                        std::to_string(gbk->size()),
                    rule_);
    // A character that code page 936 holds only as a look-alike would come
    // back as a different one; refuse it rather than change the text.
    auto back = text::gbkToUtf8({reinterpret_cast<const std::uint8_t*>(gbk->data()), gbk->size()});
    if (!back || *back != utf8)
        return fail("expected a text that reads back the same from code page 936", rule_);
    u16(static_cast<std::uint16_t>(gbk->size()));
    out_.insert(out_.end(), gbk->begin(), gbk->end());
    u8(0);
    return true;
}

Expected<bool> Encoder::writePicture(const Picture& picture) {
    if (picture.format() == Picture::Format::Unknown)
        return fail("expected a bitmap file (42 4d) or an icon file (00 00 01 00)", rule_);
    const std::size_t m = picture.fileBytes.size();
    if (m > std::numeric_limits<std::uint32_t>::max() - 8)
        return fail("expected a picture of less than 4 GiB, got " + std::to_string(m) + " bytes",
                    rule_);
    u32(static_cast<std::uint32_t>(m + 8));
    out_.insert(out_.end(), rf::kPicturePreamble.begin(), rf::kPicturePreamble.end());
    u32(static_cast<std::uint32_t>(m));
    out_.insert(out_.end(), picture.fileBytes.begin(), picture.fileBytes.end());
    return true;
}

Expected<bool> Encoder::writeFont(const Font& font) {
    if (font.weight > rf::kMaxFontWeight)
        return fail("expected a font weight from 0 to 1000, got " + std::to_string(font.weight),
                    rule_);
    if (font.sizeTenThousandths <= 0)
        return fail("expected a font size above 0, got " + std::to_string(font.sizeTenThousandths),
                    rule_);
    auto face = text::utf8ToGbk(font.face);
    if (!face)
        return fail("font name: " + face.error().message, rule_);
    if (face->empty() || face->size() > rf::kMaxFontNameLength ||
        face->find('\0') != std::string::npos)
        return fail("expected a font name of 1 to " + std::to_string(rf::kMaxFontNameLength) +
                        " bytes in code page 936, got " + std::to_string(face->size()),
                    rule_);
    u8(rf::kFontVersion);
    u16(font.charset);
    u8(static_cast<std::uint8_t>((font.italic ? rf::kFontItalic : 0) |
                                 (font.underline ? rf::kFontUnderline : 0) |
                                 (font.strikethrough ? rf::kFontStrikethrough : 0)));
    u16(font.weight);
    u32(static_cast<std::uint32_t>(font.sizeTenThousandths));
    u8(static_cast<std::uint8_t>(face->size()));
    out_.insert(out_.end(), face->begin(), face->end());
    return true;
}

void Encoder::writeRect(const TwipRect& rect) {
    for (const std::int16_t v : {rect.left, rect.top, rect.width, rect.height})
        u16(static_cast<std::uint16_t>(v));
}

Expected<bool> Encoder::writeWindowBlock(const WindowDescription& w) {
    subject_ = {w.name, -1};
    beginBlock(w.name, 0, kWindowKindCode);
    for (const PropertyRule& rule : record::propertyRules(kWindowKindCode)) {
        rule_ = &rule;
        const auto boolean = [&](bool v) {
            u8(rule.id);
            u8(v ? 0xFF : 0x00);
        };
        switch (rule.field) {
        case Field::WindowCaption:
            u8(rule.id);
            if (auto ok = writeText(w.caption); !ok)
                return ok;
            break;
        case Field::WindowDrawingSetting:
            if (w.drawingSetting) {
                u8(rule.id);
                u32(*w.drawingSetting);
            }
            break;
        case Field::HelpButton:
            if (w.helpButton)
                boolean(*w.helpButton);
            break;
        case Field::BorderStyle:
            u8(rule.id);
            u8(w.borderStyle);
            break;
        case Field::Icon:
            if (w.icon) {
                u8(rule.id);
                if (auto ok = writePicture(*w.icon); !ok)
                    return ok;
            }
            break;
        case Field::LinkTopic:
            u8(rule.id);
            if (auto ok = writeText(w.linkTopic); !ok)
                return ok;
            break;
        case Field::MaxButton:
            boolean(w.maxButton);
            break;
        case Field::MinButton:
            boolean(w.minButton);
            break;
        case Field::Client:
            u8(rule.id);
            for (const std::int32_t v :
                 {w.client.left, w.client.top, w.client.width, w.client.height})
                u32(static_cast<std::uint32_t>(v));
            break;
        case Field::ShowInTaskbar:
            boolean(w.showInTaskbar);
            break;
        case Field::StartUpPosition:
            u8(rule.id);
            u8(w.startUpPosition);
            break;
        default:
            return fail("the window's property table names a control field", &rule);
        }
    }
    rule_ = nullptr;
    return endBlock();
}

Expected<bool> Encoder::writeControlBlock(const ControlDescription& c) {
    subject_ = {c.name, c.ordinal};
    const auto code = static_cast<std::uint8_t>(c.kind);
    beginBlock(c.name, c.ordinal, code);
    for (const PropertyRule& rule : record::propertyRules(code)) {
        rule_ = &rule;
        switch (rule.field) {
        case Field::Caption:
            if (c.caption) {
                u8(rule.id);
                if (auto ok = writeText(*c.caption); !ok)
                    return ok;
            }
            break;
        case Field::BackColour:
            if (c.backColour) {
                u8(rule.id);
                u32(c.backColour->raw);
            }
            break;
        case Field::ForeColour:
            if (c.foreColour) {
                u8(rule.id);
                u32(c.foreColour->raw);
            }
            break;
        case Field::Font:
            if (c.font) {
                u8(rule.id);
                if (auto ok = writeFont(*c.font); !ok)
                    return ok;
            }
            break;
        case Field::Picture:
            if (c.picture) {
                u8(rule.id);
                if (auto ok = writePicture(*c.picture); !ok)
                    return ok;
            }
            break;
        case Field::Rect:
            u8(rule.id);
            writeRect(c.rect);
            break;
        case Field::TabIndex:
            u8(rule.id);
            u16(c.tabIndex);
            break;
        case Field::DrawingSetting:
            if (c.drawingSetting) {
                u8(rule.id);
                u32(*c.drawingSetting);
            }
            break;
        case Field::PictureBorder:
            if (c.border) {
                u8(rule.id);
                u8(static_cast<std::uint8_t>(*c.border));
            }
            break;
        case Field::CheckValue:
            if (c.value) {
                u8(rule.id);
                u8(*c.value);
            }
            break;
        case Field::OptionValue:
            if (c.value) {
                u8(rule.id);
                u8(*c.value ? 0xFF : 0x00);
            }
            break;
        default:
            return fail("the control's property table names a window field", &rule);
        }
    }
    rule_ = nullptr;
    return endBlock();
}

Expected<bool> Encoder::writeList(const std::vector<ControlDescription>& list) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        const ControlDescription& c = list[i];
        if (auto ok = writeControlBlock(c); !ok)
            return ok;
        if (!c.children.empty()) {
            u8(rf::kChildrenFollow);
            if (auto ok = writeList(c.children); !ok)
                return ok;
        }
        u8(i + 1 < list.size() ? rf::kNextSibling : rf::kEndOfList);
    }
    return true;
}

Expected<std::vector<std::uint8_t>> Encoder::run(const WindowDescription& window) {
    if (auto ok = validate(window); !ok)
        return ok.error();
    std::size_t count = 0;
    for (const auto& c : window.controls) {
        // validate() has checked the count fits a byte.
        std::vector<const ControlDescription*> stack{&c};
        while (!stack.empty()) {
            const ControlDescription* top = stack.back();
            stack.pop_back();
            ++count;
            for (const auto& child : top->children)
                stack.push_back(&child);
        }
    }

    u8(rf::kLeadByte);
    out_.insert(out_.end(), rf::kHeaderMagic.begin(), rf::kHeaderMagic.end());
    u8(static_cast<std::uint8_t>(count));
    record::appendGuid(out_, window.windowId);
    record::appendGuid(out_, window.interfaceId);
    record::appendGuid(out_, rf::kWindowClassId);
    out_.insert(out_.end(), rf::kZeroSize, 0);
    u32(0); // the length, patched below

    if (auto ok = writeWindowBlock(window); !ok)
        return ok.error();
    if (!window.controls.empty()) {
        u8(rf::kChildrenFollow);
        if (auto ok = writeList(window.controls); !ok)
            return ok.error();
    }
    u8(rf::kEndOfRecord);

    const std::size_t length = out_.size() - rf::kLengthOffset;
    if (length > std::numeric_limits<std::uint32_t>::max()) {
        subject_ = {window.name, -1};
        return fail("expected a record of at most 4 GiB, got " + std::to_string(out_.size()) +
                    " bytes");
    }
    patch32(rf::kLengthOffset, static_cast<std::uint32_t>(length));
    return std::move(out_);
}

} // namespace

Expected<std::vector<std::uint8_t>> encodeRecord(const WindowDescription& window) {
    return Encoder().run(window);
}

} // namespace shell
