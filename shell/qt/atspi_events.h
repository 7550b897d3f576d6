#pragma once

class QWidget;

namespace qtshell {

// Tells screen readers on the AT-SPI bus that a check box has entered or left
// the grayed (indeterminate) state. Qt 6.4's bridge passes on changes of
// checked, enabled, active and focused only; clients keep each object's
// states from their first question and update them from such events, so
// without this one they keep "indeterminate" for good. Sent as the bridge
// sends its own, on its own connection; nothing when no screen reader has
// turned the bridge on.
void tellIndeterminateChanged(QWidget* widget, bool indeterminate);

} // namespace qtshell
