#include "comms/NmeaSentence.h"
#include "decoders/GPSDecoder.h"
#include "decoders/GpsData.h"
#include "decoders/SatelliteData.h"
#include "model/GeoPosition.h"
#include "support/TestMain.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>

#include <memory>
#include <vector>

namespace
{
// A received line as the transport hands it on: checksum added, carriage return removed.
QString Line(const QString& body)
{
    QString line = NmeaSentence::Frame(body);
    line.remove(QLatin1Char('\r'));
    return line;
}

void Feed(GPSDecoder& decoder, const QStringList& bodies)
{
    for (const QString& body : bodies)
        decoder.OnReceived(Line(body));
}

// Records of the table by (system, PRN).
bool FindSatellite(const SatelliteData* data, int system, int prn, SatelliteInfo& out)
{
    for (int i = 0; i < SatelliteData::MaxSatellites; ++i)
    {
        SatelliteInfo s;
        data->GetSatellite(i, s);
        if (s.system == system && s.prn == prn)
        {
            out = s;
            return true;
        }
    }
    return false;
}

int CountRecords(const SatelliteData* data)
{
    int n = 0;
    for (int i = 0; i < SatelliteData::MaxSatellites; ++i)
    {
        SatelliteInfo s;
        data->GetSatellite(i, s);
        if (s.system != 0)
            ++n;
    }
    return n;
}
} // namespace

class TestGPSDecoder : public QObject
{
    Q_OBJECT

private slots:
    void rmc_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<double>("speed");
        QTest::addColumn<double>("course");
        QTest::addColumn<int>("mode");

