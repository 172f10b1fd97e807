// A unit that sends without pause (a USB port is not held to the baud rate) while the application's
// thread is slow: the transport in its worker thread, a pseudo-terminal as the port. What waits for
// the slow thread stays bounded, the job engine still reads the port, and the drop is reported.

#include "comms/SerialController.h"
#include "comms/SerialTransport.h"
#include "model/Model.h"
#include "support/PtyPair.h"
#include "support/ResidentMemory.h"
#include "support/TestMain.h"

#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <poll.h>
#include <thread>
#include <unistd.h>

// AddressSanitizer holds freed memory back (256 MB by default) before reuse: while that pool fills,
// resident memory climbs at the pace of the input whatever the tool keeps, so a slow run would show
// the pool, not the tool. A small pool fills within the first second.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=8";
}

class TestLineFlood : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void unpacedStreamIntoASlowWindow()
    {
        // How long the stream runs, and what may be waiting for the slow thread at any time: the
        // lines in flight, and resident memory growing by no more than this once the sanitizer's
        // own pools are filled (measured from the first third of the run on; a few megabytes
        // when the flow is bounded, tens of megabytes a second when it is not). The stream stops as
        // soon as the growth passes the bound.
        constexpr int StreamMs = 30000;
        constexpr qint64 GrowthBoundKb = 48 * 1024;

        Model model;
        auto* transport = new SerialTransport(&model);
        QThread worker;
        transport->moveToThread(&worker);
        connect(&worker, &QThread::finished, transport, &QObject::deleteLater);
        worker.start();

        // Heard in this thread, as the window hears them; slow for every line while the stream runs.
        std::atomic<bool> streaming{true};
        qint64 shown = 0;
        qint64 reported = 0;
        int notices = 0;
        bool connected = false;
        bool disconnected = false;
        connect(transport, &Transport::Received, this,
                [&](const QString&)
                {
                    ++shown;
                    if (streaming)
                        QThread::usleep(300);
                });
        connect(transport, &Transport::LinesDropped, this,
                [&](int count)
                {
                    reported += count;
                    ++notices;
                });
        connect(transport, &Transport::Connected, this, [&connected] { connected = true; });
        connect(transport, &Transport::Disconnected, this, [&disconnected] { disconnected = true; });
        PtyPair pty;
        std::thread unit;
        // A failed check leaves the test here: the worker must still stop before it is destroyed.
        auto tearDown = qScopeGuard(
            [&]
            {
                if (unit.joinable())
                    unit.join();
                QMetaObject::invokeMethod(
                    transport, [transport] { transport->Disconnect(); }, Qt::BlockingQueuedConnection);
                worker.quit();
                worker.wait(10000);
            });
        QVERIFY2(pty.Open(), qPrintable(pty.ErrorString()));
        const QString port = pty.SlavePath();
        QMetaObject::invokeMethod(
            transport, [transport, port] { transport->Connect(port); }, Qt::QueuedConnection);
        QTRY_VERIFY_WITH_TIMEOUT(connected, 10000);

        // The unit: writes as fast as the line takes it and watches what this process holds
        // (from its own thread: the slow one may be buried in work).
        std::atomic<qint64> written{0};
        std::atomic<qint64> linesWritten{0};
        std::atomic<bool> done{false};
        qint64 settledKb = -1;
        qint64 peakKb = 0;
        int peakInFlight = 0;
        unit = std::thread(
            [&]
            {
                QByteArray chunk;
                while (chunk.size() < 8192)
                    chunk += "$GPRMC,120000,A,4807.038,N,01131.000,E,0.0,0.0,070420,,,A*53\r\n"
                             "$GPTXT,01,01,02,HI*7A\r\n";
                QElapsedTimer clock;
                clock.start();
                QElapsedTimer sample;
                sample.start();
                qsizetype at = 0;
                while (clock.elapsed() < StreamMs)
                {
                    if (sample.elapsed() >= 200)
                    {
                        sample.restart();
                        peakInFlight = qMax(peakInFlight, transport->LinesInFlight());
                        const qint64 kb = KelvaneTest::ResidentKb();
                        if (settledKb < 0 && clock.elapsed() >= StreamMs / 3)
                            settledKb = kb;
                        peakKb = qMax(peakKb, kb);
                        if (settledKb >= 0 && peakKb - settledKb > GrowthBoundKb)
                            break;
                    }
                    pollfd out{pty.MasterFd(), POLLOUT, 0};
                    if (::poll(&out, 1, 100) <= 0)
                        continue;
                    const ssize_t n = ::write(pty.MasterFd(), chunk.constData() + at, size_t(chunk.size() - at));
                    if (n > 0)
                    {
                        written += n;
                        linesWritten += std::count(chunk.constData() + at, chunk.constData() + at + n, '\n');
                        at = (at + n) % chunk.size();
                    }
                    else if (n < 0 && errno != EAGAIN && errno != EINTR)
                        break;
                }
                streaming = false;
                done = true;
            });
        QTRY_VERIFY_WITH_TIMEOUT(done, StreamMs + 30000);
        unit.join();

        qInfo("streamed %lld bytes, %lld lines shown, %lld dropped; at most %d lines in flight; resident "
              "memory %lld kB after the first third, %lld kB at most",
              qint64(written), shown, reported, peakInFlight, settledKb, peakKb);
        QVERIFY(written > 5 * 1024 * 1024); // the stream did outrun the window
        QVERIFY2(peakInFlight <= Transport::MaxLinesInFlight, qPrintable(QString::number(peakInFlight)));
        QVERIFY2(peakKb - settledKb <= GrowthBoundKb,
                 qPrintable(QStringLiteral("grew %1 kB after the first third").arg(peakKb - settledKb)));
        // Told, with the count, at most once a second; the connection goes on.
        QTRY_VERIFY_WITH_TIMEOUT(reported > 0, 5000);
        QVERIFY(notices <= StreamMs / Transport::DroppedNoticeMs + 2);
        // Each notice counts the lines dropped since the one before: once the port is drained, every
        // whole line written was either shown or counted in exactly one notice.
        QTRY_COMPARE_WITH_TIMEOUT(shown + reported, qint64(linesWritten), 10000);
        QVERIFY(shown > 0);
        QVERIFY(!disconnected);

        tearDown.dismiss();
        QMetaObject::invokeMethod(
            transport, [transport] { transport->Disconnect(); }, Qt::BlockingQueuedConnection);
        worker.quit();
        QVERIFY(worker.wait(10000));
        pty.Close();
    }
};

KELVANE_TEST_MAIN(TestLineFlood)
#include "tst_LineFlood.moc"
