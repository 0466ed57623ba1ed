#include "slip/pages.h"

namespace slip {

namespace {
constexpr qint16 linesPerPage = 8;
}

qint16 PagesForLines(qint16 n)
{
    if (n <= 0)
        return 0;
    return static_cast<qint16>((n + linesPerPage - 1) / linesPerPage);
}

} // namespace slip
