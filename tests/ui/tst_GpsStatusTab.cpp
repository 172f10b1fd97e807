// The GNSS tab driven through its slots, and its satellite histogram rendered into an image: the mode
// table row by row, what each mode admits and counts, pause, the decoder's watchdogs, and the chart's
// geometry, colours and legend checked pixel by pixel at the widget's fixed size.

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QtTest/QtTest>

#include <limits>

#include "decoders/GpsData.h"
#include "decoders/SatelliteData.h"
#include "model/GeoPosition.h"
#include "support/GuiTestMain.h"
#include "ui/monitor/GpsStatusTab.h"
#include "ui/monitor/cHistogram.h"

namespace
{
QString Text(const GpsStatusTab& tab, const char* name)
{
    const QLabel* label = tab.findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

// One satellite of every decoder system, PRN 5 each, SNR 30 + system, the GPS one used in the fix;
// in-view counts chosen so that any sum tells which constellations were added.
void FillOnePerSystem(SatelliteData& data)
{
    for (int system = 1; system <= 5; ++system)
        data.AddSatellite(system, 5, 10, 10, 30 + system, true);
    data.AddUsed(5, SatelliteData::SystemGps);
    data.ApplyUsed();
    data.SetGpsInView(1);
    data.SetGlonassInView(10);
    data.SetGalileoInView(100);
    data.SetBeidouInView(1000);
    data.SetFixMode(2);
}

QList<int> Keys(const GpsStatusTab& tab)
{
    return tab.GetHistogram()->GetData().keys();
}

QImage Render(cHistogram& histogram)
{
    QImage image(cHistogram::FixedWidth, cHistogram::FixedHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    histogram.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// Whether anything but the white ground was drawn within the box.
bool InkIn(const QImage& image, const QRect& box)
{
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}
} // namespace

class TestGpsStatusTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startState();
    void modeTable_data();
    void modeTable();
    void modeRecordsLimitTheChart();
    void dataBeforeAnyModeCountsButChartsNothing();
    void gnssDataLabels();
    void pauseAndWatchdogs();
    void receiverTypeTakesEffectAtTheNextMode();
    void outsizedReceiverNumbers();
    void histogramGeometryAndColours();
    void histogramNumbersStayApart_data();
    void histogramNumbersStayApart();
    void histogramLegend_data();
    void histogramLegend();
};

void TestGpsStatusTab::startState()
{
    GpsStatusTab tab;
    QCOMPARE(tab.minimumSize(), QSize(775, 475));
    QCOMPARE(tab.GetBars(), 0);
    QCOMPARE(tab.GetGnssMode(), 1);
    QVERIFY(tab.IsUbloxM8());
    QCOMPARE(tab.GetHistogram()->geometry(), QRect(1, 50, 700, 200));
    QCOMPARE(Text(tab, "labelGnssMode"), QStringLiteral("GPS"));
    QCOMPARE(Text(tab, "labelStatus"), QStringLiteral("No Fix"));
    QCOMPARE(Text(tab, "labelSBAS"), QStringLiteral("SBAS Satellites:"));
    QVERIFY(tab.findChild<QLabel*>(QStringLiteral("labelSBAS"))->toolTip().contains(QStringLiteral("34 to 64")));
    QVERIFY(tab.findChild<QLabel*>(QStringLiteral("labelCOGLabel"))->font().bold());
    QCOMPARE(tab.findChild<QLabel*>(QStringLiteral("labelCOG"))->font().pixelSize(), 11);
}

void TestGpsStatusTab::modeTable_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("m8");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("bars");
    // Keys charted from one PRN 5 satellite per system: GPS 5, GLONASS 5, Galileo 305, BeiDou 205; the
    // combined talker's record (system 5) is keyed 5 too and, being later, replaces the GPS one.
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("inView");

    const QList<int> all{5, 205, 305};
    QTest::newRow("0 undefined, M8") << 0 << true << "GPS,GLONASS and Galileo" << 48 << all << "111";
    QTest::newRow("0 undefined") << 0 << false << "GPS only" << 16 << all << "1";
    QTest::newRow("1") << 1 << true << "GPS only" << 16 << QList<int>{5} << "1";
    QTest::newRow("2") << 2 << true << "GLONASS only" << 16 << QList<int>{5} << "10";
    QTest::newRow("3") << 3 << true << "Galileo only" << 16 << QList<int>{305} << "100";
    QTest::newRow("4") << 4 << true << "BeiDou only" << 16 << QList<int>{205} << "1000";
    QTest::newRow("5") << 5 << true << "GPS and Galileo" << 32 << QList<int>{5, 305} << "101";
    QTest::newRow("6") << 6 << true << "GPS, GLONASS and Galileo" << 48 << QList<int>{5, 305} << "111";
    QTest::newRow("7") << 7 << true << "GPS, BeiDou and Galileo" << 48 << all << "1101";
    QTest::newRow("8") << 8 << true << "GPS and GLONASS" << 32 << QList<int>{5} << "11";
    QTest::newRow("9") << 9 << true << "GPS and BeiDou" << 32 << QList<int>{5, 205} << "1001";
    QTest::newRow("10") << 10 << true << "GLONASS and Galileo" << 32 << QList<int>{5, 305} << "110";
    QTest::newRow("11") << 11 << true << "BeiDou and Galileo" << 32 << all << "1100";
    QTest::newRow("12") << 12 << true << "GLONASS and BeiDou" << 32 << QList<int>{5, 205} << "1010";
    QTest::newRow("13 surveyed, M8") << 13 << true << "GPS,GLONASS and Galileo" << 48 << all << "111";
    QTest::newRow("13 surveyed") << 13 << false << "GPS only" << 16 << all << "1";
    // Out of range: the mode is stored, the bars stay as the previous mode (1) set them, nothing is
    // admitted and the in-view count keeps what it showed ("No Fix" after the reset).
    QTest::newRow("14") << 14 << true << "No Fix" << 16 << QList<int>{} << "No Fix";
    QTest::newRow("-1") << -1 << true << "No Fix" << 16 << QList<int>{} << "No Fix";
}

void TestGpsStatusTab::modeTable()
{
    QFETCH(int, mode);
    QFETCH(bool, m8);
    QFETCH(QString, label);
    QFETCH(int, bars);
    QFETCH(QList<int>, keys);
    QFETCH(QString, inView);

    GpsStatusTab tab;
    tab.onUbloxM8(m8 ? 1 : 0);
    tab.onReceivedGnssMode(1);
    tab.onReceivedGnssMode(mode);
    QCOMPARE(tab.GetGnssMode(), mode);
    QCOMPARE(tab.GetHistogram()->gnssMode, mode);
    QCOMPARE(Text(tab, "labelGnssMode"), label);
    QCOMPARE(tab.GetBars(), bars);

    SatelliteData data;
    FillOnePerSystem(data);
    tab.OnSatelliteDataReceived(&data);
    QCOMPARE(Keys(tab), keys);
    QCOMPARE(Text(tab, "labelSatellitesInView"), inView);
    QCOMPARE(Text(tab, "labelSatellitesInUse"), QStringLiteral("1"));
    QCOMPARE(Text(tab, "labelStatus"), QStringLiteral("3D Fix"));
}

void TestGpsStatusTab::modeRecordsLimitTheChart()
{
    GpsStatusTab tab;
    tab.onReceivedGnssMode(AtoNDef::GNSS_GPS);
    SatelliteData data;
    for (int prn = 1; prn <= 20; ++prn)
        data.AddSatellite(SatelliteData::SystemGps, prn, 10, 10, 20 + prn, true);
    // SBAS satellites are counted apart; PRN 0 is never charted.
    data.AddSatellite(SatelliteData::SystemGps, 0, 0, 0, 40, true);
    data.SetFixMode(1);
    tab.OnSatelliteDataReceived(&data);
    QCOMPARE(Keys(tab).size(), 16);
    QCOMPARE(Keys(tab).constLast(), 16);
    QCOMPARE(tab.GetHistogram()->GetData().value(7).snr, 27);
    QCOMPARE(Text(tab, "labelStatus"), QStringLiteral("2D Fix"));

    // Mixed constellations with SBAS under the combined mode of the extended receiver.
    tab.onReceivedGnssMode(AtoNDef::GNSS_UNDEFINED);
    SatelliteData mixed;
    mixed.AddSatellite(SatelliteData::SystemGps, 12, 10, 10, 40, true);
    mixed.AddSatellite(SatelliteData::SystemGps, 44, 10, 10, 35, true); // SBAS
    mixed.AddSatellite(SatelliteData::SystemGlonass, 70, 10, 10, 33, true);
    mixed.AddSatellite(SatelliteData::SystemGalileo, 11, 10, 10, 31, true);
    mixed.AddSatellite(SatelliteData::SystemBeidou, 21, 10, 10, 29, true);
    mixed.AddUsed(12, 0);
    mixed.AddUsed(70, 0);
    mixed.AddUsed(11, SatelliteData::SystemGalileo);
    mixed.ApplyUsed();
    mixed.SetGpsInView(2);
    mixed.SetGlonassInView(1);
    mixed.SetGalileoInView(1);
    mixed.SetBeidouInView(1);
    tab.OnSatelliteDataReceived(&mixed);
    QCOMPARE(Keys(tab), (QList<int>{12, 44, 70, 221, 311}));
    QVERIFY(tab.GetHistogram()->GetData().value(311).used);
    QVERIFY(!tab.GetHistogram()->GetData().value(221).used);
    QCOMPARE(Text(tab, "labelSatellitesInView"), QStringLiteral("4"));
    QCOMPARE(Text(tab, "labelSatellitesInUse"), QStringLiteral("3"));
    QCOMPARE(Text(tab, "labelSBAScount"), QStringLiteral("1"));
}

void TestGpsStatusTab::dataBeforeAnyModeCountsButChartsNothing()
{
    GpsStatusTab tab;
    SatelliteData data;
    FillOnePerSystem(data);
    tab.OnSatelliteDataReceived(&data);
    QVERIFY(Keys(tab).isEmpty());
    QCOMPARE(Text(tab, "labelStatus"), QStringLiteral("3D Fix"));
    QCOMPARE(Text(tab, "labelSatellitesInView"), QStringLiteral("1"));
    QCOMPARE(Text(tab, "labelGnssMode"), QStringLiteral("GPS"));
}

void TestGpsStatusTab::gnssDataLabels()
{
    GpsStatusTab tab;
    GpsData data;
    data.SetTime(QStringLiteral("223845"), QStringLiteral("hhmmss"));
    data.SetPosition(38.110501, -122.626923);
    data.SetSpeed(0.0175);
    data.SetCourse(271.5);
    tab.OnGpsDataReceived(&data);
    QCOMPARE(Text(tab, "labelUTC"), QStringLiteral("22:38:45"));
    QCOMPARE(Text(tab, "labelLatitude"), data.GetPosition()->LatitudeToDMS());
    QCOMPARE(Text(tab, "labelLongitude"), data.GetPosition()->LongitudeToDMS());
    QCOMPARE(tab.findChild<QLabel*>(QStringLiteral("labelLatitude"))->toolTip(),
             QStringLiteral("38.1105\n") + data.GetPosition()->LatitudeToDM());
    QCOMPARE(tab.findChild<QLabel*>(QStringLiteral("labelLongitude"))->toolTip(),
             QStringLiteral("-122.6269\n") + data.GetPosition()->LongitudeToDM());
    QCOMPARE(Text(tab, "labelSOG"), QStringLiteral("0.018"));
    QCOMPARE(Text(tab, "labelCOG"), QStringLiteral("271.500"));

    // A receiver without a fix reports no position: the labels show the placeholder, and no tooltip offers
    // 91 N or 181 E as a position.
    GpsData noFix;
    noFix.SetTime(QStringLiteral("223846"), QStringLiteral("hhmmss"));
    noFix.SetPosition(GeoPosition::NotAvailableLatitude, GeoPosition::NotAvailableLongitude);
    tab.OnGpsDataReceived(&noFix);
    QCOMPARE(Text(tab, "labelLatitude"), noFix.GetPosition()->LatitudeToDMS());
    QVERIFY(tab.findChild<QLabel*>(QStringLiteral("labelLatitude"))->toolTip().isEmpty());
    QVERIFY(tab.findChild<QLabel*>(QStringLiteral("labelLongitude"))->toolTip().isEmpty());
}

void TestGpsStatusTab::pauseAndWatchdogs()
{
    GpsStatusTab tab;
    tab.onReceivedGnssMode(AtoNDef::GNSS_GPS);
    GpsData gps;
    gps.SetTime(QStringLiteral("120000"), QStringLiteral("hhmmss"));
    SatelliteData satellites;
    FillOnePerSystem(satellites);
    tab.OnGpsDataReceived(&gps);
    tab.OnSatelliteDataReceived(&satellites);
    QCOMPARE(Keys(tab).size(), 1);

    // The satellite watchdog blanks the counts and the chart; the fix status stays.
    tab.OnSatelliteDataReceived(nullptr);
    QCOMPARE(Text(tab, "labelSatellitesInView"), QStringLiteral("No Fix"));
    QCOMPARE(Text(tab, "labelSatellitesInUse"), QStringLiteral("No Fix"));
    QCOMPARE(Text(tab, "labelSBAScount"), QStringLiteral("No Fix"));
    QCOMPARE(Text(tab, "labelStatus"), QStringLiteral("3D Fix"));
    QCOMPARE(Text(tab, "labelUTC"), QStringLiteral("12:00:00"));
    QVERIFY(Keys(tab).isEmpty());

    // Pausing shows "No Fix" everywhere, the mode label too, and holds still while paused.
    tab.OnSatelliteDataReceived(&satellites);
    tab.onPauseGNSS(true);
    QVERIFY(tab.IsPaused());
    for (const char* name : {"labelStatus", "labelUTC", "labelLatitude", "labelLongitude", "labelSOG", "labelCOG",
                             "labelSatellitesInView", "labelSatellitesInUse", "labelSBAScount", "labelGnssMode"})
        QCOMPARE(Text(tab, name), QStringLiteral("No Fix"));
    QVERIFY(Keys(tab).isEmpty());
    tab.OnGpsDataReceived(&gps);
    tab.OnSatelliteDataReceived(&satellites);
    QCOMPARE(Text(tab, "labelUTC"), QStringLiteral("No Fix"));
    QVERIFY(Keys(tab).isEmpty());

    // Resuming redraws nothing; the next data fills the display, the mode label waits for the next mode.
    tab.onPauseGNSS(false);
    QCOMPARE(Text(tab, "labelUTC"), QStringLiteral("No Fix"));
    tab.OnGpsDataReceived(&gps);
    tab.OnSatelliteDataReceived(&satellites);
    QCOMPARE(Text(tab, "labelUTC"), QStringLiteral("12:00:00"));
    QCOMPARE(Keys(tab).size(), 1);
    QCOMPARE(Text(tab, "labelGnssMode"), QStringLiteral("No Fix"));

    // The position watchdog resets the whole display.
    tab.OnGpsDataReceived(nullptr);
    QCOMPARE(Text(tab, "labelUTC"), QStringLiteral("No Fix"));
    QCOMPARE(Text(tab, "labelStatus"), QStringLiteral("No Fix"));
    QVERIFY(Keys(tab).isEmpty());
}

void TestGpsStatusTab::receiverTypeTakesEffectAtTheNextMode()
{
    GpsStatusTab tab;
    tab.onReceivedGnssMode(AtoNDef::GNSS_SURVEYED);
    QCOMPARE(tab.GetBars(), 48);
    tab.onUbloxM8(0);
    QVERIFY(!tab.GetHistogram()->m8);
    QCOMPARE(tab.GetBars(), 48);
    QCOMPARE(Text(tab, "labelGnssMode"), QStringLiteral("GPS,GLONASS and Galileo"));
    // The in-view count follows the receiver type at the next satellite data.
    SatelliteData data;
    FillOnePerSystem(data);
    tab.OnSatelliteDataReceived(&data);
    QCOMPARE(Text(tab, "labelSatellitesInView"), QStringLiteral("1"));
    tab.onReceivedGnssMode(AtoNDef::GNSS_SURVEYED);
    QCOMPARE(tab.GetBars(), 16);
    QCOMPARE(Text(tab, "labelGnssMode"), QStringLiteral("GPS only"));
}

// Counts and PRNs come from the receiver's sentences as any integer a field holds: the tab must show
// them without overflowing, and chart no satellite that no key can name.
void TestGpsStatusTab::outsizedReceiverNumbers()
{
    GpsStatusTab tab;
    tab.onReceivedGnssMode(AtoNDef::GNSS_GPS_GALILEO_BEIDOU);
    SatelliteData data;
    const int most = std::numeric_limits<int>::max();
    data.AddSatellite(SatelliteData::SystemGalileo, most, 10, 10, 40, true);
    data.AddSatellite(SatelliteData::SystemBeidou, most - 100, 10, 10, 40, true);
    data.AddSatellite(SatelliteData::SystemGps, most, 10, 10, 40, true);
    data.SetGpsInView(most);
    data.SetGalileoInView(most);
    data.SetBeidouInView(most);
    tab.OnSatelliteDataReceived(&data);
    QCOMPARE(Keys(tab), QList<int>{most});
    QCOMPARE(Text(tab, "labelSatellitesInView"), QString::number(3 * qint64(most)));
}

void TestGpsStatusTab::histogramGeometryAndColours()
{
    cHistogram histogram;
    QCOMPARE(histogram.size(), QSize(700, 200));
    histogram.gnssMode = 99; // no legend in the way
    QMap<int, SatelliteBar> bars;
    bars.insert(5, {30, true});    // slot 0: GPS used, 60 pixels high
    bars.insert(70, {45, false});  // slot 1: GLONASS unused
    bars.insert(120, {20, false}); // slot 2: outside every range: the used GPS colour
    bars.insert(205, {10, true});  // slot 3: BeiDou used
    bars.insert(305, {60, false}); // slot 4: Galileo unused, up to the top of the scale
    bars.insert(306, {101, true}); // slot 5: above 100: an empty slot
    bars.insert(307, {-4, true});  // slot 6: a negative ratio draws nothing
    bars.insert(308, {0, true});   // slot 7: zero height
    histogram.SetData(bars);
    const QImage image = Render(histogram);
    QCOMPARE(histogram.ScaleY(30), 120);

    struct Bar
    {
        int slot;
        int top; // first row of the bar; 180 for none
        QRgb colour;
    };
    const Bar expected[] = {
        {0, 120, qRgb(60, 182, 223)},
        {1, 90, qRgb(206, 255, 176)},
        {2, 140, qRgb(60, 182, 223)},
        {3, 160, qRgb(255, 0, 0)},
        {4, 60, qRgb(190, 130, 255)},
        {5, 180, 0},
        {6, 180, 0},
        {7, 180, 0},
    };
    const QRgb white = qRgb(255, 255, 255);
    for (const Bar& bar : expected)
    {
        const int x0 = 35 + 3 + 15 * bar.slot;
        const int x1 = 35 + 15 * (bar.slot + 1);
        const QByteArray where = "slot " + QByteArray::number(bar.slot);
        for (int y = 30; y < 180; ++y)
        {
            const bool inside = y >= bar.top;
            QVERIFY2((image.pixel(x0, y) == bar.colour) == inside,
                     where + " left column, row " + QByteArray::number(y));
            QVERIFY2((image.pixel(x1, y) == bar.colour) == inside,
                     where + " right column, row " + QByteArray::number(y));
        }
        // The two-pixel gap before each bar stays clear.
        QCOMPARE(image.pixel(x0 - 1, 170), white);
        QCOMPARE(image.pixel(x0 - 2, 170), white);
    }

    // Axes in black with their arrowheads; the x axis ends at right + 15 = 675, its arrow tip at 680.
    const QRgb black = qRgb(0, 0, 0);
    QCOMPARE(image.pixel(35, 180), black);
    QCOMPARE(image.pixel(400, 180), black);
    QCOMPARE(image.pixel(679, 180), black);
    QCOMPARE(image.pixel(671, 177), black); // inside the arrowhead
    QCOMPARE(image.pixel(682, 180), white);
    QCOMPARE(image.pixel(35, 100), black);
    QCOMPARE(image.pixel(35, 21), black); // the y arrow tip reaches top - 40 = 20
    QCOMPARE(image.pixel(35, 15), white);
    QCOMPARE(image.pixel(36, 100), white); // no tick marks
    // The scale labels sit left of the axis, the ID labels under the bars.
    QVERIFY(InkIn(image, QRect(QPoint(0, 170), QPoint(29, 190))));    // "0"
    QVERIFY(InkIn(image, QRect(QPoint(0, 50), QPoint(29, 70))));      // "60"
    QVERIFY(InkIn(image, QRect(QPoint(38, 182), QPoint(50, 199))));   // "5"
    QVERIFY(InkIn(image, QRect(QPoint(113, 182), QPoint(125, 199)))); // slot 5 keeps its label
    QVERIFY(!InkIn(image, QRect(QPoint(41, 31), QPoint(699, 59))));   // no legend for a mode out of range
}

void TestGpsStatusTab::histogramNumbersStayApart_data()
{
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QString>("picture");

    QFont points = QApplication::font();
    points.setPointSize(12);
    QFont pixels = QApplication::font();
    pixels.setPixelSize(20); // drawn at 15 pixels
    QTest::newRow("application font") << QApplication::font() << "GnssChart";
    QTest::newRow("12 points") << points << "GnssChart-12pt";
    QTest::newRow("20 pixels") << pixels << "GnssChart-20px";
}

void TestGpsStatusTab::histogramNumbersStayApart()
{
    QFETCH(QFont, font);
    QFETCH(QString, picture);

    cHistogram histogram;
    histogram.setFont(font);
    QMap<int, SatelliteBar> bars;
    const QList<int> keys{12, 24, 31, 65, 88, 96, 212, 236, 311, 333};
    for (int key : keys)
        bars.insert(key, {20 + key % 30, key % 2 == 0});
    histogram.SetData(bars);
    const QImage image = Render(histogram);
    QVERIFY(image.save(KelvaneTest::ArtefactDir() + QLatin1Char('/') + picture + QStringLiteral(".png")));

    // Each number's text within the width of its bar, which it is clipped to: whole, and apart from its
    // neighbours by the gap between the bars. And readable: its ink is several rows high.
    const QList<QRect> rects = histogram.LabelRects();
    QCOMPARE(rects.size(), keys.size());
    for (int i = 0; i < int(rects.size()); ++i)
    {
        const int barLeft = 35 + 3 + 15 * i;
        QVERIFY2(
            rects.at(i).left() >= barLeft && rects.at(i).right() <= barLeft + 12,
            qPrintable(
                QStringLiteral("number %1 takes %2 to %3").arg(i).arg(rects.at(i).left()).arg(rects.at(i).right())));
        int inkRows = 0;
        for (int y = 182; y < cHistogram::FixedHeight; ++y)
            inkRows += InkIn(image, QRect(barLeft, y, 13, 1));
        QVERIFY2(inkRows >= 6, qPrintable(QStringLiteral("number %1: %2 rows").arg(i).arg(inkRows)));
    }
}

void TestGpsStatusTab::histogramLegend_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("m8");
    // The used colour of the entry at x offsets 0, 150, 300 and 450 (0: no entry there).
    QTest::addColumn<QList<QRgb>>("swatches");
    const QRgb gps = qRgb(60, 182, 223), glonass = qRgb(2, 157, 59), beidou = qRgb(255, 0, 0),
               galileo = qRgb(128, 0, 255);
    QTest::newRow("13 with M8") << 13 << true << QList<QRgb>{gps, glonass, galileo, 0};
    QTest::newRow("13 without M8") << 13 << false << QList<QRgb>{gps, 0, 0, 0};
    QTest::newRow("0 with M8") << 0 << true << QList<QRgb>{gps, glonass, galileo, 0};
    QTest::newRow("2") << 2 << true << QList<QRgb>{glonass, 0, 0, 0};
    QTest::newRow("7") << 7 << true << QList<QRgb>{gps, beidou, galileo, 0};
    QTest::newRow("12") << 12 << true << QList<QRgb>{glonass, beidou, 0, 0};
    QTest::newRow("14") << 14 << true << QList<QRgb>{0, 0, 0, 0};
}

