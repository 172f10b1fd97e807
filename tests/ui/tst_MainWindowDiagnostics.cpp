// The Diagnostics tab through the main window against the simulated unit: connected and shown, it fills
// with the unit's identification, VSWR, supply voltage, texts and alarms, and writes a diagnostics report
// from the unit's fault log; a user disconnect empties it again. A hostile unit (markup in its replies,
// texts and logs without end, a thousand alarms) leaves the window responsive and its memory bounded.

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QXmlStreamReader>
#include <QtTest/QtTest>

#include "comms/Transport.h"
#include "support/FifoWatch.h"
#include "support/WindowTestFixture.h"
#include "ui/monitor/StatusTab.h"

using KelvaneTest::App;

namespace
{

// Every element of the report at path as "name attribute=value ...", in document order.
QStringList Elements(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("no report at ") + path};
    QStringList elements;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd())
    {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        QString e = xml.name().toString();
        for (const QXmlStreamAttribute& a : xml.attributes())
            e += QLatin1Char(' ') + a.name().toString() + QLatin1Char('=') + a.value().toString();
        elements << e;
    }
    return xml.hasError() ? QStringList{xml.errorString()} : elements;
}

} // namespace

class TestMainWindowDiagnostics : public KelvaneTest::WindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void diagnosticsTabShowsTheUnit();
    void diagnosticsReportFromTheUnitsFaultLog();
    void disconnectEmptiesTheTab();
    void hostileUnit_data();
    void hostileUnit();

private:
    QLabel* Label(const char* name) const { return diagnostics->findChild<QLabel*>(QLatin1String(name)); }
    QTableWidget* Table(const char* name) const { return diagnostics->findChild<QTableWidget*>(QLatin1String(name)); }
    QTabWidget* AtoNTabs() const { return window->findChild<QTabWidget*>(QStringLiteral("tabWidgetAtoN")); }

    StatusTab* diagnostics = nullptr;
    QTemporaryDir dir;
};

void TestMainWindowDiagnostics::initTestCase()
{
    PrepareWindowTest();
    QVERIFY(dir.isValid());
    QVERIFY(ShowWindowOnUnit());
    diagnostics = window->findChild<StatusTab*>(QStringLiteral("tabStatusData"));
    QVERIFY(diagnostics);
}

void TestMainWindowDiagnostics::cleanupTestCase()
{
    QVERIFY(CloseWindow());
}

