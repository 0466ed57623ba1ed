#include "support/fake_progress.h"

namespace testsupport {

FakeProgress::FakeProgress()
{
    platform::setProgress(this);
}

FakeProgress::~FakeProgress()
{
    platform::setProgress(nullptr);
}

void FakeProgress::begin(const QString& label, qint64 total)
{
    labels << label;
    totals << total;
}

bool FakeProgress::advance(qint64 done)
{
    steps << done;
    return cancelAt == 0 || steps.size() < cancelAt;
}

} // namespace testsupport
