#pragma once

#include "shell/runtime/toolkit.h"

namespace qtshell {

// The runtime's window system on Qt Widgets.
class QtToolkit : public runtime::Toolkit {
public:
    std::unique_ptr<runtime::LiveWindow> realise(const shell::WindowDescription& description,
                                                 runtime::WindowEvents& events) override;
    void messageBox(const runtime::MessageBoxRequest& request) override;
    void errorBox(std::string_view title, std::string_view text) override;
    int runMessageLoop() override;
    void quit(int exitCode) override;
};

} // namespace qtshell
