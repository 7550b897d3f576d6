#include "shell/win32/application.h"

#include "shell/runtime/runtime.h"
#include "shell/win32/win32_api.h"
#include "shell/win32/win32_toolkit.h"

#include <cstdlib>

namespace {

int runProject(const runtime::ProjectDescriptor& project) {
    // Loads the common controls the manifest asks for (version 6), so the
    // controls follow the desktop's visual style.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    win32shell::Win32Toolkit toolkit;
    runtime::Runtime runtime(project, toolkit);
    return runtime.run();
}

} // namespace

void ThunRTMain(const runtime::ProjectDescriptor& project) {
    const int status = runProject(project);
    std::exit(status);
}
