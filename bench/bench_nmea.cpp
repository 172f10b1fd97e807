// Throughput of the sentence record: every line of the recorded traffic parsed, validated and
// checksummed as the transport and the decoders do it. Target: 700,000 lines a second on one core
// (Release build, no sanitizers).
#include "comms/NmeaSentence.h"
#include "support/TestMain.h"

#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

class BenchNmea : public QObject
{
    Q_OBJECT

    QStringList lines;

    int ParseAll(NmeaSentence& sentence) const
    {
        int valid = 0;
        for (const QString& line : lines)
            if (sentence.Parse(line))
                ++valid;
        return valid;
    }

private slots:
    void initTestCase()
    {
        for (const char* name : {"/nmea/ais-nmea.log", "/nmea/ublox-neo-m9n-nmea.log"})
        {
            QFile file(QStringLiteral(KELVANE_TESTDATA_DIR) + QLatin1String(name));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            while (!file.atEnd())
            {
                // As the serial controller hands lines on: carriage returns gone, line feed kept.
                QByteArray line = file.readLine();
                line.replace('\r', QByteArray());
                lines.append(QString::fromLatin1(line));
            }
        }
        QVERIFY(lines.size() > 2500);
    }

    void parseRecordedTraffic()
    {
        NmeaSentence sentence;
        int valid = 0;
        QBENCHMARK
        {
            valid = ParseAll(sentence);
        }
        QVERIFY(valid > lines.size() / 2);
    }

    // The same work timed over many passes, reported in lines per second.
    void linesPerSecond()
    {
        NmeaSentence sentence;
        qint64 parsed = 0;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 2000)
        {
            ParseAll(sentence);
            parsed += lines.size();
        }
        const double seconds = timer.nsecsElapsed() / 1e9;
        std::printf("bench_nmea: %lld lines in %.3f s: %.0f lines/s\n", static_cast<long long>(parsed), seconds,
                    parsed / seconds);
        std::fflush(stdout);
    }
};

KELVANE_TEST_MAIN(BenchNmea)
#include "bench_nmea.moc"
