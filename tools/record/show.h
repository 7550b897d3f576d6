#pragma once

#include "shell/model/window_description.h"

// Shows the window in the program's Qt toolkit, every control with its
// standard behaviour and no procedures, until it is closed; returns the
// exit status. Builds without Qt say so and return 1.
int showWindow(const shell::WindowDescription& window);
