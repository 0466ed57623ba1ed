#pragma once

#include "platform/progress_bar.h"

#include <QList>

namespace testsupport {

/**
 * Records the progress that long work reports, and answers "stop" from a chosen step on, so that a test cancels work
 * at a known point without timers. Installed for its lifetime.
 */
class FakeProgressBar final : public platform::ProgressBar
{
public:
    FakeProgressBar();
    ~FakeProgressBar() override;

    void begin(const QString& label, qint64 total) override;
    bool advance(qint64 done) override;
    void end() override { ++ended; }

    /** The user cancels at this advance (1 for the first); 0 never. */
    int cancelAt = 0;

    QStringList labels;
    QList<qint64> totals;
    QList<qint64> steps; ///< every `done` reported, in order
    int ended = 0;
};

} // namespace testsupport
