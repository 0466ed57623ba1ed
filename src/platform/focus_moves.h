#pragma once

class QFocusEvent;
class QWidget;

namespace platform {

/**
 * Whether the focus leaving a control (the event is its focus-out) went to another control of the control's own
 * window: the user moving on, by key or by mouse. The focus going into the control's own popup (a combo box's list,
 * a context menu), to another window (a message box, another program) or nowhere (the window deactivated) is not
 * leaving the control.
 */
bool focusMovedOnWithinWindow(const QWidget* control, const QFocusEvent* event);

/**
 * Whether the focus entering a control (the event is its focus-in) came from within its window, not back from a popup
 * or from another window.
 */
bool focusCameFromWithinWindow(const QFocusEvent* event);

} // namespace platform
