#include "shell/qt/display.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace shell::qt {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The locale that words messages: the first of LC_ALL, LC_MESSAGES and LANG
// that is set, as the C library picks it.
bool userReadsChinese() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::string value = environment(name);
        if (!value.empty())
            return std::string_view(value).starts_with("zh");
    }
    return false;
}

// The display the platform would have opened, for the message.
std::string displayName(const std::string& platform) {
    const std::string_view name(platform);
    if (name.starts_with("xcb"))
        return environment("DISPLAY");
    if (name.starts_with("wayland")) {
        const std::string wayland = environment("WAYLAND_DISPLAY");
        return wayland.empty() ? "wayland-0" : wayland;
    }
    return "";
}

std::string message(const DisplayChoice& choice) {
    const bool chinese = userReadsChinese();
    if (!choice.available) {
        return chinese ? "lansu：没有可用的显示（DISPLAY 和 WAYLAND_DISPLAY 均未设置），"
                         "请在 X11 或 Wayland 桌面会话中启动本程序"
                       : "lansu: no display to show the windows on (neither DISPLAY nor "
                         "WAYLAND_DISPLAY is set); start the program in an X11 or Wayland "
                         "desktop session";
    }
    const std::string platform =
        choice.platform.empty() ? environment("QT_QPA_PLATFORM") : choice.platform;
    const std::string display = displayName(platform);
    if (chinese) {
        std::string line = "lansu：无法打开显示";
        if (!display.empty())
            line += "“" + display + "”";
        return line + "（Qt 平台“" + platform + "”），请在 X11 或 Wayland 桌面会话中启动本程序";
    }
    std::string line = "lansu: cannot open ";
    line += display.empty() ? "the display" : "display \"" + display + "\"";
    return line + " (Qt platform \"" + platform +
           "\"); start the program in an X11 or Wayland desktop session";
}

// A message and its context; the context's strings live in Qt's code, not on
// the caller's stack.
struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};

DisplayChoice gChoice;
QtMessageHandler gPreviousHandler = nullptr;
std::vector<HeldMessage>* gHeld = nullptr;

// Qt's platform plugin reports a display it cannot open with warnings and a
// fatal message, after which Qt aborts; the fatal one ends the process here
// first, with the program's own line in place of all of them.
void holdBackMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg)
        exitWithoutDisplay(gChoice);
    gHeld->push_back({type, context.file, context.line, context.function, context.category, text});
}

} // namespace

DisplayChoice chooseDisplay() {
    if (!environment("QT_QPA_PLATFORM").empty())
        return {};
    const bool x11 = !environment("DISPLAY").empty();
    const bool wayland = !environment("WAYLAND_DISPLAY").empty();
    // Qt tries a list in order: Wayland stands in for an X display that
    // cannot be opened.
    if (x11)
        return {wayland ? "xcb;wayland" : "xcb"};
    if (wayland)
        return {"wayland"};
    return {"", false};
}

void exitWithoutDisplay(const DisplayChoice& choice) {
    const std::string line = message(choice) + "\n";
    std::fputs(line.c_str(), stderr);
    // Nothing to clean up, and Qt is half started: leave at once.
    std::_Exit(1);
}

DisplayFailureGuard::DisplayFailureGuard(DisplayChoice choice) {
    gChoice = std::move(choice);
    gHeld = new std::vector<HeldMessage>;
    gPreviousHandler = qInstallMessageHandler(holdBackMessages);
}

DisplayFailureGuard::~DisplayFailureGuard() {
    qInstallMessageHandler(gPreviousHandler);
    std::vector<HeldMessage>* held = gHeld;
    gHeld = nullptr;
    for (const HeldMessage& m : *held)
        qt_message_output(m.type, QMessageLogContext(m.file, m.line, m.function, m.category),
                          m.text);
    delete held;
}

} // namespace shell::qt
