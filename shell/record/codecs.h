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

// What a codec reads from: the block's bytes, and the reader that converts
// its texts.
struct PropertyInput {
    ByteReader& bytes;
    text::CodePage936Reader& texts;
};

// The members every codec has, for a description value of type Value.
#define LANSU_RECORD_CODEC(Value)                                                                  \
    static Expected<void> read(PropertyInput& in, Value& out);                                     \
    static Expected<void> write(ByteWriter& out, const Value& value);                              \
    static std::string describe(const Value& value)

struct TextCodec {
    LANSU_RECORD_CODEC(std::string);
};

struct BooleanCodec {
    LANSU_RECORD_CODEC(bool);
};

// One byte from 0 to Max; `Noun` words the setting for the encoder's check
// ("a border style").
Expected<std::uint8_t> readSmallInt(PropertyInput& in, std::uint8_t max);
Expected<void> checkSmallInt(std::uint8_t value, std::uint8_t max, const char* noun);

template <std::uint8_t Max, const char* Noun> struct SmallIntCodec {
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
    LANSU_RECORD_CODEC(std::uint8_t);
    static Expected<void> check(std::uint8_t value);
};

struct PictureBorderCodec {
    LANSU_RECORD_CODEC(model::PictureBorder);
    static Expected<void> check(model::PictureBorder value);
};

struct TabIndexCodec {
    LANSU_RECORD_CODEC(std::uint16_t);
};

struct ColourCodec {
    LANSU_RECORD_CODEC(model::Colour);
};

struct RectCodec {
    LANSU_RECORD_CODEC(model::TwipRect);
};

struct ClientRectCodec {
    LANSU_RECORD_CODEC(model::ClientRect);
};

struct FontCodec {
    LANSU_RECORD_CODEC(model::Font);
};

struct PictureCodec {
    static Expected<void> read(PropertyInput& in, std::optional<model::Picture>& out);
    static Expected<void> write(ByteWriter& out, const model::Picture& value);
    static std::string describe(const model::Picture& value);
};

// The drawing setting every window and picture box stores with one value.
struct DrawingSettingCodec {
    LANSU_RECORD_CODEC(std::uint32_t);
    static Expected<void> check(std::uint32_t value);
};

#undef LANSU_RECORD_CODEC

} // namespace shell::record
