#include "support/fake_progress_bar.h"

namespace testsupport {

FakeProgressBar::FakeProgressBar()
{
    platform::setProgressBar(this);
}

FakeProgressBar::~FakeProgressBar()
{
    platform::setProgressBar(nullptr);
}

void FakeProgressBar::begin(const QString& label, qint64 total)
{
    labels << label;
    totals << total;
}

bool FakeProgressBar::advance(qint64 done)
{
    steps << done;
    return cancelAt == 0 || steps.size() < cancelAt;
}

} // namespace testsupport
