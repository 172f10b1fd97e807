// The Live Data tab on its own: the exact text it sends for each user action (the unit's shell is
// driven by these bytes alone), the isolation of the sensor set while an ADC stream runs, the wave
// meter and its permission, what is shown, the command line, and what its end tells the unit.

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QToolButton>

#include "MainWindowTestPrompts.h"
#include "support/AppTestFixture.h"
#include "support/WidgetTestTools.h"
#include "ui/monitor/LiveDataTab.h"

namespace
{

using KelvaneTest::Child;

const QString Esc = QStringLiteral("\x1b");

// Records what the tab sends and how it isolates itself, in one sequence ("isolate"/"release").
struct Recorder
{
    QStringList events;
    QObject context; // the connections end with the recorder, whichever goes first
    explicit Recorder(LiveDataTab& tab)
    {
        QObject::connect(&tab, &LiveDataTab::Send, &context, [this](const QString& s) { events << s; });
        QObject::connect(&tab, &LiveDataTab::IsolateLiveDataTab, &context,
                         [this](bool on) { events << (on ? QStringLiteral("isolate") : QStringLiteral("release")); });
    }
};

} // namespace

class TestLiveDataTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void sequences_data();
    void sequences();
    void waveMeter();
    void waveMeterPermission();
    void receivedTextOnlyWhileStreaming();
    void commandLineSendsOnlyFromTheButton();
    void endOfTheTab_data();
    void endOfTheTab();
    void closingWithTheCommandLineFocused();

private:
    TestPrompts* prompts = nullptr;
};

void TestLiveDataTab::init()
{
    prompts = InstallTestPrompts();
}

void TestLiveDataTab::cleanup()
{
    Prompts::Install(nullptr);
}

void TestLiveDataTab::sequences_data()
{
    // Actions: "adc N" picks ADC N, "raw"/"scaled" the radio buttons, "start" the start/stop button,
    // "stop" the tab's Stop().
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("start scaled Non ISO ADC 2")
        << QStringList{"adc 3", "scaled", "start"} << QStringList{"+++\n", "isolate", "getadccontscaled 3\n"};
    QTest::newRow("start raw, stop by the button")
        << QStringList{"start", "start"} << QStringList{"+++\n", "isolate", "getadccont 0\n", "release", Esc, "exit\n"};
    QTest::newRow("restart on another ADC")
        << QStringList{"start", "adc 5"} << QStringList{"+++\n", "isolate", "getadccont 0\n", Esc, "getadccont 5\n"};
    QTest::newRow("restart scaled, then raw")
        << QStringList{"adc 6", "start", "scaled", "raw"}
        << QStringList{"+++\n", "isolate", "getadccont 6\n", Esc, "getadccontscaled 6\n", Esc, "getadccont 6\n"};
    QTest::newRow("choices while stopped send nothing") << QStringList{"adc 2", "scaled", "adc 4"} << QStringList{};
    QTest::newRow("Stop with nothing running") << QStringList{"stop"} << QStringList{"release", Esc, "exit\n"};
    QTest::newRow("Stop while streaming")
        << QStringList{"adc 1", "start", "stop"}
        << QStringList{"+++\n", "isolate", "getadccont 1\n", "release", Esc, "exit\n"};
}

void TestLiveDataTab::sequences()
{
    QFETCH(QStringList, actions);
    QFETCH(QStringList, expected);
    LiveDataTab tab;
    tab.OnOpened();
    Recorder record(tab);
    for (const QString& action : actions)
    {
        if (action.startsWith(QLatin1String("adc ")))
            Child<QComboBox>(tab, "ADCSelectionComboBox")->setCurrentIndex(action.mid(4).toInt());
        else if (action == QLatin1String("raw"))
            Child<QRadioButton>(tab, "rawRadioButton")->click();
        else if (action == QLatin1String("scaled"))
            Child<QRadioButton>(tab, "scaledRadioButton")->click();
        else if (action == QLatin1String("start"))
            Child<QPushButton>(tab, "startStopPushButton")->click();
        else
            tab.Stop();
    }
    QCOMPARE(record.events, expected);
    auto* start = Child<QPushButton>(tab, "startStopPushButton");
    QCOMPARE(start->text(), tab.IsRunning() ? QStringLiteral("Stop") : QStringLiteral("Start"));
    // The command line is closed while a stream runs, open again after it.
    QCOMPARE(Child<QLineEdit>(tab, "lineSend")->isEnabled(), !tab.IsRunning());
}

void TestLiveDataTab::waveMeter()
{
    LiveDataTab tab;
    tab.OnOpened();
    tab.OnEnableWaveMeterDataControls(true);
    Recorder record(tab);
    auto* button = Child<QPushButton>(tab, "wavemeterStartStopPushButton");
    auto* adc = Child<QGroupBox>(tab, "adcGroupBox");
    QVERIFY(button->isEnabled());
    button->click();
    QVERIFY(tab.IsWaveMeterRunning());
    QVERIFY(!adc->isEnabled());
    QCOMPARE(button->text(), QStringLiteral("Stop"));
    tab.OnReceived(QStringLiteral("WAVE 1: Hs 0.55 m\n"));
    button->click();
    QVERIFY(adc->isEnabled());
    QCOMPARE(button->text(), QStringLiteral("Start"));
    QVERIFY(!Child<QLineEdit>(tab, "lineSend")->isEnabled());
    tab.OnReceived(QStringLiteral("WAVE 2: Hs 0.60 m\n"));
    // Neither the shell nor the isolation: one sentence each way.
    QCOMPARE(record.events, (QStringList{QStringLiteral("$PKVX,0,0,0x5E1D0A47,1,wavemeterout 1,99*0A\n"),
                                         QStringLiteral("$PKVX,0,0,0x5E1D0A47,1,wavemeterout 0,98*0A\n")}));
    QCOMPARE(Child<QTextEdit>(tab, "receivedTextEdit")->toPlainText(), QStringLiteral("WAVE 1: Hs 0.55 m\n"));
}

