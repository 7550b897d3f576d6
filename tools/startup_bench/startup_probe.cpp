// The program's own start-up, timed to the first paint of the main window:
// the same project, runtime and toolkit as the executable, with an event
// filter that ends the loop once the window has been drawn.

#include "app/project_descriptor.h"
#include "first_paint.h"
#include "shell/qt/application.h"
#include "shell/qt/qt_toolkit.h"
#include "shell/runtime/runtime.h"

int main() {
    const auto& project = app::projectDescriptor();
    auto application = shell::qt::createApplication();
    QuitAfterFirstPaint quitter(QStringLiteral("Form1"));
    application->installEventFilter(&quitter);
    shell::qt::QtToolkit toolkit;
    shell::runtime::Runtime runtime(project, toolkit);
    return runtime.run();
}
