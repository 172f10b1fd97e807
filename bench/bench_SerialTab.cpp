// The Serial Data tab under a long session: 200,000 recorded lines into the shown tab, the display's
// bound active throughout (it trims many times over). Reports lines per second, the slowest single
// line and the memory growth over the run. Target (Release build, no sanitizers): at least 5,000
// lines a second sustained and no line over 50 ms.
//
// A second session streams 200,000 short readings, as the Live Data tab shows an ADC stream: the
// most lines per character, where a trim has the most to lay out again.
//
// Both the wall clock and the GUI thread's own processor time are measured. On a machine shared
// with other work the wall clock also counts the time the thread waited for a processor; the
// processor time is what the same line costs on a quiet machine, and the verdict is taken on it.
//
// Three more measure the tab as it runs for days, each beside a plain QPlainTextEdit fed the same
// text so that the figures can be read against what Qt costs at the least:
// - liveLoad: lines arrive at 50 and 500 a second from another thread, one queued call each, as the
//   transport delivers them, with the tab shown; reported is the GUI thread's processor time as a
//   share of one core, which must be at most half the plain view's.
// - memoryOnceFull: 3 million lines, with the tab shown and hidden; the most heap in use seen over
//   the third million must not be more than 2 MB above that over the first (the display is full
//   after some 20,000 lines).
// - prompts: 30,000 shell prompts (">" with no line end) into the shared display; the cost of the
//   last thousand must be that of the first.
// The last two run for minutes: QTEST_FUNCTION_TIMEOUT=3600000 lifts Qt Test's limit of five.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QThread>

#include <functional>

#include <malloc.h>
#include <time.h>

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

#include "support/GuiTestMain.h"
#include "support/RecordedTraffic.h"
#include "support/ResidentMemory.h"
#include "ui/monitor/SerialTab.h"
#include "ui/monitor/TrafficDisplay.h"

namespace
{

constexpr int LineCount = 200000;

// Processor time of the calling thread, in nanoseconds.
qint64 ThreadCpuNs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

double LoadAverage()
{
    QFile load(QStringLiteral("/proc/loadavg"));
    if (!load.open(QIODevice::ReadOnly))
        return 0;
    return load.readAll().split(' ').value(0).toDouble();
}

// Bytes the heap has handed out and not had back: unlike the resident size it does not count what
// the allocator keeps for reuse.
qint64 HeapInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer's allocator stands in for the C library's, whose figures then stay at nothing.
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
#endif
}

// Sends lines at a steady rate from a thread of its own, as the transport does: one queued call per
// line.
class Feeder : public QThread
{
    Q_OBJECT

public:
    Feeder(const QStringList& lines, int perSecond, int count) : lines(lines), perSecond(perSecond), count(count) {}

Q_SIGNALS:
    void Line(QString line);

protected:
    void run() override
    {
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < count; ++i)
        {
            const qint64 wait = qint64(i) * 1000000000 / perSecond - clock.nsecsElapsed();
            if (wait > 0)
                QThread::usleep(quint64(wait / 1000));
            Q_EMIT Line(lines.at(i % lines.size()));
        }
    }

private:
    QStringList lines;
    int perSecond;
    int count;
};

// A plain QPlainTextEdit as the reference: read-only, bounded by blocks, fed at its end.
void SetUpPlain(QPlainTextEdit& plain)
{
    plain.setReadOnly(true);
    plain.setUndoRedoEnabled(false);
    plain.setMaximumBlockCount(20000);
    plain.resize(900, 600);
}

void AppendPlain(QPlainTextEdit& plain, const QString& text)
{
    plain.moveCursor(QTextCursor::End);
    plain.insertPlainText(text);
}

int EnvironmentCount(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

} // namespace

class BenchSerialTab : public QObject
{
    Q_OBJECT

    QStringList lines;

private slots:
    void initTestCase()
    {
        Q_INIT_RESOURCE(kelvane);
        QString missing;
        lines = KelvaneTest::RecordedTrafficLines(QStringLiteral(KELVANE_TESTDATA_DIR), &missing);
        QVERIFY2(missing.isEmpty(), qPrintable(missing));
        QVERIFY(lines.size() > 2500);
    }

    void recordedTraffic() { Session(lines); }

    void streamedReadings()
    {
        QStringList readings;
        for (int i = 0; i < 1000; ++i)
            readings.append(QStringLiteral("ADC 3: %1\n").arg(2000 + (i * 37) % 100));
        Session(readings);
    }

    void liveLoad_data()
    {
        QTest::addColumn<int>("perSecond");
        QTest::newRow("50 lines/s") << 50;
        QTest::newRow("500 lines/s") << 500;
    }

