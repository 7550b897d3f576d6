#pragma once

#include "shell/runtime/project.h"

#include <QApplication>
#include <memory>

namespace shell::qt {

// Creates the program's Qt application. No command-line argument reaches
// Qt (its own options such as -style or -reverse included): the program
// takes none. Installs the desktop language's translation of Qt's standard
// buttons and the Song-style CJK font substitutes.
std::unique_ptr<QApplication> createApplication();

// What createApplication() sets up on an application that already exists.
void configureApplication();

} // namespace shell::qt

// The runtime's entry: starts the project, runs the message loop and ends
// the process with the program's exit status. Does not return.
[[noreturn]] void ThunRTMain(const shell::runtime::ProjectDescriptor& project);