void TestLiveDataTab::waveMeterPermission()
{
    LiveDataTab tab;
    tab.OnOpened();
    auto* group = Child<QGroupBox>(tab, "wavemeterGroupBox");
    QVERIFY(!group->isEnabled());
    tab.OnEnableWaveMeterDataControls(true);
    QVERIFY(group->isEnabled());
    Child<QPushButton>(tab, "startStopPushButton")->click();
    QVERIFY(!group->isEnabled());
    // Reported during the stream: kept for its end.
    tab.OnEnableWaveMeterDataControls(false);
    tab.OnEnableWaveMeterDataControls(true);
    QVERIFY(!group->isEnabled());
    tab.Stop();
    QVERIFY(group->isEnabled());
    Child<QPushButton>(tab, "startStopPushButton")->click();
    tab.OnEnableWaveMeterDataControls(false);
    tab.Stop();
    QVERIFY(!group->isEnabled());
}

void TestLiveDataTab::receivedTextOnlyWhileStreaming()
{
    LiveDataTab tab;
    tab.OnOpened();
    auto* view = Child<QTextEdit>(tab, "receivedTextEdit");
    tab.OnReceived(QStringLiteral("before\n"));
    Child<QPushButton>(tab, "startStopPushButton")->click();
    tab.OnReceived(QStringLiteral(">"));
    tab.OnReceived(QStringLiteral("ADC 0: 2048\n"));
    tab.OnSent(QStringLiteral("getadccont 0\n"));
    tab.Stop();
    tab.OnReceived(QStringLiteral("after\n"));
    QCOMPARE(view->toPlainText(), QStringLiteral(">ADC 0: 2048\n"));
}

void TestLiveDataTab::commandLineSendsOnlyFromTheButton()
{
    LiveDataTab tab;
    tab.show();
    QSignalSpy sends(&tab, &LiveDataTab::Send);
    auto* line = Child<QLineEdit>(tab, "lineSend");
    auto* send = Child<QToolButton>(tab, "toolButtonSend");
    QVERIFY(!line->isEnabled());
    tab.OnOpened();
    QVERIFY(line->isEnabled());
    QVERIFY(!send->isEnabled());
    QTest::keyClicks(line, QStringLiteral("$UPANQ,ACF"));
    QVERIFY(send->isEnabled());
    QTest::keyClick(line, Qt::Key_Return);
    QCOMPARE(sends.size(), 0);
    send->click();
    QCOMPARE(sends.size(), 1);
    QCOMPARE(sends.at(0).at(0).toString(), QStringLiteral("$UPANQ,ACF*33\r\n"));
    QVERIFY(line->text().isEmpty());
    QVERIFY(!send->isEnabled());
    // The shared rule: the shell escape is refused with the notice, an invalid text with the label.
    QTest::keyClicks(line, QStringLiteral("+++"));
    send->click();
    QCOMPARE(prompts->shown.size(), 1);
    QTest::keyClicks(line, QStringLiteral("$UPANQ,ACF*00"));
    send->click();
    QVERIFY(tab.findChild<QWidget*>(QStringLiteral("labelSendError"))->isVisible());
    QCOMPARE(sends.size(), 1);
    tab.OnClosed();
    QVERIFY(!line->isEnabled());
    QVERIFY(!send->isEnabled());
}

void TestLiveDataTab::endOfTheTab_data()
{
    QTest::addColumn<bool>("portOpen");
    QTest::addColumn<QStringList>("expected");
    // Closed port: the tab goes without a word.
    QTest::newRow("closed") << false << QStringList{};
    // Open port: the unit still leaves its stream and shell; the window, going away around the tab,
    // hears nothing.
    QTest::newRow("open") << true << QStringList{Esc, QStringLiteral("exit\n")};
}

void TestLiveDataTab::endOfTheTab()
{
    QFETCH(bool, portOpen);
    QFETCH(QStringList, expected);
    auto* tab = new LiveDataTab;
    if (portOpen)
        tab->OnOpened();
    Recorder record(*tab);
    Child<QPushButton>(*tab, "startStopPushButton")->click();
    record.events.clear();
    delete tab;
    QCOMPARE(record.events, expected);
}

void TestLiveDataTab::closingWithTheCommandLineFocused()
{
    // Finishing the edit must not call into the half-destroyed tab.
    QVERIFY(KelvaneTest::DestroyWithCommandLineFocused(new LiveDataTab));
}

KELVANE_TEST_APP_MAIN(TestLiveDataTab)
#include "tst_LiveDataTab.moc"
