#include "app/project_descriptor.h"
#include "shell/qt/application.h"

int main() {
    // The program takes no arguments; the runtime never returns.
    ThunRTMain(app::projectDescriptor());
}
