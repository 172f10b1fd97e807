// The Status Inputs tab offscreen, through its widgets: the form, load and store, the index rules that
// keep the message 6 indices in use apart, the schedule warnings, the message 21 display and inland mode.

#include <QBuffer>
#include <QCheckBox>
#include <QDataStream>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>

#include "model/MessageSchedule.h"
#include "model/Model.h"
#include "model/StatusInputConfigurationModel.h"
#include "support/GuiTestMain.h"
#include "support/SavedBytes.h"
#include "support/WidgetTestTools.h"
#include "ui/settings/StatusInputConfigurationTab.h"

namespace
{

using KelvaneTest::Saved;

// The fields of a record in order, as a compact literal for test tables.
struct Fields
{
    int light = 0, racon = 0, monitored = 0, bitSource = 0, onOffHigh = 1, healthHigh = 1, raconHigh = 1;
    int source = 0, index = -1, report = 0, on = -1, off = -1, format = 1;
    bool power = false;

    void WriteTo(StatusInputConfigurationModel& r) const
    {
        r.SetLightFitted(light);
        r.SetRaconFitted(racon);
        r.SetRaconMonitored(monitored);
        r.SetStatusBitSource(bitSource);
        r.SetLightOnOffActiveHigh(onOffHigh);
        r.SetLightHealthActiveHigh(healthHigh);
        r.SetRaconHealthActiveHigh(raconHigh);
        r.SetMessage6Source(source);
        r.SetMessage6Index(index);
        r.SetPositionReportEnabled(report);
        r.SetOnPositionIndex(on);
        r.SetOffPositionIndex(off);
        r.SetMessage6Format(format);
        r.SetUserPower(power);
    }
};

Fields Transceiver(int index, int report, int on, int off)
{
    Fields f;
    f.source = 1;
    f.index = index;
    f.report = report;
    f.on = on;
    f.off = off;
    return f;
}

Fields Sensor(int report, int on, int off)
{
    Fields f;
    f.report = report;
    f.on = on;
    f.off = off;
    return f;
}

using Triple = QList<int>; // message 6 index, on-position index, off-position index

} // namespace

Q_DECLARE_METATYPE(Fields)

class TestStatusInputConfigurationTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Q_INIT_RESOURCE(kelvane); }
    void init();
    void cleanup();

    void formTexts_data();
    void formTexts();
    void startUpShowsTheDefaults();
    void loadShowsTheRecordAndStoreGivesItBack_data();
    void loadShowsTheRecordAndStoreGivesItBack();
    void loadSetsTheMessage6GroupsFromTheSource();
    void checkBoxesAndRadios_data();
    void checkBoxesAndRadios();
    void indexRules_data();
    void indexRules();
    void tickingTheReportWritesTheIndicesShown_data();
    void tickingTheReportWritesTheIndicesShown();
    void switchingTheMessage6Source();
    void warningsFollowTheSchedule();
    void message21Display_data();
    void message21Display();
    void inlandMode();

private:
    template <typename T> T* W(const char* name) const { return KelvaneTest::Child<T>(tab, name); }
    QSpinBox* IndexBox() const { return W<QSpinBox>("message6IndexspinBox"); }
    QSpinBox* OnBox() const { return W<QSpinBox>("spinBox_TH_on_position_index"); }
    QSpinBox* OffBox() const { return W<QSpinBox>("spinBox_TH_off_position_index"); }
    Triple Shown() const { return {IndexBox()->value(), OnBox()->value(), OffBox()->value()}; }
    Triple Stored() const
    {
        const auto* r = model->GetStatusInputConfiguration();
        return {r->GetMessage6Index(), r->GetOnPositionIndex(), r->GetOffPositionIndex()};
    }
    void Load(const Fields& f)
    {
        Model source;
        f.WriteTo(*source.GetStatusInputConfiguration());
        tab->UpdateTabFromModel(&source);
    }
    bool Visible(const char* label) const { return !W<QLabel>(label)->isHidden(); }

    Model* model = nullptr;
    StatusInputConfigurationTab* tab = nullptr;
};

void TestStatusInputConfigurationTab::init()
{
    model = new Model();
    tab = new StatusInputConfigurationTab(model);
    tab->UpdateTabFromModel();
}

void TestStatusInputConfigurationTab::cleanup()
{
    delete tab;
    delete model;
}

