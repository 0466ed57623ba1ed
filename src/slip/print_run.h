#pragma once

#include "slip/slip_composition.h"
#include "slip/slip_layout.h"

#include <QPicture>
#include <functional>

namespace platform {
class PageSink;
}

namespace slip {

/** How a printing run ended. */
struct PrintOutcome
{
    int pagesPrinted = 0;
    QString failure; ///< the sink's error when the run was stopped; empty when it was not
    QString writtenFile; ///< where the pages went when a file took them, chosen or in place of a failed printer
    QString notice; ///< what else the user should know of the run
};

/**
 * Prints the pages as one job on the sink, each drawn on the layout: every page is shown through `showing` just
 * before it goes out, and a pause (platform::timing().slipPagePause) follows every page, the last one included,
 * during which no input is handled. A failing call stops the run and gives it up on the sink. No page: no job.
 */
PrintOutcome printSlip(const QList<SlipPage>& pages, const SlipLayout& layout, platform::PageSink& sink,
                       const std::function<void(const QPicture&)>& showing = {});

/** The size of the layout's stationery. */
QSizeF sizeInMillimetres(const SlipLayout& layout);

/** What the user is told after a run; empty when nothing needs telling. */
QString outcomeMessage(const PrintOutcome& outcome);

} // namespace slip
