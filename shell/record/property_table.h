#pragma once

// Which properties each block kind carries: one row per property, binding
// its identifier and name to the codec that lays its value out and to the
// description field it fills. The decoder, the encoder, the encoder's
// checks and the record tool all loop over these rows, so adding a
// property is adding a row.

#include "shell/model/window_description.h"
#include "shell/record/byte_writer.h"
#include "shell/record/codecs.h"
#include "shell/support/expected.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace shell::record {

// The description a block belongs to: the window (control null) or one of
// its controls.
struct Fields {
    model::WindowDescription* window = nullptr;
    model::ControlDescription* control = nullptr;
};
struct ConstFields {
    const model::WindowDescription* window = nullptr;
    const model::ControlDescription* control = nullptr;
};

struct PropertyRule {
    std::uint8_t kindCode; // 0 to 10 for controls, 13 for the window
    std::uint8_t id;
    std::string_view name;
    Encoding encoding;
    // The description field the property fills: rules that share one fill
    // the same field.
    const void* field;
    // "a caption or text": how the encoder names the field when refusing it
    // to a kind that has no rule for it.
    std::string_view fieldWords;

    // Reads the value into the field.
    Expected<void> (*read)(PropertyInput& in, Fields fields);
    // Whether the description holds a value to write: false for an absent
    // optional field.
    bool (*present)(ConstFields fields);
    // Refuses a value the record cannot hold, before anything is written.
    Expected<void> (*check)(ConstFields fields);
    Expected<void> (*write)(ByteWriter& out, ConstFields fields);
    std::string (*describe)(ConstFields fields);
};

// The rules of one kind code, in ascending identifier order; empty for a
// code that is no kind.
std::span<const PropertyRule> propertyRules(std::uint8_t kindCode);

// The rule for `id` in `kindCode`, or null when that kind has no such
// property.
const PropertyRule* findPropertyRule(std::uint8_t kindCode, std::uint8_t id);

// Every control kind's rules, for finding a field some kind may not carry.
std::span<const PropertyRule> controlRules();

// Whether `kindCode` has a rule filling `field` (a PropertyRule::field).
bool kindCarries(std::uint8_t kindCode, const void* field);

// "window" for 13, else the control kind's name, or "unknown".
std::string_view kindCodeName(std::uint8_t kindCode);

} // namespace shell::record
