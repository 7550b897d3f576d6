#include "shell/win32/application.h"

#include "shell/runtime/runtime.h"
#include "shell/support/win32_api.h"
#include "shell/win32/win32_toolkit.h"

#include <cstdlib>
#include <objbase.h>

namespace {

// COM on the program's one thread, so that screen readers can be handed the
// windows' accessible objects; ended after every window is gone.
class ComApartment {
public:
    ComApartment() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComApartment() {
        if (initialised_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_;
};

int runProject(const shell::runtime::ProjectDescriptor& project) {
    // Loads the common controls the manifest asks for (version 6), so the
    // controls follow the desktop's visual style.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    ComApartment com;
    shell::win32::Win32Toolkit toolkit;
    shell::runtime::Runtime runtime(project, toolkit);
    return runtime.run();
}

} // namespace

void ThunRTMain(const shell::runtime::ProjectDescriptor& project) {
    const int status = runProject(project);
    std::exit(status);
}
