#pragma once

#include "users/activity_log.h"

#include <QWidget>

class QTimer;

namespace users {

/**
 * The hidden window that keeps the signed-in user's activity log: it saves the pending entries every minute when
 * more than thirty are waiting, and all of them in the final save of the shutdown. While it exists its log is the
 * one AddLogEntry writes to.
 */
class LogWindow final : public QWidget
{
    Q_OBJECT

public:
    LogWindow(platform::Database& database, const QString& userTable);
    ~LogWindow() override;

    ActivityLog& log() { return m_log; }

    /** The periodic tick. */
    void periodicTick();
    /** Saves every pending entry; the shutdown ends the program after it whether or not that worked. */
    void finalSave();

private:
    void reportFailure();

    ActivityLog m_log;
    QTimer* m_periodic;
    bool m_failureReported = false;
};

} // namespace users
