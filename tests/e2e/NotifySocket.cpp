#include "tests/e2e/NotifySocket.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <array>
#include <cstring>

NotifySocket::NotifySocket()
{
    const QByteArray path = Path().toLocal8Bit();
    sockaddr_un address{};
    if (path.size() >= static_cast<int>(sizeof address.sun_path))
        return;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    socket_ = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket_ >= 0 && bind(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(socket_);
        socket_ = -1;
    }
}

NotifySocket::~NotifySocket()
{
    if (socket_ >= 0)
        close(socket_);
}

QString NotifySocket::Path() const
{
    return folder_.filePath(QStringLiteral("notify"));
}

QStringList NotifySocket::Received()
{
    std::array<char, 4096> message{};
    for (ssize_t size; socket_ >= 0 && (size = recv(socket_, message.data(), message.size(), 0)) >= 0;)
        received_ << QString::fromUtf8(message.data(), static_cast<int>(size)).trimmed();
    return received_;
}
