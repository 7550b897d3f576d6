#pragma once

#include "shell/runtime/toolkit.h"
#include "shell/support/win32_api.h"

namespace shell::win32 {

// The runtime's window system on the Win32 API.
class Win32Toolkit : public shell::runtime::Toolkit {
public:
    Win32Toolkit();
    ~Win32Toolkit() override;
    Win32Toolkit(const Win32Toolkit&) = delete;
    Win32Toolkit& operator=(const Win32Toolkit&) = delete;

    std::unique_ptr<shell::runtime::LiveWindow>
    realise(const shell::model::WindowDescription& description,
            shell::runtime::WindowEvents& events) override;
    void messageBox(const shell::runtime::MessageBoxRequest& request) override;
    void errorBox(std::string_view title, std::string_view text) override;
    int runMessageLoop() override;
    void quit(int exitCode) override;

    // The hidden window that owns every window without a taskbar button.
    HWND owner() const { return owner_; }

private:
    HWND owner_ = nullptr;
};

} // namespace shell::win32
