#pragma once

#include <QByteArray>

namespace platform {

/**
 * Mends the text maps (ToUnicode CMaps) of a PDF that Qt wrote. The CJK fonts give a radical and the ideograph it
 * stands for one shared glyph, and Qt names such a glyph by the lowest code that reaches it: the Kangxi radical
 * (⽚ for 片). The page looks right, but its text copies and searches wrong. Every radical the maps name is replaced
 * by its ideograph; both are written as four hex digits, so the file keeps its length and its offsets stay valid.
 * Returns the bytes unchanged when there is nothing to mend.
 */
QByteArray unifyRadicalsInTextMaps(QByteArray pdf);

} // namespace platform
