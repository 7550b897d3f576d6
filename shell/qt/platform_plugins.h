#pragma once

#include <string>

namespace shell::qt {

// Whether a Qt platform plugin for `platform` ("xcb", "wayland", ...) is
// installed where Qt looks for one. Reads the plugins' metadata without
// loading them; meant for explaining a failure, not for every start.
bool platformPluginInstalled(const std::string& platform);

// The Debian package that installs the plugin for `platform`, or empty when
// Qt has no such platform.
std::string platformPluginPackage(const std::string& platform);

} // namespace shell::qt
