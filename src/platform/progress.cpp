#include "platform/progress.h"

#include "platform/qt_progress.h"

namespace platform {

namespace {
Progress* installed = nullptr;
}

Progress& progress()
{
    static QtProgress bar;
    return installed ? *installed : bar;
}

void setProgress(Progress* replacement)
{
    installed = replacement;
}

} // namespace platform