void TestStatusInputConfigurationTab::formTexts_data()
{
    KelvaneTest::FormTextColumns();
    const QString none;
    const QString missing = QStringLiteral("A message #6 for this index must be configured.");
    const auto row = &KelvaneTest::FormTextRow;
    row("statusGroupBox", "Current Status (Message 21)",
        "<html><head/><body><p>Shows the lamp status reported in message #21.</p><p>NOTE: When the status bit source "
        "is set to Sensor this display only updates on each real message #21 transmission. When the status bit "
        "source is set to Transceiver this display updates on each dummy VDO as well.</p></body></html>");
    row("message6sourceGroupBox", "GLA message 6 source",
        "The message #6 (GLA) payload can be built by a sensor or the transceiver.  The transceiver version has "
        "more limited inputs.");
    row("message6SourceSensorRadioButton", "Sensor / external", none);
    row("groupBox_transciever_message_6_index", "Transceiver message 6 index",
        "Set the index for the simplified message 6 built by the sensor.  ");
    row("labelIndex", "Message Index:", none);
    row("message6IndexspinBox", none,
        "The message index the payload is to be built for.  The message must be scheduled.");
    row("messge6Warninglabel", none, missing);
    row("groupBox", "Message 6 position report", none);
    row("checkBoxTH_enable_reporting", "Enable message 6 position report  ", none);
    row("label_2", "Select message schedule index:", none);
    row("Warninglabel_TH_on_position", none, missing);
    row("Warninglabel_TH_off_position", none, missing);
    row("statusBitSourceGroupBox", "Status Bit Source", none);
    row("lampRACONConfigurationGroupBox", "Light RACON Configuration", none);
    row("groupBox_GLA_msg_6_type", "GLA message 6 format",
        "Select the format of the GLA message 6 built by the sensor module.  The A-126 format is the standard GLA "
        "layout.  The ISENSE format includes a current threshold indication in the external status bits. "
        "These controls are only effective if the GLA message type (the default) is selected in the sensor "
        "configuration. ");
    row("radioButton_msg_6_GLA_standard", "A-126 format", "The GLA standard version.");
    row("radioButton_msg_6_isense_version", "ISENSE format",
        "Includes a current threshold indication in the status bits.");
    row("checkBoxLightOnOfActiveHigh", "Light on/off active high", none);
    row("groupBoxUserPower", "User power control", none);
    row("checkBoxUserPower", "Enable user power", none);
}

void TestStatusInputConfigurationTab::formTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);
    QWidget* w = tab->findChild<QWidget*>(name);
    QVERIFY2(w, qPrintable(name));
    QCOMPARE(KelvaneTest::ShownText(w), text);
    QCOMPARE(w->toolTip(), toolTip);
    if (name.contains(QLatin1String("arning")))
    {
        QVERIFY(!W<QLabel>(qPrintable(name))->pixmap().isNull());
        QCOMPARE(w->maximumSize(), QSize(20, 20));
    }
    if (auto* spin = qobject_cast<QSpinBox*>(w))
        QCOMPARE(std::make_pair(spin->minimum(), spin->maximum()), std::make_pair(1, 4));
}

void TestStatusInputConfigurationTab::startUpShowsTheDefaults()
{
    QCOMPARE(Shown(), Triple({1, 2, 3}));
    QVERIFY(!IndexBox()->isEnabled() && !OnBox()->isEnabled() && !OffBox()->isEnabled());
    QVERIFY(W<QRadioButton>("message6SourceSensorRadioButton")->isChecked());
    QVERIFY(!W<QCheckBox>("checkBoxTH_enable_reporting")->isChecked());
    QVERIFY(W<QRadioButton>("ACESentenceRadioButton")->isChecked());
    QVERIFY(!W<QGroupBox>("statusBitLogicGroupBox")->isEnabled());
    for (const char* box :
         {"checkBoxLightOnOfActiveHigh", "checkBoxLightHealthActiveHigh", "checkBoxRaconHealthActiveHigh"})
        QVERIFY(W<QCheckBox>(box)->isChecked());
    QVERIFY(W<QRadioButton>("radioButton_msg_6_isense_version")->isChecked());
    QCOMPARE(W<QLabel>("lampStatusLabel")->text(), QStringLiteral("Unknown"));
    QCOMPARE(W<QLabel>("RACONStatusLabel")->text(), QStringLiteral("Unknown"));
    for (const char* label : {"messge6Warninglabel", "Warninglabel_TH_on_position", "Warninglabel_TH_off_position"})
        QVERIFY(!Visible(label));
    // The constructor and the load leave the record at its defaults.
    StatusInputConfigurationModel defaults;
    QCOMPARE(Saved(*model->GetStatusInputConfiguration()), Saved(defaults));
    QVERIFY(!tab->IsEdited());
}

