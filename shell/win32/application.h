#pragma once

#include "shell/runtime/project.h"

// The runtime's entry on Windows: starts the project on Win32 controls, runs
// the message loop and ends the process with the program's exit status.
// Does not return.
[[noreturn]] void ThunRTMain(const shell::runtime::ProjectDescriptor& project);
