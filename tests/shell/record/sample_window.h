#pragma once

// A small window that uses every kind of property the format knows, for
// codec tests that should not depend on the real windows' contents.

#include "shell/model/window_description.h"
#include "tests/shell/record/test_pictures.h"

#include <vector>

namespace record_test {

shell::model::WindowDescription sampleWindow();

// The sample's settings holding only Frame1 .. Frame`depth` (ordinals 1 ..
// depth), each inside the one before; the innermost holds `inner`.
shell::model::WindowDescription nestedFrames(int depth,
                                             std::vector<shell::model::ControlDescription> inner);

shell::model::ControlDescription makeControl(std::uint8_t ordinal, const char* name,
                                             shell::model::ControlKind kind,
                                             shell::model::TwipRect rect = {},
                                             std::uint16_t tab = 0);

// The window's icon, then every picture box's picture, in description order.
std::vector<shell::model::Picture> windowPictures(const shell::model::WindowDescription& w);

// The record of `w`; empty, with a test failure, if the encoder refuses it.
std::vector<std::uint8_t> encoded(const shell::model::WindowDescription& w);

} // namespace record_test
