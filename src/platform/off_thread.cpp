#include "platform/off_thread.h"

#include <QEventLoop>
#include <QThread>
#include <memory>

namespace platform {

void runOffThread(const std::function<void()>& work)
{
    const std::unique_ptr<QThread> thread(QThread::create(work));
    QEventLoop loop;
    // queued to this thread, so the quit waits in the queue until the loop below runs, however fast the work is
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    thread->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
}

} // namespace platform
