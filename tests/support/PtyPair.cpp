#include "support/PtyPair.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace
{
void MakeRaw(int fd)
{
    termios t{};
    if (tcgetattr(fd, &t) != 0)
        return;
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);
}
} // namespace

PtyPair::~PtyPair()
{
    Close();
}

bool PtyPair::Open()
{
    Close();
    int m = -1;
    int s = -1;
    char name[256] = {};
    if (openpty(&m, &s, name, nullptr, nullptr) != 0)
    {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    MakeRaw(m);
    MakeRaw(s);
    fcntl(m, F_SETFL, fcntl(m, F_GETFL) | O_NONBLOCK);
    fcntl(m, F_SETFD, FD_CLOEXEC);
    fcntl(s, F_SETFD, FD_CLOEXEC);
    master = m;
    slaveKeep = s;
    slavePath = QString::fromLocal8Bit(name);
    error.clear();
    return true;
}

void PtyPair::Close()
{
    if (master >= 0)
        ::close(master);
    if (slaveKeep >= 0)
        ::close(slaveKeep);
    master = -1;
    slaveKeep = -1;
}

bool PtyPair::Write(const QByteArray& bytes)
{
    qsizetype done = 0;
    int waits = 0;
    while (master >= 0 && done < bytes.size())
    {
        const ssize_t n = ::write(master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0)
        {
            done += n;
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        {
            // Nobody reads the far end and its buffer is full: like a UART, the unit's output
            // is lost rather than held up for ever.
            if (++waits > 20)
                return false;
            pollfd p{master, POLLOUT, 0};
            ::poll(&p, 1, 5);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return false;
    }
    return done == bytes.size();
}

QByteArray PtyPair::ReadAvailable()
{
    QByteArray all;
    char buffer[4096];
    while (master >= 0)
    {
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n > 0)
        {
            all.append(buffer, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }
    return all;
}
