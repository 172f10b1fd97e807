// Recorded receiver and transponder traffic fed line by line through both decoders, compared with an
// independent decoding of the same lines (the .chk files beside the logs, one JSON object a line,
// after the line that produced it).
//
// Where the tool decodes by its own rules, the comparison follows them:
// - times are read to the second (the fractional part of the RMC time is not kept);
// - the reference numbers Galileo and BeiDou satellites 300 + n and 400 + n, and SBAS satellites by
//   their own svid; the tool keeps the PRN as the sentence gives it, with the constellation;
// - SBAS is PRN 33-64 of GPS (37-64 of Galileo, 38-64 of BeiDou): the reference's SBAS satellites
//   (gnssid 1) appear in the tool's GPS records flagged SBAS;
// - satellites are not aged out here (no event loop runs), so the table may hold satellites of an
//   earlier epoch that the reference no longer lists; every satellite it holds must have been listed
//   by the reference at some time (a satellite made up of a signal identifier would not);
// - the AIS decoder takes talkers "AI" and "AN" only; it passes on message 6 alone, so the other
//   messages are compared through the last bits it decoded (fill bits removed, as the reference does).
#include "comms/NmeaSentence.h"
#include "decoders/GPSDecoder.h"
#include "decoders/MessageDecoder.h"
#include "model/GeoPosition.h"
#include "model/Model.h"
#include "support/TestMain.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QSignalSpy>

namespace
{
const double KnotInMetresPerSecond = 1852.0 / 3600.0;

struct Recording
{
    QStringList lines; // log lines without comments, each with its line end
    // For each line, the reference objects printed after it.
    QList<QList<QJsonObject>> reference;
};

bool Load(const QString& name, Recording& out)
{
    QFile log(KelvaneTest::TestDataPath("nmea/" + name));
    QFile chk(KelvaneTest::TestDataPath("nmea/" + name + ".chk"));
    if (!log.open(QIODevice::ReadOnly) || !chk.open(QIODevice::ReadOnly))
        return false;
    while (!log.atEnd())
    {
        const QString line = QString::fromLatin1(log.readLine());
        if (!line.startsWith(QLatin1Char('#')) && !line.trimmed().isEmpty())
            out.lines.append(line.trimmed() + QLatin1Char('\n'));
    }
    out.reference.resize(out.lines.size());
    int index = -1;
    while (!chk.atEnd())
    {
        const QByteArray line = chk.readLine().trimmed();
        if (line.startsWith('{'))
        {
            if (index >= 0)
                out.reference[index].append(QJsonDocument::fromJson(line).object());
        }
        else if (!line.isEmpty())
        {
            ++index;
            if (index >= out.lines.size() || out.lines[index].trimmed() != QString::fromLatin1(line))
                return false;
        }
    }
    return index == out.lines.size() - 1;
}

// The tool's system and PRN of a reference satellite; false for constellations it does not chart.
bool ToolSatellite(const QJsonObject& s, int& system, int& prn)
{
    switch (s.value("gnssid").toInt(-1))
    {
    case 0:
        system = 1;
        prn = s.value("PRN").toInt();
        return true;
    case 1:
        system = 1;
        prn = s.value("PRN").toInt();
        return true; // SBAS, reported by GPGSV
    case 6:
        system = 2;
        prn = s.value("PRN").toInt();
        return true;
    case 2:
        system = 3;
        prn = s.value("svid").toInt();
        return true;
    case 3:
        system = 4;
        prn = s.value("svid").toInt();
        return true;
    default:
        return false;
    }
}

int InView(const SatelliteData* d, int system)
{
    switch (system)
    {
    case 1:
        return d->GetGpsInView();
    case 2:
        return d->GetGlonassInView();
    case 3:
        return d->GetGalileoInView();
    case 4:
        return d->GetBeidouInView();
    default:
        return 0;
    }
}
} // namespace

