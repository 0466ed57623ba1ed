#include "slip/slip_preview.h"

#include "platform/print_preview.h"
#include "slip/print_run.h"
#include "slip/slip_painting.h"

using namespace Qt::Literals::StringLiterals;

namespace slip {

QList<QPicture> slipPictures(const QList<SlipPage>& pages, const SlipLayout& layout)
{
    QList<QPicture> pictures;
    pictures.reserve(pages.size());
    for (const SlipPage& page : pages)
        pictures << slipPicture(layout, page);
    return pictures;
}

PreviewOutcome previewSlip(const QList<SlipPage>& pages, const SlipLayout& layout)
{
    if (pages.isEmpty())
        return PreviewOutcome::NoPage;
    const platform::PreviewDocument document { u"打印预览"_s, sizeInMillimetres(layout), slipPictures(pages, layout) };
    return platform::printPreview().show(document) ? PreviewOutcome::PrintAsked : PreviewOutcome::Closed;
}

} // namespace slip
