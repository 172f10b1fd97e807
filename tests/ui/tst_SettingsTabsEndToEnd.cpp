// The Repeater tab on an AIS AtoN and the three settings tabs of an AIS AtoN Sensor, through the main
// window against simulated units: read from the unit, written back unchanged, edited and written again;
// then New shows the cleared records.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest/QtTest>

#include "model/Model.h"
#include "support/WindowTestFixture.h"

using KelvaneTest::App;
using KelvaneTest::Child;

class TestSettingsTabsEndToEnd : public KelvaneTest::WindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void repeaterReadWrittenBackAndChanged();
    void sensorTabsReadWrittenBackAndChanged();
    void sensorUnitsComeBackAsTheyWere_data();
    void sensorUnitsComeBackAsTheyWere();
    void newShowsTheClearedRecords();

private:
    void ConnectTo(SimulatedUnit* unit);
    void Disconnect() { QVERIFY(DisconnectAndWait()); }
    bool SendSensorSet();
    bool RetrieveSensorSet();
    void Trigger(const char* action) { Child<QAction>(window, action)->trigger(); }
    void SaveScreenshot(QWidget* tab, const QString& name) { QVERIFY(WindowTest::SaveScreenshot(tab, name)); }

    SimulatedUnit* atonUnit = nullptr;
    SimulatedUnit* sensorUnit = nullptr;
};

void TestSettingsTabsEndToEnd::initTestCase()
{
    PrepareWindowTest();
    QVERIFY(StartUnit(atonUnit));
    QVERIFY(StartUnit(sensorUnit));
    OfferPorts({{sensorUnit, SensorDescription}, {atonUnit, AtoNDescription}});
    App()->SetPortName(atonUnit->PortPath());
    QVERIFY(ShowWindow());
}

void TestSettingsTabsEndToEnd::cleanupTestCase()
{
    QVERIFY(CloseWindow());
}

// A change of tab asks the unit for its versions, and the transfer actions wait for that: each road starts
// from an idle window, and has run once the unit took its query or its last command, the configuration
// option.
bool TestSettingsTabsEndToEnd::SendSensorSet()
{
    if (!WaitForIdle() || !Child<QAction>(window, "actionSendAll")->isEnabled())
        return false;
    sensorUnit->ClearReceivedLines();
    Trigger("actionSendAll");
    return QTest::qWaitFor([this] { return !sensorUnit->ReceivedLines().filter(QStringLiteral("option ")).isEmpty(); },
                           WaitMs) &&
           WaitForIdle();
}

bool TestSettingsTabsEndToEnd::RetrieveSensorSet()
{
    if (!WaitForIdle() || !Child<QAction>(window, "actionRetrieveAll")->isEnabled())
        return false;
    sensorUnit->ClearReceivedLines();
    Trigger("actionRetrieveAll");
    return QTest::qWaitFor([this]
                           { return !sensorUnit->ReceivedLines().filter(QStringLiteral("PKVX,1,SDQ")).isEmpty(); },
                           WaitMs) &&
           WaitForIdle();
}

void TestSettingsTabsEndToEnd::ConnectTo(SimulatedUnit* unit)
{
    QVERIFY(SelectPort(unit));
    QCOMPARE(window->IsSensorMode(), unit == sensorUnit);
    QVERIFY(ConnectThroughWindow());
}

