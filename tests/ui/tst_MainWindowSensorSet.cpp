// The main window with an AIS AtoN Sensor: the sensor tab set is chosen by the port's description, read
// whole from the simulated unit into every sensor tab, and written back whole.

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QtTest>

#include "comms/StateMachine.h"
#include "model/Model.h"
#include "support/FifoWatch.h"
#include "support/WindowTestFixture.h"
#include "ui/AtoNConfiguration.h"
#include "ui/Prompts.h"
#include "ui/monitor/LiveDataTab.h"

using KelvaneTest::App;
using KelvaneTest::FifoWatch;

class TestMainWindowSensorSet : public KelvaneTest::WindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void connectShowsTheSensorSet();
    void retrieveAllFillsEverySensorTab();
    void sendAllWritesTheSensorSet();
    void summaryTabLoadTakesTheSensorRecords();
    void systemInformationShowsTheUnit();
    void unitRepliesShowAsPlainText_data();
    void unitRepliesShowAsPlainText();
    void messageBoxShowsPlainText();
};

void TestMainWindowSensorSet::initTestCase()
{
    PrepareWindowTest();
    QVERIFY(ShowWindowOnUnit(SensorDescription));
}

void TestMainWindowSensorSet::cleanupTestCase()
{
    QVERIFY(CloseWindow());
}

void TestMainWindowSensorSet::connectShowsTheSensorSet()
{
    auto* combo = window->findChild<QComboBox*>(QStringLiteral("comboBoxPort"));
    QCOMPARE(combo->itemData(combo->currentIndex()).toString(), unit->PortPath());
    QVERIFY(window->IsSensorMode());
    unit->ClearReceivedLines();
    QVERIFY(ConnectThroughWindow());
    // The sensor set moves whole: only the "all" transfers are offered.
    QCOMPARE(RetrieveButton()->defaultAction()->objectName(), QStringLiteral("actionRetrieveAll"));
    // No GNSS receiver is asked about.
    for (const QString& line : unit->ReceivedLines())
        QVERIFY2(!line.contains(QStringLiteral("getgnss")), qPrintable(line));
}

void TestMainWindowSensorSet::retrieveAllFillsEverySensorTab()
{
    QVERIFY(window->IsLinkOpen());
    // Option 3 has a wave meter; datum offset 12 cm.
    unit->State().sensorRecords.insert(10, {3, 4, 5, 6, 12, 1, 1, 1, 0});
    unit->State().sensorRecords.insert(13, {2, 3, 235, 10, 118, 1, 0, 1, 5});
    QSignalSpy reloads(App()->GetStateMachine(), &StateMachine::UpdateTabFromTransportModel);

    window->findChild<QAction*>(QStringLiteral("actionRetrieveAll"))->trigger();
    QVERIFY(!RetrieveButton()->isEnabled());
    QVERIFY(WaitForIdle());
    QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));
    QCOMPARE(reloads.size(), 1);

    Model* tabs = App()->GetTabModel();
    QCOMPARE(tabs->GetSensorSettings()->GetConfigurationCode(), 3);
    QCOMPARE(tabs->GetSensorSettings()->GetSurfaceCell(), 4);
    QCOMPARE(tabs->GetSensorSettings()->GetDatumOffset(), 12);
    QCOMPARE(tabs->GetMessageSettings()->GetMessage6DAC(), 235);
    QCOMPARE(tabs->GetMessageSettings()->GetMessage6FI(), 10);
    // The sensor tab tells the Live Data tab, through the connection's wiring, that a wave meter is fitted.
    QVERIFY(window->findChild<LiveDataTab*>(QStringLiteral("tabLiveData"))->IsWaveMeterAllowed());
    // Sensor settings are no part of a configuration file.
    QVERIFY(!window->isWindowModified());

    // A unit that falls silent cuts the retrieve short: the connection ends, and the message names the
    // sensor tabs that were not read, by the names they have in the tab set shown; the tabs keep what they
    // showed.
    unit->SetSilent(true);
    prompts->Clear();
    window->findChild<QAction*>(QStringLiteral("actionRetrieveAll"))->trigger();
    QVERIFY(WaitForNoConnection());
    unit->SetSilent(false);
    const QList<TestPrompts::Shown> shown = prompts->shown;
    // Connected again before the message is judged, so that a wrong one fails this test alone.
    prompts->Clear();
    QTRY_VERIFY_WITH_TIMEOUT(SelectPort(unit), ConnectWaitMs);
    QVERIFY(ConnectThroughWindow());
    QCOMPARE(shown.size(), 1);
    const QString informative = shown.first().message.informativeText;
    QVERIFY2(informative.endsWith(QStringLiteral("These tabs were not read from the AtoN and still hold what they held "
                                                 "before: Sensor Settings, ADC Settings, Message Settings.")),
             qPrintable(informative));
    QCOMPARE(tabs->GetSensorSettings()->GetConfigurationCode(), 3);
}

