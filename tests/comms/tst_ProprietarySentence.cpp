#include "comms/ProprietarySentence.h"
#include "model/Model.h"
#include "support/TestMain.h"

#include <QSignalSpy>

namespace
{
NmeaSentence Reply(const QString& body)
{
    return NmeaSentence(NmeaSentence::Frame(body));
}
} // namespace

class TestProprietarySentence : public QObject
{
    Q_OBJECT

private slots:
    void init() { model = std::make_unique<Model>(); }

    void queries()
    {
        AtoNSentencePKVX sensor(model->GetRealAtoN(), model.get(), AtoNSentencePKVX::SensorConfigurationQuery);
        AtoNSentencePKVX fault(model->GetRealAtoN(), model.get(), AtoNSentencePKVX::FaultLog);
        AtoNSentencePKVX proximity(model->GetRealAtoN(), model.get(), AtoNSentencePKVX::ProximityAlertLog);
        AtoNSentencePKVX other(model->GetRealAtoN(), model.get(), 3);
        QCOMPARE(sensor.Encode(0, nullptr), QStringLiteral("$PKVX,1,SDQ*62\r\n"));
        QCOMPARE(fault.Encode(0, nullptr), QStringLiteral("$PKVX,7,Q,0*6F\r\n"));
        QCOMPARE(proximity.Encode(0, nullptr), NmeaSentence::Frame("$PKVX,8,Q,0"));
        QCOMPARE(other.Encode(0, nullptr), NmeaSentence::Frame("$PKVX,"));
    }

    void faultLogLines()
    {
        AtoNSentencePKVX fault(model->GetRealAtoN(), model.get(), AtoNSentencePKVX::FaultLog);
        QSignalSpy lines(&fault, &AtoNSentencePKVX::FaultLogMessage);
        QSignalSpy complete(&fault, &AtoNSentencePKVX::FaultLogRequestComplete);
        QSignalSpy proximity(&fault, &AtoNSentencePKVX::ProximityAlertLogMessage);

        QCOMPARE(fault.Decode(Reply("$PKVX,7,R,0,3,5,010126,120000,LAMP FAIL^2C CHECK")), 0);
        QCOMPARE(lines.count(), 1);
        QCOMPARE(complete.count(), 0);
        QCOMPARE(lines.at(0), (QVariantList{3, 5, "010126", "120000", "LAMP FAIL, CHECK"}));

        QCOMPARE(fault.Decode(Reply("$PKVX,7,R,0,5,5,020126,130000,LOW VOLTAGE")), 0);
        QCOMPARE(lines.count(), 2);
        QCOMPARE(complete.count(), 1);

        QCOMPARE(fault.Decode(Reply("$PKVX,7,C,0,4,5,020126,130000,LOW VOLTAGE")), -1);
        QCOMPARE(lines.count(), 2);
        QCOMPARE(complete.count(), 2);

        QCOMPARE(fault.Decode(Reply("$PKVX,7,R,0,4,5,020126,130000")), -1);
        QCOMPARE(complete.count(), 3);
        QCOMPARE(proximity.count(), 0);
    }

    void proximityLogLines()
    {
        AtoNSentencePKVX log(model->GetRealAtoN(), model.get(), AtoNSentencePKVX::ProximityAlertLog);
        QSignalSpy lines(&log, &AtoNSentencePKVX::ProximityAlertLogMessage);
        QSignalSpy complete(&log, &AtoNSentencePKVX::ProximityAlertLogRequestComplete);
        QCOMPARE(log.Decode(Reply("$PKVX,8,R,0,1,1,030126,140000,VESSEL 235000099")), 0);
        QCOMPARE(lines.count(), 1);
        QCOMPARE(complete.count(), 1);
    }

    void headers()
    {
        AtoNSentencePKVX log(model->GetRealAtoN(), model.get(), AtoNSentencePKVX::FaultLog);
        QCOMPARE(log.Decode(Reply("$PABC,7,R,0,1,1,030126,140000,X")), -3);
        QCOMPARE(log.Decode(NmeaSentence(QStringLiteral("$PKVX,7,R,0,1,1,030126,140000,X*00"))), -3); // no formatter
        QCOMPARE(log.Decode(Reply("$PKVX,")), 0);
        QCOMPARE(log.Decode(Reply("$PKVX,99,R")), -1);
        QCOMPARE(log.Decode(Reply("$PKVX,abc,R")), -1);
    }

