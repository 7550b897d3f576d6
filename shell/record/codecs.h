#pragma once

// How each kind of property value is laid out in a record: read (checking
// every byte), written, checked before writing and described for a reader.
// The property table binds one codec to each model field.

#include "shell/model/window_description.h"
#include "shell/record/byte_reader.h"
#include "shell/record/byte_writer.h"
#include "shell/record/text_batch.h"
#include "shell/support/expected.h"

#include <cstdint>
#include <string>

namespace shell::record {

// A property value's layout, as tests and fault finders walk it.
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

// What a codec reads from: the block's bytes, and the batch its texts join.
struct PropertyInput {
    ByteReader& bytes;
    TextBatch& texts;
};

struct TextCodec {
    static constexpr Encoding kEncoding = Encoding::Text;
    static Expected<void> read(PropertyInput& in, std::string& out);
    static Expected<void> write(ByteWriter& out, const std::string& utf8);
    static std::string describe(const std::string& utf8);
};

struct BooleanCodec {
    static constexpr Encoding kEncoding = Encoding::Boolean;
    static Expected<void> read(PropertyInput& in, bool& out);
    static Expected<void> write(ByteWriter& out, bool value);
    static std::string describe(bool value);
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
    static Expected<void> write(ByteWriter& out, std::uint8_t value) {
        out.u8(value);
        return {};
    }
    static std::string describe(std::uint8_t value) { return std::to_string(value); }
};

inline constexpr char kBorderStyleNoun[] = "a border style";
inline constexpr char kStartUpPositionNoun[] = "a start-up position";
inline constexpr char kValueNoun[] = "a value";

// A check box: 0 unchecked, 1 checked, 2 grayed.
struct CheckValueCodec : SmallIntCodec<2, kValueNoun> {
    static std::string describe(std::uint8_t value);
};

// An option button's value, 0 or 1 in the description, stored as a boolean.
struct OptionValueCodec {
    static constexpr Encoding kEncoding = Encoding::Boolean;
    static Expected<void> read(PropertyInput& in, std::uint8_t& out);
    static Expected<void> check(std::uint8_t value);
    static Expected<void> write(ByteWriter& out, std::uint8_t value);
    static std::string describe(std::uint8_t value);
};

struct PictureBorderCodec {
    static constexpr Encoding kEncoding = Encoding::SmallInt;
    static Expected<void> read(PropertyInput& in, PictureBorder& out);
    static Expected<void> check(PictureBorder value);
    static Expected<void> write(ByteWriter& out, PictureBorder value);
    static std::string describe(PictureBorder value);
};

struct TabIndexCodec {
    static constexpr Encoding kEncoding = Encoding::Word;
    static Expected<void> read(PropertyInput& in, std::uint16_t& out);
    static Expected<void> write(ByteWriter& out, std::uint16_t value);
    static std::string describe(std::uint16_t value);
};

struct ColourCodec {
    static constexpr Encoding kEncoding = Encoding::Colour;
    static Expected<void> read(PropertyInput& in, Colour& out);
    static Expected<void> write(ByteWriter& out, Colour value);
    static std::string describe(Colour value);
};

struct RectCodec {
    static constexpr Encoding kEncoding = Encoding::Rect;
    static Expected<void> read(PropertyInput& in, TwipRect& out);
    static Expected<void> write(ByteWriter& out, const TwipRect& rect);
    static std::string describe(const TwipRect& rect);
};

struct ClientRectCodec {
    static constexpr Encoding kEncoding = Encoding::ClientRect;
    static Expected<void> read(PropertyInput& in, ClientRect& out);
    static Expected<void> write(ByteWriter& out, const ClientRect& rect);
    static std::string describe(const ClientRect& rect);
};

struct FontCodec {
    static constexpr Encoding kEncoding = Encoding::Font;
    // The face joins the text batch: `out` must stay where it is until the
    // batch is converted.
    static Expected<void> read(PropertyInput& in, Font& out);
    static Expected<void> write(ByteWriter& out, const Font& font);
    static std::string describe(const Font& font);
};

struct PictureCodec {
    static constexpr Encoding kEncoding = Encoding::Picture;
    static Expected<void> read(PropertyInput& in, Picture& out);
    static Expected<void> write(ByteWriter& out, const Picture& picture);
    static std::string describe(const Picture& picture);
};

// The drawing setting every window and picture box stores with one value.
struct DrawingSettingCodec {
    static constexpr Encoding kEncoding = Encoding::Constant;
    static Expected<void> read(PropertyInput& in, std::uint32_t& out);
    static Expected<void> check(std::uint32_t value);
    static Expected<void> write(ByteWriter& out, std::uint32_t value);
    static std::string describe(std::uint32_t value);
};

} // namespace shell::record
