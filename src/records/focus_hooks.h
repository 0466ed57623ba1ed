#pragma once

#include <functional>

class QWidget;

namespace records {

/**
 * Runs the action when the focus moves from the box to another control of its window, or into the box from one.
 * The window itself losing or regaining the focus (to a message box, another program) does not count, nor does the
 * focus going into the box's own popup and back, nor a box that is disabled.
 */
void onFocusLeaving(QWidget* box, std::function<void()> action);
void onFocusEntering(QWidget* box, std::function<void()> action);

} // namespace records
