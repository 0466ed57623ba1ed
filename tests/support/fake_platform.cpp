#include "support/fake_platform.h"

using namespace Qt::Literals::StringLiterals;

namespace testsupport {

FakeClock::FakeClock(const QDateTime& moment) : m_now(moment)
{
    platform::setClock(this);
}

FakeClock::~FakeClock()
{
    platform::setClock(nullptr);
}

FakePageSink::FakePageSink()
{
    platform::setPageSink(this);
}

FakePageSink::~FakePageSink()
{
    platform::setPageSink(nullptr);
}

bool FakePageSink::begin(const QString& jobName, const QSizeF& pageSizeMm)
{
    if (failAtBegin) {
        m_error = u"打印机未就绪"_s;
        return false;
    }
    jobs << jobName;
    pageSizesMm << pageSizeMm;
    return true;
}

bool FakePageSink::printPage(const QPicture& page)
{
    if (failAtPage >= 0 && pages.size() >= failAtPage) {
        m_error = u"打印机错误"_s;
        return false;
    }
    pages << page;
    return true;
}

bool FakePageSink::end()
{
    ++runsEnded;
    m_error = endFailure;
    return endFailure.isEmpty();
}

void FakePageSink::abort()
{
    ++runsAborted;
}

FakePrinterSetup::FakePrinterSetup()
{
    platform::setPrinterSetup(this);
}

FakePrinterSetup::~FakePrinterSetup()
{
    platform::setPrinterSetup(nullptr);
}

FakeLauncher::FakeLauncher()
{
    platform::setLauncher(this);
}

FakeLauncher::~FakeLauncher()
{
    platform::setLauncher(nullptr);
}

bool FakeLauncher::openUrl(const QUrl& url)
{
    urls << url;
    return canStart;
}

bool FakeLauncher::startDetached(const QString& program, const QStringList&)
{
    programs << program;
    return canStart;
}

bool FakeLauncher::restartProgram()
{
    ++restarts;
    return canStart;
}

void FakeLauncher::endProgram(int code)
{
    ++endCalls;
    exitCode = code;
}

InstantTimers::InstantTimers() : m_saved(platform::timing())
{
    auto& timing = platform::timing();
    timing.splash = 0;
    timing.opening = 0;
    timing.slipPrint = 0;
    timing.slipPagePause = 0;
    timing.closeAfterFinish = 0;
    timing.finalSave = 0;
}

InstantTimers::~InstantTimers()
{
    platform::timing() = m_saved;
}

FakeLongWork::FakeLongWork()
{
    platform::setLongWork(this);
}

FakeLongWork::~FakeLongWork()
{
    platform::setLongWork(nullptr);
}

void FakeLongWork::run(const QString& text, bool stoppable, const std::function<void(platform::Progress&)>& work)
{
    class Scripted final : public platform::Progress
    {
    public:
        Scripted(Run& run, int stopAt) : m_run(run), m_stopAt(run.stoppable ? stopAt : 0) { }
        bool advance(qint64 done, qint64 total) override
        {
            m_run.reports.append({ done, total });
            return m_stopAt == 0 || m_run.reports.size() < m_stopAt;
        }

    private:
        Run& m_run;
        int m_stopAt;
    };
    runs.append({ text, stoppable, {} });
    Scripted progress(runs.last(), stopAtReport);
    work(progress);
}

} // namespace testsupport
