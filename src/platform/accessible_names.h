#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace platform {

/** The name a screen reader gives a box of a table's row: "第3行 数量", the column heading without its spacing. */
QString rowBoxName(const QString& heading, int row);

/**
 * Links the label to the box it captions, as a screen reader reads them, and names the box after it: the caption
 * without its spacing and closing colon ("密  码:" names the box "密码").
 */
void captionBox(QLabel* label, QWidget* box);

} // namespace platform