void TestSettingsTabsEndToEnd::repeaterReadWrittenBackAndChanged()
{
    QMap<QString, QStringList>& mcr = atonUnit->State().mcr;
    mcr[QStringLiteral("SRL")] = {QStringLiteral("2")};
    mcr[QStringLiteral("RPT21")] = {QStringLiteral("21"), QStringLiteral("3"), QStringLiteral("12"),
                                    QStringLiteral("123")};
    mcr[QStringLiteral("RPT8")] = {QStringLiteral("8"), QStringLiteral("1"), QStringLiteral("7"), QStringLiteral("0")};
    // A repeat setting and a guard time beyond what the tab offers come back as the unit had them.
    mcr[QStringLiteral("RPT6")] = {QStringLiteral("6"), QStringLiteral("5"), QStringLiteral("45"), QStringLiteral("0")};
    ConnectTo(atonUnit);
    window->GetAtoNTabWidget()->setCurrentIndex(window->RepeaterPosition());
    QWidget* tab = window->GetAtoNTabWidget()->currentWidget();
    QCOMPARE(tab->objectName(), QStringLiteral("tabRepeaterConfiguration"));

    Trigger("actionRetrieveCurrentTab");
    QVERIFY(WaitForIdle());
    QCOMPARE(Child<QComboBox>(tab, "comboBox_SartControls")->currentText(), QStringLiteral(" Repeat up to RI 1"));
    QCOMPARE(Child<QComboBox>(tab, "comboBox_message_21_RI")->currentIndex(), 3);
    QCOMPARE(Child<QSpinBox>(tab, "spinBox_21_timeout")->value(), 12);
    QCOMPARE(Child<QDoubleSpinBox>(tab, "doubleSpinBox_message_21_range")->text(), QStringLiteral("12.3  NM"));
    QCOMPARE(Child<QSpinBox>(tab, "spinBox_8_timeout")->value(), 7);
    QCOMPARE(App()->GetTabModel()->GetRepeater()->GetMsg21Range(), 123);

    // Written back without an edit, the unit is left as it was.
    const QMap<QString, QStringList> before = mcr;
    atonUnit->ClearReceivedLines();
    Trigger("actionSendCurrentTab");
    QVERIFY(WaitForIdle());
    QVERIFY(!atonUnit->ReceivedLines().isEmpty());
    QCOMPARE(mcr, before);

    Child<QComboBox>(tab, "comboBox_message_6_RI")->setCurrentIndex(2);
    Child<QSpinBox>(tab, "spinBox_6_timeout")->setValue(25);
    Child<QDoubleSpinBox>(tab, "doubleSpinBox_message_21_range")->setValue(4.5);
    Trigger("actionSendCurrentTab");
    QVERIFY(WaitForIdle());
    QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));
    QCOMPARE(mcr.value(QStringLiteral("RPT6")).mid(0, 3),
             (QStringList{QStringLiteral("6"), QStringLiteral("2"), QStringLiteral("25")}));
    QCOMPARE(mcr.value(QStringLiteral("RPT21")).value(3), QStringLiteral("45"));
    QCOMPARE(mcr.value(QStringLiteral("SRL")), QStringList{QStringLiteral("2")});
    SaveScreenshot(tab, QStringLiteral("RepeaterControlsTab"));
    Disconnect();
}