void TestMainWindowDiagnostics::diagnosticsTabShowsTheUnit()
{
    QVERIFY(ConnectThroughWindow());

    // Showing the tab has the unit polled for its details.
    AtoNTabs()->setCurrentWidget(diagnostics);
    QTRY_COMPARE_WITH_TIMEOUT(Label("labelVersion")->text(), QStringLiteral("KVX-A3 V3.01.07"), WaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(Label("labelBootLoader")->text(), QStringLiteral("BL 1.04"), WaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(Label("labelProductSerialNumber")->text(), QStringLiteral("P2351001"), WaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(Label("labelAtoNType")->text(), QStringLiteral("Type 3"), WaitMs);
    // VSWR and supply voltage come with the first poll of the running timer.
    QTRY_COMPARE_WITH_TIMEOUT(Label("labelVSWR")->text(), QStringLiteral("1.5:1"), WaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(Label("labelPowerSupply")->text(), QStringLiteral("12.40 V"), WaitMs);

    unit->SendText(QStringLiteral("LANTERN CHANGED"));
    unit->SendText(QStringLiteral("BATTERY ^ LOW")); // a reserved character travels escaped
    unit->SendAlarm(7, true, QStringLiteral("LIGHT FAIL"));
    unit->SendAlarm(8, false, QStringLiteral("RACON FAIL"));
    QTRY_COMPARE_WITH_TIMEOUT(Table("tableWidgetMessages")->rowCount(), 2, WaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(Table("tableWidgetAlarms")->rowCount(), 1, WaitMs);
    QCOMPARE(Table("tableWidgetMessages")->item(0, 1)->text(), QStringLiteral("BATTERY ^ LOW"));
    QCOMPARE(Table("tableWidgetAlarms")->item(0, 0)->text(), QStringLiteral("7"));
    QCOMPARE(Table("tableWidgetAlarms")->item(0, 3)->text(), QStringLiteral("LIGHT FAIL"));
    QVERIFY(SaveScreenshot(window, QStringLiteral("DiagnosticsTab")));
}

void TestMainWindowDiagnostics::diagnosticsReportFromTheUnitsFaultLog()
{
    QVERIFY(window->IsLinkOpen());
    const QString path = dir.filePath(QStringLiteral("diagnostics.xml"));
    prompts->saveNames << path;
    diagnostics->findChild<QPushButton*>(QStringLiteral("fileNameButton"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(!diagnostics->IsFaultLogPending(), WaitMs);
    QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));
    const QStringList elements = Elements(path);
    const QStringList expected = {"alarm row=1 id=7",
                                  "textmessage row=1",
                                  "message=LANTERN CHANGED",
                                  "textmessage row=2",
                                  "message=BATTERY ^ LOW",
                                  "SubHeader Fault_Log=Start",
                                  "fault_message row=1 date=2026/11/30 time=10:15:00 description=LIGHT FAIL",
                                  "fault_message row=2 date=2026/12/01 time=04:02:13 description=LOW VOLTAGE"};
    const QString all = elements.join(QLatin1Char('\n'));
    for (const QString& e : expected)
        QVERIFY2(all.contains(e), qPrintable(e + QStringLiteral(" not in\n") + all));
    QVERIFY(elements.contains(
        QStringLiteral("atonIdentification atonType=Type 3 transceiverApplicationSoftwareVersion=KVX-A3 V3.01.07 "
                       "transceiverBootloaderSoftwareVersion=BL 1.04 transceiverProductSerialNumber=P2351001")));
    QCOMPARE(elements.last(), expected.last());
    QVERIFY(Label("reportLabel")->text().contains(path));
}

void TestMainWindowDiagnostics::disconnectEmptiesTheTab()
{
    // Leaving the tab stops the polling; the unit is left once no job runs.
    AtoNTabs()->setCurrentIndex(0);
    auto* disconnect = window->findChild<QPushButton*>(QStringLiteral("pushButtonDisconnect"));
    QTRY_VERIFY_WITH_TIMEOUT(disconnect->isEnabled(), WaitMs);
    disconnect->click();
    QTRY_VERIFY_WITH_TIMEOUT(!window->IsLinkOpen(), WaitMs);
    QCOMPARE(Label("labelVersion")->text(), QStringLiteral("Unknown"));
    QCOMPARE(Label("labelAtoNType")->text(), QStringLiteral("Type 3"));
    QCOMPARE(Table("tableWidgetMessages")->rowCount(), 0);
    QCOMPARE(diagnostics->TextMessages().size(), 2);
}

void TestMainWindowDiagnostics::hostileUnit_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("markup in its replies") << "markup";
    QTest::newRow("texts without end") << "texts";
    QTest::newRow("fault log without end") << "fault log";
    QTest::newRow("proximity log past its announced length") << "proximity log";
    QTest::newRow("fault log that stops before its last line") << "fault log cut short";
    QTest::newRow("proximity log that stops before its last line") << "proximity log cut short";
    QTest::newRow("a thousand alarms") << "alarms";
}

void TestMainWindowDiagnostics::hostileUnit()
{
    QFETCH(QString, fault);
    constexpr int Wait = 60000;
    if (!window->IsLinkOpen())
    {
        // The last link must be quite gone before Connect is offered again.
        QVERIFY(WaitForNoConnection());
        QTRY_VERIFY_WITH_TIMEOUT(Widget<QPushButton>("pushButtonConnect")->isEnabled(), WaitMs);
        QVERIFY(ConnectThroughWindow());
    }
    AtoNTabs()->setCurrentWidget(diagnostics);

    if (fault == QLatin1String("markup"))
    {
        // Rich text would have the label read the named file as an image on every layout and paint.
        KelvaneTest::FifoWatch watch;
        QVERIFY(watch.Start());
        const QString markup = watch.Markup();
        // The queries of coming to the tab are answered first, so that the next ones get the markup.
        QTRY_VERIFY_WITH_TIMEOUT(App()->GetTransport() && !App()->GetTransport()->IsBusy(), Wait);
        for (const char* command : {"appver", "bootver", "getpserno"})
            unit->State().shellReplies.insert(QLatin1String(command), markup);
        // Coming back to the tab asks the unit again.
        AtoNTabs()->setCurrentIndex(0);
        AtoNTabs()->setCurrentWidget(diagnostics);
        for (const char* label : {"labelVersion", "labelBootLoader", "labelProductSerialNumber"})
            QTRY_COMPARE_WITH_TIMEOUT(Label(label)->text(), markup, Wait);
        QVERIFY(SaveScreenshot(window, QStringLiteral("DiagnosticsMarkup")));
        QVERIFY(Responsive());
        QCOMPARE(watch.Readers(), 0);
    }
    else if (fault == QLatin1String("texts"))
    {
        // New texts, and the last part of a two-part text again and again.
        unit->SetEndlessText(true);
        const auto* box = Table("tableWidgetMessages")->parentWidget();
        QTRY_VERIFY_WITH_TIMEOUT(unit->EndlessLinesSent() > 3 * StatusTab::MaxTextMessages &&
                                     qobject_cast<const QGroupBox*>(box)->title().contains(QLatin1String("latest")),
                                 Wait);
        unit->SetEndlessText(false);
        QVERIFY(Responsive());
        QVERIFY(diagnostics->TextMessages().size() <= StatusTab::MaxTextMessages);
        QVERIFY(Table("tableWidgetMessages")->rowCount() <=
                StatusTab::MaxTextMessages + StatusTab::TextMessageRowBatch);
        for (const StatusTab::TextMessageEntry& e : diagnostics->TextMessages())
            QVERIFY2(!e.message.contains(QLatin1String("TAILTAIL")), qPrintable(e.message.left(40)));
    }
    else if (fault == QLatin1String("alarms"))
    {
        QTableWidget* alarms = Table("tableWidgetAlarms");
        constexpr int Alarms = 1000;
        constexpr int Burst = 50;
        for (int id = 1; id <= Alarms; ++id)
        {
            unit->SendAlarm(id, true, QStringLiteral("ALARM %1").arg(id));
            // Each burst is shown before the next: an alarm must cost no more with many held.
            if (id % Burst == 0)
                QTRY_VERIFY_WITH_TIMEOUT(alarms->rowCount() >= id, Wait);
        }
        QTRY_COMPARE_WITH_TIMEOUT(alarms->rowCount(), Alarms, Wait);
        unit->SendAlarm(500, false, QStringLiteral("ALARM 500"));
        QTRY_COMPARE_WITH_TIMEOUT(alarms->rowCount(), Alarms - 1, Wait);
        QVERIFY(Responsive());
    }
    else
    {
        const bool proximity = fault.startsWith(QLatin1String("proximity log"));
        const bool cutShort = fault.endsWith(QLatin1String("cut short"));
        // Past its announced length, or without end (beyond what any log may hold); or short of it.
        const int announced = proximity ? 50 : 1000000;
        int expected = proximity ? 50 : Transport::MaxLogLines;
        QList<SimLogLine>& log = proximity ? unit->State().proximityLog : unit->State().faultLog;
        const QList<SimLogLine> unitLog = log;
        if (cutShort)
        {
            for (const char* text : {"FIRST", "SECOND", "NEVER SENT"})
                log << SimLogLine{QStringLiteral("2026/12/01"), QStringLiteral("04:02:13"), QLatin1String(text)};
            expected = int(log.size()) - 1;
            unit->SetLogLinesWithheld(1);
        }
        else
        {
            unit->SetEndlessLog(announced);
        }
        const QString path = dir.filePath(fault + QStringLiteral(".xml"));
        prompts->saveNames << path;
        auto* button = diagnostics->findChild<QPushButton*>(
            QLatin1String(proximity ? "pushButtonProximityAlertReport" : "fileNameButton"));
        button->click();
        QVERIFY(!button->isEnabled());
        const auto pending = [this, proximity]
        { return proximity ? diagnostics->IsProximityLogPending() : diagnostics->IsFaultLogPending(); };
        QTRY_VERIFY_WITH_TIMEOUT(!pending(), Wait);
        unit->SetEndlessLog(0);
        unit->SetLogLinesWithheld(0);
        log = unitLog;
        QVERIFY(Responsive());
        QVERIFY(button->isEnabled());
        QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));
        const QStringList elements = Elements(path);
        QCOMPARE(elements.filter(QStringLiteral("fault_message row=")).size(), expected);
        QVERIFY2(Label("reportLabel")->text().contains(QStringLiteral("did not end")),
                 qPrintable(Label("reportLabel")->text()));
        // The link carries on; the queue is free for the next job.
        QVERIFY(window->IsLinkOpen());
        QVERIFY(WaitForIdle());
    }
}

KELVANE_TEST_APP_MAIN(TestMainWindowDiagnostics)
#include "tst_MainWindowDiagnostics.moc"
