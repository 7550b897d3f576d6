#pragma once

namespace shell::qt {

// Makes "宋体" resolve to an installed Song-style CJK face. Returns false, after
// one line on stderr naming the package to install, when no CJK face exists;
// the program still runs.
bool installSongTiSubstitutes();

} // namespace shell::qt