void TestSettingsTabsEndToEnd::sensorTabsReadWrittenBackAndChanged()
{
    QMap<int, QList<int>>& records = sensorUnit->State().sensorRecords;
    // Option 2 with its Aquadopp cells, the Airmar on RS422, relay 1; current sensing from the external input;
    // the Zeni Lite message 6 with an 11.8 V threshold and status bits 0 and 2 inverted.
    records.insert(10, {2, 4, 5, 6, -20, 1, 1, 1, 0});
    records.insert(11, {1, 300, 1, 0, 4000, 4095, 3, 12, 2, 40, 0, 1});
    records.insert(12, {170, 820, 1, 2, 3, 44, 5, 6});
    records.insert(13, {2, 3, 235, 10, 118, 2, 0, 1, 5});
    records.insert(14, {5, 10});
    ConnectTo(sensorUnit);
    QTabWidget* tabs = window->GetSensorTabWidget();
    QWidget* sensorTab = Child<QWidget>(tabs, "tabSensorSettings");
    QWidget* adcTab = Child<QWidget>(tabs, "tabADCSettings");
    QWidget* messageTab = Child<QWidget>(tabs, "tabMessageSettings");

    Trigger("actionRetrieveAll");
    QVERIFY(WaitForIdle());
    QVERIFY(Child<QRadioButton>(sensorTab, "sensorConfigurationOption2RadioButton")->isChecked());
    QVERIFY(Child<QWidget>(sensorTab, "groupBox_airmar_config")->isEnabled());
    QCOMPARE(Child<QSpinBox>(sensorTab, "surfaceCurrent3SpinBox")->value(), 6);
    QCOMPARE(Child<QSpinBox>(sensorTab, "datumOffsetSpinBox")->value(), -20);
    QVERIFY(Child<QRadioButton>(sensorTab, "rs422RadioButton")->isChecked());
    QVERIFY(Child<QRadioButton>(adcTab, "externalADC2RadioButton")->isChecked());
    QCOMPARE(Child<QSpinBox>(adcTab, "currentSenseThresholdSpinBox")->value(), 300);
    QCOMPARE(Child<QSpinBox>(adcTab, "evsDivisorSpinBox")->value(), 44);
    QCOMPARE(Child<QDoubleSpinBox>(adcTab, "VoltageCountSpinBox")->value(), 0.5);
    QVERIFY(Child<QRadioButton>(messageTab, "zeniLiteFormatRadioButton")->isChecked());
    QCOMPARE(Child<QSpinBox>(messageTab, "message6DACSpinBox")->value(), 235);
    QCOMPARE(Child<QDoubleSpinBox>(messageTab, "voltageThresholdBatteryStatusDoubleSpinBox")->value(), 11.8);
    QVERIFY(Child<QCheckBox>(messageTab, "checkBox_bit_2")->isChecked());
    QVERIFY(!Child<QCheckBox>(messageTab, "checkBox_bit_1")->isChecked());

    const QMap<int, QList<int>> before = records;
    QVERIFY(SendSensorSet());
    QCOMPARE(sensorUnit->State().shellSettings.value(QStringLiteral("option")), QStringLiteral("2"));
    QCOMPARE(records, before);

    // One change in each tab, as the user makes it.
    tabs->setCurrentWidget(sensorTab);
    Child<QSpinBox>(sensorTab, "datumOffsetSpinBox")->setValue(75);
    tabs->setCurrentWidget(adcTab);
    Child<QSpinBox>(adcTab, "icssOffsetSpinBox")->setValue(20);
    tabs->setCurrentWidget(messageTab);
    Child<QCheckBox>(messageTab, "checkBox_bit_7")->click();
    // Each change of tab asks the unit for its versions: the send waits for that.
    QVERIFY(WaitForIdle());
    QVERIFY(SendSensorSet());
    QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));
    QCOMPARE(records.value(10).at(4), 75);
    QCOMPARE(records.value(11).at(7), 20);
    QCOMPARE(records.value(13).at(8), 133);
    QCOMPARE(records.value(10).at(0), 2);

    for (QWidget* tab : {sensorTab, adcTab, messageTab})
    {
        tabs->setCurrentWidget(tab);
        SaveScreenshot(tab, tab->metaObject()->className());
    }
}

