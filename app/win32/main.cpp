#include "app/project_descriptor.h"
#include "shell/win32/application.h"

// The wide-character entry point (-municode); the program takes no arguments
// and the runtime never returns.
extern "C" int wmain(int, wchar_t**) {
    ThunRTMain(app::projectDescriptor());
}
