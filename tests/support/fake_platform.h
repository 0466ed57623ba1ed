#pragma once

#include "platform/clock.h"
#include "platform/launcher.h"
#include "platform/page_sink.h"
#include "platform/printer_setup.h"
#include "platform/progress.h"
#include "platform/timing.h"

#include <QList>
#include <QPicture>

namespace testsupport {

/** A clock standing still at a set moment until the test moves it. Installed for its lifetime. */
class FakeClock final : public platform::Clock
{
public:
    explicit FakeClock(const QDateTime& moment = QDateTime(QDate(2004, 7, 5), QTime(9, 5, 33)));
    ~FakeClock() override;

    QDateTime now() const override { return m_now; }
    void set(const QDateTime& moment) { m_now = moment; }

private:
    QDateTime m_now;
};

/** Keeps every page it is given; can be told to fail. Installed for its lifetime. */
class FakePageSink final : public platform::PageSink
{
public:
    FakePageSink();
    ~FakePageSink() override;

    bool begin(const QString& jobName, const QSizeF& pageSizeMm) override;
    bool printPage(const QPicture& page) override;
    bool end() override;
    void abort() override;
    QString errorText() const override { return m_error; }
    QString writtenFile() const override { return written; }
    QString notice() const override { return noticeText; }

    QList<QPicture> pages;
    QStringList jobs;
    /** The page size each job began with. */
    QList<QSizeF> pageSizesMm;
    int runsEnded = 0;
    int runsAborted = 0;
    /** The page (0-based) at which printing fails; -1 for none. */
    int failAtPage = -1;
    /** Refuses to begin a run. */
    bool failAtBegin = false;
    /** When set, end() fails with this text, as a print system refusing the job. */
    QString endFailure;
    /** What writtenFile() and notice() tell of every run. */
    QString written;
    QString noticeText;

private:
    QString m_error;
};

/** Records each showing of the printer set-up dialog by its title. Installed for its lifetime. */
class FakePrinterSetup final : public platform::PrinterSetup
{
public:
    FakePrinterSetup();
    ~FakePrinterSetup() override;

    void show(const QString& title, const QSizeF& slipMm) override
    {
        titles << title;
        slipSizesMm << slipMm;
    }

    QStringList titles;
    QList<QSizeF> slipSizesMm;
};

/** Records what would have been started and whether the program was ended. Installed for its lifetime. */
class FakeLauncher final : public platform::Launcher
{
public:
    FakeLauncher();
    ~FakeLauncher() override;

    bool openUrl(const QUrl& url) override;
    bool startDetached(const QString& program, const QStringList& arguments) override;
    bool restartProgram() override;
    void endProgram(int exitCode) override;

    QList<QUrl> urls;
    QStringList programs;
    int restarts = 0;
    int endCalls = 0;
    int exitCode = -1;
    bool canStart = true;
};

/**
 * Makes every run-once behaviour timer fire at once, and the pause after a printed slip page last no time, for its
 * lifetime; the periodic log save keeps its interval.
 */
class InstantTimers final
{
public:
    InstantTimers();
    ~InstantTimers();

private:
    platform::Timing m_saved;
};

/**
 * Runs long work at once on the calling thread and keeps what each run reported. A test can play the user who asks
 * the work to stop at a chosen report. Installed for its lifetime.
 */
class FakeLongWork final : public platform::LongWork
{
public:
    FakeLongWork();
    ~FakeLongWork() override;

    void run(const QString& text, bool stoppable, const std::function<void(platform::Progress&)>& work) override;

    struct Run
    {
        QString text;
        bool stoppable = false;
        QList<QPair<qint64, qint64>> reports; ///< done and total of each advance()
    };
    QList<Run> runs;
    /**
     * The advance() call of a run, counted from 1, at which the user asks to stop: it and every later one answer
     * stop. 0 for never; work that is not stoppable offers no way to ask.
     */
    int stopAtReport = 0;
};

} // namespace testsupport