// Units whose sensor set the tabs cannot show exactly: retrieved and sent back without an edit, each is
// left as it was.
void TestSettingsTabsEndToEnd::sensorUnitsComeBackAsTheyWere_data()
{
    QTest::addColumn<QList<int>>("sensor"); // code, three cells, datum, RS422 on, Airmar port, relays
    QTest::addColumn<QList<int>>("current");
    QTest::addColumn<QList<int>>("voltage");
    QTest::addColumn<QList<int>>("message");
    QTest::addColumn<QList<int>>("units");
    const QList<int> current{1, 300, 1, 0, 4000, 4095, 3, 12, 2, 40, 0, 1};
    const QList<int> voltage{170, 820, 1, 2, 3, 44, 5, 6};
    const QList<int> message{2, 3, 235, 10, 118, 2, 0, 1, 5};
    const QList<int> units{5, 10};
    QTest::newRow("Airmar on RS422, RS422 off")
        << QList<int>{0, 1, 2, 3, 15, 0, 1, 0, 0} << current << voltage << message << units;
    QTest::newRow("option 0 only") << QList<int>{98, 0, 0, 0, -30, 0, 1, 1, 0} << current << voltage << message
                                   << units;
    QTest::newRow("unknown code") << QList<int>{57, 0, 0, 0, 0, 1, 0, 0, 1} << current << voltage << message << units;
    QTest::newRow("fixed, Airmar on RS422, RS422 off")
        << QList<int>{99, 0, 0, 0, 0, 0, 1, 0, 1} << current << voltage << message << units;
    QTest::newRow("beyond the widgets") << QList<int>{3, 600, 0, 7, 2500, 1, 5, 1, 1}
                                        << QList<int>{1, 12000, 1, 1, 0, 0, 5000, 12, 70000, 0, 0, 0}
                                        << QList<int>{0, 5000, 4096, 0, 1, 70000, 0, 0}
                                        << QList<int>{1, 1, 2000, 70, 360, 1, 1, 2, 511} << QList<int>{400, 0};
}

void TestSettingsTabsEndToEnd::sensorUnitsComeBackAsTheyWere()
{
    QFETCH(QList<int>, sensor);
    QFETCH(QList<int>, current);
    QFETCH(QList<int>, voltage);
    QFETCH(QList<int>, message);
    QFETCH(QList<int>, units);
    QMap<int, QList<int>>& records = sensorUnit->State().sensorRecords;
    records.insert(10, sensor);
    records.insert(11, current);
    records.insert(12, voltage);
    records.insert(13, message);
    records.insert(14, units);
    if (!window->IsLinkOpen() || !window->IsSensorMode())
        ConnectTo(sensorUnit);
    QVERIFY2(RetrieveSensorSet(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));
    const QMap<int, QList<int>> before = records;
    QVERIFY(SendSensorSet());
    QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));
    QCOMPARE(records, before);
}

void TestSettingsTabsEndToEnd::newShowsTheClearedRecords()
{
    QWidget* sensorTab = Child<QWidget>(window, "tabSensorSettings");
    QWidget* adcTab = Child<QWidget>(window, "tabADCSettings");
    QWidget* messageTab = Child<QWidget>(window, "tabMessageSettings");
    QWidget* repeaterTab = Child<QWidget>(window, "tabRepeaterConfiguration");
    prompts->answers << QMessageBox::Discard;
    Trigger("actionNewFile");
    QVERIFY(Child<QWidget>(sensorTab, "groupBox_sensor")->isHidden());
    QVERIFY(!Child<QWidget>(sensorTab, "label_instruction")->isHidden());
    QCOMPARE(Child<QSpinBox>(sensorTab, "datumOffsetSpinBox")->value(), 0);
    QCOMPARE(Child<QSpinBox>(adcTab, "icssOffsetSpinBox")->value(), 12);
    QVERIFY(!Child<QCheckBox>(messageTab, "checkBox_bit_7")->isChecked());
    QCOMPARE(Child<QSpinBox>(repeaterTab, "spinBox_6_timeout")->value(), 30);
    QCOMPARE(Child<QComboBox>(repeaterTab, "comboBox_SartControls")->currentIndex(), 0);
    Model* tabModel = App()->GetTabModel();
    QCOMPARE(tabModel->GetSensorSettings()->GetConfigurationCode(), 99);
    QCOMPARE(tabModel->GetADCSettings()->GetInternalCurrentOffset(), 12);
    QCOMPARE(tabModel->GetRepeater()->GetMsg21Range(), 0);
}

KELVANE_TEST_APP_MAIN(TestSettingsTabsEndToEnd)
#include "tst_SettingsTabsEndToEnd.moc"