void TestStatusInputConfigurationTab::loadShowsTheRecordAndStoreGivesItBack_data()
{
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<Triple>("shown");
    QTest::addColumn<bool>("logicEnabled");

    QTest::newRow("defaults: none shows 1, 2, 3") << Fields() << Triple({1, 2, 3}) << false;
    QTest::newRow("transceiver 2, report off: on moves off the index")
        << Transceiver(2, 0, -1, -1) << Triple({2, 4, 3}) << false;
    QTest::newRow("sensor, report on 1 and 3: idle index moves to 2") << Sensor(1, 1, 3) << Triple({2, 1, 3}) << false;
    Fields all;
    all.light = all.racon = all.monitored = 1;
    all.bitSource = 2;
    all.onOffHigh = 0;
    all.raconHigh = 0;
    all.source = 1;
    all.index = 4;
    all.report = 1;
    all.on = 1;
    all.off = 2;
    all.format = 0;
    all.power = true;
    QTest::newRow("every field away from its default") << all << Triple({4, 1, 2}) << true;
    Fields bad = Transceiver(3, 1, 2, 4);
    bad.bitSource = 1;
    QTest::newRow("transceiver module source") << bad << Triple({3, 2, 4}) << true;
}

void TestStatusInputConfigurationTab::loadShowsTheRecordAndStoreGivesItBack()
{
    QFETCH(Fields, fields);
    QFETCH(Triple, shown);
    QFETCH(bool, logicEnabled);
    QSignalSpy edited(tab, &AtoNConfiguration::Edited);

    Model source;
    fields.WriteTo(*source.GetStatusInputConfiguration());
    QVERIFY(tab->UpdateTabFromModel(&source));
    QCOMPARE(Shown(), shown);
    QCOMPARE(W<QGroupBox>("statusBitLogicGroupBox")->isEnabled(), logicEnabled);
    QCOMPARE(W<QCheckBox>("lampFittedCheckBox")->isChecked(), fields.light == 1);
    QCOMPARE(W<QCheckBox>("checkBoxLightOnOfActiveHigh")->isChecked(), fields.onOffHigh == 1);
    QCOMPARE(W<QCheckBox>("checkBoxUserPower")->isChecked(), fields.power);
    QCOMPARE(W<QRadioButton>("radioButton_msg_6_GLA_standard")->isChecked(), fields.format == 0);
    QCOMPARE(OnBox()->isEnabled(), fields.report == 1);

    // The record is what was loaded, untouched by what the spin boxes show; a store copies all of it.
    QCOMPARE(Saved(*model->GetStatusInputConfiguration()), Saved(*source.GetStatusInputConfiguration()));
    Model target;
    QVERIFY(tab->UpdateModelFromTab(&target));
    QCOMPARE(Saved(*target.GetStatusInputConfiguration()), Saved(*source.GetStatusInputConfiguration()));
    QVERIFY(!tab->IsEdited());
    QCOMPARE(edited.size(), 0);
}

void TestStatusInputConfigurationTab::loadSetsTheMessage6GroupsFromTheSource()
{
    auto* indexGroup = W<QGroupBox>("groupBox_transciever_message_6_index");
    auto* formatGroup = W<QGroupBox>("groupBox_GLA_msg_6_type");
    // The user's last choice was the transceiver ...
    W<QRadioButton>("message6SourceTransceiverRadioButton")->setChecked(true);
    QVERIFY(indexGroup->isEnabled() && !formatGroup->isEnabled());
    // ... but what is loaded now is a sensor source, and the groups follow it.
    Load(Sensor(0, -1, -1));
    QVERIFY(!indexGroup->isEnabled() && !IndexBox()->isEnabled());
    QVERIFY(formatGroup->isEnabled());
    Load(Transceiver(2, 0, -1, -1));
    QVERIFY(indexGroup->isEnabled() && IndexBox()->isEnabled());
    QVERIFY(!formatGroup->isEnabled());
}