void TestGpsStatusTab::histogramLegend()
{
    QFETCH(int, mode);
    QFETCH(bool, m8);
    QFETCH(QList<QRgb>, swatches);
    cHistogram histogram;
    histogram.gnssMode = mode;
    histogram.m8 = m8;
    const QImage image = Render(histogram);
    for (int k = 0; k < swatches.size(); ++k)
    {
        const int x = 100 + 150 * k;
        const QRgb used = image.pixel(x + 7, 20 - 13 + 7);
        const QRgb unused = image.pixel(x + 7, 20 + 7 + 7);
        if (swatches[k] == 0)
        {
            QCOMPARE(used, qRgb(255, 255, 255));
            continue;
        }
        QCOMPARE(used, swatches[k]);
        // The swatch is 15 pixels square, the unused one 20 pixels below it.
        QCOMPARE(image.pixel(x, 7), swatches[k]);
        QCOMPARE(image.pixel(x + 14, 21), swatches[k]);
        QCOMPARE(image.pixel(x + 15, 21), qRgb(255, 255, 255));
        QCOMPARE(unused, cHistogram::BarColour(swatches[k] == qRgb(60, 182, 223) ? 1
                                               : swatches[k] == qRgb(2, 157, 59) ? 65
                                               : swatches[k] == qRgb(255, 0, 0)  ? 200
                                                                                 : 300,
                                               false)
                             .rgb());
    }
}

KELVANE_TEST_GUI_MAIN(TestGpsStatusTab)
#include "tst_GpsStatusTab.moc"
