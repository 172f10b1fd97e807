#include "model/GeoPosition.h"
#include "support/TestMain.h"

#include <cmath>
#include <limits>

class TestGeoPosition : public QObject
{
    Q_OBJECT

private slots:
    void textForms_data()
    {
        QTest::addColumn<bool>("isLatitude");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("dms");
        QTest::addColumn<QString>("dm");
        QTest::newRow("lat 51.5") << true << 51.5 << QString::fromUtf8("51° 30' 0.000\" N")
                                  << QString::fromUtf8("51° 30.0000' N");
        QTest::newRow("lon -1.25") << false << -1.25 << QString::fromUtf8("001° 15' 0.000\" W")
                                   << QString::fromUtf8("001° 15.0000' W");
        QTest::newRow("lat n/a") << true << 91.0 << QString::fromUtf8("__° __' __.___\" N")
                                 << QString::fromUtf8("91° 0.0000' N");
        QTest::newRow("lon n/a") << false << 181.0 << QString::fromUtf8("__° __' __.___\" E")
                                 << QString::fromUtf8("181° 0.0000' E");
        QTest::newRow("lat south seconds")
            << true << -(10 + 5.0 / 60 + 15.25 / 3600) << QString::fromUtf8("10° 05' 15.250\" S")
            << QString::fromUtf8("10° 5.2542' S");
        // Rounding carries into the degrees instead of showing 60 minutes.
        QTest::newRow("lat carry") << true << 51.9999999 << QString::fromUtf8("52° 00' 0.000\" N")
                                   << QString::fromUtf8("52° 0.0000' N");
        QTest::newRow("lon carry") << false << 179.99999999 << QString::fromUtf8("180° 00' 0.000\" E")
                                   << QString::fromUtf8("180° 0.0000' E");
    }
    void textForms()
    {
        QFETCH(bool, isLatitude);
        QFETCH(double, value);
        QFETCH(QString, dms);
        QFETCH(QString, dm);
        GeoPosition p;
        if (isLatitude)
        {
            p.SetLatitude(value);
            QCOMPARE(p.LatitudeToDMS(), dms);
            QCOMPARE(p.LatitudeToDM(), dm);
        }
        else
        {
            p.SetLongitude(value);
            QCOMPARE(p.LongitudeToDMS(), dms);
            QCOMPARE(p.LongitudeToDM(), dm);
        }
    }

    void typedText_data()
    {
        QTest::addColumn<bool>("isLatitude");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("dms south") << true << "12 30 00 S" << -12.5;
        QTest::newRow("colons") << true << "12:30:00" << 12.5;
        QTest::newRow("semicolon") << true << "12;30" << 12.5;
        QTest::newRow("minus") << true << "-12 30" << -12.5;
        QTest::newRow("marks") << true << QString::fromUtf8("12° 30' 00.000\" N") << 12.5;
        QTest::newRow("west O") << false << "5 30 O" << -5.5;
        QTest::newRow("n/a") << false << QString::fromUtf8("__° __' __.___\" E") << 181.0;
        QTest::newRow("no range check") << false << "200" << 200.0;
        // Compact and doubly spaced input reads as typed.
        QTest::newRow("compact marks") << true << QString::fromUtf8("12°30'") << 12.5;
        // A trailing s is the south letter for a typed latitude, so the compact form carries a hemisphere.
        QTest::newRow("compact letters") << true << "12d30m15s N" << 12.0 + 30.0 / 60 + 15.0 / 3600;
        QTest::newRow("double blank") << true << "12  30" << 12.5;
        QTest::newRow("west already negative") << false << "-5 30 W" << -5.5;
        QTest::newRow("garbage") << true << "abc" << 0.0;
    }
    void typedText()
    {
        QFETCH(bool, isLatitude);
        QFETCH(QString, text);
        QFETCH(double, expected);
        GeoPosition p;
        if (isLatitude)
        {
            p.SetLatitude(text);
            QVERIFY2(std::fabs(p.GetLatitude() - expected) < 1e-9,
                     qPrintable(QString::number(p.GetLatitude(), 'f', 9)));
        }
        else
        {
            p.SetLongitude(text);
            QVERIFY2(std::fabs(p.GetLongitude() - expected) < 1e-9,
                     qPrintable(QString::number(p.GetLongitude(), 'f', 9)));
        }
    }

    void parseAndClassify()
    {
        QVERIFY(std::fabs(GeoPosition::ParseDMS("12d 30m 15s") - 12.504166666) < 1e-8);
        QCOMPARE(GeoPosition::ParseDMS("30m"), 0.5);
        QVERIFY(std::fabs(GeoPosition::ParseDMS("12d30m15s") - 12.504166666) < 1e-8);
        QCOMPARE(GeoPosition::ParseDMS(QString::fromUtf8("12°30'")), 12.5);
        QCOMPARE(GeoPosition::ParseDMS("12  30"), 12.5);
        QCOMPARE(GeoPosition::ClassifyUnit(QString::fromUtf8("°")), 0);
        QCOMPARE(GeoPosition::ClassifyUnit("d"), 0);
        QCOMPARE(GeoPosition::ClassifyUnit("M"), 1);
        QCOMPARE(GeoPosition::ClassifyUnit("'"), 1);
        QCOMPARE(GeoPosition::ClassifyUnit("\""), 2);
        QCOMPARE(GeoPosition::ClassifyUnit("s"), 2);
        QCOMPARE(GeoPosition::ClassifyUnit("x"), 3);
        QCOMPARE(GeoPosition::ClassifyUnit(""), 3);
    }

    void absurdTypedValuesStillDisplay()
    {
        GeoPosition p;
        p.SetLatitude(QStringLiteral("-1e300"));
        p.SetLongitude(QStringLiteral("-500"));
        QCOMPARE(p.LatitudeToDMS(), QString::fromUtf8("__° __' __.___\" N"));
        QCOMPARE(p.LongitudeToDMS(), QString::fromUtf8("__° __' __.___\" E"));
        QVERIFY(!p.LatitudeToDM().isEmpty());
    }

    void rangeSetters()
    {
        GeoPosition p;
        QCOMPARE(p.GetLatitude(), 91.0);
        QCOMPARE(p.GetLongitude(), 181.0);
        p.SetLatitude(90.0);
        QCOMPARE(p.GetLatitude(), 90.0);
        p.SetLatitude(90.0001);
        QCOMPARE(p.GetLatitude(), 91.0);
        p.SetLongitude(-180.0);
        QCOMPARE(p.GetLongitude(), -180.0);
        p.SetLongitude(-180.5);
        QCOMPARE(p.GetLongitude(), 181.0);
        p.SetLatitude(std::numeric_limits<double>::quiet_NaN());
        QCOMPARE(p.GetLatitude(), 91.0);
        p.SetLongitude(std::numeric_limits<double>::quiet_NaN());
        QCOMPARE(p.GetLongitude(), 181.0);
        p.SetLongitude(std::numeric_limits<double>::infinity());
        QCOMPARE(p.GetLongitude(), 181.0);
    }
};

KELVANE_TEST_MAIN(TestGeoPosition)
#include "tst_GeoPosition.moc"
