// The Live Data tab through the main window against a simulated AIS AtoN Sensor: an ADC stream opens
// the unit's shell and shows its readings while the rest of the sensor set is isolated, ends cleanly on
// Stop and on a disconnect; the wave meter, allowed by the sensor option read from the unit, streams
// its output.

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest/QtTest>

#include "support/WindowTestFixture.h"
#include "ui/monitor/LiveDataTab.h"

using KelvaneTest::App;

class TestMainWindowLiveData : public KelvaneTest::WindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void connectAndReadTheSensorOption();
    void adcStreamShowsReadingsAndIsolates();
    void waveMeterStreams();
    void disconnectEndsTheStream();

private:
    template <typename T> T* Child(const char* name) const { return KelvaneTest::Child<T>(tab, name); }
    QString Shown() const { return Child<QTextEdit>("receivedTextEdit")->toPlainText(); }
    bool OtherSensorTabsEnabled() const;

    LiveDataTab* tab = nullptr;
};

void TestMainWindowLiveData::initTestCase()
{
    PrepareWindowTest();
    QVERIFY(StartUnit(unit));
    // A sensor has no GNSS receiver of its own to report.
    unit->SetGnssInterval(0);
    OfferUnit(SensorDescription);
    QVERIFY(ShowWindow());
    tab = window->findChild<LiveDataTab*>(QStringLiteral("tabLiveData"));
    QVERIFY(tab);
}

void TestMainWindowLiveData::cleanupTestCase()
{
    QVERIFY(CloseWindow());
}

bool TestMainWindowLiveData::OtherSensorTabsEnabled() const
{
    QTabWidget* tabs = window->GetSensorTabWidget();
    for (int i = 0; i < tabs->count(); ++i)
    {
        if (tabs->widget(i) != tab && !tabs->isTabEnabled(i))
            return false;
    }
    return true;
}

void TestMainWindowLiveData::connectAndReadTheSensorOption()
{
    QVERIFY(window->IsSensorMode());
    // Option 2 has a wave meter.
    unit->State().sensorRecords.insert(10, {2, 4, 5, 6, 12, 1, 1, 1, 0});
    QVERIFY(ConnectThroughWindow());
    window->findChild<QAction*>(QStringLiteral("actionRetrieveAll"))->trigger();
    QVERIFY(WaitForIdle());
    QVERIFY(tab->IsWaveMeterAllowed());
    window->GetSensorTabWidget()->setCurrentWidget(tab);
    QVERIFY(tab->IsActive());
}

void TestMainWindowLiveData::adcStreamShowsReadingsAndIsolates()
{
    Child<QComboBox>("ADCSelectionComboBox")->setCurrentIndex(3);
    Child<QRadioButton>("scaledRadioButton")->click();
    unit->ClearReceivedLines();
    Child<QPushButton>("startStopPushButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(Shown().count(QStringLiteral("ADC 3: ")) >= 3, WaitMs);
    QVERIFY(Shown().contains(QStringLiteral(" V\n")));
    // The shell is opened first (the tab's selection may have queried the unit before).
    const QStringList lines = unit->ReceivedLines();
    const qsizetype shell = lines.indexOf(QStringLiteral("+++"));
    QVERIFY(shell >= 0);
    QCOMPARE(lines.value(shell + 1), QStringLiteral("getadccontscaled 3"));
    QVERIFY(!OtherSensorTabsEnabled());
    QVERIFY(!window->findChild<QToolButton*>(QStringLiteral("toolButtonRetrieve"))->isEnabled());

    // Another ADC: the stream restarts on it, in the same shell.
    Child<QComboBox>("ADCSelectionComboBox")->setCurrentIndex(5);
    QTRY_VERIFY_WITH_TIMEOUT(unit->State().adcStream == 5, WaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(Shown().contains(QStringLiteral("ADC 5: ")), WaitMs);
    QVERIFY(SaveScreenshot(window, QStringLiteral("LiveDataTab-adc-stream")));

    Child<QPushButton>("startStopPushButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!unit->State().shellOpen, WaitMs);
    QCOMPARE(unit->State().adcStream, -1);
    QVERIFY(OtherSensorTabsEnabled());
    QVERIFY(window->findChild<QToolButton*>(QStringLiteral("toolButtonRetrieve"))->isEnabled());
    // Nothing more is shown once stopped.
    QTest::qWait(200);
    const QString stopped = Shown();
    unit->SendRaw(SimulatedUnit::AdcReading(1, false, 1));
    QTest::qWait(200);
    QCOMPARE(Shown(), stopped);
    QVERIFY(prompts->shown.isEmpty());
}

void TestMainWindowLiveData::waveMeterStreams()
{
    auto* button = Child<QPushButton>("wavemeterStartStopPushButton");
    QVERIFY(button->isEnabled());
    QVERIFY(Child<QGroupBox>("wavemeterGroupBox")->isEnabled());
    button->click();
    QTRY_VERIFY_WITH_TIMEOUT(unit->State().waveMeterOn, WaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(Shown().count(QStringLiteral("WAVE ")) >= 2, WaitMs);
    QVERIFY(!Child<QGroupBox>("adcGroupBox")->isEnabled());
    // The wave meter needs neither the shell nor the isolation.
    QVERIFY(!unit->State().shellOpen);
    QVERIFY(OtherSensorTabsEnabled());
    QVERIFY(SaveScreenshot(window, QStringLiteral("LiveDataTab-wavemeter")));
    button->click();
    QTRY_VERIFY_WITH_TIMEOUT(!unit->State().waveMeterOn, WaitMs);
    QVERIFY(Child<QGroupBox>("adcGroupBox")->isEnabled());
}

void TestMainWindowLiveData::disconnectEndsTheStream()
{
    Child<QPushButton>("startStopPushButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(unit->State().adcStream == 5, WaitMs);
    QVERIFY(!OtherSensorTabsEnabled());
    unit->ClearReceivedLines();
    window->findChild<QPushButton*>(QStringLiteral("pushButtonDisconnect"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(!window->IsLinkOpen(), WaitMs);
    // The unit was told before the port closed: stream ended, shell left.
    QCOMPARE(unit->State().adcStream, -1);
    QVERIFY(!unit->State().shellOpen);
    QVERIFY(unit->ReceivedLines().contains(QStringLiteral("exit")));
    QVERIFY(!tab->IsRunning());
    QVERIFY(OtherSensorTabsEnabled());
    QVERIFY(!Child<QLineEdit>("lineSend")->isEnabled());
}

KELVANE_TEST_APP_MAIN(TestMainWindowLiveData)
#include "tst_MainWindowLiveData.moc"
