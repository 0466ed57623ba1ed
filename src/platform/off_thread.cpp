#include "platform/off_thread.h"

#include <QAbstractEventDispatcher>
#include <QEventLoop>
#include <QThread>
#include <memory>

namespace platform {

void runOffThread(const std::function<void()>& work)
{
    runOffThread(work, [] { return false; });
}

void runOffThread(const std::function<void()>& work, const std::function<bool()>& takesInput)
{
    const std::unique_ptr<QThread> thread(QThread::create(work));
    QEventLoop loop;
    bool finished = false;
    bool input = false;
    // queued to this thread, so the quit waits in the queue until the loop below runs, however fast the work is
    QObject::connect(
        thread.get(), &QThread::finished, &loop,
        [&loop, &finished] {
            finished = true;
            loop.quit();
        },
        Qt::QueuedConnection);
    // A loop that holds input back is left once input may be taken, and the next one takes it.
    const QMetaObject::Connection watch = QObject::connect(
        QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, &loop, [&loop, &input, &takesInput] {
            if (!input && takesInput()) {
                input = true;
                loop.quit();
            }
        });
    thread->start();
    while (!finished)
        loop.exec(input ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    QObject::disconnect(watch);
    thread->wait();
}

} // namespace platform