    void sensorRecords()
    {
        AtoNSentencePKVX query(model->GetRealAtoN(), model.get(), AtoNSentencePKVX::SensorConfigurationQuery);

        QCOMPARE(query.Decode(Reply("$PKVX,10,R,3,1,2,3,-40,1,1,1,0")), 0);
        const SensorSettingsModel* sensor = model->GetSensorSettings();
        QCOMPARE(sensor->GetConfigurationCode(), 3);
        QCOMPARE(sensor->GetSurfaceCell(), 1);
        QCOMPARE(sensor->GetLevel2Cell(), 2);
        QCOMPARE(sensor->GetLevel3Cell(), 3);
        QCOMPARE(sensor->GetDatumOffset(), -40);
        QCOMPARE(sensor->GetAirmarPort(), 1);
        QVERIFY(sensor->GetAirmarOnRS422());
        QVERIFY(sensor->GetRS422Enabled());
        QVERIFY(sensor->GetRelay1());
        QVERIFY(!sensor->GetRelay2());
        QCOMPARE(query.Decode(Reply("$PKVX,10,R,3,1,2,3,-40,1,0,0,1")), 0);
        QCOMPARE(sensor->GetAirmarPort(), 0);
        QVERIFY(!sensor->GetAirmarOnRS422());
        QVERIFY(sensor->GetRS422Enabled());
        // An Airmar on RS422 with the port switched off keeps its port; the flag that switches RS422 on for
        // the Airmar stays clear, so that sending the record back leaves RS422 off.
        QCOMPARE(query.Decode(Reply("$PKVX,10,R,3,1,2,3,-40,0,1,0,1")), 0);
        QCOMPARE(sensor->GetAirmarPort(), 1);
        QVERIFY(!sensor->GetAirmarOnRS422());
        QVERIFY(!sensor->GetRS422Enabled());

        QCOMPARE(query.Decode(Reply("$PKVX,11,R,1,250,5,0,5001,4096,1,13,2,43,3,4")), 0);
        const ADCSettingsModel* adc = model->GetADCSettings();
        QVERIFY(adc->GetCurrentSensingEnabled());
        QCOMPARE(adc->GetCurrentSenseThreshold(), 250);
        QCOMPARE(adc->GetCurrentSenseSource(), 1);
        QCOMPARE(adc->GetLightOnSource(), 0);
        QCOMPARE(adc->GetInternalCurrentDividend(), 5001);
        QCOMPARE(adc->GetExternalCurrentOffset(), 4);

        QCOMPARE(query.Decode(Reply("$PKVX,12,,181,824,1,2,3,44,5,6")), 0); // empty field 2 is accepted
        QCOMPARE(adc->GetInternalVoltageDividend(), 181);
        QCOMPARE(adc->GetExternalVoltageOffset(), 6);

        QCOMPARE(query.Decode(Reply("$PKVX,13,R,2,3,235,11,125,7,0,1,255")), 0);
        const MessageSettingsModel* message = model->GetMessageSettings();
        QCOMPARE(message->GetMessage6Format(), 2);
        QCOMPARE(message->GetMessage6SubId(), 3);
        QCOMPARE(message->GetMessage6DAC(), 235);
        QCOMPARE(message->GetMessage6FI(), 11);
        QCOMPARE(message->GetBatteryVoltageThreshold(), 12.5);
        QCOMPARE(message->GetVoltageSource(), 2);
        QCOMPARE(message->GetPowerSupplyType(), 0);
        QCOMPARE(message->GetMessage8Format(), 1);
        QCOMPARE(message->GetStatusBitInversionMask(), 255);

        QCOMPARE(query.Decode(Reply("$PKVX,14,R,5,3")), 0);
        QCOMPARE(adc->GetVoltageUnit(), 0.5);
        QCOMPARE(adc->GetCurrentUnit(), 3);
    }

    void badSensorRecordsChangeNothing_data()
    {
        QTest::addColumn<QString>("body");
        QTest::newRow("not a reply") << "$PKVX,13,C,2,3,235,11,125,7,0,1,255";
        QTest::newRow("decimal point") << "$PKVX,13,R,2,3,235,11,12.5,7,0,1,255";
        QTest::newRow("letter") << "$PKVX,13,R,2,3,235,11,125,x,0,1,255";
        QTest::newRow("empty value") << "$PKVX,13,R,2,3,235,,125,7,0,1,255";
        QTest::newRow("short") << "$PKVX,13,R,2,3,235,11,125,7,0,1";
    }

    void badSensorRecordsChangeNothing()
    {
        QFETCH(QString, body);
        AtoNSentencePKVX query(model->GetRealAtoN(), model.get(), AtoNSentencePKVX::SensorConfigurationQuery);
        QCOMPARE(query.Decode(Reply(body)), -1);
        const MessageSettingsModel* message = model->GetMessageSettings();
        QCOMPARE(message->GetMessage6Format(), 1);
        QCOMPARE(message->GetMessage6SubId(), 1);
        QCOMPARE(message->GetBatteryVoltageThreshold(), 100.0);
    }

private:
    std::unique_ptr<Model> model;
};

KELVANE_TEST_MAIN(TestProprietarySentence)
#include "tst_ProprietarySentence.moc"
