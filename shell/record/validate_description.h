#pragma once

// What the encoder refuses before writing a byte: names that are not
// identifiers, ordinals that are missing or shared, a field the control's
// kind has no property for, a value out of its property's range, nesting
// too deep. The messages name the window or control and, where one is at
// fault, the property.

#include "shell/model/window_description.h"
#include "shell/record/property_table.h"
#include "shell/support/expected.h"

#include <string>
#include <string_view>

namespace shell::record {

// "control Label3 (ordinal 5)" or "window Form1", with " property 0x01
// (caption)" when a rule is given, then ": " and `what`.
Error descriptionError(std::string_view name, int ordinal, std::string_view what,
                       const PropertyRule* rule = nullptr);

Expected<void> validateDescription(const model::WindowDescription& window);

} // namespace shell::record
