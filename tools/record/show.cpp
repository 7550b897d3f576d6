#include "tools/record/show.h"

#include "shell/qt/application.h"
#include "shell/qt/qt_toolkit.h"

#include <cstdio>

namespace {

// Closing the window ends the loop; clicks do nothing, as in a window whose
// procedures are all empty.
class QuitWhenClosed : public runtime::WindowEvents {
public:
    explicit QuitWhenClosed(runtime::Toolkit& toolkit) : toolkit_(toolkit) {}
    void clicked(std::string_view) override {}
    void closed() override { toolkit_.quit(0); }

private:
    runtime::Toolkit& toolkit_;
};

} // namespace

int showWindow(const shell::WindowDescription& window) {
    const auto application = qtshell::createApplication();
    qtshell::QtToolkit toolkit;
    QuitWhenClosed events(toolkit);
    const auto live = toolkit.realise(window, events);
    if (!live) {
        std::fprintf(stderr, "lansu_record: the window %s cannot be shown\n", window.name.c_str());
        return 1;
    }
    if (live->show() != runtime::kOk) {
        std::fprintf(stderr, "lansu_record: the window %s did not show\n", window.name.c_str());
        return 1;
    }
    return toolkit.runMessageLoop();
}
