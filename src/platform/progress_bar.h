#pragma once

#include <QString>

namespace platform {

/**
 * How long work tells the user how far it has got: a progress bar with a cancel button, shown once the work has taken
 * about half a second, with the windows painting meanwhile (input other than the cancel button waits). Tests install
 * a replacement that records the steps and cancels at a chosen one.
 */
class ProgressBar
{
public:
    virtual ~ProgressBar() = default;

    /** Work of `total` steps starts (0 when the total is not known). */
    virtual void begin(const QString& label, qint64 total) = 0;
    /** `done` steps are done; lets the windows paint. false once the user has asked to stop. */
    virtual bool advance(qint64 done) = 0;
    /** The work has ended, finished or not: the bar goes. */
    virtual void end() = 0;
};

ProgressBar& progressBar();
/** Installs a replacement (not owned); nullptr restores the progress bar. */
void setProgressBar(ProgressBar* replacement);

/** A stretch of work reported to progressBar(): begun on construction, ended however the scope is left. */
class ProgressRun final
{
public:
    ProgressRun(const QString& label, qint64 total) { progressBar().begin(label, total); }
    ~ProgressRun() { progressBar().end(); }
    ProgressRun(const ProgressRun&) = delete;
    ProgressRun& operator=(const ProgressRun&) = delete;

    /** false when the user asked to stop. */
    bool advance(qint64 done) { return progressBar().advance(done); }
};

} // namespace platform
