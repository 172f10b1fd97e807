// The GNSS tab in the window, fed by the application object replaying the project's two recordings as
// a unit's raw traffic: at the end of each, the tab shows the fix, time, position and satellites that
// the independent reference decoding of the recording states for its last epoch.

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include "comms/StateMachine.h"
#include "model/GeoPosition.h"
#include "support/WindowTestFixture.h"
#include "ui/monitor/GpsStatusTab.h"
#include "ui/monitor/cHistogram.h"

using KelvaneTest::App;

namespace
{
constexpr int ReplayWaitMs = 90000;
constexpr double KnotInMetresPerSecond = 1852.0 / 3600.0;

struct Reference
{
    QJsonObject tpv;      // the last position report
    QJsonObject sky;      // the last satellite report with its satellite list
    QStringList logLines; // the recording without comments
};

bool LoadReference(const QString& name, Reference& out)
{
    QFile log(KelvaneTest::TestDataPath(QStringLiteral("nmea/") + name));
    QFile chk(KelvaneTest::TestDataPath(QStringLiteral("nmea/") + name + QStringLiteral(".chk")));
    if (!log.open(QIODevice::ReadOnly) || !chk.open(QIODevice::ReadOnly))
        return false;
    while (!log.atEnd())
    {
        const QByteArray line = log.readLine().trimmed();
        if (!line.isEmpty() && !line.startsWith('#'))
            out.logLines.append(QString::fromLatin1(line));
    }
    while (!chk.atEnd())
    {
        const QByteArray line = chk.readLine().trimmed();
        if (!line.startsWith('{'))
            continue;
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        if (object.value(QLatin1String("class")).toString() == QLatin1String("TPV"))
            out.tpv = object;
        else if (object.value(QLatin1String("class")).toString() == QLatin1String("SKY") &&
                 object.contains(QLatin1String("satellites")))
            out.sky = object;
    }
    return !out.tpv.isEmpty() && !out.sky.isEmpty();
}

// The chart key of a reference satellite; -1 for satellites the chart leaves to the SBAS count.
int ChartKey(const QJsonObject& satellite)
{
    const int svid = satellite.value(QLatin1String("svid")).toInt();
    switch (satellite.value(QLatin1String("gnssid")).toInt(-1))
    {
    case 0:
        return svid;
    case 2:
        return 300 + svid;
    case 3:
        return 200 + svid;
    case 6:
        return 64 + svid; // GLONASS slot n is NMEA PRN 64 + n
    default:
        return -1;
    }
}
} // namespace

class TestMainWindowGnss : public KelvaneTest::WindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void replayFillsTheGnssTab_data();
    void replayFillsTheGnssTab();

private:
    QString Label(const char* name) const
    {
        const QLabel* label = tab->findChild<QLabel*>(QLatin1String(name));
        return label ? label->text() : QString();
    }

    GpsStatusTab* tab = nullptr;
    QTemporaryDir dir;
};

void TestMainWindowGnss::initTestCase()
{
    PrepareWindowTest();
    QVERIFY(dir.isValid());
    QVERIFY(ShowWindow(QSize(1100, 760)));
    tab = window->findChild<GpsStatusTab*>(QStringLiteral("tabGpsStatus"));
    QVERIFY(tab);
    QTabWidget* tabs = qobject_cast<QTabWidget*>(tab->parentWidget()->parentWidget());
    QVERIFY(tabs);
    tabs->setCurrentWidget(tab);
}

void TestMainWindowGnss::cleanupTestCase()
{
    delete window;
}

void TestMainWindowGnss::replayFillsTheGnssTab_data()
{
    QTest::addColumn<QString>("recording");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("modeText");
    QTest::newRow("transponder port, GPS") << "ais-nmea.log" << int(AtoNDef::GNSS_GPS) << "GPS only";
    QTest::newRow("multi-constellation receiver")
        << "ublox-neo-m9n-nmea.log" << int(AtoNDef::GNSS_UNDEFINED) << "GPS,GLONASS and Galileo";
}

