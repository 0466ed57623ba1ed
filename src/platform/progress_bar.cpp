#include "platform/progress_bar.h"

#include "platform/qt_progress_bar.h"

namespace platform {

namespace {
ProgressBar* installed = nullptr;
}

ProgressBar& progressBar()
{
    static QtProgressBar bar;
    return installed ? *installed : bar;
}

void setProgressBar(ProgressBar* replacement)
{
    installed = replacement;
}

} // namespace platform