void TestMainWindowSensorSet::sendAllWritesTheSensorSet()
{
    QVERIFY(window->IsLinkOpen());
    App()->GetTabModel()->GetSensorSettings()->SetDatumOffset(25);
    QSignalSpy sendAll(window, &MainWindow::SendAllTabs);
    prompts->Clear();
    window->findChild<QAction*>(QStringLiteral("actionSendAll"))->trigger();
    // No completeness question for a sensor.
    QVERIFY(prompts->dialogs.isEmpty());
    QCOMPARE(sendAll.size(), 1);
    QVERIFY(WaitForIdle());
    QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));
    QCOMPARE(unit->State().shellSettings.value(QStringLiteral("datum")), QStringLiteral("25"));
    QCOMPARE(unit->State().shellSettings.value(QStringLiteral("option")), QStringLiteral("3"));
    QCOMPARE(unit->State().sensorRecords.value(10).at(4), 25);
}

void TestMainWindowSensorSet::summaryTabLoadTakesTheSensorRecords()
{
    // After a retrieve the System Information tab is loaded last: its load alone brings all three records
    // of the source into the tab model.
    Model source;
    source.GetSensorSettings()->SetConfigurationCode(2);
    source.GetADCSettings()->SetCurrentSenseThreshold(77);
    source.GetMessageSettings()->SetMessage6FI(33);
    auto* summary = window->findChild<AtoNConfiguration*>(QStringLiteral("tabSystemInformation"));
    QVERIFY(summary);
    QVERIFY(summary->UpdateTabFromModel(&source));
    Model* tabs = App()->GetTabModel();
    QCOMPARE(tabs->GetSensorSettings()->GetConfigurationCode(), 2);
    QCOMPARE(tabs->GetADCSettings()->GetCurrentSenseThreshold(), 77);
    QCOMPARE(tabs->GetMessageSettings()->GetMessage6FI(), 33);
}

