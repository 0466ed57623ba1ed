#include "support/file_size_limit.h"

namespace testsupport {

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    struct sigaction ignore
    {
    };
    ignore.sa_handler = SIG_IGN;
    if (getrlimit(RLIMIT_FSIZE, &m_previousLimit) != 0 || sigaction(SIGXFSZ, &ignore, &m_previousAction) != 0)
        return;
    rlimit lowered = m_previousLimit;
    // only the soft limit is lowered, so that any user can raise it back afterwards
    lowered.rlim_cur = static_cast<rlim_t>(bytes);
    m_active = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    if (!m_active)
        sigaction(SIGXFSZ, &m_previousAction, nullptr);
}

FileSizeLimit::~FileSizeLimit()
{
    if (!m_active)
        return;
    setrlimit(RLIMIT_FSIZE, &m_previousLimit);
    sigaction(SIGXFSZ, &m_previousAction, nullptr);
}

} // namespace testsupport
