// The System Information tab: its summary of the sensor records, the two shell sentences it sends, how it
// sorts the unit's console lines into its two boxes, and the bound on what those boxes keep.

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest/QtTest>

#include "model/ADCSettingsModel.h"
#include "model/MessageSettingsModel.h"
#include "model/Model.h"
#include "model/SensorSettingsModel.h"
#include "support/GuiTestMain.h"
#include "ui/monitor/SystemInformationTab.h"

class TestSystemInformationTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void labels_data();
    void labels();
    void sentences();
    void receivedLines_data();
    void receivedLines();
    void loadTakesTheSourceRecords();
    void captureBoxesAreBounded();

private:
    QString Text(const char* name) const { return tab->findChild<QLabel*>(QLatin1String(name))->text(); }
    QTextEdit* Box(const char* name) const { return tab->findChild<QTextEdit*>(QLatin1String(name)); }

    Model* model = nullptr;
    SystemInformationTab* tab = nullptr;
};

void TestSystemInformationTab::init()
{
    model = new Model();
    tab = new SystemInformationTab(model);
}

void TestSystemInformationTab::cleanup()
{
    delete tab;
    delete model;
}

void TestSystemInformationTab::labels_data()
{
    // Message settings: format, FI, DAC, sub id, threshold, voltage source, supply type, inversion map,
    // message 8 format; ADC: sensing, threshold, source, light source.
    QTest::addColumn<QVariantList>("message");
    QTest::addColumn<QVariantList>("adc");
    QTest::addColumn<QVariantMap>("expected");

    QTest::newRow("GLA format") << QVariantList{1, 33, 999, 4, 12.5, 2, 0, 5, 0} << QVariantList{true, 150, 0, 1}
                                << QVariantMap{{"message6VersionLabel", "GLA Format"},
                                               {"message6DACLabel", "235"},
                                               {"message6FILabel", "10"},
                                               {"message6SubApplicationIDLabel", "NA"},
                                               {"message6PowerSupplyTypeLabel", "NA"},
                                               {"message6BatteryHealthThresholdLabel", "NA"},
                                               {"message6VoltageSourceLabel", "NA"},
                                               {"msg_6_ext_status_bit_inversion_map", "5"},
                                               {"message8VersionLabel", "FI31"},
                                               {"ISENSEEnabledLabel", "Enabled"},
                                               {"ISENSEThresholdLabel", "150"},
                                               {"ISENSESourceLabel", "Internal ISENSE Loop"},
                                               {"lightStatusBitSourceLabel", "DI"}};
    QTest::newRow("Zeni Lite format") << QVariantList{2, 33, 999, 4, 100.0, 2, 7, 5, 1} << QVariantList{false, 0, 1, 0}
                                      << QVariantMap{{"message6VersionLabel", "Zeni Lite Format"},
                                                     {"message6DACLabel", "999"},
                                                     {"message6FILabel", "33"},
                                                     {"message6SubApplicationIDLabel", "4"},
                                                     {"message6PowerSupplyTypeLabel", "DC"},
                                                     {"message6BatteryHealthThresholdLabel", "100"},
                                                     {"message6VoltageSourceLabel", "External Isolated"},
                                                     {"msg_6_ext_status_bit_inversion_map", "NA"},
                                                     {"message8VersionLabel", "FI11"},
                                                     {"ISENSEEnabledLabel", "Disabled"},
                                                     {"ISENSEThresholdLabel", "0"},
                                                     {"ISENSESourceLabel", "External"},
                                                     {"lightStatusBitSourceLabel", "Current Sense"}};
    QTest::newRow("Zeni Lite, AC, internal")
        << QVariantList{2, 0, 0, 1, 12.5, 1, 0, 0, 2} << QVariantList{false, 100, 7, 3}
        << QVariantMap{{"message6PowerSupplyTypeLabel", "AC"},
                       {"message6BatteryHealthThresholdLabel", "12.5"},
                       {"message6VoltageSourceLabel", "Internal Voltage"},
                       {"message8VersionLabel", "FI31"},
                       {"ISENSESourceLabel", "External"},
                       {"lightStatusBitSourceLabel", "Current Sense"}};
}

