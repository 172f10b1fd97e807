#include "comms/McrSentence.h"
#include "model/Model.h"
#include "support/TestMain.h"

namespace
{
NmeaSentence Reply(const QString& body)
{
    return NmeaSentence(NmeaSentence::Frame(body));
}

// The unit's answer to a sentence we sent: the same fields from talker "AN", closing "R".
NmeaSentence AsReply(const QString& sent)
{
    QStringList fields = NmeaSentence(sent).Fields();
    fields[0] = QStringLiteral("$ANMCR");
    fields.last() = QStringLiteral("R");
    return NmeaSentence(NmeaSentence::Build(fields[0], fields.mid(1)));
}

QStringList FieldsAfterCode(const QString& line)
{
    return NmeaSentence(line).Fields().mid(3);
}
} // namespace

class TestMcrSentence : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        model = std::make_unique<Model>();
        model->GetRealAtoN()->GetAtoNMMSI()->SetMMSI(QStringLiteral("235000001"));
    }

    void query()
    {
        AtoNSentenceMCR srl(model->GetRealAtoN(), model.get(), AtoNSentenceMCR::SRL);
        QCOMPARE(srl.BuildQuery(), QStringLiteral("$UPMCR,235000001,Q,SRL*5C\r\n"));
        QCOMPARE(AtoNSentenceMCR::TypeCode(12), QString());
    }

    void encoding_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("SBS") << 0 << 0 << QStringList{"SBS", "2", "C"};
        QTest::newRow("LRC") << 1 << 0 << QStringList{"LRC", "1", "0", "1", "C"};
        QTest::newRow("BIT") << 2 << 0 << QStringList{"BIT", "1", "1", "14", "LAMP FAIL", "C"};
        QTest::newRow("PRX") << 3 << 0 << QStringList{"PRX", "1", "1", "12", "KEEP CLEAR^2C 500M", "500", "C"};
        QTest::newRow("OFP off") << 4 << 0 << QStringList{"OFP", "1", "1", "0", "", "C"};
        QTest::newRow("LIS") << 5 << 0 << QStringList{"LIS", "5", "C"};
        QTest::newRow("SRL") << 6 << 0 << QStringList{"SRL", "3", "C"};
        QTest::newRow("MSS") << 7 << 0 << QStringList{"MSS", "1", "2", "C"};
        QTest::newRow("MSO") << 8 << 0 << QStringList{"MSO", "1", "3", "4", "C"};
        QTest::newRow("RPT 21") << 9 << 0 << QStringList{"RPT", "21", "1", "40", "25", "C"};
        QTest::newRow("RPT 8") << 9 << 1 << QStringList{"RPT", "8", "2", "50", "0", "C"};
        QTest::newRow("RPT 6") << 9 << 2 << QStringList{"RPT", "6", "3", "60", "0", "C"};
        QTest::newRow("RPT other") << 9 << 3 << QStringList{"RPT", "", "C"};
        QTest::newRow("MST") << 10 << 0 << QStringList{"MST", "0", "C"};
        QTest::newRow("UPW") << 11 << 0 << QStringList{"UPW", "1", "C"};
    }

    void encoding()
    {
        QFETCH(int, type);
        QFETCH(int, index);
        QFETCH(QStringList, fields);
        StatusInputConfigurationModel* status = model->GetStatusInputConfiguration();
        status->SetStatusBitSource(2);
        status->SetLightFitted(1);
        status->SetRaconMonitored(1);
        status->SetLightHealthActiveHigh(0);
        status->SetMessage6Source(1);
        status->SetMessage6Index(2);
        status->SetPositionReportEnabled(1);
        status->SetOnPositionIndex(3);
        status->SetOffPositionIndex(4);
        status->SetMessage6Format(0);
        status->SetUserPower(true);
        AlertMessagesModel* alerts = model->GetAlertMessages();
        alerts->SetBiitAction(2);
        alerts->SetBiitText(QStringLiteral("LAMP FAIL"));
        alerts->SetProximityAction(1);
        alerts->SetProximityText(QStringLiteral("KEEP CLEAR, 500M"));
        alerts->SetProximityRadius(500);
        alerts->SetOffPositionText(QStringLiteral("kept, not sent"));
        RepeaterModel* repeater = model->GetRepeater();
        repeater->SetSartRepeat(3);
        repeater->SetMsg21Repeat(1);
        repeater->SetMsg21GuardTime(40);
        repeater->SetMsg21Range(25);
        repeater->SetMsg8Repeat(2);
        repeater->SetMsg8GuardTime(50);
        repeater->SetMsg6Repeat(3);
        repeater->SetMsg6GuardTime(60);

        AtoNSentenceMCR mcr(model->GetRealAtoN(), model.get(), type);
        const QString line = mcr.Encode(index, nullptr);
        QCOMPARE(NmeaSentence(line).FieldView(1), QStringView(u"235000001"));
        QCOMPARE(NmeaSentence(line).Fields().mid(2), fields);
    }

    void inlandSendsNoStatusBitSource()
    {
        model->GetStatusInputConfiguration()->SetStatusBitSource(2);
        model->GetRealAtoN()->SetInland(true);
        AtoNSentenceMCR sbs(model->GetRealAtoN(), model.get(), AtoNSentenceMCR::SBS);
        QCOMPARE(FieldsAfterCode(sbs.Encode(0, nullptr)), (QStringList{"0", "C"}));
    }

    void alertWithoutTextIsNotSent()
    {
        AlertMessagesModel* alerts = model->GetAlertMessages();
        alerts->SetBiitAction(2);
        AtoNSentenceMCR bit(model->GetRealAtoN(), model.get(), AtoNSentenceMCR::BIT);
        QCOMPARE(bit.Encode(0, nullptr), QString());
        alerts->SetProximityAction(1);
        AtoNSentenceMCR prx(model->GetRealAtoN(), model.get(), AtoNSentenceMCR::PRX);
        QCOMPARE(prx.Encode(0, nullptr), QString());
        alerts->SetBiitAction(0);
        QCOMPARE(FieldsAfterCode(bit.Encode(0, nullptr)), (QStringList{"1", "1", "0", "", "C"}));
    }

    void statuses_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("status");
        QTest::newRow("good") << "$ANMCR,235000001,SRL,2" << 0;
        QTest::newRow("other MMSI") << "$ANMCR,235000002,SRL,2" << -2;
        QTest::newRow("no MMSI") << "$ANMCR,000000000,SRL,2" << -2;
        QTest::newRow("no code") << "$ANMCR,235000001" << 0;
        QTest::newRow("unhandled code") << "$ANMCR,235000001,SAI,1" << -6;
        QTest::newRow("header failure") << "$GPMCR,235000001,SRL,2" << -1;
        QTest::newRow("other formatter") << "$ANACE,235000001,SRL,2" << -1;
        QTest::newRow("SBS without R") << "$ANMCR,235000001,SBS,2,C" << -1;
        QTest::newRow("RPT other message") << "$ANMCR,235000001,RPT,12,1,30,R" << -1;
        QTest::newRow("RPT 21 without range") << "$ANMCR,235000001,RPT,21,1,30" << -1;
        QTest::newRow("not a number") << "$ANMCR,235000001,SRL,two" << 0;
        QTest::newRow("MSO short") << "$ANMCR,235000001,MSO,1,2" << -1;
    }

    void statuses()
    {
        QFETCH(QString, body);
        QFETCH(int, status);
        AtoNSentenceMCR mcr(model->GetRealAtoN(), model.get(), AtoNSentenceMCR::SRL);
        QCOMPARE(mcr.Decode(Reply(body)), status);
        QCOMPARE(model->GetRepeater()->GetSartRepeat(), status == 0 && body.endsWith(QLatin1String(",2")) ? 2 : 0);
    }

    void alertReplies()
    {
        AtoNSentenceMCR mcr(model->GetRealAtoN(), model.get(), AtoNSentenceMCR::BIT);
        AlertMessagesModel* alerts = model->GetAlertMessages();
        QCOMPARE(mcr.Decode(Reply("$ANMCR,235000001,BIT,1,1,12,LAMP^2C FAIL^2A,R")), 0);
        QCOMPARE(alerts->GetBiitAction(), 1);
        QCOMPARE(alerts->GetBiitText(), QStringLiteral("LAMP, FAIL*"));
        QCOMPARE(mcr.Decode(Reply("$ANMCR,235000001,OFP,1,1,14,OFF STATION,R")), 0);
        QCOMPARE(alerts->GetOffPositionAction(), 2);
        QCOMPARE(alerts->GetOffPositionText(), QStringLiteral("OFF STATION"));
        // An unknown message number leaves the action.
        QCOMPARE(mcr.Decode(Reply("$ANMCR,235000001,OFP,1,1,99,MOVED,R")), 0);
        QCOMPARE(alerts->GetOffPositionAction(), 2);
        QCOMPARE(mcr.Decode(Reply("$ANMCR,235000001,PRX,1,1,12,CLOSE,750,R")), 0);
        QCOMPARE(alerts->GetProximityAction(), 1);
        QCOMPARE(alerts->GetProximityRadius(), 750);
        QCOMPARE(mcr.Decode(Reply("$ANMCR,235000001,PRX,1,1,12,CLOSE")), -1);
        QCOMPARE(mcr.Decode(Reply("$ANMCR,235000001,BIT,1,1")), -1);
    }

    void roundTrip()
    {
        Model sent;
        sent.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(QStringLiteral("235000001"));
        StatusInputConfigurationModel* status = sent.GetStatusInputConfiguration();
        status->SetLightFitted(1);
        status->SetRaconFitted(1);
        status->SetRaconMonitored(1);
        status->SetStatusBitSource(1);
        status->SetLightOnOffActiveHigh(0);
        status->SetLightHealthActiveHigh(1);
        status->SetRaconHealthActiveHigh(0);
        status->SetMessage6Source(1);
        status->SetMessage6Index(3);
        status->SetPositionReportEnabled(1);
        status->SetOnPositionIndex(2);
        status->SetOffPositionIndex(4);
        status->SetMessage6Format(0);
        status->SetUserPower(true);
        AlertMessagesModel* alerts = sent.GetAlertMessages();
        alerts->SetBiitAction(1);
        alerts->SetBiitText(QStringLiteral("BIT: FAIL, $* ^~"));
        alerts->SetProximityAction(1);
        alerts->SetProximityText(QStringLiteral("VESSEL CLOSE"));
        alerts->SetProximityRadius(1200);
        alerts->SetOffPositionAction(2);
        alerts->SetOffPositionText(QStringLiteral("DRIFTING"));
        RepeaterModel* repeater = sent.GetRepeater();
        repeater->SetSartRepeat(1);
        repeater->SetMsg21Repeat(2);
        repeater->SetMsg21GuardTime(11);
        repeater->SetMsg21Range(99);
        repeater->SetMsg8Repeat(1);
        repeater->SetMsg8GuardTime(12);
        repeater->SetMsg6Repeat(3);
        repeater->SetMsg6GuardTime(13);

        Model received;
        received.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(QStringLiteral("235000001"));
        for (int type = 0; type <= AtoNSentenceMCR::UPW; ++type)
        {
            AtoNSentenceMCR encoder(sent.GetRealAtoN(), &sent, type);
            AtoNSentenceMCR decoder(received.GetRealAtoN(), &received, type);
            const int repeats = type == AtoNSentenceMCR::RPT ? 3 : 1;
            for (int index = 0; index < repeats; ++index)
                QCOMPARE(decoder.Decode(AsReply(encoder.Encode(index, nullptr))), 0);
        }

        const StatusInputConfigurationModel* gotStatus = received.GetStatusInputConfiguration();
        QCOMPARE(gotStatus->GetLightFitted(), 1);
        QCOMPARE(gotStatus->GetRaconFitted(), 1);
        QCOMPARE(gotStatus->GetRaconMonitored(), 1);
        QCOMPARE(gotStatus->GetStatusBitSource(), 1);
        QCOMPARE(gotStatus->GetLightOnOffActiveHigh(), 0);
        QCOMPARE(gotStatus->GetLightHealthActiveHigh(), 1);
        QCOMPARE(gotStatus->GetRaconHealthActiveHigh(), 0);
        QCOMPARE(gotStatus->GetMessage6Source(), 1);
        QCOMPARE(gotStatus->GetMessage6Index(), 3);
        QCOMPARE(gotStatus->GetPositionReportEnabled(), 1);
        QCOMPARE(gotStatus->GetOnPositionIndex(), 2);
        QCOMPARE(gotStatus->GetOffPositionIndex(), 4);
        QCOMPARE(gotStatus->GetMessage6Format(), 0);
        QCOMPARE(gotStatus->GetUserPower(), true);
        const AlertMessagesModel* gotAlerts = received.GetAlertMessages();
        QCOMPARE(gotAlerts->GetBiitAction(), 1);
        QCOMPARE(gotAlerts->GetBiitText(), alerts->GetBiitText());
        QCOMPARE(gotAlerts->GetProximityAction(), 1);
        QCOMPARE(gotAlerts->GetProximityText(), alerts->GetProximityText());
        QCOMPARE(gotAlerts->GetProximityRadius(), 1200);
        QCOMPARE(gotAlerts->GetOffPositionAction(), 2);
        QCOMPARE(gotAlerts->GetOffPositionText(), alerts->GetOffPositionText());
        const RepeaterModel* gotRepeater = received.GetRepeater();
        QCOMPARE(gotRepeater->GetSartRepeat(), 1);
        QCOMPARE(gotRepeater->GetMsg21Repeat(), 2);
        QCOMPARE(gotRepeater->GetMsg21GuardTime(), 11);
        QCOMPARE(gotRepeater->GetMsg21Range(), 99);
        QCOMPARE(gotRepeater->GetMsg8Repeat(), 1);
        QCOMPARE(gotRepeater->GetMsg8GuardTime(), 12);
        QCOMPARE(gotRepeater->GetMsg6Repeat(), 3);
        QCOMPARE(gotRepeater->GetMsg6GuardTime(), 13);
    }

private:
    std::unique_ptr<Model> model;
};

KELVANE_TEST_MAIN(TestMcrSentence)
#include "tst_McrSentence.moc"
