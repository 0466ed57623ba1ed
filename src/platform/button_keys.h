#pragma once

class QAbstractButton;
class QCoreApplication;
class QKeySequence;

namespace platform {

/**
 * Makes Enter (either key) press the push button that has the focus, in every window of the application, as Space
 * does; Enter in a box keeps its own meaning. Installed once for the whole run; a second call changes nothing.
 */
void pressFocusedButtonOnEnter(QCoreApplication& application);

/**
 * Gives the button a key in its window, e.g. a function key. The key moves the focus to the button first, so that the
 * box being left does its leave work as it does on a click or Tab, and then presses the button, unless that work
 * kept the focus (a question answered so, a list opened). A disabled or hidden button takes no key. The button's
 * tooltip names the key.
 */
void pressWithKey(QAbstractButton* button, const QKeySequence& key);

} // namespace platform