    void liveLoad()
    {
        QFETCH(int, perSecond);
        const int seconds = EnvironmentCount("BENCH_SECONDS", 5);
        double tabShare = 0;
        {
            SerialTab tab;
            tab.resize(900, 600);
            tab.show();
            QVERIFY(QTest::qWaitForWindowExposed(&tab));
            tab.OnOpened();
            Feeder feeder(lines, perSecond, perSecond * seconds);
            QObject::connect(&feeder, &Feeder::Line, &tab, &SerialTab::OnReceived);
            tabShare = LiveShare(feeder);
        }
        double plainShare = 0;
        {
            QPlainTextEdit plain;
            SetUpPlain(plain);
            plain.show();
            QVERIFY(QTest::qWaitForWindowExposed(&plain));
            Feeder feeder(lines, perSecond, perSecond * seconds);
            QObject::connect(&feeder, &Feeder::Line, &plain,
                             [&plain](const QString& line) { AppendPlain(plain, line); });
            plainShare = LiveShare(feeder);
        }
        qInfo("%d lines a second for %d s: GUI thread %.2f %% of a core with the Serial Data tab, %.2f %% with a "
              "plain QPlainTextEdit",
              perSecond, seconds, tabShare, plainShare);
#if defined(NDEBUG)
        // Shown line by line, the tab cost what the plain view costs (8.5 % and 77 % here).
        QVERIFY2(tabShare <= plainShare / 2, "the tab costs as much as showing every line on its own");
#endif
    }

    void memoryOnceFull_data()
    {
        QTest::addColumn<bool>("shown");
        QTest::newRow("shown") << true;
        // Another tab in front, as the tab mostly is: the view lays nothing out.
        QTest::newRow("hidden") << false;
    }

    void memoryOnceFull()
    {
        QFETCH(bool, shown);
        const int total = EnvironmentCount("BENCH_MILLIONS", 3) * 1000000;
        QList<qint64> tabHeap;
        QList<long> tabResident;
        {
            SerialTab tab;
            tab.resize(900, 600);
            if (shown)
            {
                tab.show();
                QVERIFY(QTest::qWaitForWindowExposed(&tab));
            }
            tab.OnOpened();
            Feed(
                total, [&tab](const QString& line) { tab.OnReceived(line); }, tabHeap, tabResident);
        }
        QList<qint64> plainHeap;
        QList<long> plainResident;
        {
            QPlainTextEdit plain;
            SetUpPlain(plain);
            if (shown)
            {
                plain.show();
                QVERIFY(QTest::qWaitForWindowExposed(&plain));
            }
            Feed(
                total, [&plain](const QString& line) { AppendPlain(plain, line); }, plainHeap, plainResident);
        }
        for (int i = 0; i < tabHeap.size(); ++i)
            qInfo("million %d: heap in use at most %.1f MB (resident %.1f MB) with the tab, %.1f MB (resident %.1f MB) "
                  "with a plain QPlainTextEdit",
                  i + 1, tabHeap.at(i) / 1048576.0, tabResident.at(i) / 1024.0, plainHeap.at(i) / 1048576.0,
                  plainResident.at(i) / 1024.0);
        const double growth = (tabHeap.last() - tabHeap.first()) / 1048576.0;
        qInfo("growth once full: %.2f MB with the tab (%.2f bytes a line), %.2f MB with a plain QPlainTextEdit", growth,
              (tabHeap.last() - tabHeap.first()) / double(total - 1000000),
              (plainHeap.last() - plainHeap.first()) / 1048576.0);
        QVERIFY2(growth <= 2, "the heap grows once the display is full");
    }

    void prompts()
    {
        const int count = EnvironmentCount("BENCH_PROMPTS", 30000);
        const QString prompt = QStringLiteral(">");
        QTextEdit view;
        view.setReadOnly(true);
        view.resize(900, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        TrafficDisplay display(&view);
        const QList<double> shown = PromptCosts(count, [&](int) { display.Append(prompt); });
        QPlainTextEdit plain;
        SetUpPlain(plain);
        plain.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plain));
        const QList<double> reference = PromptCosts(count, [&](int) { AppendPlain(plain, prompt); });
        qInfo("%d prompts: %.1f us each over the first thousand, %.1f us over the last (plain QPlainTextEdit: %.1f and "
              "%.1f us)",
              count, shown.first(), shown.last(), reference.first(), reference.last());
#if defined(NDEBUG)
        QVERIFY2(shown.last() <= 2 * shown.first() + 20, "a prompt costs more as they pile up");
#endif
    }