void TestStatusInputConfigurationTab::checkBoxesAndRadios_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<int>("field"); // position in the record's field order
    QTest::addColumn<int>("value");

    QTest::newRow("light fitted") << "lampFittedCheckBox" << 0 << 1;
    QTest::newRow("RACON fitted") << "RACONFittedCheckBox" << 1 << 1;
    QTest::newRow("RACON monitored") << "RACONMonitoredCheckBox" << 2 << 1;
    QTest::newRow("transceiver module") << "transceiverModuleRadioButton" << 3 << 1;
    QTest::newRow("sensor module") << "sensorModuleRadioButton" << 3 << 2;
    QTest::newRow("light on/off low") << "checkBoxLightOnOfActiveHigh" << 4 << 0;
    QTest::newRow("light health low") << "checkBoxLightHealthActiveHigh" << 5 << 0;
    QTest::newRow("RACON health low") << "checkBoxRaconHealthActiveHigh" << 6 << 0;
    QTest::newRow("A-126 format") << "radioButton_msg_6_GLA_standard" << 12 << 0;
    QTest::newRow("user power") << "checkBoxUserPower" << 13 << 1;
}

void TestStatusInputConfigurationTab::checkBoxesAndRadios()
{
    QFETCH(QString, widget);
    QFETCH(int, field);
    QFETCH(int, value);
    const auto* r = model->GetStatusInputConfiguration();
    auto read = [r, field]()
    {
        const int values[] = {
            r->GetLightFitted(),           r->GetRaconFitted(),          r->GetRaconMonitored(),
            r->GetStatusBitSource(),       r->GetLightOnOffActiveHigh(), r->GetLightHealthActiveHigh(),
            r->GetRaconHealthActiveHigh(), r->GetMessage6Source(),       r->GetMessage6Index(),
            r->GetPositionReportEnabled(), r->GetOnPositionIndex(),      r->GetOffPositionIndex(),
            r->GetMessage6Format(),        int(r->GetUserPower())};
        return values[field];
    };
    // The logic sense can only be set while a module supplies the status bits.
    if (field >= 4 && field <= 6)
        W<QRadioButton>("sensorModuleRadioButton")->click();
    QSignalSpy edited(tab, &AtoNConfiguration::Edited);
    auto* button = W<QAbstractButton>(qPrintable(widget));
    QVERIFY(button->isEnabled());
    button->click();
    QCOMPARE(read(), value);
    QVERIFY(tab->IsEdited());
    QCOMPARE(edited.size(), 1);
    QCOMPARE(edited.first().at(0).value<QWidget*>(), tab);
    if (field == 3)
        QVERIFY(W<QGroupBox>("statusBitLogicGroupBox")->isEnabled());
    // Clicking a checked radio button again changes nothing and says nothing.
    if (qobject_cast<QRadioButton*>(button))
    {
        button->click();
        QCOMPARE(edited.size(), 1);
    }
}

void TestStatusInputConfigurationTab::indexRules_data()
{
    QTest::addColumn<Fields>("start");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("value");
    QTest::addColumn<Triple>("shown");
    QTest::addColumn<Triple>("stored");
    QTest::addColumn<int>("report");

    QTest::newRow("index up onto on lands on 4")
        << Transceiver(1, 1, 2, 3) << "index" << 2 << Triple({4, 2, 3}) << Triple({4, 2, 3}) << 1;
    QTest::newRow("index down onto off lands on 1")
        << Transceiver(4, 1, 2, 3) << "index" << 3 << Triple({1, 2, 3}) << Triple({1, 2, 3}) << 1;
    QTest::newRow("on up onto off lands on 4")
        << Transceiver(1, 1, 2, 3) << "on" << 3 << Triple({1, 4, 3}) << Triple({1, 4, 3}) << 1;
    QTest::newRow("off down onto on wraps to 4")
        << Transceiver(1, 1, 2, 3) << "off" << 2 << Triple({1, 2, 4}) << Triple({1, 2, 4}) << 1;
    QTest::newRow("free index is taken as it is")
        << Transceiver(1, 1, 2, 3) << "on" << 4 << Triple({1, 4, 3}) << Triple({1, 4, 3}) << 1;
    QTest::newRow("sensor: on takes the idle index, which moves up")
        << Sensor(1, 2, 3) << "on" << 1 << Triple({2, 1, 3}) << Triple({2, 1, 3}) << 1;
    QTest::newRow("report off: index onto the idle on box moves it up")
        << Transceiver(1, 0, -1, -1) << "index" << 2 << Triple({2, 4, 3}) << Triple({2, 4, -1}) << 0;
    QTest::newRow("report off: index onto the idle off box moves it up")
        << Transceiver(1, 0, -1, -1) << "index" << 3 << Triple({3, 2, 4}) << Triple({3, -1, 4}) << 0;
}

