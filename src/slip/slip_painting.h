#pragma once

#include "slip/slip_composition.h"
#include "slip/slip_layout.h"

#include <QFont>
#include <QPicture>

class QPainter;

namespace slip {

/** The font of a slip text, its size in twips: the page is drawn in twips. */
QFont slipFont(SlipFont font);

/** What a text of the layout shows on the page: its caption, or the page's value. */
QString shownText(const SlipText& text, const SlipPage& page);

/** Draws the page on the stationery, in twips from its top-left corner; a default page draws the captions alone. */
void paintSlipPage(QPainter& painter, const SlipLayout& layout, const SlipPage& page);

/** The page as the picture a page sink prints. */
QPicture slipPicture(const SlipLayout& layout, const SlipPage& page);

} // namespace slip
