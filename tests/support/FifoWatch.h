#pragma once
// A FIFO that nobody writes: whoever opens it to read blocks until a writer comes. A thread plays that
// writer: it counts every reader and lets it go at once with an empty read, so a widget that takes a
// text from the unit as markup, and loads the image it names, is caught instead of hanging the test.

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace KelvaneTest
{

class FifoWatch
{
public:
    FifoWatch() : dir(QDir::current().filePath(QStringLiteral("f-XXXXXX"))) {}
    ~FifoWatch()
    {
        stop = true;
        if (writer.joinable())
            writer.join();
    }
    FifoWatch(const FifoWatch&) = delete;
    FifoWatch& operator=(const FifoWatch&) = delete;

    bool Start()
    {
        if (!dir.isValid() || mkfifo(QFile::encodeName(Path()).constData(), 0600) != 0)
            return false;
        writer = std::thread(
            [this, path = QFile::encodeName(Path())]
            {
                while (!stop)
                {
                    // Opening the write end without blocking succeeds only while a reader waits.
                    const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
                    if (fd >= 0)
                    {
                        ++readers;
                        ::close(fd);
                    }
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                }
            });
        return true;
    }
    QString Path() const { return dir.filePath(QStringLiteral("i")); }
    // Markup that would have the FIFO opened as an image; the path relative to the working folder, which
    // is where a widget looks for it, keeps the reply within a sentence's length.
    QString Markup() const
    {
        return QStringLiteral("<img src=\"") + QDir::current().relativeFilePath(Path()) + QStringLiteral("\">");
    }
    int Readers() const { return readers; }

private:
    QTemporaryDir dir;
    std::thread writer;
    std::atomic<bool> stop{false};
    std::atomic<int> readers{0};
};

} // namespace KelvaneTest
