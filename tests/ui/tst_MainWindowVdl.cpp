// The VDL tab through the main window against the simulated unit, with a remote AtoN in range of it:
// the tab read and written back ("VDL Chaining"), the window switched into VDL mode, a remote AtoN
// configured over the data link and queried, its replies arriving as message 6 and filling the pages.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest/QtTest>

#include "comms/StateMachine.h"
#include "model/Model.h"
#include "model/Names.h"
#include "support/WindowTestFixture.h"
#include "ui/vdl/VdlTab.h"

using KelvaneTest::App;

namespace
{
constexpr quint32 RemoteMmsi = 992359999;
} // namespace

class TestMainWindowVdl : public KelvaneTest::WindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void retrieveAndSendTheVdlTab();
    void vdlModeSwitchesTheWindow();
    void configureTheRemoteAtoN();
    void queryTheRemoteAtoN();
    void leavingVdlModeRestoresTheWindow();

private:
    template <typename T> T* Get(const char* name) const { return window->findChild<T*>(QLatin1String(name)); }
    QPushButton* Button(const char* name) const { return Get<QPushButton>(name); }
    QString Style(const char* name) const { return Get<QWidget>(name)->styleSheet(); }
    // Clicks a request button once the page is usable again (a running VDL job disables the tab).
    void Request(const char* button);

    VdlTab* vdl = nullptr;
};

void TestMainWindowVdl::initTestCase()
{
    PrepareWindowTest();
    qRegisterMetaType<VDL::VdlApplicationID>();
    QVERIFY(StartUnit(unit));
    SimUnitState& state = unit->State();
    state.real.mmsi = QStringLiteral("992351234");
    state.cop = {QStringLiteral("1"), QStringLiteral("063000"), QStringLiteral("3600"), QStringLiteral("1800")};
    SimRemoteAtoN& remote = state.remote;
    remote.mmsi = RemoteMmsi;
    remote.mmsis = {{RemoteMmsi, 0}};
    remote.offPositionThreshold = 250;
    remote.channel1 = 2060;
    remote.channel2 = 2061;
    SimScheduleEntry first;
    first.messageId = 6;
    first.index = 1;
    first.startSlot = 120;
    SimScheduleEntry second = first;
    second.index = 2;
    second.startSlot = 1320;
    remote.schedule = {first, second};
    OfferPorts({{unit, AtoNDescription}});

    QVERIFY(ShowWindow());
    vdl = Get<VdlTab>("tabVdl");
    QVERIFY(vdl);

    QVERIFY(SelectPort(unit));
    QVERIFY(ConnectThroughWindow());
}

void TestMainWindowVdl::cleanupTestCase()
{
    QVERIFY(CloseWindow());
}

void TestMainWindowVdl::Request(const char* button)
{
    QVERIFY(QTest::qWaitFor([this] { return vdl->isEnabled(); }, TransferWaitMs));
    QVERIFY2(Button(button)->isEnabled(), button);
    Button(button)->click();
}

