#pragma once

class QWidget;

namespace qtshell {

// Asks the window manager to leave the window out of the taskbar
// (_NET_WM_STATE_SKIP_TASKBAR). Call before the window is first shown. Does
// nothing on platforms other than X11.
void markSkipTaskbar(QWidget* window);

} // namespace qtshell
