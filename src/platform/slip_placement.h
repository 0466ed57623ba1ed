#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPointF>
#include <QSizeF>
#include <optional>

namespace platform {

/** Where a slip page goes on the paper. */
struct SlipPlacement
{
    /** The paper the page is sent on, without margins of its own. */
    QPageLayout paper;
    /** The slip's top-left corner on the paper, in millimetres: the corner of the printable area. */
    QPointF originMm;
    /** false when part of the slip falls outside the printable area of the paper chosen. */
    bool fits = true;
};

/**
 * The slip is drawn from the corner of the printable area. Without a form chosen the paper is the slip grown by
 * the printer's unprintable margins, so that all of it prints; a form chosen is kept as it is, even when it is too
 * small. Margins are given for the paper in portrait; on a form turned on its side each edge keeps the widest of
 * them, as the print system may turn the page either way.
 */
SlipPlacement placeSlip(const QSizeF& slipMm, const QMarginsF& unprintableMm, const std::optional<QPageLayout>& form);

/** The name the print system knows the paper by: the form's own, or a custom size in millimetres. */
QString mediaName(const QPageLayout& paper);

} // namespace platform
