#pragma once

// A small window that uses every kind of property the format knows, for
// codec tests that should not depend on the real windows' contents.

#include "shell/model/window_description.h"

namespace record_test {

shell::WindowDescription sampleWindow();

// Bytes the sample's pictures point at; they live for the whole test run.
extern const std::uint8_t kTinyBitmap[30];
extern const std::uint8_t kTinyIcon[22];

} // namespace record_test
