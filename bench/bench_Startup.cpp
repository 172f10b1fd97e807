// Start-up: from the start of the process to the first painted window, Kelvane's main window (built as
// the program builds it) against a bare QMainWindow, side by side in the same run. Each start is a process
// of its own (this program, started again with "--child bare" or "--child kelvane"), the two kinds taking
// turns so that both see the same load on the machine. Reports the median time and peak memory of each
// kind and the ratio of the medians, which must stay at or below 3.
//
//     BENCH_RUNS=15 ./bench_Startup
//
// The starts run offscreen (or on the platform QT_QPA_PLATFORM names, such as xcb under Xvfb) with
// settings in a folder of their own under the working directory.

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QProcess>
#include <QtTest/QtTest>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include <sys/resource.h>
#include <time.h>

#include "support/AppTestFixture.h"
#include "ui/MainWindow.h"

// The images live in the widgets library; the registration has to be made outside any namespace.
static void InitResources()
{
    Q_INIT_RESOURCE(kelvane);
}

namespace
{

// Counts paints of the window it watches.
class PaintWatch : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

// Shows the window and returns once its first frame is painted; the paint of the children finishes in
// the same pass as the window's own.
void ShowAndPaint(QWidget* window)
{
    PaintWatch watch;
    window->installEventFilter(&watch);
    window->show();
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    window->removeEventFilter(&watch);
}

qint64 MonotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// The time the driver started this process, taken from the clock all processes share.
qint64 StartNs()
{
    bool ok = false;
    const qint64 start = qEnvironmentVariable("BENCH_START_NS").toLongLong(&ok);
    return ok ? start : MonotonicNs();
}

long PeakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// One start: prints "<milliseconds> <peak KiB>".
int RunChild(int argc, char** argv, bool kelvane)
{
    const qint64 start = StartNs();
    const auto report = [start] { std::printf("%.3f %ld\n", double(MonotonicNs() - start) / 1e6, PeakKiB()); };
    if (!kelvane)
    {
        QApplication app(argc, argv);
        QMainWindow window;
        ShowAndPaint(&window);
        report();
        return 0;
    }

    // As the program's entry point does it, with the settings of a sandbox.
    KelvaneTest::PrepareTestEnvironment();
    KelvaneTest::PrepareAppSettings();
    KelvaneApplication::PrepareLook();
    InitResources();
    KelvaneApplication application(argc, argv);
    MainWindow window(nullptr);
    ShowAndPaint(&window);
    application.SetMainWindow(&window);
    report();
    return 0;
}

template <typename T> T Median(QList<T> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

} // namespace

class BenchStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstShownWindow()
    {
        const int runs = qEnvironmentVariableIsSet("BENCH_RUNS") ? qEnvironmentVariableIntValue("BENCH_RUNS") : 15;
        const QString home = QDir::current().filePath(QStringLiteral("bench-home/Startup"));
        QVERIFY(QDir().mkpath(home + QStringLiteral("/config")));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // Offscreen unless the run names a platform (a real X display shows the cost a user sees).
        if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
        // No port of the machine is offered: the list holds nothing but what the machine has.
        env.remove(QStringLiteral("KELVANE_SIMULATED_PORTS"));

        QList<double> ms[2];
        QList<long> kib[2];
        for (int run = 0; run < runs; ++run)
        {
            for (int turn = 0; turn < 2; ++turn)
            {
                // Taking turns: bare first in even runs, Kelvane first in odd ones.
                const int kind = (run + turn) % 2;
                QProcess child;
                env.insert(QStringLiteral("BENCH_START_NS"), QString::number(MonotonicNs()));
                child.setProcessEnvironment(env);
                child.start(QCoreApplication::applicationFilePath(),
                            {QStringLiteral("--child"), kind ? QStringLiteral("kelvane") : QStringLiteral("bare")});
                QVERIFY2(child.waitForFinished(60000), "a start did not finish");
                QCOMPARE(child.exitCode(), 0);
                const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
                QCOMPARE(fields.size(), 2);
                ms[kind] << fields.at(0).toDouble();
                kib[kind] << fields.at(1).toLong();
            }
        }
        const double bare = Median(ms[0]);
        const double kelvane = Median(ms[1]);
        const double ratio = kelvane / bare;
        std::printf("start to first shown window, median of %d runs each:\n"
                    "  bare QMainWindow  %8.1f ms  peak %7.1f MiB\n"
                    "  Kelvane           %8.1f ms  peak %7.1f MiB\n"
                    "  ratio             %8.2f (at most 3)\n",
                    runs, bare, double(Median(kib[0])) / 1024.0, kelvane, double(Median(kib[1])) / 1024.0, ratio);
        QVERIFY2(ratio <= 3.0, qPrintable(QStringLiteral("Kelvane starts %1 times slower").arg(ratio)));
    }
};

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return RunChild(argc, argv, std::strcmp(argv[2], "kelvane") == 0);
    QCoreApplication app(argc, argv);
    BenchStartup bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_Startup.moc"
