#pragma once

class QMessageBox;
class QWidget;

namespace qtshell {

// Tells assistive technologies what the windows' own widgets are: the
// windows (frame, named by the caption), labels (label, with the caption as
// name and text), frames (grouping, named by the caption), picture boxes
// (image, named for what they show), check boxes and option buttons (their
// whole rectangle, their state) and message boxes (alert). Qt's own
// descriptions serve the rest.
void installAccessibility();

// Drops the description Qt made of a widget while only its Qt base class
// existed (Qt describes a widget as soon as its base class reports a change,
// and keeps that description). Call at the end of the derived constructor.
void describeAfresh(QWidget* widget);

// Has a message box's prompt described as its prompt, once its text is set:
// the label that shows it was made, and may have been described, before.
void describePromptAfresh(QMessageBox& box);

} // namespace qtshell
