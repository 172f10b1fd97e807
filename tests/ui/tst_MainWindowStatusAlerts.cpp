// The Status Inputs and Alert Messages tabs through the main window against the simulated unit: a
// retrieve fills both tabs with the unit's settings, a send with no edit leaves the unit as it was, one
// change per group is sent to the unit, and the unit's own message 21 shows its light and RACON status.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest/QtTest>

#include "comms/StateMachine.h"
#include "model/Model.h"
#include "support/WindowTestFixture.h"

using KelvaneTest::App;

namespace
{

QStringList List(std::initializer_list<const char*> fields)
{
    QStringList list;
    for (const char* f : fields)
        list << QString::fromLatin1(f);
    return list;
}

} // namespace

class TestMainWindowStatusAlerts : public KelvaneTest::WindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void retrieveFillsBothTabs();
    void sendingWithoutAnEditLeavesTheUnitAsItWas();
    void scheduleChangesReachTheWarnings();
    void oneChangePerGroupReachesTheUnit();
    void theUnitsMessage21IsShown();

private:
    bool Send(int position);
    template <typename T> T* W(const char* name) const { return Widget<T>(name); }
    QAction* Action(const char* name) const { return W<QAction>(name); }
};

void TestMainWindowStatusAlerts::initTestCase()
{
    PrepareWindowTest();
    QVERIFY(StartUnit(unit));
    OfferUnit();

    // The unit's settings, away from every default.
    QMap<QString, QStringList>& mcr = unit->State().mcr;
    mcr.insert(QStringLiteral("SBS"), List({"2"}));
    mcr.insert(QStringLiteral("LRC"), List({"1", "1", "1"}));
    mcr.insert(QStringLiteral("LIS"), List({"5"}));
    mcr.insert(QStringLiteral("MSS"), List({"1", "2"}));
    mcr.insert(QStringLiteral("MSO"), List({"1", "3", "4"}));
    mcr.insert(QStringLiteral("MST"), List({"0"}));
    mcr.insert(QStringLiteral("UPW"), List({"1"}));
    mcr.insert(QStringLiteral("BIT"), List({"1", "1", "12", "LAMP FAIL^2C CALL 01234"}));
    mcr.insert(QStringLiteral("PRX"), List({"1", "1", "12", "KEEP CLEAR", "500"}));
    mcr.insert(QStringLiteral("OFP"), List({"1", "1", "14", "BUOY OFF STATION"}));

    QVERIFY(ShowWindow());
    QVERIFY(ConnectThroughWindow());
}

void TestMainWindowStatusAlerts::cleanupTestCase()
{
    QVERIFY(CloseWindow());
}

bool TestMainWindowStatusAlerts::Send(int position)
{
    window->GetAtoNTabWidget()->setCurrentIndex(position);
    prompts->dialogAnswer = TestPrompts::DialogAnswer::Continue;
    Action("actionSendCurrentTab")->trigger();
    return WaitForIdle() && prompts->shown.isEmpty();
}

void TestMainWindowStatusAlerts::retrieveFillsBothTabs()
{
    Action("actionRetrieveAll")->trigger();
    QVERIFY(WaitForIdle());
    QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));

    // Status Inputs.
    QVERIFY(W<QCheckBox>("lampFittedCheckBox")->isChecked());
    QVERIFY(W<QCheckBox>("RACONMonitoredCheckBox")->isChecked());
    QVERIFY(W<QRadioButton>("sensorModuleRadioButton")->isChecked());
    QVERIFY(W<QCheckBox>("checkBoxLightOnOfActiveHigh")->isChecked());
    QVERIFY(!W<QCheckBox>("checkBoxLightHealthActiveHigh")->isChecked());
    QVERIFY(W<QCheckBox>("checkBoxRaconHealthActiveHigh")->isChecked());
    QVERIFY(W<QRadioButton>("message6SourceTransceiverRadioButton")->isChecked());
    QCOMPARE(W<QSpinBox>("message6IndexspinBox")->value(), 2);
    QVERIFY(W<QCheckBox>("checkBoxTH_enable_reporting")->isChecked());
    QCOMPARE(W<QSpinBox>("spinBox_TH_on_position_index")->value(), 3);
    QCOMPARE(W<QSpinBox>("spinBox_TH_off_position_index")->value(), 4);
    QVERIFY(W<QRadioButton>("radioButton_msg_6_GLA_standard")->isChecked());
    QVERIFY(W<QCheckBox>("checkBoxUserPower")->isChecked());
    // The unit schedules no message 6: every index in use is flagged.
    for (const char* label : {"messge6Warninglabel", "Warninglabel_TH_on_position", "Warninglabel_TH_off_position"})
        QVERIFY2(!W<QLabel>(label)->isHidden(), label);

    // Alert Messages.
    QVERIFY(W<QRadioButton>("transmitMessage12Index1RadioButton")->isChecked());
    QCOMPARE(W<QLineEdit>("BITFailureActionsMessageTextLineEdit")->text(), QStringLiteral("LAMP FAIL, CALL 01234"));
    QVERIFY(W<QRadioButton>("enableMessage12Index2RadioButton")->isChecked());
    QCOMPARE(W<QLineEdit>("vesselProximityAlertMessageTextLineEdit")->text(), QStringLiteral("KEEP CLEAR"));
    QCOMPARE(W<QSpinBox>("vesselProximityAlertRadiusSpinBox")->value(), 500);
    QVERIFY(W<QRadioButton>("transmitMessage14Index3RadioButton")->isChecked());
    QCOMPARE(W<QLineEdit>("offPositionTextAlertMessageTextLineEdit")->text(), QStringLiteral("BUOY OFF STATION"));

    QTabWidget* tabs = window->GetAtoNTabWidget();
    tabs->setCurrentIndex(window->StatusInputsPosition());
    QVERIFY(SaveScreenshot(window, QStringLiteral("StatusInputsTab")));
    tabs->setCurrentIndex(window->AlertMessagesPosition());
    QVERIFY(SaveScreenshot(window, QStringLiteral("AlertMessagesTab")));
}

