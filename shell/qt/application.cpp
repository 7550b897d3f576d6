#include "shell/qt/application.h"

#include "lansu/identity.h"
#include "shell/qt/accessibility.h"
#include "shell/qt/conversions.h"
#include "shell/qt/display.h"
#include "shell/qt/fonts.h"
#include "shell/qt/qt_toolkit.h"
#include "shell/runtime/runtime.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>
#include <string>

namespace qtshell {

namespace {

void installQtTranslation() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;
}

int runProject(const runtime::ProjectDescriptor& project) {
    auto application = createApplication();
    QtToolkit toolkit;
    runtime::Runtime runtime(project, toolkit);
    return runtime.run();
}

} // namespace

std::unique_ptr<QApplication> createApplication() {
    const DisplayChoice display = chooseDisplay();
    if (!display.available)
        exitWithoutDisplay(display);
    // QApplication keeps references to argc and argv for its whole life. The
    // first argument names the windows' WM_CLASS instance, which X11 reads
    // as Latin-1: the ASCII command's name.
    static std::string programName(identity::kCommandName);
    static std::string platformOption("-platform");
    static std::string platform;
    static char* argv[] = {programName.data(), nullptr, nullptr, nullptr};
    static int argc = 1;
    if (!display.platform.empty()) {
        platform = display.platform;
        argv[1] = platformOption.data();
        argv[2] = platform.data();
        argc = 3;
    }
    std::unique_ptr<QApplication> application;
    {
        const DisplayFailureGuard guard(display);
        application = std::make_unique<QApplication>(argc, argv);
    }
    configureApplication();
    return application;
}

void configureApplication() {
    // The class of the windows' WM_CLASS, which the menu entry names as
    // StartupWMClass; ASCII, as X11 reads it as Latin-1, so not the
    // project's Chinese name.
    QApplication::setApplicationName(QLatin1String(identity::kWmClass));
    // Ties the windows to the installed menu entry (taskbar icons, Wayland).
    QGuiApplication::setDesktopFileName(QLatin1String(identity::kAppId));
    // The runtime, not Qt, decides when the program ends: when the last
    // loaded window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    installQtTranslation();
    installSongTiSubstitutes();
    installAccessibility();
    // Qt lays a widget's text out in the application font before the widget
    // takes its window's; with the window font as the application's, that
    // first layout loads no other face. Message boxes take it too, as they
    // take 宋体 9 pt on a Chinese desktop, smoothed for the finest screen.
    QApplication::setFont(toQFont(shell::defaultWindowFont(), qApp->devicePixelRatio()));
}

} // namespace qtshell

void ThunRTMain(const runtime::ProjectDescriptor& project) {
    const int status = qtshell::runProject(project);
    std::exit(status);
}