void TestStatusInputConfigurationTab::indexRules()
{
    QFETCH(Fields, start);
    QFETCH(QString, box);
    QFETCH(int, value);
    QFETCH(Triple, shown);
    QFETCH(Triple, stored);
    QFETCH(int, report);
    Load(start);
    QSignalSpy edited(tab, &AtoNConfiguration::Edited);
    QSpinBox* spin = box == QLatin1String("index") ? IndexBox() : box == QLatin1String("on") ? OnBox() : OffBox();
    spin->setValue(value);
    QCOMPARE(Shown(), shown);
    QCOMPARE(Stored(), stored);
    QCOMPARE(model->GetStatusInputConfiguration()->GetPositionReportEnabled(), report);
    QVERIFY(tab->IsEdited());
    QVERIFY(!edited.isEmpty());
}

void TestStatusInputConfigurationTab::tickingTheReportWritesTheIndicesShown_data()
{
    QTest::addColumn<Fields>("start");
    QTest::addColumn<Triple>("stored");

    // The spin boxes already show these values, so no rule runs for them: the tick itself must store them.
    QTest::newRow("transceiver 2, none stored") << Transceiver(2, 0, -1, -1) << Triple({2, 4, 3});
    QTest::newRow("sensor, none stored") << Sensor(0, -1, -1) << Triple({-1, 2, 3});
    // A file may hold the same index twice while the report is off; ticking keeps them apart.
    QTest::newRow("equal indices from a file") << Sensor(0, 2, 2) << Triple({-1, 2, 3});
    // The load moved the on box off the transceiver index; the report goes with what is shown, not with 3.
    QTest::newRow("stored on equal to the transceiver index") << Transceiver(3, 0, 3, 1) << Triple({3, 4, 1});
}

void TestStatusInputConfigurationTab::tickingTheReportWritesTheIndicesShown()
{
    QFETCH(Fields, start);
    QFETCH(Triple, stored);
    Load(start);
    auto* report = W<QCheckBox>("checkBoxTH_enable_reporting");
    report->click();
    QCOMPARE(model->GetStatusInputConfiguration()->GetPositionReportEnabled(), 1);
    QCOMPARE(Stored(), stored);
    QCOMPARE(Triple({IndexBox()->value(), OnBox()->value(), OffBox()->value()}).mid(1), stored.mid(1));
    QVERIFY(OnBox()->isEnabled() && OffBox()->isEnabled());

    // Unticking forgets the indices but the boxes keep them; ticking again stores them again.
    report->click();
    QCOMPARE(Stored().mid(1), Triple({-1, -1}));
    QVERIFY(!OnBox()->isEnabled());
    report->click();
    QCOMPARE(Stored(), stored);
}

void TestStatusInputConfigurationTab::switchingTheMessage6Source()
{
    IndexBox()->setValue(3);
    QCOMPARE(model->GetStatusInputConfiguration()->GetMessage6Index(), 3);
    W<QRadioButton>("message6SourceTransceiverRadioButton")->click();
    QCOMPARE(model->GetStatusInputConfiguration()->GetMessage6Source(), 1);
    QCOMPARE(model->GetStatusInputConfiguration()->GetMessage6Index(), 3);
    QVERIFY(IndexBox()->isEnabled() && W<QGroupBox>("groupBox_transciever_message_6_index")->isEnabled());
    QVERIFY(!W<QGroupBox>("groupBox_GLA_msg_6_type")->isEnabled());
    W<QRadioButton>("message6SourceSensorRadioButton")->click();
    QCOMPARE(model->GetStatusInputConfiguration()->GetMessage6Source(), 0);
    QCOMPARE(model->GetStatusInputConfiguration()->GetMessage6Index(), -1);
    QCOMPARE(IndexBox()->value(), 3);
    QVERIFY(!IndexBox()->isEnabled());
    QVERIFY(W<QGroupBox>("groupBox_GLA_msg_6_type")->isEnabled());
}