void TestMainWindowGnss::replayFillsTheGnssTab()
{
    QFETCH(QString, recording);
    QFETCH(int, mode);
    QFETCH(QString, modeText);
    Reference reference;
    QVERIFY(LoadReference(recording, reference));

    // A raw log as the tool writes it, holding the recording as received traffic.
    const QString path = dir.filePath(recording);
    QFile log(path);
    QVERIFY(log.open(QIODevice::WriteOnly));
    log.write("#\n# Kelvane Started log file at 10:00:00 2026/12/07\n#\n");
    for (const QString& line : reference.logLines)
        log.write(line.toLatin1() + "\r\n");
    log.write("#\n# Kelvane Stopped log file at 10:00:20 2026/12/07\n#\n");
    log.close();

    // No query goes out in a replay, so the unit's receiver type and GNSS mode are given as its
    // connection-time replies would give them.
    tab->onUbloxM8(1);
    tab->onReceivedGnssMode(mode);
    QCOMPARE(Label("labelGnssMode"), modeText);

    StateMachine* sm = App()->GetStateMachine();
    App()->SetLogFilename(path);
    App()->ConnectSerialTransportToLogFile();
    QTRY_VERIFY_WITH_TIMEOUT(sm->IsConnected(), 15000);
    // The replay ends by itself; the tab keeps what it showed last.
    QTRY_VERIFY_WITH_TIMEOUT(!sm->IsConnected() && !App()->GetTransport(), ReplayWaitMs);

    const QJsonObject& tpv = reference.tpv;
    QCOMPARE(Label("labelStatus"),
             tpv.value(QLatin1String("mode")).toInt() == 3 ? QStringLiteral("3D Fix") : QStringLiteral("2D Fix"));
    QCOMPARE(Label("labelUTC"), tpv.value(QLatin1String("time")).toString().mid(11, 8));
    GeoPosition position;
    position.SetLatitude(tpv.value(QLatin1String("lat")).toDouble());
    position.SetLongitude(tpv.value(QLatin1String("lon")).toDouble());
    QCOMPARE(Label("labelLatitude"), position.LatitudeToDMS());
    QCOMPARE(Label("labelLongitude"), position.LongitudeToDMS());
    const double knots = tpv.value(QLatin1String("speed")).toDouble() / KnotInMetresPerSecond;
    QVERIFY2(qAbs(Label("labelSOG").toDouble() - knots) < 0.002, qPrintable(Label("labelSOG")));

    // Every satellite of the reference's last epoch with a signal is charted with its signal and use in
    // the fix (the chart may still hold satellites of the epochs just before, not yet aged out).
    const QMap<int, SatelliteBar> chart = tab->GetHistogram()->GetData();
    int compared = 0;
    for (const QJsonValue& value : reference.sky.value(QLatin1String("satellites")).toArray())
    {
        const QJsonObject satellite = value.toObject();
        const int key = ChartKey(satellite);
        if (key < 0 || !satellite.contains(QLatin1String("ss")))
            continue;
        const QByteArray what = "satellite " + QByteArray::number(key);
        QVERIFY2(chart.contains(key), what.constData());
        QCOMPARE(chart.value(key).snr, satellite.value(QLatin1String("ss")).toInt());
        QVERIFY2(chart.value(key).used == satellite.value(QLatin1String("used")).toBool(), what.constData());
        ++compared;
    }
    QVERIFY(compared >= 8);
    QVERIFY(Label("labelSatellitesInView").toInt() > 0);
    QVERIFY(Label("labelSatellitesInUse").toInt() > 0);

    const QString shot = KelvaneTest::ArtefactDir() + QStringLiteral("/GnssTab-") +
                         QString::fromLatin1(QTest::currentDataTag())
                             .replace(QLatin1Char(' '), QLatin1Char('-'))
                             .remove(QLatin1Char(',')) +
                         QStringLiteral(".png");
    QVERIFY(window->grab().save(shot));
}

KELVANE_TEST_APP_MAIN(TestMainWindowGnss)
#include "tst_MainWindowGnss.moc"
