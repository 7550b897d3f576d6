#pragma once

#include "shell/model/window_description.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace shell::record {

// "{33AD4F3A-6699-11CF-B70C-00AA0060D393}"
std::string guidText(const model::Guid& guid);

// A GUID from its 16 stored bytes, in the usual mixed-endian layout: the
// first three fields little-endian, the last eight bytes as they come.
model::Guid guidFromBytes(std::span<const std::uint8_t, 16> bytes);
void appendGuid(std::vector<std::uint8_t>& out, const model::Guid& guid);

} // namespace shell::record
