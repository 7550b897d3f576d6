#pragma once

#include "shell/runtime/project.h"

namespace app {

// Everything the runtime needs to know about the program.
const shell::runtime::ProjectDescriptor& projectDescriptor();

} // namespace app
