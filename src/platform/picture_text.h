#pragma once

#include <QFont>
#include <QList>
#include <QString>

class QPicture;

namespace platform {

struct DrawnText
{
    QFont font;
    QString text;
};

/** The texts a recorded picture draws, each with its font, in drawing order. */
QList<DrawnText> textsOf(const QPicture& picture);

} // namespace platform
