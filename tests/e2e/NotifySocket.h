#pragma once

#include <QStringList>
#include <QTemporaryDir>

// The socket systemd listens on for a notify service's messages (NOTIFY_SOCKET), for one test: a
// Unix datagram socket in a folder of its own, closed when this goes.
class NotifySocket {
public:
    NotifySocket();
    ~NotifySocket();
    NotifySocket(const NotifySocket&) = delete;
    NotifySocket& operator=(const NotifySocket&) = delete;

    // False if the socket cannot be made.
    bool Listening() const { return socket_ >= 0; }
    QString Path() const;
    // Every message received so far, in order ("READY=1", "WATCHDOG=1").
    QStringList Received();

private:
    QTemporaryDir folder_;
    int socket_ = -1;
    QStringList received_;
};