void TestMainWindowSensorSet::systemInformationShowsTheUnit()
{
    QVERIFY(window->IsLinkOpen());
    auto* summary = window->findChild<QWidget*>(QStringLiteral("tabSystemInformation"));
    const auto label = [summary](const char* name) { return summary->findChild<QLabel*>(QLatin1String(name))->text(); };
    auto* inputs = summary->findChild<QTextEdit*>(QStringLiteral("diStateTextEdit"));
    auto* health = summary->findChild<QTextEdit*>(QStringLiteral("sensorHealthTextEdit"));
    // The replies to the sentences of the previous load reach the tab while it is not shown, and are lost.
    QTRY_VERIFY_WITH_TIMEOUT(
        unit->ReceivedLines().contains(QStringLiteral("$PKVX,0,0,0x5E1D0A47,1,sensorhealth,96*1E")), WaitMs);
    QTest::qWait(300);
    QVERIFY(inputs->toPlainText().isEmpty());
    unit->ClearReceivedLines();
    // Choosing the tab has the unit asked for its version and serial numbers.
    window->findChild<QTabWidget*>(QStringLiteral("tabWidgetSensor"))->setCurrentWidget(summary);
    QTRY_COMPARE_WITH_TIMEOUT(label("softwareVersionLabel"), QStringLiteral("KVX-A3 V3.01.07"), WaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(label("serialNumberLabel"), QStringLiteral("PCA-77120"), WaitMs);
    // A retrieve loads the summary with the unit's records and fetches the inputs and health while shown.
    QVERIFY(WaitForIdle());
    QVERIFY(window->findChild<QAction*>(QStringLiteral("actionRetrieveAll"))->isEnabled());
    window->findChild<QAction*>(QStringLiteral("actionRetrieveAll"))->trigger();
    QVERIFY(WaitForIdle());
    QTRY_COMPARE_WITH_TIMEOUT(inputs->toPlainText(), QStringLiteral("DIG_IO1 1\nDIG_IO2 0\nDIG_IO3 0\nDIG_IO4 1\n"),
                              WaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(health->toPlainText(), QStringLiteral("Sensor 1 OK\nSensor 2 OK\nOption 3 fitted\n"),
                              WaitMs);
    QCOMPARE(label("chartDatumLabel"), QString::number(App()->GetTabModel()->GetSensorSettings()->GetDatumOffset()));
    QCOMPARE(label("message6VersionLabel"), QStringLiteral("Zeni Lite Format"));
    QVERIFY(unit->ReceivedLines().contains(QStringLiteral("$PKVX,0,0,0x5E1D0A47,1,getdistates,97*6A")));
    QVERIFY(unit->ReceivedLines().contains(QStringLiteral("$PKVX,0,0,0x5E1D0A47,1,sensorhealth,96*1E")));

    // The refresh button asks again.
    unit->State().digitalInputLines = {QStringLiteral("DIG_IO1 0")};
    summary->findChild<QPushButton*>(QStringLiteral("refreshDIStatesPushButton"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(inputs->toPlainText(), QStringLiteral("DIG_IO1 0\n"), WaitMs);
    QVERIFY(SaveScreenshot(window, QStringLiteral("SystemInformationTab")));
}

void TestMainWindowSensorSet::unitRepliesShowAsPlainText_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("labelName");
    QTest::newRow("software version") << QStringLiteral("appver") << QStringLiteral("softwareVersionLabel");
    QTest::newRow("serial number") << QStringLiteral("getserno") << QStringLiteral("serialNumberLabel");
}

void TestMainWindowSensorSet::unitRepliesShowAsPlainText()
{
    QFETCH(QString, command);
    QFETCH(QString, labelName);
    QVERIFY(window->IsLinkOpen());
    FifoWatch fifo;
    QVERIFY(fifo.Start());
    const QString previous = unit->State().shellReplies.value(command);
    const auto restore = qScopeGuard([&] { unit->State().shellReplies.insert(command, previous); });
    unit->State().shellReplies.insert(command, fifo.Markup());

    // Choosing the tab again has the unit asked again.
    auto* tabs = Widget<QTabWidget>("tabWidgetSensor");
    auto* summary = Widget<QWidget>("tabSystemInformation");
    tabs->setCurrentIndex(0);
    tabs->setCurrentWidget(summary);
    auto* label = KelvaneTest::Child<QLabel>(summary, labelName);
    QTRY_COMPARE_WITH_TIMEOUT(label->text(), fifo.Markup(), WaitMs);
    // Laid out and painted, and the window still answers its event loop.
    window->grab();
    QVERIFY(Responsive());
    QCOMPARE(fifo.Readers(), 0);
    QCOMPARE(label->textFormat(), Qt::PlainText);
}

void TestMainWindowSensorSet::messageBoxShowsPlainText()
{
    // A failure the unit or a file describes is shown by the real message box, texts as given.
    FifoWatch fifo;
    QVERIFY(fifo.Start());
    Prompts::Message message;
    message.icon = QMessageBox::Critical;
    message.text = fifo.Markup();
    message.informativeText = fifo.Markup();
    QStringList shown;
    QTimer closer;
    closer.setInterval(10);
    connect(&closer, &QTimer::timeout, window,
            [&shown, &closer]
            {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box == nullptr)
                    return;
                closer.stop();
                box->grab();
                for (const char* name : {"qt_msgbox_label", "qt_msgbox_informativelabel"})
                {
                    auto* label = box->findChild<QLabel*>(QLatin1String(name));
                    if (label && label->textFormat() == Qt::PlainText)
                        shown << label->text();
                }
                box->done(QMessageBox::Ok);
            });
    closer.start();
    Prompts real;
    QCOMPARE(real.Ask(window, message), QMessageBox::Ok);
    QCOMPARE(fifo.Readers(), 0);
    QCOMPARE(shown, QStringList({fifo.Markup(), fifo.Markup()}));
}

KELVANE_TEST_APP_MAIN(TestMainWindowSensorSet)
#include "tst_MainWindowSensorSet.moc"
