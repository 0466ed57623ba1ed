#pragma once

#include <QString>

namespace testsupport {

/** A local socket that takes connections and never answers them: a print system that hangs. */
class SilentSocket final
{
public:
    explicit SilentSocket(const QString& path);
    ~SilentSocket();
    SilentSocket(const SilentSocket&) = delete;
    SilentSocket& operator=(const SilentSocket&) = delete;

    bool isListening() const { return m_socket >= 0; }

private:
    int m_socket = -1;
};

} // namespace testsupport
