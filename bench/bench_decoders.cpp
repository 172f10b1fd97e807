// Throughput of the reception decoders: the recorded traffic, every line through the GNSS and the
// AIS decoder as the transport hands it on, parsing included. Target: 400,000 lines a second on
// one core (Release build, no sanitizers).
#include "decoders/GPSDecoder.h"
#include "decoders/MessageDecoder.h"
#include "model/Model.h"
#include "support/RecordedTraffic.h"
#include "support/TestMain.h"

#include <QElapsedTimer>

class BenchDecoders : public QObject
{
    Q_OBJECT

    QStringList lines;

    void Feed(GPSDecoder& gps, MessageDecoder& ais)
    {
        for (const QString& line : std::as_const(lines))
        {
            gps.OnReceived(line);
            ais.OnReceived(line);
        }
    }

private slots:
    void initTestCase()
    {
        QString missing;
        lines = KelvaneTest::RecordedTrafficLines(QStringLiteral(KELVANE_TESTDATA_DIR), &missing);
        QVERIFY2(missing.isEmpty(), qPrintable(missing));
        QVERIFY(lines.size() > 2500);
    }

    void recordedTraffic()
    {
        Model model;
        GPSDecoder gps;
        MessageDecoder ais(&model);
        QBENCHMARK
        {
            Feed(gps, ais);
        }
    }

    void linesPerSecond()
    {
        Model model;
        GPSDecoder gps;
        MessageDecoder ais(&model);
        Feed(gps, ais); // warm up
        QElapsedTimer clock;
        qint64 fed = 0;
        clock.start();
        while (clock.elapsed() < 2000)
        {
            Feed(gps, ais);
            fed += lines.size();
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        qInfo("%.0f lines per second through both decoders (%lld lines in %.2f s)", fed / seconds, fed, seconds);
    }
};

KELVANE_TEST_MAIN(BenchDecoders)
#include "bench_decoders.moc"
