#pragma once

#include <QtGlobal>

namespace slip {

/** Slip pages that n lines fill at eight lines a page: 0 for none, 1 for 1 to 8, 2 for 9 to 16. */
qint16 PagesForLines(qint16 n);

} // namespace slip
