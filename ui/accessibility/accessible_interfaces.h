#pragma once
// Accessible interfaces for the program's own widgets, which Qt knows only as plain widgets: the
// transparent labels and the picture boxes.

#include <QAccessible>

class QWidget;

namespace ui {

class TransLabelWidget;

// A label reports itself as static text. Its name is its caption, after the widget's accessible
// name where it has one ("倒计时 10"); a change of caption is told to the accessibility tree.
void describeLabel(TransLabelWidget& label);

// A picture reports itself in the given role under the widget's accessible name. A picture that
// the user presses with the mouse (role Button) offers the press action as well, which presses
// it with the left button in its middle.
void describePicture(QWidget& box, QAccessible::Role role);

} // namespace ui
