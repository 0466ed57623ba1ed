#pragma once

class QAbstractButton;

namespace maintenance {

/**
 * Makes the button its window's default button: Enter presses it unless a control of the window takes the key
 * itself, and a button that has the focus is pressed by Enter rather than the default one.
 */
void pressOnEnter(QAbstractButton* button);

} // namespace maintenance
