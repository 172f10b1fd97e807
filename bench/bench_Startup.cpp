// Start-up: from the start of the process to the first painted window, Kelvane's main window (built as
// the program builds it) against a bare QMainWindow, side by side in the same run. Each start is a process
// of its own (this program, started again with "--child bare" or "--child kelvane"), the two kinds taking
// turns so that both see the same load on the machine. Reports the median time and peak memory of each
// kind, the ratio of the medians and the platform the windows were shown on.
//
//     xvfb-run -a -s "-screen 0 1920x1080x24" ./bench_Startup
//
// The starts run on the display there is, as a user's would (xcb under X, Xvfb here); offscreen only where
// there is no display, or on the platform QT_QPA_PLATFORM names. Settings are in a folder of their own under
// the working directory.
//
// The ratio is not the same on every platform: a bare window costs far less offscreen than on a display,
// while most of Kelvane's cost (building its pages) is the same on both. Each platform has its own bound:
// the ratio that start-up has today on it, with the spread seen between runs of 31 starts of each kind
// (BENCH_RUNS, 31 unless set) as margin, so that a run within the bound says start-up has not grown and a
// regression fails. A platform without a bound of its own reports its figures and is skipped.

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

// One start: prints "<milliseconds> <peak KiB> <platform>".
int RunChild(int argc, char** argv, bool kelvane)
{
    const qint64 start = StartNs();
    const auto report = [start]
    {
        const double ms = double(MonotonicNs() - start) / 1e6;
        std::printf("%.3f %ld %s\n", ms, PeakKiB(), qPrintable(QGuiApplication::platformName()));
    };
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

// The bound of the ratio on each platform, for a quiet machine: today's ratio with the spread between runs as
// margin. On an eight-core machine with nothing else running, runs of 31 starts of each kind gave 3.34 to
// 3.51 under Xvfb (13 runs, median 3.45) and 7.44 to 8.07 offscreen (9 runs, median 7.6); under a load of 2
// to 8 they spread to 3.16 to 3.89 and 7.71 to 9.77, so measure on a quiet machine. A Kelvane start about a
// tenth slower than today's (9 ms more) takes the xcb ratio past its bound; offscreen, where a bare window
// costs only 9 ms and the ratio is noisier, about a sixth slower (13 ms more) does.
struct PlatformBound
{
    const char* platform;
    double ratio;
};
constexpr PlatformBound Bounds[] = {{"xcb", 3.8}, {"offscreen", 9.0}};

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
        const int runs = qEnvironmentVariableIsSet("BENCH_RUNS") ? qEnvironmentVariableIntValue("BENCH_RUNS") : 31;
        const QString home = QDir::current().filePath(QStringLiteral("bench-home/Startup"));
        QVERIFY(QDir().mkpath(home + QStringLiteral("/config")));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // The display there is, as a user has it; offscreen only where there is none.
        if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")) && !env.contains(QStringLiteral("DISPLAY")) &&
            !env.contains(QStringLiteral("WAYLAND_DISPLAY")))
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
        // No port of the machine is offered: the list holds nothing but what the machine has.
        env.remove(QStringLiteral("KELVANE_SIMULATED_PORTS"));

        QList<double> ms[2];
        QList<long> kib[2];
        QString platform;
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
                QCOMPARE(fields.size(), 3);
                ms[kind] << fields.at(0).toDouble();
                kib[kind] << fields.at(1).toLong();
                // Both kinds, every start, on the one platform.
                if (platform.isEmpty())
                    platform = QString::fromUtf8(fields.at(2));
                QCOMPARE(QString::fromUtf8(fields.at(2)), platform);
            }
        }
        const double bare = Median(ms[0]);
        const double kelvane = Median(ms[1]);
        const double ratio = kelvane / bare;
        double bound = 0.0;
        for (const PlatformBound& b : Bounds)
            if (platform == QLatin1String(b.platform))
                bound = b.ratio;
        std::printf("start to first shown window on %s, median of %d runs each:\n"
                    "  bare QMainWindow  %8.1f ms  peak %7.1f MiB\n"
                    "  Kelvane           %8.1f ms  peak %7.1f MiB\n"
                    "  ratio             %8.2f (%s)\n",
                    qPrintable(platform), runs, bare, double(Median(kib[0])) / 1024.0, kelvane,
                    double(Median(kib[1])) / 1024.0, ratio,
                    bound > 0.0 ? qPrintable(QStringLiteral("at most %1 on %2").arg(bound, 0, 'f', 1).arg(platform))
                                : "no bound on this platform");
        if (bound <= 0.0)
            QSKIP(qPrintable(QStringLiteral("no bound is set for the platform %1").arg(platform)));
        QVERIFY2(ratio <= bound, qPrintable(QStringLiteral("Kelvane starts %1 times slower than a bare window on %2, "
                                                           "at most %3 there")
                                                .arg(ratio)
                                                .arg(platform)
                                                .arg(bound)));
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