void TestSystemInformationTab::labels()
{
    QFETCH(QVariantList, message);
    QFETCH(QVariantList, adc);
    QFETCH(QVariantMap, expected);
    // Every value says "N/A" until the tab is loaded.
    QCOMPARE(Text("message6DACLabel"), QStringLiteral("N/A"));
    QCOMPARE(Text("softwareVersionLabel"), QStringLiteral("N/A"));

    MessageSettingsModel* m = model->GetMessageSettings();
    m->SetMessage6Format(message.at(0).toInt());
    m->SetMessage6FI(message.at(1).toInt());
    m->SetMessage6DAC(message.at(2).toInt());
    m->SetMessage6SubId(message.at(3).toInt());
    m->SetBatteryVoltageThreshold(message.at(4).toDouble());
    m->SetVoltageSource(message.at(5).toInt());
    m->SetPowerSupplyType(message.at(6).toInt());
    m->SetStatusBitInversionMask(message.at(7).toInt());
    m->SetMessage8Format(message.at(8).toInt());
    ADCSettingsModel* a = model->GetADCSettings();
    a->SetCurrentSensingEnabled(adc.at(0).toBool());
    a->SetCurrentSenseThreshold(adc.at(1).toInt());
    a->SetCurrentSenseSource(adc.at(2).toInt());
    a->SetLightOnSource(adc.at(3).toInt());
    SensorSettingsModel* s = model->GetSensorSettings();
    s->SetSurfaceCell(4);
    s->SetLevel2Cell(5);
    s->SetLevel3Cell(6);
    s->SetDatumOffset(-12);

    QVERIFY(tab->UpdateTabFromModel());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(Text(it.key().toLatin1().constData()) + QLatin1Char(' ') + it.key(),
                 it.value().toString() + QLatin1Char(' ') + it.key());
    // The scalings are the record's defaults.
    QCOMPARE(Text("ISENSEScaleLabel"), QStringLiteral("Dividend: 5000, Divisor: 4095, K Factor: 0, Offset: 12"));
    QCOMPARE(Text("alternativeISENSEScaleLabel"), QStringLiteral("Dividend: 1, Divisor: 42, K Factor: 0, Offset: 0"));
    QCOMPARE(Text("internalVoltageScaleLabel"), QStringLiteral("Dividend: 180, Divisor: 823, K Factor: 0, Offset: 0"));
    QCOMPARE(Text("externalVoltageScaleLabel"), QStringLiteral("Dividend: 1, Divisor: 42, K Factor: 0, Offset: 0"));
    QCOMPARE(Text("chartDatumLabel"), QStringLiteral("-12"));
    QCOMPARE(Text("aquadoppCellUsedForSufaceLabel"), QStringLiteral("4"));
    QCOMPARE(Text("aquadoppCellUsedForLevel2Label"), QStringLiteral("5"));
    QCOMPARE(Text("aquadoppCellUsedForLevel3Label"), QStringLiteral("6"));
    // The load leaves the unit's version and serial number alone.
    QCOMPARE(Text("softwareVersionLabel"), QStringLiteral("N/A"));
}

void TestSystemInformationTab::sentences()
{
    // The checksums are worked out here by hand from the sentence bodies.
    const QString inputs = QStringLiteral("$PKVX,0,0,0x5E1D0A47,1,getdistates,97*6A\n");
    const QString health = QStringLiteral("$PKVX,0,0,0x5E1D0A47,1,sensorhealth,96*1E\n");
    QSignalSpy sent(tab, &SystemInformationTab::Send);
    QSignalSpy serials(tab, &SystemInformationTab::SerialNumbers);
    tab->OnTabSelected();
    tab->OnReceived(QStringLiteral("DIG_IO1 1\n"));
    tab->OnReceived(QStringLiteral("Sensor 1 OK\n"));
    QVERIFY(!Box("diStateTextEdit")->toPlainText().isEmpty());

    QVERIFY(tab->UpdateTabFromModel());
    QCOMPARE(sent.size(), 2);
    QCOMPARE(sent.at(0).at(0).toString(), inputs);
    QCOMPARE(sent.at(1).at(0).toString(), health);
    QCOMPARE(serials.size(), 1);
    QVERIFY(Box("diStateTextEdit")->toPlainText().isEmpty());
    QVERIFY(tab->IsCapturingSensorHealth());

    sent.clear();
    tab->OnReceived(QStringLiteral("Return: 0\n"));
    QVERIFY(!tab->IsCapturingSensorHealth());
    tab->OnReceived(QStringLiteral("DIG_IO1 1\n"));
    tab->findChild<QPushButton*>(QStringLiteral("refreshDIStatesPushButton"))->click();
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent.at(0).at(0).toString(), inputs);
    QVERIFY(Box("diStateTextEdit")->toPlainText().isEmpty());
    QVERIFY(!tab->IsCapturingSensorHealth());
    tab->findChild<QPushButton*>(QStringLiteral("refreshSensorHealthPushButton"))->click();
    QCOMPARE(sent.size(), 2);
    QCOMPARE(sent.at(1).at(0).toString(), health);
    QVERIFY(tab->IsCapturingSensorHealth());
    QCOMPARE(serials.size(), 1);
}

