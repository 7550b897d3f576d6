#pragma once

// How each kind of property value is laid out in a record: read (checking
// every byte), written, checked before writing and described for a reader.
// The property table binds one codec to each model field.

#include "shell/model/window_description.h"
#include "shell/record/byte_reader.h"
#include "shell/record/byte_writer.h"
#include "shell/support/expected.h"
#include "shell/text/codepage.h"

#include <cstdint>
#include <string>

namespace shell::record {

// A property value's layout, as the text form and fault finders spell it.
enum class Encoding : std::uint8_t {
    Text,       // 2-byte byte count, code page 936 bytes, 0x00
    Boolean,    // 0x00 false, 0xFF true
    SmallInt,   // one byte from 0 to a maximum
    Word,       // 2 bytes, unsigned
    Colour,     // 4 bytes
    Rect,       // four signed 2-byte values
    ClientRect, // four signed 4-byte values
    Font,       // OLE standard font persistence record
    Picture,    // 4-byte length, then an OLE standard picture persistence record
    Constant,   // 4 bytes 01 00 42 00
};

// What a codec reads from: the block's bytes, and the reader that converts
// its texts.
struct PropertyInput {
    ByteReader& bytes;
    text::CodePage936Reader& texts;
};

// The members every codec has, for a description value of type Value laid
// out as encoding E.
#define LANSU_RECORD_CODEC(Value, E)                                                               \
    static constexpr Encoding kEncoding = E;                                                       \
    static Expected<void> read(PropertyInput& in, Value& out);                                     \
    static Expected<void> write(ByteWriter& out, const Value& value);                              \
    static std::string describe(const Value& value)

struct TextCodec {
    LANSU_RECORD_CODEC(std::string, Encoding::Text);
};

struct BooleanCodec {
    LANSU_RECORD_CODEC(bool, Encoding::Boolean);
};

// One byte from 0 to Max; `Noun` words the setting for the encoder's check
// ("a border style").
Expected<std::uint8_t> readSmallInt(PropertyInput& in, std::uint8_t max);
Expected<void> checkSmallInt(std::uint8_t value, std::uint8_t max, const char* noun);

template <std::uint8_t Max, const char* Noun> struct SmallIntCodec {
    static constexpr Encoding kEncoding = Encoding::SmallInt;
    static Expected<void> read(PropertyInput& in, std::uint8_t& out) {
        LANSU_TRY_ASSIGN(out, readSmallInt(in, Max));
        return {};
    }
    static Expected<void> check(std::uint8_t value) { return checkSmallInt(value, Max, Noun); }
    static Expected<void> write(ByteWriter& out, const std::uint8_t& value) {
        out.u8(value);
        return {};
    }
    static std::string describe(const std::uint8_t& value) { return std::to_string(value); }
};

inline constexpr char kBorderStyleNoun[] = "a border style";
inline constexpr char kStartUpPositionNoun[] = "a start-up position";
inline constexpr char kValueNoun[] = "a value";

// A check box: 0 unchecked, 1 checked, 2 grayed.
struct CheckValueCodec : SmallIntCodec<2, kValueNoun> {
    static std::string describe(const std::uint8_t& value);
};

// An option button's value, 0 or 1 in the description, stored as a boolean.
struct OptionValueCodec {
    LANSU_RECORD_CODEC(std::uint8_t, Encoding::Boolean);
    static Expected<void> check(std::uint8_t value);
};

struct PictureBorderCodec {
    LANSU_RECORD_CODEC(model::PictureBorder, Encoding::SmallInt);
    static Expected<void> check(model::PictureBorder value);
};

struct TabIndexCodec {
    LANSU_RECORD_CODEC(std::uint16_t, Encoding::Word);
};

struct ColourCodec {
    LANSU_RECORD_CODEC(model::Colour, Encoding::Colour);
};

struct RectCodec {
    LANSU_RECORD_CODEC(model::TwipRect, Encoding::Rect);
};

struct ClientRectCodec {
    LANSU_RECORD_CODEC(model::ClientRect, Encoding::ClientRect);
};

struct FontCodec {
    LANSU_RECORD_CODEC(model::Font, Encoding::Font);
};

struct PictureCodec {
    static constexpr Encoding kEncoding = Encoding::Picture;
    static Expected<void> read(PropertyInput& in, std::optional<model::Picture>& out);
    static Expected<void> write(ByteWriter& out, const model::Picture& value);
    static std::string describe(const model::Picture& value);
};

// The drawing setting every window and picture box stores with one value.
struct DrawingSettingCodec {
    LANSU_RECORD_CODEC(std::uint32_t, Encoding::Constant);
    static Expected<void> check(std::uint32_t value);
};

#undef LANSU_RECORD_CODEC

} // namespace shell::record
