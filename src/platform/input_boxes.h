#pragma once

class QAbstractButton;
class QLineEdit;
class QWidget;

namespace platform {

/** Password boxes show "*" for each character, take at most 12 characters and keep the input method off. */
void makePasswordBox(QLineEdit* box);

/** Turns the Chinese input method off for a box that takes codes, numbers or passwords. */
void disableInputMethod(QWidget* box);

/** Enter in the box moves the focus to the next control (a button is focused, not pressed). */
void moveFocusOnEnter(QLineEdit* box, QWidget* next);

/** Esc anywhere in the button's window presses the button (the cancel and return buttons). */
void pressOnEscape(QAbstractButton* button);

} // namespace platform