private:
    // The GUI thread's processor time while the feeder runs, as a percentage of the wall clock.
    static double LiveShare(Feeder& feeder)
    {
        QElapsedTimer wall;
        wall.start();
        const qint64 cpuStart = ThreadCpuNs();
        QEventLoop loop;
        QObject::connect(&feeder, &QThread::finished, &loop, &QEventLoop::quit);
        feeder.start();
        loop.exec();
        // What the last lines set off (a delayed paint) belongs to them.
        QTest::qWait(200);
        return 100.0 * double(ThreadCpuNs() - cpuStart) / double(wall.nsecsElapsed());
    }

    // Feeds total lines, painting between them as the GUI thread would, and records for every
    // million the most heap in use and resident size seen at its ten samples: what the document
    // holds for its text swings with its own compaction, and the highest of each million is what
    // shows a trend. The resident size also counts what the allocator keeps for reuse.
    void Feed(int total, const std::function<void(const QString&)>& append, QList<qint64>& heap, QList<long>& resident)
    {
        for (int i = 1; i <= total; ++i)
        {
            append(lines.at(i % lines.size()));
            if (i % 1000 == 0)
                QCoreApplication::processEvents();
            if (i % 100000 == 0)
            {
                // As the program would stand: the allocator is not asked to give back what it keeps.
                QTest::qWait(60);
                if (i % 1000000 == 100000)
                {
                    heap.append(0);
                    resident.append(0);
                }
                heap.last() = qMax(heap.last(), HeapInUse());
                resident.last() = qMax(resident.last(), KelvaneTest::ResidentKb());
            }
            if (i % 1000000 == 0)
                qInfo("  %d lines: heap in use at most %.2f MB, resident at most %.1f MB", i, heap.last() / 1048576.0,
                      resident.last() / 1024.0);
        }
    }

    // Microseconds of the GUI thread per prompt, for each thousand in turn.
    static QList<double> PromptCosts(int count, const std::function<void(int)>& append)
    {
        QList<double> costs;
        qint64 cpuStart = ThreadCpuNs();
        for (int i = 1; i <= count; ++i)
        {
            append(i);
            if (i % 100 == 0)
                QCoreApplication::processEvents();
            if (i % 1000 == 0)
            {
                costs.append((ThreadCpuNs() - cpuStart) / 1000.0 / 1000.0);
                cpuStart = ThreadCpuNs();
            }
        }
        return costs;
    }

    void Session(const QStringList& feed)
    {
        SerialTab tab;
        tab.resize(900, 600);
        tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tab));
        tab.OnOpened();
        auto* view = tab.findChild<QTextEdit*>(QStringLiteral("textEditReceived"));
        QVERIFY(view);

        const long before = KelvaneTest::ResidentKb();
        const double loadBefore = LoadAverage();
        long afterFirstTrim = 0;
        qint64 slowest = 0;
        qint64 slowestCpu = 0;
        qint64 cpu = 0;
        qint64 characters = 0;
        QElapsedTimer total;
        QElapsedTimer one;
        total.start();
        for (int i = 0; i < LineCount; ++i)
        {
            const QString& line = feed.at(i % feed.size());
            characters += line.size();
            one.start();
            const qint64 cpuStart = ThreadCpuNs();
            tab.OnReceived(line);
            const qint64 lineCpu = ThreadCpuNs() - cpuStart;
            cpu += lineCpu;
            slowestCpu = qMax(slowestCpu, lineCpu);
            slowest = qMax(slowest, one.nsecsElapsed());
            // BENCH_TRACE=1 names every line over 10 ms (where the trims fall).
            if (qEnvironmentVariableIsSet("BENCH_TRACE") && one.nsecsElapsed() > 10000000)
                qInfo("line %d took %.1f ms, %.1f ms of processor (%lld characters so far)", i,
                      one.nsecsElapsed() / 1e6, lineCpu / 1e6, characters);
            // The GUI thread paints between lines, as it would between the queued arrivals.
            if (i % 100 == 0)
                QCoreApplication::processEvents();
            if (afterFirstTrim == 0 && characters > 2 * TrafficDisplay::MaxCharacters)
                afterFirstTrim = KelvaneTest::ResidentKb();
        }
        const double seconds = total.nsecsElapsed() / 1e9;
        const long after = KelvaneTest::ResidentKb();
        QVERIFY(view->document()->characterCount() - 1 <= TrafficDisplay::MaxCharacters);

        const double perSecond = LineCount / seconds;
        const double perCpuSecond = LineCount / (cpu / 1e9);
        const double slowestMs = slowest / 1e6;
        const double slowestCpuMs = slowestCpu / 1e6;
        qInfo("%d lines (%lld characters, %d paragraphs shown at the end)", LineCount, characters,
              view->document()->blockCount());
        qInfo("wall clock: %.2f s, %.0f lines per second, slowest line %.2f ms (load average %.1f before, %.1f after)",
              seconds, perSecond, slowestMs, loadBefore, LoadAverage());
        qInfo("processor: %.2f s, %.0f lines per second, slowest line %.2f ms", cpu / 1e9, perCpuSecond, slowestCpuMs);
        qInfo("resident memory: %ld kB at start, %ld kB once full, %ld kB at the end (growth %ld kB, %ld kB after "
              "the display was full)",
              before, afterFirstTrim, after, after - before, after - afterFirstTrim);
        if (perSecond < 5000 || slowestMs > 50)
            qInfo("the wall clock misses the target: the machine was busy, see the load average");
#if defined(NDEBUG)
        QVERIFY2(perCpuSecond >= 5000, "below 5,000 lines a second");
        QVERIFY2(slowestCpuMs <= 50, "a line took over 50 ms");
#endif
    }
};

KELVANE_TEST_GUI_MAIN(BenchSerialTab)
#include "bench_SerialTab.moc"
