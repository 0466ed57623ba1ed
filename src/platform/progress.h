#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

namespace platform {

/**
 * What long work tells while it runs, called from the work's own thread: how far it is, and whether the user asked
 * it to stop. Work stops only at points where stopping leaves nothing half done.
 */
class Progress
{
public:
    virtual ~Progress() = default;

    /** `done` of `total` steps are done; false once the user asked the work to stop. */
    virtual bool advance(qint64 done, qint64 total) = 0;
};

/** Work made of several parts in turn, shown on one bar where each part takes an equal share. */
class ProgressParts final
{
public:
    ProgressParts(Progress& progress, int parts) : m_progress(progress), m_parts(parts) { }
    /** advance() for `done` of `total` steps of the part numbered `part` from 0. */
    bool advance(int part, qint64 done, qint64 total);

private:
    Progress& m_progress;
    int m_parts;
};

/** A progress nobody watches: it never asks the work to stop. */
Progress& unwatchedProgress();

/**
 * Runs work that can take longer than about half a second. The work runs off the user-interface thread, so the
 * windows keep painting while no other user input is taken; after about half a second a progress bar shows, with a
 * button that asks the work to stop when the work is stoppable. Returns once the work is done.
 */
class LongWork
{
public:
    virtual ~LongWork() = default;

    /**
     * `work` must not touch widgets nor use a Qt database connection of this thread; a raw SQLite handle of the
     * program's connection may be used, since the user-interface thread leaves it alone meanwhile.
     */
    virtual void run(const QString& text, bool stoppable, const std::function<void(Progress&)>& work) = 0;
};

/** Runs the work through the installed runner: the one with Qt's progress dialog until a test installs another. */
void runLongWork(const QString& text, bool stoppable, const std::function<void(Progress&)>& work);
/** Installs a replacement runner (not owned); nullptr restores the Qt runner. */
void setLongWork(LongWork* replacement);
/** True while long work runs: timers that would use the database hold their work until it is done. */
bool longWorkRunning();

} // namespace platform
