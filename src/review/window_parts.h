#pragma once

#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QWidget;

namespace review {

/** The window flags of the review windows: a title bar with a close button, no minimizing that would strand the main
 * window disabled behind them. */
Qt::WindowFlags reviewWindowFlags();

/** A label in the review windows' heading font, 仿宋_GB2312 bold 15.75 pt, placed in twips. */
QLabel* headingLabel(QWidget* parent, const QString& name, const QString& text, int left, int top, int width,
                     int height);

/** A button placed in twips; Enter presses it while it has the focus, as everywhere in the program. */
QPushButton* placedButton(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                          int height);

/** `Timer1`: runs the window's opening work once, one opening interval after the window is first shown. */
QTimer* runOnceShown(QWidget* window, std::function<void()> work);

/** A box that keeps only the digits typed into it, and the point when withPoint; editing and moving keys pass. */
void keepDigits(QLineEdit* box, bool withPoint);

} // namespace review