class TestRecordedTraffic : public QObject
{
    Q_OBJECT

private slots:
    void compareWithReference_data()
    {
        QTest::addColumn<QString>("log");
        // RMC sentences, satellite lists of the reference, complete AIS messages. The reference
        // skips the odd fix and prints the odd AIS message elsewhere: at least 90 % must be compared.
        QTest::addColumn<int>("fixes");
        QTest::addColumn<int>("skies");
        QTest::addColumn<int>("aisMessages");
        QTest::newRow("transponder port") << "ais-nmea.log" << 164 << 164 << 171;
        QTest::newRow("four constellations") << "ublox-neo-m9n-nmea.log" << 61 << 184 << 0;
    }

    void compareWithReference()
    {
        QFETCH(QString, log);
        QFETCH(int, fixes);
        QFETCH(int, skies);
        QFETCH(int, aisMessages);
        Recording rec;
        QVERIFY2(Load(log, rec), "recording or its reference missing or out of step");

        // Every satellite the reference ever lists, to tell real satellites from made-up ones.
        QSet<QPair<int, int>> known;
        for (const auto& objects : rec.reference)
            for (const QJsonObject& o : objects)
                for (const QJsonValue& v : o.value("satellites").toArray())
                {
                    int system = 0, prn = 0;
                    if (ToolSatellite(v.toObject(), system, prn))
                        known.insert({system, prn});
                }

        Model model;
        GPSDecoder gps;
        MessageDecoder ais(&model);
        QSignalSpy fixSpy(&gps, &GPSDecoder::GpsDataReceived);
        QSignalSpy skySpy(&gps, &GPSDecoder::SatelliteDataReceived);
        QSignalSpy textSpy(&gps, &GPSDecoder::GPSTextMessageReceived);
        QSignalSpy aisTextSpy(&ais, &MessageDecoder::TextMessageReceived);
        QSignalSpy message6Spy(&ais, &MessageDecoder::Message6Received);

        int fixesCompared = 0, skiesCompared = 0, aisCompared = 0, aisMessagesSeen = 0, referenceMessage6 = 0;
        QDateTime lastFix;
        for (int i = 0; i < rec.lines.size(); ++i)
        {
            const QString& line = rec.lines[i];
            const int skyEmissions = int(skySpy.count());
            gps.OnReceived(line);
            ais.OnReceived(line);
            const NmeaSentence sentence(line);
            QVERIFY2(sentence.IsValid(), qPrintable(line));
            const QString formatter = sentence.Formatter();

            if (formatter == "RMC")
            {
                const GpsData* d = gps.GetGpsData();
                lastFix = QDateTime(d->GetDate(), d->GetTime(), Qt::UTC);
                // The reference reports the fix with this time after this line or a later one of the cycle.
                bool matched = false;
                for (int j = i; j < rec.lines.size() && !matched; ++j)
                {
                    if (j > i && rec.lines[j].contains("RMC,"))
                        break;
                    for (const QJsonObject& o : rec.reference[j])
                    {
                        if (o.value("class") != "TPV" || !o.contains("lat"))
                            continue;
                        const QDateTime t = QDateTime::fromString(o.value("time").toString(), Qt::ISODateWithMs);
                        if (t.toSecsSinceEpoch() != lastFix.toSecsSinceEpoch())
                            continue;
                        QVERIFY2(qAbs(o.value("lat").toDouble() - d->GetPosition()->GetLatitude()) < 1e-8,
                                 qPrintable(line));
                        QVERIFY2(qAbs(o.value("lon").toDouble() - d->GetPosition()->GetLongitude()) < 1e-8,
                                 qPrintable(line));
                        if (o.contains("speed"))
                            QVERIFY2(qAbs(o.value("speed").toDouble() - d->GetSpeed() * KnotInMetresPerSecond) < 0.0006,
                                     qPrintable(line));
                        if (o.contains("track"))
                            QVERIFY2(qAbs(o.value("track").toDouble() - d->GetCourse()) < 1e-6, qPrintable(line));
                        matched = true;
                        break;
                    }
                }
                // The reference leaves out the odd cycle.
                if (matched)
                    ++fixesCompared;
            }

            for (const QJsonObject& o : rec.reference[i])
            {
                if (o.value("class") == "SKY" && o.contains("satellites"))
                {
                    // Satellite lists close a GSV group; the tool evaluates the used list there too.
                    QVERIFY2(skySpy.count() == skyEmissions + 1, qPrintable(line));
                    const SatelliteData* d = gps.GetSatelliteData();
                    QSet<int> systems;
                    for (const QJsonValue& v : o.value("satellites").toArray())
                    {
                        const QJsonObject s = v.toObject();
                        int system = 0, prn = 0;
                        if (!ToolSatellite(s, system, prn))
                            continue;
                        systems.insert(system);
                        SatelliteInfo found;
                        bool present = false;
                        for (int k = 0; k < SatelliteData::MaxSatellites && !present; ++k)
                            present = d->GetSatellite(k, found) && found.system == system && found.prn == prn;
                        const QString what =
                            QStringLiteral("%1: system %2 PRN %3").arg(line.trimmed()).arg(system).arg(prn);
                        QVERIFY2(present, qPrintable(what));
                        QVERIFY2(found.elevation == s.value("el").toDouble(), qPrintable(what));
                        QVERIFY2(found.azimuth == s.value("az").toDouble(), qPrintable(what));
                        QVERIFY2(found.snr == s.value("ss").toDouble(0), qPrintable(what));
                        QVERIFY2(found.used == s.value("used").toBool(), qPrintable(what));
                        QVERIFY2(found.sbas == (s.value("gnssid").toInt() == 1), qPrintable(what));
                    }
                    int inView = 0;
                    for (int system : systems)
                        inView += InView(d, system);
                    QVERIFY2(inView == o.value("nSat").toInt(), qPrintable(line));
                    for (int k = 0; k < SatelliteData::MaxSatellites; ++k)
                    {
                        SatelliteInfo s;
                        d->GetSatellite(k, s);
                        QVERIFY2(
                            s.system == 0 || known.contains({s.system, s.prn}),
                            qPrintable(
                                QStringLiteral("made-up satellite %1/%2 after %3").arg(s.system).arg(s.prn).arg(line)));
                    }
                    ++skiesCompared;
                }
                if (o.value("class") == "AIS" && o.value("type").toInt() == 6 && o.value("repeat").toInt() == 0)
                    ++referenceMessage6;
            }

            if (formatter == "VDM")
            {
                int count = 0, number = 0;
                sentence.GetDigit(1, count);
                sentence.GetDigit(2, number);
                if (count != number)
                    continue;
                const QBitArray& bits = ais.GetLastVdmBits();
                QVERIFY(bits.size() >= 38);
                // The reference prints the message after its last fragment (sometimes once more later).
                bool matched = false;
                for (const QJsonObject& o : rec.reference[i])
                {
                    if (o.value("class") != "AIS")
                        continue;
                    QCOMPARE(MessageDecoder::BitsValue(bits, 0, 6), quint32(o.value("type").toInt()));
                    QCOMPARE(MessageDecoder::BitsValue(bits, 6, 2), quint32(o.value("repeat").toInt()));
                    QCOMPARE(MessageDecoder::BitsValue(bits, 8, 30), quint32(o.value("mmsi").toInteger()));
                    // Messages of fixed length come out at exactly that length.
                    static const QHash<int, int> lengths = {{1, 168}, {2, 168}, {3, 168}, {5, 424}, {18, 168}};
                    if (lengths.contains(o.value("type").toInt()))
                        QCOMPARE(bits.size(), lengths.value(o.value("type").toInt()));
                    matched = true;
                    break;
                }
                ++aisMessagesSeen;
                if (matched)
                    ++aisCompared;
            }
        }

        qInfo("%d fixes, %d satellite lists and %d AIS messages agree with the reference", fixesCompared, skiesCompared,
              aisCompared);
        QCOMPARE(fixSpy.count(), fixes);
        QVERIFY(fixesCompared >= fixes * 9 / 10);
        QCOMPARE(skiesCompared, skies);
        QCOMPARE(aisMessagesSeen, aisMessages);
        QVERIFY(aisCompared >= aisMessages * 9 / 10);
        // Neither recording holds text sentences or message 6.
        QCOMPARE(textSpy.count() + aisTextSpy.count(), 0);
        QCOMPARE(message6Spy.count(), referenceMessage6);
    }
};

KELVANE_TEST_MAIN(TestRecordedTraffic)
#include "tst_RecordedTraffic.moc"