void TestMainWindowStatusAlerts::sendingWithoutAnEditLeavesTheUnitAsItWas()
{
    const QMap<QString, QStringList> before = unit->State().mcr;
    unit->ClearReceivedLines();
    QVERIFY(Send(window->StatusInputsPosition()));
    QVERIFY(Send(window->AlertMessagesPosition()));
    int configured = 0;
    for (const QString& line : unit->ReceivedLines())
        configured += line.startsWith(QLatin1String("$UPMCR")) && line.contains(QLatin1String(",C*"));
    QCOMPARE(configured, 10);
    QCOMPARE(unit->State().mcr, before);
}

void TestMainWindowStatusAlerts::scheduleChangesReachTheWarnings()
{
    // Scheduling message 6 index 2 on the Message Schedule tab clears the transceiver index warning.
    window->GetAtoNTabWidget()->setCurrentIndex(window->MessageSchedulePosition());
    auto* combo = W<QComboBox>("comboMessageID");
    combo->setCurrentIndex(combo->findData(106));
    W<QPushButton>("buttonAdd")->click();
    QVERIFY(W<QLabel>("messge6Warninglabel")->isHidden());
    QVERIFY(!W<QLabel>("Warninglabel_TH_on_position")->isHidden());
}

void TestMainWindowStatusAlerts::oneChangePerGroupReachesTheUnit()
{
    QCOMPARE(App()->GetStateMachine()->GetTabState(StateMachine::StatusInputsTab), int(StateMachine::TabInStep));
    W<QCheckBox>("RACONMonitoredCheckBox")->click();
    W<QRadioButton>("transceiverModuleRadioButton")->click();
    W<QCheckBox>("checkBoxLightHealthActiveHigh")->click();
    W<QSpinBox>("spinBox_TH_on_position_index")->setValue(1);
    W<QRadioButton>("message6SourceSensorRadioButton")->click();
    W<QRadioButton>("radioButton_msg_6_isense_version")->click();
    W<QCheckBox>("checkBoxUserPower")->click();
    QCOMPARE(App()->GetStateMachine()->GetTabState(StateMachine::StatusInputsTab), int(StateMachine::TabEdited));
    QVERIFY(Send(window->StatusInputsPosition()));

    const QMap<QString, QStringList>& mcr = unit->State().mcr;
    QCOMPARE(mcr.value(QStringLiteral("LRC")), List({"1", "1", "0"}));
    QCOMPARE(mcr.value(QStringLiteral("SBS")), List({"1"}));
    QCOMPARE(mcr.value(QStringLiteral("LIS")), List({"7"}));
    QCOMPARE(mcr.value(QStringLiteral("MSS")), List({"0", "-1"}));
    QCOMPARE(mcr.value(QStringLiteral("MSO")), List({"1", "1", "4"}));
    QCOMPARE(mcr.value(QStringLiteral("MST")), List({"1"}));
    QCOMPARE(mcr.value(QStringLiteral("UPW")), List({"0"}));

    W<QRadioButton>("transmitMessage14Index1RadioButton")->click();
    W<QSpinBox>("vesselProximityAlertRadiusSpinBox")->setValue(750);
    auto* offText = W<QLineEdit>("offPositionTextAlertMessageTextLineEdit");
    offText->selectAll();
    QTest::keyClicks(offText, QStringLiteral("moved"));
    QVERIFY(Send(window->AlertMessagesPosition()));
    QCOMPARE(mcr.value(QStringLiteral("BIT")), List({"1", "1", "14", "LAMP FAIL^2C CALL 01234"}));
    QCOMPARE(mcr.value(QStringLiteral("PRX")), List({"1", "1", "12", "KEEP CLEAR", "750"}));
    QCOMPARE(mcr.value(QStringLiteral("OFP")), List({"1", "1", "14", "MOVED"}));
    // The re-read after the send brings both tabs back in step with the unit.
    QCOMPARE(App()->GetStateMachine()->GetTabState(StateMachine::StatusInputsTab), int(StateMachine::TabInStep));
    QCOMPARE(App()->GetStateMachine()->GetTabState(StateMachine::AlertMessagesTab), int(StateMachine::TabInStep));
}

void TestMainWindowStatusAlerts::theUnitsMessage21IsShown()
{
    unit->SendMessage21(2, 1, 0);
    QTRY_COMPARE_WITH_TIMEOUT(W<QLabel>("lampStatusLabel")->text(), QStringLiteral("Light on"), WaitMs);
    QCOMPARE(W<QLabel>("RACONStatusLabel")->text(), QStringLiteral("RACON operational"));
    unit->SendMessage21(3, 3, 1);
    QTRY_COMPARE_WITH_TIMEOUT(W<QLabel>("lampStatusLabel")->text(), QStringLiteral("Light fail or at reduced range"),
                              WaitMs);
    QCOMPARE(W<QLabel>("RACONStatusLabel")->text(), QStringLiteral("RACON error"));
}

KELVANE_TEST_APP_MAIN(TestMainWindowStatusAlerts)
#include "tst_MainWindowStatusAlerts.moc"
