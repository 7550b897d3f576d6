#pragma once

#include "shell/runtime/toolkit.h"

namespace shell::qt {

// The runtime's window system on Qt Widgets.
class QtToolkit : public shell::runtime::Toolkit {
public:
    std::unique_ptr<shell::runtime::LiveWindow>
    realise(const shell::model::WindowDescription& description,
            shell::runtime::WindowEvents& events) override;
    void messageBox(const shell::runtime::MessageBoxRequest& request) override;
    void errorBox(std::string_view title, std::string_view text) override;
    int runMessageLoop() override;
    void quit(int exitCode) override;
};

} // namespace shell::qt