void TestMainWindowVdl::retrieveAndSendTheVdlTab()
{
    // Everything is read first, so the real AtoN holds the unit's own configuration.
    Get<QAction>("actionRetrieveAll")->trigger();
    QVERIFY(WaitForIdle());
    const SimUnitState before = unit->State();

    window->GetAtoNTabWidget()->setCurrentIndex(window->VdlPosition());
    Get<QAction>("actionRetrieveCurrentTab")->trigger();
    QVERIFY(WaitForIdle());
    // The receiver schedule the unit holds, on the Receiver On Time page.
    QCOMPARE(Get<QComboBox>("comboBoxMode")->currentIndex(), 1);
    QCOMPARE(Get<QSpinBox>("spinBoxUtcHour")->value(), 6);
    QCOMPARE(Get<QSpinBox>("spinBoxUtcMinute")->value(), 30);
    QCOMPARE(Get<QComboBox>("IntervalcomboBox")->currentData().toInt(), 3600);
    QCOMPARE(Get<QSpinBox>("spinBoxDuration")->value(), 30);

    // Written back unchanged, the unit keeps exactly what it had.
    unit->ClearReceivedLines();
    Get<QAction>("actionSendCurrentTab")->trigger();
    QVERIFY(WaitForIdle());
    QVERIFY(!unit->ReceivedLines().isEmpty());
    const SimUnitState& after = unit->State();
    QCOMPARE(after.cop, before.cop);
    QCOMPARE(after.afb, before.afb);
    QCOMPARE(after.vdlFirstMmsi, before.vdlFirstMmsi);
    QCOMPARE(after.chainedMmsis, before.chainedMmsis);
    QCOMPARE(App()->GetStateMachine()->GetTabState(StateMachine::VdlTab), int(StateMachine::TabInStep));

    // A schedule the page cannot show exactly (an interval not in its list, a duration of odd
    // seconds) still goes back to the unit as it came.
    const QStringList odd{QStringLiteral("1"), QStringLiteral("231500"), QStringLiteral("420"), QStringLiteral("90")};
    unit->State().cop = odd;
    Get<QAction>("actionRetrieveCurrentTab")->trigger();
    QVERIFY(WaitForIdle());
    QCOMPARE(Get<QComboBox>("IntervalcomboBox")->currentIndex(), -1);
    QCOMPARE(Get<QSpinBox>("spinBoxDuration")->value(), 1);
    Get<QAction>("actionSendCurrentTab")->trigger();
    QVERIFY(WaitForIdle());
    QCOMPARE(unit->State().cop, odd);
    QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));
}

void TestMainWindowVdl::vdlModeSwitchesTheWindow()
{
    window->GetAtoNTabWidget()->setCurrentWidget(vdl);
    Get<QCheckBox>("checkBoxUseVdl")->click();
    QVERIFY(App()->GetTabModel()->GetVdlModel()->useVdl);
    // Only the data link is configured now: the unit's own tabs and the transfer menus step aside.
    QVERIFY(!Get<QMenu>("menuRetrieve")->menuAction()->isVisible());
    QVERIFY(!Get<QMenu>("menuSend")->menuAction()->isVisible());
    QVERIFY(!Get<QWidget>("tabRealAtoN")->isEnabled());
    QVERIFY(!Get<QWidget>("tabMessageSchedule")->isEnabled());
    QVERIFY(vdl->isEnabled());
    // The unit's own MMSI is offered as a target and selected.
    auto* target = Get<QComboBox>("comboBoxTargetMMSI");
    QCOMPARE(target->currentText(), unit->State().real.mmsi);

    // The remote AtoN is typed in as a user would.
    target->lineEdit()->clear();
    QTest::keyClicks(target->lineEdit(), QString::number(RemoteMmsi));
    QCOMPARE(App()->GetTabModel()->GetVdlModel()->targetMMSI, QString::number(RemoteMmsi));
    QVERIFY(Get<QWidget>("labelTargetMMSIInvalidMessage")->isHidden());
    QVERIFY(Button("pushButtonRetryAarQuery")->isEnabled());
    QVERIFY(Button("pushButtonRetryAcPt1")->isEnabled());
    QVERIFY(!Button("pushButtonRetryCopQuery")->isEnabled());
    Get<QSpinBox>("spinBoxSendDelay")->setValue(3);
    Get<QSpinBox>("spinBoxResponseTimeout")->setValue(60);
}

void TestMainWindowVdl::configureTheRemoteAtoN()
{
    const SimRemoteAtoN& remote = unit->State().remote;
    QVERIFY(remote.latitude != 51 * 600000 + 30 * 10000);
    Request("pushButtonRetryAcPt1");
    QCOMPARE(Style("widgetAc1Sent"), Names::StyleAmber);
    QTRY_COMPARE_WITH_TIMEOUT(Style("widgetAc1Sent"), Names::StyleGreen, TransferWaitMs);
    QVERIFY(WaitForIdle());
    // The remote AtoN took the real AtoN's position (51° 30' N, in 1/10000 minute).
    QCOMPARE(remote.latitude, 51 * 600000 + 30 * 10000);
    QCOMPARE(remote.heard, QList<int>{SimVdl::AcePart1});
    QVERIFY(unit->State().broadcasts.last().startsWith(QLatin1String("!AIBBM,")));
}

