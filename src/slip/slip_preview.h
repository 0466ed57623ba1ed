#pragma once

#include "slip/slip_composition.h"
#include "slip/slip_layout.h"

#include <QList>
#include <QPicture>

namespace slip {

/** The pages as the pictures a printing run on the layout prints, in printing order. */
QList<QPicture> slipPictures(const QList<SlipPage>& pages, const SlipLayout& layout);

/** What became of a print preview. */
enum class PreviewOutcome { NoPage, Closed, PrintAsked };

/**
 * Shows the pages in the print preview, drawn exactly as a printing run draws them, on paper of the layout's size.
 * No page: nothing is shown. Changes nothing.
 */
PreviewOutcome previewSlip(const QList<SlipPage>& pages, const SlipLayout& layout);

} // namespace slip
