#include "platform/twips.h"

#include <QWidget>

namespace platform {

void place(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsRect(left, top, width, height));
}

} // namespace platform