void TestSystemInformationTab::receivedLines_data()
{
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<QString>("health");
    QTest::addColumn<bool>("capturing");

    QTest::newRow("input line, kept whole")
        << true << QStringList{"DIG_IO1 1\n", "DIG_IO2 0\n"} << "DIG_IO1 1\nDIG_IO2 0\n"
        << "" << true;
    QTest::newRow("health lines trimmed")
        << true << QStringList{"  Sensor 2 OK  \n", "Option 3\n", "Status: bad\n"} << ""
        << "Sensor 2 OK\nOption 3\n"
        << true;
    QTest::newRow("two blanks: not an input line") << true << QStringList{"DIG_IO1  OK\n"} << ""
                                                   << "DIG_IO1  OK\n"
                                                   << true;
    QTest::newRow("Return: ends the capture")
        << true << QStringList{"Sensor 1 OK\n", "Return: 0 OK\n", "Sensor 2 OK\n"} << ""
        << "Sensor 1 OK\n"
        << false;
    QTest::newRow("not selected: nothing") << false << QStringList{"DIG_IO1 1\n", "Sensor 1 OK\n", "Return: 0\n"} << ""
                                           << "" << true;
    QTest::newRow("case counts") << true << QStringList{"dig_io1 1\n", "Sensor 1 ok\n", "return: 0\n"} << ""
                                 << "" << true;
}

void TestSystemInformationTab::receivedLines()
{
    QFETCH(bool, selected);
    QFETCH(QStringList, lines);
    QFETCH(QString, inputs);
    QFETCH(QString, health);
    QFETCH(bool, capturing);
    QVERIFY(tab->UpdateTabFromModel());
    if (selected)
        tab->OnTabSelected();
    for (const QString& line : lines)
        tab->OnReceived(line);
    QCOMPARE(Box("diStateTextEdit")->toPlainText(), inputs);
    QCOMPARE(Box("sensorHealthTextEdit")->toPlainText(), health);
    QCOMPARE(tab->IsCapturingSensorHealth(), capturing);
    tab->OnTabDeselected();
    QVERIFY(!tab->IsActive());
}

void TestSystemInformationTab::loadTakesTheSourceRecords()
{
    Model source;
    source.GetSensorSettings()->SetDatumOffset(42);
    source.GetADCSettings()->SetCurrentSenseThreshold(77);
    source.GetMessageSettings()->SetMessage6Format(2);
    source.GetMessageSettings()->SetMessage6DAC(1);
    QVERIFY(tab->UpdateTabFromModel(&source));
    QCOMPARE(model->GetSensorSettings()->GetDatumOffset(), 42);
    QCOMPARE(model->GetADCSettings()->GetCurrentSenseThreshold(), 77);
    QCOMPARE(model->GetMessageSettings()->GetMessage6DAC(), 1);
    QCOMPARE(Text("chartDatumLabel"), QStringLiteral("42"));
    QCOMPARE(Text("ISENSEThresholdLabel"), QStringLiteral("77"));

    Model target;
    QVERIFY(tab->UpdateModelFromTab(&target));
    QVERIFY(tab->UpdateModelFromTab());
    QCOMPARE(target.GetSensorSettings()->GetDatumOffset(), 0);
    QCOMPARE(model->GetSensorSettings()->GetDatumOffset(), 42);

    tab->OnVersion(QStringLiteral("KVX-S1 V1.2"));
    tab->OnPCASerialNumber(QStringLiteral("PCA-77120"));
    tab->OnProductSerialNumber(QStringLiteral("P999"));
    QCOMPARE(Text("softwareVersionLabel"), QStringLiteral("KVX-S1 V1.2"));
    QCOMPARE(Text("serialNumberLabel"), QStringLiteral("PCA-77120"));
}

void TestSystemInformationTab::captureBoxesAreBounded()
{
    // A unit that never sends "Return:" keeps the capture open for the whole session.
    tab->OnTabSelected();
    QVERIFY(tab->UpdateTabFromModel());
    const QString filler = QString(9997, QLatin1Char('x'));
    const int lines = (SystemInformationTab::MaxCaptureCharacters / 10000) * 3 / 2;
    for (int i = 0; i < lines; ++i)
        tab->OnReceived(QStringLiteral("OK ") + filler + QStringLiteral("%1\n").arg(i, 6, 10, QLatin1Char('0')));
    const QString kept = Box("sensorHealthTextEdit")->toPlainText();
    QVERIFY2(kept.size() <= SystemInformationTab::MaxCaptureCharacters, qPrintable(QString::number(kept.size())));
    QVERIFY(kept.size() >= SystemInformationTab::MaxCaptureCharacters - SystemInformationTab::TrimCharacters - 10010);
    // The newest line is whole at the end; the oldest are gone.
    QVERIFY(kept.endsWith(filler + QStringLiteral("%1\n").arg(lines - 1, 6, 10, QLatin1Char('0'))));
    QVERIFY(!kept.contains(filler + QStringLiteral("000000")));
}

KELVANE_TEST_GUI_MAIN(TestSystemInformationTab)
#include "tst_SystemInformationTab.moc"