void TestMainWindowVdl::queryTheRemoteAtoN()
{
    // ACE/ACF: the notice first; its Continue sends the query, and both reply parts fill the real AtoN.
    prompts->dialogAnswer = TestPrompts::DialogAnswer::Continue;
    Request("pushButtonRetryAceAcfQuery");
    QVERIFY(prompts->dialogs.contains(QStringLiteral("cVdlAceAcfRequestWarning")));
    QTRY_COMPARE_WITH_TIMEOUT(Style("widgetAceAcfResponsePt1"), Names::StyleGreen, TransferWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(Style("widgetAceAcfResponsePt2"), Names::StyleGreen, TransferWaitMs);
    QCOMPARE(Style("widgetAceAcfQuery"), Names::StyleBlue);
    const AtoN* real = App()->GetTabModel()->GetRealAtoN();
    QCOMPARE(real->GetOffPositionThreshold(), unit->State().remote.offPositionThreshold);
    QCOMPARE(real->GetChannel1(), 2060);
    QCOMPARE(real->GetChannel2(), 2061);
    QCOMPARE(Get<QWidget>("tabRealAtoN")->findChild<QComboBox*>(QStringLiteral("comboChannel1"))->currentData().toInt(),
             2060);
    QVERIFY(WaitForIdle());

    // AAR: two schedule entries, the second asked for by the page itself.
    Request("pushButtonRetryAarQuery");
    QTRY_VERIFY_WITH_TIMEOUT(Style("widgetAarResponse") == Names::StyleGreen &&
                                 Button("pushButtonRetryAarQuery")->text() == QLatin1String("0") &&
                                 Button("pushButtonRetryAceAcfQuery")->isEnabled(),
                             TransferWaitMs);
    QVERIFY(WaitForIdle());
    QList<int> startSlots;
    const MessageSchedule* schedule = App()->GetTabModel()->GetMessageSchedule();
    for (int i = 0; i < schedule->Count(); ++i)
    {
        if (schedule->GetEntry(i).messageId == 6 && schedule->GetEntry(i).blockA.startSlot > 0)
            startSlots << schedule->GetEntry(i).blockA.startSlot;
    }
    QCOMPARE(startSlots, (QList<int>{120, 1320}));
    QCOMPARE(unit->State().remote.heard.count(SimVdl::AarRequest), 2);
    QVERIFY(window->isWindowModified());

    // Both pages as the user sees them, for people to look at.
    auto* pages = vdl->findChild<QTabWidget*>(QStringLiteral("tabWidget"));
    pages->setCurrentIndex(0);
    QVERIFY(SaveScreenshot(window, QStringLiteral("MainWindow-VdlControl")));
    pages->setCurrentIndex(1);
    QVERIFY(SaveScreenshot(window, QStringLiteral("MainWindow-VdlReceiverOnTime")));
    pages->setCurrentIndex(0);
}

void TestMainWindowVdl::leavingVdlModeRestoresTheWindow()
{
    Get<QCheckBox>("checkBoxUseVdl")->click();
    QVERIFY(Get<QMenu>("menuRetrieve")->menuAction()->isVisible());
    QVERIFY(Get<QWidget>("tabRealAtoN")->isEnabled());
    QCOMPARE(Style("widgetAarResponse"), Names::StyleBlue);
    QCOMPARE(Get<QComboBox>("comboBoxTargetMMSI")->count(), 0);
    QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));
}

KELVANE_TEST_APP_MAIN(TestMainWindowVdl)
#include "tst_MainWindowVdl.moc"
