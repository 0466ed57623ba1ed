#include "platform/progress.h"

#include "platform/off_thread.h"
#include "platform/timing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace platform {

namespace {

class Unwatched final : public Progress
{
public:
    bool advance(qint64, qint64) override { return true; }
};

/** Written by the work's thread, read by the user-interface thread. */
class SharedProgress final : public Progress
{
public:
    bool advance(qint64 done, qint64 total) override
    {
        m_done = done;
        m_total = total;
        return !m_stopAsked;
    }

    void askToStop() { m_stopAsked = true; }
    /** How far the work is, in thousandths. */
    int permille() const
    {
        const qint64 total = m_total;
        const qint64 done = m_done;
        return total > 0 ? int(std::clamp<qint64>(done * 1000 / total, 0, 1000)) : 0;
    }

private:
    std::atomic<qint64> m_done { 0 };
    std::atomic<qint64> m_total { 0 };
    std::atomic<bool> m_stopAsked { false };
};

class QtLongWork final : public LongWork
{
public:
    void run(const QString& text, bool stoppable, const std::function<void(Progress&)>& work) override
    {
        SharedProgress progress;
        // Without a parent: a window that disabled itself for the work would disable its child dialog with it.
        QProgressDialog dialog(text, {}, 0, 1000, nullptr);
        dialog.setObjectName(u"progress"_s);
        dialog.setWindowTitle(text);
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.setAutoClose(false);
        dialog.setAutoReset(false);
        // shown by the watch below, not by the dialog's own timer
        dialog.setMinimumDuration(std::numeric_limits<int>::max());
        QPushButton* stop = nullptr;
        if (stoppable) {
            stop = new QPushButton(u"取消"_s, &dialog);
            stop->setObjectName(u"stop"_s);
            dialog.setCancelButton(stop);
        } else {
            dialog.setCancelButton(nullptr);
        }
        // Esc or closing the dialog cancels it as well; work that cannot stop just shows its dialog again.
        QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&progress, &dialog, &text, stop] {
            if (stop) {
                progress.askToStop();
                stop->setEnabled(false);
                dialog.setLabelText(text + u"\n正在停止..."_s);
            }
            dialog.show();
        });

        QElapsedTimer elapsed;
        elapsed.start();
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, &dialog, [&] {
            if (!dialog.isVisible() && elapsed.elapsed() >= timing().progressShown)
                dialog.show();
            dialog.setValue(progress.permille());
        });
        watch.start(50);
        runOffThread([&work, &progress] { work(progress); }, [&dialog] { return dialog.isVisible(); });
    }
};

LongWork* installed = nullptr;
std::atomic<bool> running { false };

} // namespace

Progress& unwatchedProgress()
{
    static Unwatched progress;
    return progress;
}

void runLongWork(const QString& text, bool stoppable, const std::function<void(Progress&)>& work)
{
    static QtLongWork qtLongWork;
    LongWork& runner = installed ? *installed : qtLongWork;
    const bool outer = !running.exchange(true);
    runner.run(text, stoppable, work);
    if (outer)
        running = false;
}

void setLongWork(LongWork* replacement)
{
    installed = replacement;
}

bool ProgressParts::advance(int part, qint64 done, qint64 total)
{
    constexpr qint64 share = 1000;
    const qint64 within = total > 0 ? std::clamp<qint64>(done * share / total, 0, share) : 0;
    return m_progress.advance(part * share + within, m_parts * share);
}

bool longWorkRunning()
{
    return running;
}

} // namespace platform
