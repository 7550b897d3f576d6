#pragma once

#include "shell/model/window_description.h"
#include "shell/qt/form_window.h"

#include <functional>
#include <string_view>

class QImage;
class QObject;

namespace shell::qt {

// Builds a hidden top-level window with every control of a description:
// stacked as described, in the focus order, in their initial states. Button
// clicks are reported by name through `clicked`, delivered in `context`.
// Null when Qt cannot read an icon as its checked file describes it.
FormWindow* buildWindow(const shell::model::WindowDescription& description, QObject* context,
                        std::function<void(std::string_view)> clicked);

// A picture as the picture box and the window icon draw it, or a null image
// when Qt's image reader makes anything else of an icon.
QImage decodePicture(const shell::model::Picture& picture);

} // namespace shell::qt
