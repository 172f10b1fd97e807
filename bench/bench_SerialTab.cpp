// The Serial Data tab under a long session: 200,000 recorded lines into the shown tab, the display's
// bound active throughout (it trims many times over). Reports lines per second, the slowest single
// line and the memory growth over the run. Target (Release build, no sanitizers): at least 5,000
// lines a second sustained and no line over 50 ms.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextEdit>

#include "support/GuiTestMain.h"
#include "ui/monitor/SerialTab.h"
#include "ui/monitor/TrafficDisplay.h"

namespace
{

constexpr int LineCount = 200000;

// Resident memory of the process in kB, 0 where the system does not say.
long ResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
    {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
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
        for (const char* name : {"/nmea/ais-nmea.log", "/nmea/ublox-neo-m9n-nmea.log"})
        {
            QFile file(QStringLiteral(KELVANE_TESTDATA_DIR) + QLatin1String(name));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            while (!file.atEnd())
            {
                const QByteArray line = file.readLine();
                if (!line.startsWith('#'))
                    lines.append(QString::fromLatin1(line.trimmed()) + QLatin1Char('\n'));
            }
        }
        QVERIFY(lines.size() > 2500);
    }

    void longSession()
    {
        SerialTab tab;
        tab.resize(900, 600);
        tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tab));
        tab.OnOpened();
        auto* view = tab.findChild<QTextEdit*>(QStringLiteral("textEditReceived"));
        QVERIFY(view);

        const long before = ResidentKb();
        long afterFirstTrim = 0;
        qint64 slowest = 0;
        qint64 characters = 0;
        QElapsedTimer total;
        QElapsedTimer one;
        total.start();
        for (int i = 0; i < LineCount; ++i)
        {
            const QString& line = lines.at(i % lines.size());
            characters += line.size();
            one.start();
            tab.OnReceived(line);
            slowest = qMax(slowest, one.nsecsElapsed());
            // BENCH_TRACE=1 names every line over 10 ms (where the trims fall).
            if (qEnvironmentVariableIsSet("BENCH_TRACE") && one.nsecsElapsed() > 10000000)
                qInfo("line %d took %.1f ms (%lld characters so far)", i, one.nsecsElapsed() / 1e6, characters);
            // The GUI thread paints between lines, as it would between the queued arrivals.
            if (i % 100 == 0)
                QCoreApplication::processEvents();
            if (afterFirstTrim == 0 && characters > 2 * TrafficDisplay::MaxCharacters)
                afterFirstTrim = ResidentKb();
        }
        const double seconds = total.nsecsElapsed() / 1e9;
        const long after = ResidentKb();
        QVERIFY(view->document()->characterCount() - 1 <= TrafficDisplay::MaxCharacters);

        const double perSecond = LineCount / seconds;
        const double slowestMs = slowest / 1e6;
        qInfo("%d lines (%lld characters) in %.2f s: %.0f lines per second; slowest line %.2f ms", LineCount,
              characters, seconds, perSecond, slowestMs);
        qInfo("resident memory: %ld kB at start, %ld kB once full, %ld kB at the end (growth %ld kB, %ld kB after "
              "the display was full)",
              before, afterFirstTrim, after, after - before, after - afterFirstTrim);
#if defined(NDEBUG)
        QVERIFY2(perSecond >= 5000, "below 5,000 lines a second");
        QVERIFY2(slowestMs <= 50, "a line took over 50 ms");
#endif
    }
};

KELVANE_TEST_GUI_MAIN(BenchSerialTab)
#include "bench_SerialTab.moc"