void TestStatusInputConfigurationTab::warningsFollowTheSchedule()
{
    MessageSchedule* schedule = model->GetMessageSchedule();
    const int secondMessage6 = 1 * 100 + 6;
    // The transceiver builds message 6 index 2, which the schedule does not send yet.
    Load(Transceiver(2, 0, -1, -1));
    QVERIFY(!schedule->IsMessage6Enabled(2));
    QVERIFY(Visible("messge6Warninglabel"));
    // Position warnings stay hidden while the report is off, whatever the schedule.
    QVERIFY(!Visible("Warninglabel_TH_on_position") && !Visible("Warninglabel_TH_off_position"));

    QVERIFY(schedule->EnableByCode(secondMessage6));
    QVERIFY(Visible("messge6Warninglabel")); // nothing is re-checked until the schedule tab says so
    tab->On_messageScheduleChange();
    QVERIFY(!Visible("messge6Warninglabel"));

    // The report uses 4 and 3, neither of them scheduled.
    W<QCheckBox>("checkBoxTH_enable_reporting")->click();
    QCOMPARE(Shown(), Triple({2, 4, 3}));
    QVERIFY(Visible("Warninglabel_TH_on_position") && Visible("Warninglabel_TH_off_position"));
    // Scheduling the fourth message 6 clears the on-position warning only.
    QVERIFY(schedule->EnableByCode(3 * 100 + 6));
    tab->On_messageScheduleChange();
    QVERIFY(!Visible("Warninglabel_TH_on_position") && Visible("Warninglabel_TH_off_position"));
    // The scheduled index 2 is the transceiver's: moving the off position there lands on 1, unscheduled.
    OffBox()->setValue(2);
    QCOMPARE(OffBox()->value(), 1);
    QVERIFY(Visible("Warninglabel_TH_off_position"));

    // With the sensor source the transceiver index warning never shows.
    W<QRadioButton>("message6SourceSensorRadioButton")->click();
    QVERIFY(!Visible("messge6Warninglabel"));
    QVERIFY(!model->GetStatusInputConfiguration()->GetMessage6Source());
}

void TestStatusInputConfigurationTab::message21Display_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<QString>("light");
    QTest::addColumn<QString>("racon");
    QTest::newRow("0") << 0u << "No light or no monitoring"
                       << "No RACON installed";
    QTest::newRow("1") << 1u << "Light on"
                       << "RACON installed but not monitored";
    QTest::newRow("2") << 2u << "Light off"
                       << "RACON operational";
    QTest::newRow("3") << 3u << "Light fail or at reduced range"
                       << "RACON error";
}

void TestStatusInputConfigurationTab::message21Display()
{
    QFETCH(uint, code);
    QFETCH(QString, light);
    QFETCH(QString, racon);
    QSignalSpy edited(tab, &AtoNConfiguration::Edited);
    tab->On_Message21LightStatus_Received(code);
    tab->On_Message21RACONStatus_Received(code);
    tab->On_Message21HealthStatus_Received(1);
    QCOMPARE(W<QLabel>("lampStatusLabel")->text(), light);
    QCOMPARE(W<QLabel>("RACONStatusLabel")->text(), racon);
    // A code outside the two bits leaves what is shown.
    tab->On_Message21LightStatus_Received(4);
    tab->On_Message21RACONStatus_Received(7);
    QCOMPARE(W<QLabel>("lampStatusLabel")->text(), light);
    QCOMPARE(W<QLabel>("RACONStatusLabel")->text(), racon);
    QCOMPARE(edited.size(), 0);
}

void TestStatusInputConfigurationTab::inlandMode()
{
    W<QRadioButton>("sensorModuleRadioButton")->click();
    tab->ClearEdited();
    tab->On_Message21LightStatus_Received(1);
    tab->OnUpdateInlandMode(true);
    for (const char* b : {"ACESentenceRadioButton", "transceiverModuleRadioButton", "sensorModuleRadioButton"})
        QVERIFY(!W<QRadioButton>(b)->isEnabled());
    QCOMPARE(W<QLabel>("lampStatusLabel")->text(), QStringLiteral("Unknown"));
    QCOMPARE(W<QLabel>("RACONStatusLabel")->text(), QStringLiteral("Unknown"));
    QCOMPARE(model->GetStatusInputConfiguration()->GetStatusBitSource(), 2);
    QVERIFY(W<QRadioButton>("sensorModuleRadioButton")->isChecked());

    tab->On_Message21LightStatus_Received(2);
    tab->OnUpdateInlandMode(false);
    QVERIFY(W<QRadioButton>("ACESentenceRadioButton")->isEnabled());
    QCOMPARE(W<QLabel>("lampStatusLabel")->text(), QStringLiteral("Light off"));
    QVERIFY(!tab->IsEdited());
}

KELVANE_TEST_GUI_MAIN(TestStatusInputConfigurationTab)
#include "tst_StatusInputConfigurationTab.moc"
