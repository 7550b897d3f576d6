#pragma once

#include <QMargins>
#include <optional>

class QWidget;

namespace shell::qt {

// Asks the window manager to leave the window out of the taskbar
// (_NET_WM_STATE_SKIP_TASKBAR). Call before the window is first shown. Does
// nothing on platforms other than X11.
void markSkipTaskbar(QWidget* window);

// Asks the window manager, before the window is mapped, how wide the frame it
// will draw around the window is (_NET_REQUEST_FRAME_EXTENTS). The manager
// answers in a millisecond or a few, so ask as soon as the window has its
// hints and collect the answer when it is needed. Returns whether it asked:
// not off X11, nor after a manager has once left the question unanswered.
bool requestFrameExtents(QWidget* window);

// The answer to requestFrameExtents, asked now if `requested` is false;
// waits a quarter of a second at most for it. Nothing off X11 or without
// such a manager.
std::optional<QMargins> frameExtentsBeforeMapping(QWidget* window, bool requested);

} // namespace shell::qt
