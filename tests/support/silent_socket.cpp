#include "support/silent_socket.h"

#include <algorithm>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace testsupport {

SilentSocket::SilentSocket(const QString& path)
{
    const QByteArray name = path.toLocal8Bit();
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (name.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return;
    std::copy(name.begin(), name.end(), address.sun_path);
    m_socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (m_socket >= 0
        && (::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
            || ::listen(m_socket, 8) != 0)) {
        ::close(m_socket);
        m_socket = -1;
    }
}

SilentSocket::~SilentSocket()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

} // namespace testsupport
