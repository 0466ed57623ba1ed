#pragma once

#include "platform/progress_bar.h"

#include <QElapsedTimer>
#include <QPointer>

class QProgressDialog;

namespace platform {

/** Qt's progress dialog, modal for the whole program while the work runs. */
class QtProgressBar final : public ProgressBar
{
public:
    ~QtProgressBar() override;

    void begin(const QString& label, qint64 total) override;
    bool advance(qint64 done) override;
    void end() override;

private:
    QPointer<QProgressDialog> m_dialog;
    QElapsedTimer m_started;
    QElapsedTimer m_sinceEvents;
    qint64 m_total = 0;
};

} // namespace platform
