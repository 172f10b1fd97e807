// The Sensor Settings tab: the layout and wave meter answer of each configuration code, a unit after
// another (98 then 1, 99 then 2), a fixed configuration sent back as such, load and store of every field,
// the user's option changes; and the exact command lines the three sensor tabs' values become.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>

#include "comms/JobTable.h"
#include "comms/NmeaShellCommand.h"
#include "comms/TransportJob.h"
#include "model/Model.h"
#include "model/Names.h"
#include "support/GuiTestMain.h"
#include "support/WidgetTestTools.h"
#include "ui/settings/ADCSettingsTab.h"
#include "ui/settings/MessageSettingsTab.h"
#include "ui/settings/SensorSettingsTab.h"

namespace
{
using KelvaneTest::Child;

QRadioButton* Option(QWidget& tab, int option)
{
    return Child<QRadioButton>(tab, QStringLiteral("sensorConfigurationOption%1RadioButton").arg(option));
}

// '1' for each of these shown (not hidden by the tab), '0' for hidden.
const char* const LayoutWidgets[] = {"groupBox_sensor",         "groupBox_airmar",   "groupBox_airmar_config",
                                     "groupBox_water_level",    "label_instruction", "label_fixed_configuration",
                                     "groupBoxGeneralControls", "groupBoxRS422"};

QString Layout(QWidget& tab)
{
    QString shown;
    for (const char* name : LayoutWidgets)
        shown += Child<QWidget>(tab, QLatin1String(name))->isHidden() ? QLatin1Char('0') : QLatin1Char('1');
    return shown;
}

// '1' for each of the Aquadopp, water level and Airmar port groups enabled.
QString EnabledGroups(QWidget& tab)
{
    QString enabled;
    for (const char* name : {"groupBox_airmar_config", "groupBox_water_level", "groupBox_airmar"})
        enabled += Child<QWidget>(tab, QLatin1String(name))->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return enabled;
}

int CheckedOption(QWidget& tab)
{
    for (int option = 0; option <= 4; ++option)
        if (Option(tab, option)->isChecked())
            return option;
    return -1;
}

} // namespace

class TestSensorSettingsTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newTabShowsOnlyTheInstruction()
    {
        Model model;
        SensorSettingsTab tab(&model);
        QCOMPARE(Layout(tab), QStringLiteral("00001000"));
        QCOMPARE(CheckedOption(tab), 0);
        QVERIFY(Child<QRadioButton>(tab, QStringLiteral("rs232RadioButton"))->isChecked());
        // The constructor leaves the record alone.
        QCOMPARE(model.GetSensorSettings()->GetConfigurationCode(), 99);
    }

    void layoutOfEachCode_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("checked");
        QTest::addColumn<QString>("enabled"); // Aquadopp, water level, Airmar port
        QTest::addColumn<bool>("waveMeter");
        QTest::addColumn<int>("storedCode");
        QTest::newRow("option 0") << 0 << "11110010" << 0 << "011" << false << 0;
        QTest::newRow("option 1") << 1 << "11110010" << 1 << "000" << true << 1;
        QTest::newRow("option 2") << 2 << "11110010" << 2 << "100" << true << 2;
        QTest::newRow("option 3") << 3 << "11110010" << 3 << "100" << true << 3;
        QTest::newRow("option 4") << 4 << "11110010" << 4 << "000" << true << 4;
        // A code no option stands for goes back to the unit as it came.
        QTest::newRow("unknown code") << 57 << "11110010" << 0 << "011" << false << 57;
        QTest::newRow("option 0 only") << 98 << "11010010" << 0 << "011" << false << 98;
        QTest::newRow("fixed configuration") << 99 << "00000111" << 0 << "011" << false << 99;
    }

    void layoutOfEachCode()
    {
        QFETCH(int, code);
        QFETCH(QString, layout);
        QFETCH(int, checked);
        QFETCH(QString, enabled);
        QFETCH(bool, waveMeter);
        QFETCH(int, storedCode);
        Model own;
        Model source;
        source.GetSensorSettings()->SetConfigurationCode(code);
        SensorSettingsTab tab(&own);
        QSignalSpy wave(&tab, &SensorSettingsTab::EnableWaveMeterDataControls);
        QVERIFY(tab.UpdateTabFromModel(&source));
        QCOMPARE(Layout(tab), layout);
        QCOMPARE(CheckedOption(tab), checked);
        QCOMPARE(EnabledGroups(tab), enabled);
        QVERIFY(!wave.isEmpty());
        QCOMPARE(wave.last().at(0).toBool(), waveMeter);
        // Only option 0's row is left for a unit offering nothing else.
        for (int option = 1; option <= 4; ++option)
            QCOMPARE(Option(tab, option)->isHidden(), code == 98);
        QCOMPARE(Child<QLabel>(tab, QStringLiteral("row3Col2Label"))->isHidden(), code == 98);
        // Any later change stores the whole tab, the configuration code included.
        Child<QCheckBox>(tab, QStringLiteral("checkBoxRelay2"))->setChecked(true);
        QCOMPARE(own.GetSensorSettings()->GetConfigurationCode(), storedCode);
        QVERIFY(own.GetSensorSettings()->GetRelay2());
    }

    // One tab sees one unit after another: each load starts from the tab's first layout.
    void unitAfterUnit_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("storedCode");
        QTest::newRow("98 then 1") << 98 << 1 << "11110010" << 1;
        QTest::newRow("98 then 0") << 98 << 0 << "11110010" << 0;
        QTest::newRow("2 then 99") << 2 << 99 << "00000111" << 99;
        QTest::newRow("99 then 3") << 99 << 3 << "11110010" << 3;
    }

    void unitAfterUnit()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(QString, layout);
        QFETCH(int, storedCode);
        Model own;
        Model source;
        SensorSettingsTab tab(&own);
        source.GetSensorSettings()->SetConfigurationCode(first);
        tab.UpdateTabFromModel(&source);
        source.GetSensorSettings()->SetConfigurationCode(second);
        tab.UpdateTabFromModel(&source);
        QCOMPARE(Layout(tab), layout);
        QVERIFY(!Option(tab, 3)->isHidden());
        if (second >= 0 && second <= 4)
            QCOMPARE(CheckedOption(tab), second);
        Child<QSpinBox>(tab, QStringLiteral("datumOffsetSpinBox"))->setValue(-40);
        QCOMPARE(own.GetSensorSettings()->GetConfigurationCode(), storedCode);
        QCOMPARE(own.GetSensorSettings()->GetDatumOffset(), -40);
    }

    void loadThenStore_data()
    {
        QTest::addColumn<QList<int>>("loaded"); // code, cells 1-3, datum, port, RS422, relay 1, relay 2
        QTest::addColumn<QList<int>>("stored"); // the same, then the Airmar-on-RS422 flag
        QTest::newRow("option 2") << QList<int>{2, 4, 5, 6, -150, 1, 1, 1, 0}
                                  << QList<int>{2, 4, 5, 6, -150, 1, 1, 1, 0, 1};
        QTest::newRow("option 0") << QList<int>{0, 0, 500, 0, 2000, 0, 0, 0, 1}
                                  << QList<int>{0, 0, 500, 0, 2000, 0, 0, 0, 1, 0};
        // Values the widgets cannot show go back as the unit had them; an Airmar on RS422 with RS422 off
        // does not switch RS422 on.
        QTest::newRow("beyond the widgets")
            << QList<int>{3, 600, -1, 7, 2500, 5, 0, 1, 1} << QList<int>{3, 600, -1, 7, 2500, 5, 0, 1, 1, 0};
        QTest::newRow("Airmar on RS422, RS422 off")
            << QList<int>{0, 0, 0, 0, 0, 1, 0, 0, 0} << QList<int>{0, 0, 0, 0, 0, 1, 0, 0, 0, 0};
    }

    void loadThenStore()
    {
        QFETCH(QList<int>, loaded);
        QFETCH(QList<int>, stored);
        Model own;
        Model source;
        Model target;
        SensorSettingsModel* in = source.GetSensorSettings();
        in->SetConfigurationCode(loaded[0]);
        in->SetSurfaceCell(loaded[1]);
        in->SetLevel2Cell(loaded[2]);
        in->SetLevel3Cell(loaded[3]);
        in->SetDatumOffset(loaded[4]);
        in->SetAirmarPort(loaded[5]);
        in->SetRS422Enabled(loaded[6]);
        in->SetRelay1(loaded[7]);
        in->SetRelay2(loaded[8]);
        SensorSettingsTab tab(&own);
        tab.UpdateTabFromModel(&source);
        QVERIFY(tab.UpdateModelFromTab(&target));
        const SensorSettingsModel* out = target.GetSensorSettings();
        const QList<int> actual{out->GetConfigurationCode(), out->GetSurfaceCell(), out->GetLevel2Cell(),
                                out->GetLevel3Cell(),        out->GetDatumOffset(), out->GetAirmarPort(),
                                out->GetRS422Enabled(),      out->GetRelay1(),      out->GetRelay2(),
                                out->GetAirmarOnRS422()};
        QCOMPARE(actual, stored);
    }

    void userChangesOfOption()
    {
        Model own;
        Model source;
        source.GetSensorSettings()->SetConfigurationCode(3);
        SensorSettingsTab tab(&own);
        tab.UpdateTabFromModel(&source);
        QSignalSpy wave(&tab, &SensorSettingsTab::EnableWaveMeterDataControls);
        Option(tab, 1)->click();
        QCOMPARE(own.GetSensorSettings()->GetConfigurationCode(), 1);
        QCOMPARE(wave.last().at(0).toBool(), true);
        Option(tab, 0)->click();
        QCOMPARE(own.GetSensorSettings()->GetConfigurationCode(), 0);
        QCOMPARE(wave.last().at(0).toBool(), false);
        // Moving the Airmar to RS422 switches RS422 on with it.
        Child<QRadioButton>(tab, QStringLiteral("rs422RadioButton"))->click();
        QCOMPARE(own.GetSensorSettings()->GetAirmarPort(), 1);
        QVERIFY(own.GetSensorSettings()->GetAirmarOnRS422());
        // No edited mark: the sensor set is always sent whole.
        QVERIFY(!tab.IsEdited());
    }

    // The three sensor tabs' values, as the command job puts them on the wire.
    void commandLinesOfTheSensorSet()
    {
        Model own;
        Model source;
        SensorSettingsModel* sensor = source.GetSensorSettings();
        sensor->SetConfigurationCode(2);
        sensor->SetSurfaceCell(3);
        sensor->SetLevel2Cell(12);
        sensor->SetLevel3Cell(25);
        sensor->SetDatumOffset(-35);
        sensor->SetAirmarPort(1);
        sensor->SetRelay1(true);
        MessageSettingsModel* message = source.GetMessageSettings();
        message->SetMessage6Format(2);
        message->SetMessage6FI(21);
        message->SetMessage6DAC(235);
        message->SetMessage6SubId(4);
        // Shown, stored and sent to a tenth: 11.87 V goes as 119.
        message->SetBatteryVoltageThreshold(11.87);
        message->SetVoltageSource(2);
        message->SetPowerSupplyType(0);
        message->SetStatusBitInversionMask(0x85);
        message->SetMessage8Format(1);
        ADCSettingsModel* adc = source.GetADCSettings();
        adc->SetCurrentSensingEnabled(true);
        adc->SetCurrentSenseThreshold(400);
        adc->SetCurrentSenseSource(1);
        adc->SetLightOnSource(0);
        adc->SetInternalCurrentDividend(4800);
        adc->SetExternalVoltageDivisor(40);
        adc->SetCurrentUnit(10);
        adc->SetVoltageUnit(0.5);

        SensorSettingsTab sensorTab(&own);
        ADCSettingsTab adcTab(&own);
        MessageSettingsTab messageTab(&own);
        sensorTab.UpdateTabFromModel(&source);
        adcTab.UpdateTabFromModel(&source);
        messageTab.UpdateTabFromModel(&source);
        Model transport;
        sensorTab.UpdateModelFromTab(&transport);
        adcTab.UpdateModelFromTab(&transport);
        messageTab.UpdateModelFromTab(&transport);

        // The Airmar is on RS422 with RS422 off, and RS422 stays off.
        const QStringList commands = {QStringLiteral("enablers422 0"),
                                      QStringLiteral("configairmarport 1"),
                                      QStringLiteral("setrelay 1^2C1"),
                                      QStringLiteral("setrelay 2^2C0"),
                                      QStringLiteral("msg6ver 2"),
                                      QStringLiteral("pwrtype 0"),
                                      QStringLiteral("voltthresh 119"),
                                      QStringLiteral("voltthreshunit 5"),
                                      QStringLiteral("voltsource 2"),
                                      QStringLiteral("msg6subid 4"),
                                      QStringLiteral("msg6dac 235"),
                                      QStringLiteral("msg6fi 21"),
                                      QStringLiteral("bitinv 133"),
                                      QStringLiteral("msg8ver 1"),
                                      QStringLiteral("datum -35"),
                                      QStringLiteral("cellstouse 3^2C12^2C25"),
                                      QStringLiteral("enableisense 1"),
                                      QStringLiteral("altisource 1"),
                                      QStringLiteral("isensethresh 400"),
                                      QStringLiteral("isensethreshunit 10"),
                                      QStringLiteral("lightonsource 0"),
                                      QStringLiteral("setisensescale 4800^2C4095^2C0^2C12"),
                                      QStringLiteral("setaltisensescale 1^2C42^2C0^2C0"),
                                      QStringLiteral("setvoltscale 180^2C823^2C0^2C0"),
                                      QStringLiteral("setaltvoltscale 1^2C40^2C0^2C0"),
                                      QStringLiteral("option 2")};
        // Checksums worked out apart from the code under test.
        const QStringList checksums = {"3A", "19", "12", "11", "26", "66", "10", "1B", "18", "25", "20", "7F", "00",
                                       "2F", "7B", "02", "0C", "06", "16", "24", "6E", "38", "42", "0B", "40", "08"};
        JobTable table(&transport);
        const auto job = table.Find(Names::SensorConfigurationCommand);
        QCOMPARE(job->steps.size(), commands.size());
        for (int i = 0; i < commands.size(); ++i)
        {
            const QString body = QStringLiteral("$PKVX,0,0,0x5E1D0A47,1,%1,%2").arg(commands.at(i)).arg(50 + i);
            QCOMPARE(job->steps.at(i).command->BuildSentence(),
                     body + QLatin1Char('*') + checksums.at(i) + QStringLiteral("\r\n"));
        }
    }
};

KELVANE_TEST_GUI_MAIN(TestSensorSettingsTab)
#include "tst_SensorSettingsTab.moc"
