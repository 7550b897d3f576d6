#pragma once

// A window description held as one byte record: a 93-byte header, then the
// window's block and one block per control, linked by structure codes.
//
//   decodeRecord  record bytes -> WindowDescription, checking every length,
//                 code and value; pictures stay views into the record.
//   encodeRecord  WindowDescription -> record bytes, refusing anything the
//                 format cannot hold.
//
// Neither throws: a failure comes back as an Error whose message names the
// offset, the block (name and ordinal) and the property where it was found.

#include "shell/model/window_description.h"
#include "shell/record/format.h"
#include "shell/support/expected.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace shell::record {

// Decodes a record. Pictures in the result are views into `record`, which
// must outlive the description.
Expected<model::WindowDescription> decodeRecord(std::span<const std::uint8_t> record);

// Encodes a description. Computes the control count, every block length and
// the header's length field. Fails, naming the control and property, on a
// field the control's kind cannot carry, an unknown kind, a text with a
// character code page 936 cannot hold, a name that is not an ASCII
// identifier, duplicate or out-of-range ordinals, or a value out of range.
Expected<std::vector<std::uint8_t>> encodeRecord(const model::WindowDescription& window);

} // namespace shell::record
