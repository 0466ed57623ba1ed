#include "platform/accessible_names.h"

#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace platform {

namespace {

/** A caption as it is read out: the spaces that spread it over its column and its colon go. */
QString spoken(QString caption)
{
    caption.remove(u' ');
    caption.remove(u'\u3000');
    while (caption.endsWith(u':') || caption.endsWith(u'：'))
        caption.chop(1);
    return caption;
}

} // namespace

QString rowBoxName(const QString& heading, int row)
{
    return u"第%1行 %2"_s.arg(row).arg(spoken(heading));
}

void captionBox(QLabel* label, QWidget* box)
{
    label->setBuddy(box);
    box->setAccessibleName(spoken(label->text()));
}

} // namespace platform
