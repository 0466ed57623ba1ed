#pragma once

#include <QtGlobal>
#include <signal.h>
#include <sys/resource.h>

namespace testsupport {

/**
 * While it lives, no file of this process can grow past a number of bytes: a write that would pass it writes what
 * fits and returns a short count, the next one fails, as on a full disk. It works the same for root and for other
 * users. SIGXFSZ is ignored meanwhile, so a write past the limit fails instead of ending the test.
 */
class FileSizeLimit final
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    /** false when the limit could not be set; the test should then fail. */
    bool isActive() const { return m_active; }

private:
    rlimit m_previousLimit {};
    struct sigaction m_previousAction
    {
    };
    bool m_active = false;
};

} // namespace testsupport
