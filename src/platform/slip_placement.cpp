#include "platform/slip_placement.h"

#include <QRectF>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace platform {

namespace {

// what a paper size loses in its way through points and hundredths of millimetres
constexpr double toleranceMm = 0.05;

} // namespace

SlipPlacement placeSlip(const QSizeF& slipMm, const QMarginsF& unprintableMm, const std::optional<QPageLayout>& form)
{
    SlipPlacement placement;
    if (!form) {
        const QSizeF paper(slipMm.width() + unprintableMm.left() + unprintableMm.right(),
                           slipMm.height() + unprintableMm.top() + unprintableMm.bottom());
        // an exact match keeps a wide slip from being taken for a standard size turned on its side
        placement.paper = QPageLayout(QPageSize(paper, QPageSize::Millimeter, {}, QPageSize::ExactMatch),
                                      QPageLayout::Portrait, QMarginsF());
        placement.originMm = QPointF(unprintableMm.left(), unprintableMm.top());
        return placement;
    }

    placement.paper = QPageLayout(form->pageSize(), form->orientation(), QMarginsF());
    QMarginsF margins = unprintableMm;
    if (form->orientation() == QPageLayout::Landscape) {
        const double widest = std::max({ margins.left(), margins.top(), margins.right(), margins.bottom() });
        margins = QMarginsF(widest, widest, widest, widest);
    }
    const QSizeF paper = placement.paper.fullRect(QPageLayout::Millimeter).size();
    placement.originMm = QPointF(margins.left(), margins.top());
    placement.fits = slipMm.width() <= paper.width() - margins.left() - margins.right() + toleranceMm
        && slipMm.height() <= paper.height() - margins.top() - margins.bottom() + toleranceMm;
    return placement;
}

QString mediaName(const QPageLayout& paper)
{
    const QPageSize size = paper.pageSize();
    // a size of the printer's own list keeps its name there; Qt names any other one in units CUPS may not know
    if (!size.key().isEmpty() && !size.key().startsWith(u"Custom."_s))
        return size.key();
    const QSizeF mm = size.size(QPageSize::Millimeter);
    return u"Custom.%1x%2mm"_s.arg(mm.width(), 0, 'f', 2).arg(mm.height(), 0, 'f', 2);
}

} // namespace platform