        const double lat = 48 + 7.038 / 60, lon = 11 + 31.0 / 60;
        QTest::newRow("worked example, north east, differential")
            << "$GPRMC,123519.25,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,D" << lat << lon
            << QTime(12, 35, 19) << QDate(1994, 3, 23) << 22.4 << 84.4 << int(GpsData::ModeDifferential);
        QTest::newRow("south west") << "$GNRMC,000001,A,4807.038,S,01131.000,W,0,0,010126,,,A" << -lat << -lon
                                    << QTime(0, 0, 1) << QDate(2026, 1, 1) << 0.0 << 0.0 << 0;
        QTest::newRow("course 360 refused") << "$GPRMC,235959,A,4807.038,N,01131.000,E,1.5,360.0,311279,,,A" << lat
                                            << lon << QTime(23, 59, 59) << QDate(2079, 12, 31) << 1.5 << 0.0 << 0;
        QTest::newRow("year 80 is 1980") << "$GPRMC,120000,A,4807.038,N,01131.000,E,,,010180,,,P" << lat << lon
                                         << QTime(12, 0, 0) << QDate(1980, 1, 1) << 0.0 << 0.0
                                         << int(GpsData::ModePrecise);
        QTest::newRow("29 February 2000") << "$GPRMC,120000,A,,,,,,,290200,,,E" << 91.0 << 181.0 << QTime(12, 0, 0)
                                          << QDate(2000, 2, 29) << 0.0 << 0.0 << int(GpsData::ModeEstimated);
        QTest::newRow("no position: not available, not 0/0")
            << "$GPRMC,120000,V,,,,,,,070420,,,N" << 91.0 << 181.0 << QTime(12, 0, 0) << QDate(2020, 4, 7) << 0.0 << 0.0
            << int(GpsData::ModeNoFix);
        QTest::newRow("garbage position") << "$GPRMC,120000,A,48x7.0,N,011-1.0,E,,,070420,,,A" << 91.0 << 181.0
                                          << QTime(12, 0, 0) << QDate(2020, 4, 7) << 0.0 << 0.0 << 0;
        QTest::newRow("minutes of 60 or more") << "$GPRMC,120000,A,4860.0,N,01131.000,E,,,070420,,,A" << 91.0 << lon
                                               << QTime(12, 0, 0) << QDate(2020, 4, 7) << 0.0 << 0.0 << 0;
        QTest::newRow("empty mode field")
            << "$GPRMC,120000,A,4807.038,N,01131.000,E,,,070420,,," << lat << lon << QTime(12, 0, 0)
            << QDate(2020, 4, 7) << 0.0 << 0.0 << int(GpsData::ModeNoFix);
        QTest::newRow("unknown mode letter")
            << "$GPRMC,120000,A,4807.038,N,01131.000,E,,,070420,,,X" << lat << lon << QTime(12, 0, 0)
            << QDate(2020, 4, 7) << 0.0 << 0.0 << int(GpsData::ModeNoFix);
    }

    void rmc()
    {
        QFETCH(QString, body);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(QTime, time);
        QFETCH(QDate, date);
        QFETCH(double, speed);
        QFETCH(double, course);
        QFETCH(int, mode);
        GPSDecoder decoder;
        QSignalSpy spy(&decoder, &GPSDecoder::GpsDataReceived);
        decoder.OnReceived(Line(body));
        QCOMPARE(spy.count(), 1);
        GpsData* data = spy.at(0).at(0).value<GpsData*>();
        QVERIFY(data);
        QCOMPARE(data, decoder.GetGpsData());
        QCOMPARE(data->GetPosition()->GetLatitude(), latitude);
        QCOMPARE(data->GetPosition()->GetLongitude(), longitude);
        QCOMPARE(data->GetTime(), time);
        QCOMPARE(data->GetDate(), date);
        QCOMPARE(data->GetSpeed(), speed);
        QCOMPARE(data->GetCourse(), course);
        QCOMPARE(data->GetMode(), mode);
        QCOMPARE(data->IsHighAccuracy(), mode == GpsData::ModeDifferential || mode == GpsData::ModePrecise);
    }

    void rmcModeKeptWhenReceiverSendsNone()
    {
        GPSDecoder decoder;
        // An NMEA 2.x receiver never sends the mode: until one does, there is no fix mode to show.
        decoder.OnReceived(Line("$GPRMC,120000,A,4807.038,N,01131.000,E,,,070420,,"));
        QCOMPARE(decoder.GetGpsData()->GetMode(), int(GpsData::ModeNoFix));
        decoder.OnReceived(Line("$GPRMC,120001,A,4807.038,N,01131.000,E,,,070420,,,D"));
        QCOMPARE(decoder.GetGpsData()->GetMode(), int(GpsData::ModeDifferential));
        decoder.OnReceived(Line("$GPRMC,120002,A,,,,,,,070420,,"));
        QCOMPARE(decoder.GetGpsData()->GetMode(), int(GpsData::ModeDifferential));
        // Each RMC starts from a reset: the position of the previous one does not linger.
        QCOMPARE(decoder.GetGpsData()->GetPosition()->GetLatitude(), 91.0);
    }

    void ignoredLines_data()
    {
        QTest::addColumn<QString>("line");
        const QString good = Line("$GPRMC,120000,A,4807.038,N,01131.000,E,,,070420,,,A");
        QString badChecksum = good;
        badChecksum[badChecksum.indexOf('*') + 1] = badChecksum[badChecksum.indexOf('*') + 1] == '0' ? '1' : '0';
        QTest::newRow("bad checksum") << badChecksum;
        QTest::newRow("other formatter") << Line("$GPGGA,120000,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
        QTest::newRow("no sentence") << QStringLiteral("RMC GSA GSV TXT\n");
        QTest::newRow("empty") << QString();
    }

    void ignoredLines()
    {
        QFETCH(QString, line);
        GPSDecoder decoder;
        QSignalSpy gps(&decoder, &GPSDecoder::GpsDataReceived);
        QSignalSpy sat(&decoder, &GPSDecoder::SatelliteDataReceived);
        decoder.OnReceived(line);
        QCOMPARE(gps.count(), 0);
        QCOMPARE(sat.count(), 0);
        QVERIFY(!decoder.GetGpsData());
        QVERIFY(!decoder.GetSatelliteData());
    }

    void gsvGroupsHoldTheSignalBack()
    {
        GPSDecoder decoder;
        QSignalSpy spy(&decoder, &GPSDecoder::SatelliteDataReceived);
        Feed(decoder, {"$GPGSV,3,1,09,01,10,100,30,02,20,200,31,03,30,300,32,04,40,040,33"});
        QCOMPARE(spy.count(), 0);
        Feed(decoder, {"$GLGSV,2,1,05,65,10,100,30,66,20,200,31,67,30,300,32,68,40,040,33"});
        Feed(decoder, {"$GLGSV,2,2,05,69,50,050,34"});
        // GPS is still in the middle of its group.
        QCOMPARE(spy.count(), 0);
        Feed(decoder, {"$GPGSV,3,2,09,05,10,100,30,06,20,200,31,07,30,300,32,08,40,040,33"});
        QCOMPARE(spy.count(), 0);
        Feed(decoder, {"$GPGSV,3,3,09,09,50,050,34"});
        QCOMPARE(spy.count(), 1);
        SatelliteData* data = spy.at(0).at(0).value<SatelliteData*>();
        QCOMPARE(data, decoder.GetSatelliteData());
        QCOMPARE(data->GetGpsInView(), 9);
        QCOMPARE(data->GetGlonassInView(), 5);
        QCOMPARE(CountRecords(data), 14);
        SatelliteInfo s;
        QVERIFY(FindSatellite(data, SatelliteData::SystemGlonass, 69, s));
        QCOMPARE(s.elevation, 50);
        QCOMPARE(s.azimuth, 50);
        QCOMPARE(s.snr, 34);
        QVERIFY(s.snrPresent);
    }

    void gsvFields_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("system");
        QTest::addColumn<QList<int>>("prns");
        QTest::addColumn<QList<bool>>("snrPresent");

        QTest::newRow("GN counts as GPS, system 5")
            << "$GNGSV,1,1,02,10,45,100,40,11,30,200," << 5 << QList<int>{10, 11} << QList<bool>{true, true};
        // NMEA 4.10 appends a signal identifier: with two satellites it would read as a third.
        QTest::newRow("signal identifier after two satellites")
            << "$GAGSV,3,3,10,30,14,215,16,36,08,098,,7" << 3 << QList<int>{30, 36} << QList<bool>{true, true};
        QTest::newRow("signal identifier after four satellites")
            << "$GBGSV,2,1,07,04,01,262,,07,03,328,,27,78,059,44,28,29,115,34,1" << 4 << QList<int>{4, 7, 27, 28}
            << QList<bool>{true, true, true, true};
        QTest::newRow("truncated block: no SNR field")
            << "$GPGSV,1,1,02,12,45,100,40,13,30" << 1 << QList<int>{12, 13} << QList<bool>{true, false};
        QTest::newRow("no satellites, only the signal identifier")
            << "$GPGSV,1,1,00,1" << 1 << QList<int>{} << QList<bool>{};
    }

    void gsvFields()
    {
        QFETCH(QString, body);
        QFETCH(int, system);
        QFETCH(QList<int>, prns);
        QFETCH(QList<bool>, snrPresent);
        GPSDecoder decoder;
        decoder.OnReceived(Line(body));
        const SatelliteData* data = decoder.GetSatelliteData();
        QVERIFY(data);
        QCOMPARE(CountRecords(data), prns.size());
        for (int i = 0; i < prns.size(); ++i)
        {
            SatelliteInfo s;
            QVERIFY2(FindSatellite(data, system, prns[i], s), qPrintable(QString::number(prns[i])));
            QCOMPARE(s.snrPresent, snrPresent[i]);
        }
        if (system == SatelliteData::SystemGnss)
            QCOMPARE(data->GetGpsInView(), 2);
    }

    void gsaMarksUsedSatellites_data()
    {
        QTest::addColumn<QString>("gsa");
        QTest::addColumn<QList<int>>("usedSystems"); // systems whose PRN 5 counts as used

        QTest::newRow("GLONASS list") << "$GNGSA,A,3,05,,,,,,,,,,,,1.0,1.0,1.0,2" << QList<int>{2};
        QTest::newRow("no system field: any system") << "$GPGSA,A,3,05,,,,,,,,,,,,1.0,1.0,1.0" << QList<int>{1, 2, 3};
        QTest::newRow("QZSS list marks nothing") << "$GNGSA,A,3,05,,,,,,,,,,,,1.0,1.0,1.0,5" << QList<int>{};
    }

    void gsaMarksUsedSatellites()
    {
        QFETCH(QString, gsa);
        QFETCH(QList<int>, usedSystems);
        GPSDecoder decoder;
        QSignalSpy spy(&decoder, &GPSDecoder::SatelliteDataReceived);
        Feed(decoder, {gsa, "$GPGSV,1,1,01,05,10,100,30", "$GLGSV,1,1,01,05,10,100,30", "$GAGSV,1,1,01,05,10,100,30"});
        QCOMPARE(spy.count(), 3);
        const SatelliteData* data = decoder.GetSatelliteData();
        QCOMPARE(data->GetFixMode(), 2);
        for (int system : {1, 2, 3})
        {
            SatelliteInfo s;
            QVERIFY(FindSatellite(data, system, 5, s));
            QCOMPARE(s.used, usedSystems.contains(system));
        }
        QCOMPARE(data->CountUsed(), usedSystems.size());
    }

    void usedListFollowsTheReceiver()
    {
        GPSDecoder decoder;
        // Two lists before the first evaluation, then a shorter one: a satellite the receiver dropped
        // from its fix is no longer marked used.
        Feed(decoder, {"$GPGSA,A,3,03,08,,,,,,,,,,,1.0,1.0,1.0", "$GPGSA,A,3,03,08,,,,,,,,,,,1.0,1.0,1.0",
                       "$GPGSV,1,1,02,03,10,100,30,08,20,200,31"});
        QCOMPARE(decoder.GetSatelliteData()->CountUsed(), 2);
        Feed(decoder, {"$GPGSA,A,3,08,,,,,,,,,,,,1.0,1.0,1.0", "$GPGSV,1,1,02,03,10,100,30,08,20,200,31"});
        SatelliteInfo s;
        QVERIFY(FindSatellite(decoder.GetSatelliteData(), 1, 3, s));
        QVERIFY(!s.used);
        QCOMPARE(decoder.GetSatelliteData()->CountUsed(), 1);
        // Every constellation's group evaluates the same list of the cycle.
        Feed(decoder, {"$GLGSV,1,1,01,70,10,100,30"});
        QCOMPARE(decoder.GetSatelliteData()->CountUsed(), 1);
    }

    void sbasRanges_data()
    {
        QTest::addColumn<int>("system");
        QTest::addColumn<int>("prn");
        QTest::addColumn<bool>("sbas");
        QTest::newRow("GP 32") << 1 << 32 << false;
        QTest::newRow("GP 33") << 1 << 33 << true;
        QTest::newRow("GP 64") << 1 << 64 << true;
        QTest::newRow("GP 65") << 1 << 65 << false;
        QTest::newRow("GN 44") << 5 << 44 << true;
        QTest::newRow("GA 33") << 3 << 33 << false;
        QTest::newRow("GA 36") << 3 << 36 << false;
        QTest::newRow("GA 37") << 3 << 37 << true;
        QTest::newRow("GB 37") << 4 << 37 << false;
        QTest::newRow("GB 38") << 4 << 38 << true;
    }

    void sbasRanges()
    {
        QFETCH(int, system);
        QFETCH(int, prn);
        QFETCH(bool, sbas);
        SatelliteData data;
        QVERIFY(data.AddSatellite(system, prn, 10, 20, 30, true));
        QCOMPARE(data.CountSbas(), sbas ? 1 : 0);
    }

    void satelliteTableBounds()
    {
        SatelliteData data;
        for (int prn = 1; prn <= SatelliteData::MaxSatellites; ++prn)
            QVERIFY(data.AddSatellite(1, prn, 0, 0, 0, true));
        QVERIFY(!data.AddSatellite(1, 100, 0, 0, 0, true));
        // An update of a known satellite still finds its record.
        QVERIFY(data.AddSatellite(1, 7, 45, 90, 40, true));
        SatelliteInfo s;
        QVERIFY(data.GetSatellite(6, s));
        QCOMPARE(s.elevation, 45);
        QVERIFY(!data.GetSatellite(48, s));
        QVERIFY(!data.GetSatellite(-1, s));

        // The 49th used entry without an evaluation between is dropped and the list starts over.
        for (int prn = 1; prn <= SatelliteData::MaxSatellites; ++prn)
            data.AddUsed(prn, 1);
        data.AddUsed(2, 1);   // dropped
        data.AddUsed(100, 1); // entry 0, replacing PRN 1
        data.ApplyUsed();
        QVERIFY(data.GetSatellite(0, s) && s.prn == 1 && !s.used);
        QVERIFY(data.GetSatellite(1, s) && s.prn == 2 && s.used);
        QCOMPARE(data.CountUsed(), SatelliteData::MaxSatellites - 1);
    }

    void textMessages()
    {
        GPSDecoder decoder;
        QSignalSpy spy(&decoder, &GPSDecoder::GPSTextMessageReceived);
        Feed(decoder, {"$GPTXT,02,01,05,AB", "$GPTXT,03,02,07,X^2AY"});
        QCOMPARE(spy.count(), 0);
        Feed(decoder, {"$GPTXT,02,02,05,CD^2C"});
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("ABCD,"));
        // Identifiers beyond 99 are not ours to keep.
        Feed(decoder, {"$GPTXT,01,01,100,LOST", "$GPTXT,,01,05,NO COUNT"});
        QCOMPARE(spy.count(), 1);

        // A text whose last sentence never comes cannot grow without end.
        const QString chunk(60, QLatin1Char('x'));
        Feed(decoder, {"$GPTXT,99,01,09," + chunk});
        for (int i = 0; i < 300; ++i)
            Feed(decoder, {"$GPTXT,99,02,09," + chunk});
        Feed(decoder, {"$GPTXT,02,02,09,END"});
        QCOMPARE(spy.count(), 2);
        QVERIFY(spy.at(1).at(0).toString().size() <= GPSDecoder::MaxTextLength);
    }

    // Timers, through the event loop.
    void watchdogsWithdrawData()
    {
        GPSDecoder decoder;
        QSignalSpy gps(&decoder, &GPSDecoder::GpsDataReceived);
        QSignalSpy sat(&decoder, &GPSDecoder::SatelliteDataReceived);
        QElapsedTimer clock;
        clock.start();
        Feed(decoder, {"$GPRMC,120000,A,4807.038,N,01131.000,E,,,070420,,,A", "$GPGSA,A,3,05,,,,,,,,,,,,1.0,1.0,1.0",
                       "$GPGSV,1,1,01,05,10,100,30"});
        QCOMPARE(gps.count(), 1);
        QCOMPARE(sat.count(), 1);
        QVERIFY(decoder.GetSatelliteData()->CountUsed() == 1);

        // The GSA and GSV watchdogs both expire; the GSA one lends the (emptied) list, the GSV one null.
        QTRY_COMPARE_WITH_TIMEOUT(sat.count(), 3, 4000);
        QVERIFY(clock.elapsed() >= GPSDecoder::WatchdogInterval);
        QVERIFY(sat.at(1).at(0).value<SatelliteData*>() == decoder.GetSatelliteData() ||
                sat.at(2).at(0).value<SatelliteData*>() == decoder.GetSatelliteData());
        QVERIFY(!sat.at(1).at(0).value<SatelliteData*>() || !sat.at(2).at(0).value<SatelliteData*>());
        QCOMPARE(CountRecords(decoder.GetSatelliteData()), 0);
        QCOMPARE(decoder.GetSatelliteData()->GetGpsInView(), 0);

        QTRY_COMPARE_WITH_TIMEOUT(gps.count(), 2, 2000);
        QCOMPARE(gps.at(1).at(0).value<GpsData*>(), nullptr);
        QCOMPARE(decoder.GetGpsData()->GetPosition()->GetLatitude(), 91.0);
        QCOMPARE(decoder.GetGpsData()->GetTime(), QTime(0, 0, 0));

        // Once expired, each watchdog stays quiet until its sentence comes again.
        QVERIFY(!gps.wait(GPSDecoder::WatchdogInterval + 300));
        QCOMPARE(sat.count(), 3);
        Feed(decoder, {"$GPRMC,120001,A,4807.038,N,01131.000,E,,,070420,,,A"});
        QVERIFY(gps.wait(GPSDecoder::WatchdogInterval + 1000));
        QCOMPARE(gps.count(), 4);
        QCOMPARE(gps.at(3).at(0).value<GpsData*>(), nullptr);
    }

    // A watchdog that fires early blanks a receiver that is still reporting on time. Many watches,
    // started at staggered moments, so that a timer rounded to the event loop's coarse slots
    // shows up among them.
    void watchdogsNeverExpireEarly()
    {
        const QStringList kinds = {QStringLiteral("$GPRMC,120000,A,4807.038,N,01131.000,E,,,070420,,,A"),
                                   QStringLiteral("$GPGSA,A,3,05,,,,,,,,,,,,1.0,1.0,1.0"),
                                   QStringLiteral("$GPGSV,1,1,01,05,10,100,30")};
        constexpr int Rounds = 8;
        std::vector<std::unique_ptr<GPSDecoder>> decoders;
        std::vector<QElapsedTimer> clocks(Rounds * kinds.size());
        QList<qint64> expiries;
        for (int i = 0; i < Rounds * int(kinds.size()); ++i)
        {
            decoders.push_back(std::make_unique<GPSDecoder>());
            GPSDecoder* decoder = decoders.back().get();
            QTimer::singleShot((i / int(kinds.size())) * 37, decoder,
                               [&, decoder, i]
                               {
                                   // The clock starts before the watch, so a measured time under the interval
                                   // can only be an early expiry.
                                   clocks[size_t(i)].start();
                                   Feed(*decoder, {kinds.at(i % kinds.size())});
                                   auto note = [&expiries, &clocks, i] { expiries << clocks[size_t(i)].elapsed(); };
                                   connect(decoder, &GPSDecoder::GpsDataReceived, decoder, note);
                                   connect(decoder, &GPSDecoder::SatelliteDataReceived, decoder, note);
                               });
        }
        QTRY_COMPARE_WITH_TIMEOUT(expiries.size(), Rounds * int(kinds.size()), 3 * GPSDecoder::WatchdogInterval);
        for (qint64 elapsed : std::as_const(expiries))
            QVERIFY2(elapsed >= GPSDecoder::WatchdogInterval, qPrintable(QString::number(elapsed)));
    }

    void satellitesAgeOut()
    {
        GPSDecoder decoder;
        QElapsedTimer clock;
        Feed(decoder, {"$GPGSV,1,1,02,05,10,100,30,06,20,200,31"});
        clock.start();
        const SatelliteData* data = decoder.GetSatelliteData();
        QCOMPARE(CountRecords(data), 2);
        // Keep reporting one of the two: only the silent one goes, on the third expiry.
        QTimer reporter;
        connect(&reporter, &QTimer::timeout, this, [&] { Feed(decoder, {"$GPGSV,1,1,01,05,10,100,30"}); });
        reporter.start(SatelliteData::ExpiryInterval / 2);
        QTRY_COMPARE_WITH_TIMEOUT(CountRecords(data), 1, 5000);
        QVERIFY2(clock.elapsed() >= 2 * SatelliteData::ExpiryInterval * 95 / 100,
                 qPrintable(QString::number(clock.elapsed())));
        SatelliteInfo s;
        QVERIFY(FindSatellite(data, 1, 5, s));
        QVERIFY(!FindSatellite(data, 1, 6, s));
    }

    void resetClearsWithoutSignal()
    {
        GPSDecoder decoder;
        Feed(decoder, {"$GPRMC,120000,A,4807.038,N,01131.000,E,,,070420,,,A", "$GPGSA,A,3,05,,,,,,,,,,,,1.0,1.0,1.0",
                       "$GPGSV,1,1,01,05,10,100,30"});
        QSignalSpy gps(&decoder, &GPSDecoder::GpsDataReceived);
        QSignalSpy sat(&decoder, &GPSDecoder::SatelliteDataReceived);
        decoder.Reset();
        QCOMPARE(gps.count() + sat.count(), 0);
        QCOMPARE(CountRecords(decoder.GetSatelliteData()), 0);
        QCOMPARE(decoder.GetSatelliteData()->GetFixMode(), 0);
        QCOMPARE(decoder.GetGpsData()->GetPosition()->GetLongitude(), 181.0);
        QCOMPARE(decoder.GetGpsData()->GetMode(), int(GpsData::ModeAutonomous));
    }
};

KELVANE_TEST_MAIN(TestGPSDecoder)
#include "tst_GPSDecoder.moc"
