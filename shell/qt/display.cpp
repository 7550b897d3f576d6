#include "shell/qt/display.h"

#include "shell/qt/platform_plugins.h"

#include <QGuiApplication>
#include <QString>
#include <QtGlobal>
#include <algorithm>
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

// The platforms Qt was to try, in order, without their arguments
// ("wayland:option" is "wayland").
std::vector<std::string> platformsTried(const DisplayChoice& choice) {
    const std::string list =
        choice.platform.empty() ? environment("QT_QPA_PLATFORM") : choice.platform;
    std::vector<std::string> platforms;
    std::string_view rest(list);
    while (!rest.empty()) {
        const std::string_view entry = rest.substr(0, rest.find(';'));
        rest.remove_prefix(std::min(rest.size(), entry.size() + 1));
        const std::string_view name = entry.substr(0, entry.find(':'));
        if (!name.empty())
            platforms.emplace_back(name);
    }
    return platforms;
}

std::string quoted(const std::string& text, bool chinese) {
    return chinese ? "“" + text + "”" : "\"" + text + "\"";
}

// Why `platform` could not show the windows, as part of a sentence; adds the
// matching advice to `advice` once.
std::string platformFailure(const std::string& platform, bool chinese,
                            std::vector<std::string>& advice) {
    const auto advise = [&advice](std::string text) {
        if (std::find(advice.begin(), advice.end(), text) == advice.end())
            advice.push_back(std::move(text));
    };
    const std::string package = platformPluginPackage(platform);
    if (package.empty()) {
        advise(chinese ? "将 QT_QPA_PLATFORM 设为已安装的平台（如 xcb 或 wayland）或取消设置"
                       : "set QT_QPA_PLATFORM to an installed platform (such as xcb or "
                         "wayland) or unset it");
        return chinese ? "没有名为" + quoted(platform, true) + "的 Qt 平台插件"
                       : "there is no Qt platform plugin " + quoted(platform, false);
    }
    if (!platformPluginInstalled(platform)) {
        advise((chinese ? "安装软件包 " : "install the package ") + package);
        return chinese ? "未安装 Qt 平台插件" + quoted(platform, true) + "（Debian 软件包 " +
                             package + "）"
                       : "the Qt platform plugin " + quoted(platform, false) +
                             " is not installed (Debian package " + package + ")";
    }
    advise(chinese ? "在 X11 或 Wayland 桌面会话中启动本程序"
                   : "start the program in an X11 or Wayland desktop session");
    std::string kind;
    std::string display;
    if (platform == "xcb") {
        kind = "X ";
        display = environment("DISPLAY");
    } else if (std::string_view(platform).starts_with("wayland")) {
        kind = "Wayland ";
        display = environment("WAYLAND_DISPLAY");
        if (display.empty())
            display = "wayland-0";
    }
    const std::string where = quoted(platform, chinese);
    if (chinese) {
        return "无法打开" + (kind.empty() ? "" : " " + kind) + "显示" +
               (display.empty() ? "" : quoted(display, true)) + "（Qt 平台" + where + "）";
    }
    return "cannot open " +
           (display.empty() ? "the " + kind + "display"
                            : kind + "display " + quoted(display, false)) +
           " (Qt platform " + where + ")";
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
    std::vector<std::string> failures;
    std::vector<std::string> advice;
    for (const std::string& platform : platformsTried(choice))
        failures.push_back(platformFailure(platform, chinese, advice));
    const auto join = [](const std::vector<std::string>& parts, std::string_view separator) {
        std::string joined;
        for (const std::string& part : parts)
            joined += (joined.empty() ? "" : std::string(separator)) + part;
        return joined;
    };
    if (chinese)
        return "lansu：" + join(failures, "，") + "；请" + join(advice, "，或");
    return "lansu: " + join(failures, ", and ") + "; " + join(advice, ", or ");
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
    // Qt tried a platform before the one it runs on: what that one said about
    // its display or its plugin is no news to a program that runs.
    const std::vector<std::string> tried = platformsTried(gChoice);
    const bool fellBack =
        !tried.empty() && QGuiApplication::platformName().toStdString() != tried.front();
    const auto aboutTheFailedPlatform = [](const HeldMessage& m) {
        const std::string_view category(m.category ? m.category : "");
        return category == "qt.qpa.plugin" || category == "qt.qpa.xcb";
    };
    for (const HeldMessage& m : *held) {
        if (fellBack && aboutTheFailedPlatform(m))
            continue;
        qt_message_output(m.type, QMessageLogContext(m.file, m.line, m.function, m.category),
                          m.text);
    }
    delete held;
}

} // namespace shell::qt
