#include "comms/AceSentence.h"
#include "comms/AcfSentence.h"
#include "model/Model.h"
#include "support/TestMain.h"

namespace
{
NmeaSentence Reply(const QString& body)
{
    return NmeaSentence(NmeaSentence::Frame(body));
}

// The unit's answer to a sentence we sent: the same fields from talker "AN", status "R".
NmeaSentence AsReply(const QString& sent, int statusField)
{
    QStringList fields = NmeaSentence(sent).Fields();
    fields[0] = QStringLiteral("$AN") + fields[0].mid(3);
    fields[statusField] = QStringLiteral("R");
    return NmeaSentence(NmeaSentence::Build(fields[0], fields.mid(1)));
}

QStringList FieldsOf(const QString& line)
{
    NmeaSentence s(line);
    return s.IsValid() ? s.Fields() : QStringList{QStringLiteral("invalid")};
}

void SetUpRealAtoN(Model& model)
{
    AtoN* aton = model.GetRealAtoN();
    aton->GetAtoNMMSI()->SetMMSI(QStringLiteral("235000001"));
}
} // namespace

class TestAceAcfSentence : public QObject
{
    Q_OBJECT

private slots:
    void positionFields_data()
    {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("north east") << 51.5 << 4.75 << QStringList{"5130.0000", "N", "00445.0000", "E"};
        QTest::newRow("south west") << -0.25 << -1.25 << QStringList{"0015.0000", "S", "00115.0000", "W"};
        QTest::newRow("not available") << 91.0 << 181.0 << QStringList{"9100.0000", "N", "18100.0000", "E"};
        QTest::newRow("just below a degree")
            << 51.99999999 << -179.999999999 << QStringList{"5200.0000", "N", "18000.0000", "W"};
        QTest::newRow("fraction of a minute") << 12.3456789 << 0.0 << QStringList{"1220.7407", "N", "00000.0000", "E"};
    }

    void positionFields()
    {
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(QStringList, fields);
        Model model;
        SetUpRealAtoN(model);
        model.GetRealAtoN()->GetPosition()->SetLatitude(latitude);
        model.GetRealAtoN()->GetPosition()->SetLongitude(longitude);
        AtoNSentenceACF acf(model.GetRealAtoN(), &model);
        QCOMPARE(FieldsOf(acf.Encode(0, nullptr)).mid(3, 4), fields);
    }

    void acfOfTheRealAtoN()
    {
        Model model;
        SetUpRealAtoN(model);
        AtoN* aton = model.GetRealAtoN();
        aton->GetPosition()->SetLatitude(51.5);
        aton->GetPosition()->SetLongitude(4.75);
        aton->SetTypeOfAtoN(25);
        AtoNSentenceACF acf(aton, &model);
        QCOMPARE(acf.Encode(0, nullptr),
                 NmeaSentence::Frame("$UPACF,235000001,15,5130.0000,N,00445.0000,E,0,2087,2088,2087,2088,0,25,0,C"));
        aton->SetInland(true);
        QCOMPARE(FieldsOf(acf.Encode(0, nullptr)).at(13), QStringLiteral("0"));
    }

    void aceOfTheRealAtoN()
    {
        Model model;
        SetUpRealAtoN(model);
        AtoN* aton = model.GetRealAtoN();
        aton->SetName(QStringLiteral("PIER, NORTH"));
        aton->SetTypeOfAtoN(5);
        aton->SetDimensionA(12);
        aton->SetDimensionB(34);
        aton->SetDimensionC(5);
        aton->SetDimensionD(6);
        AtoNSentenceACE ace(aton, &model);
        int count = 0;
        QCOMPARE(ace.Encode(0, &count),
                 NmeaSentence::Frame("$UPACE,235000001,00,0050,1,0,0,PIER^2C NORTH,0120340506,C"));
        QCOMPARE(count, 0);
    }

    void dimensions_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("inland");
        QTest::addColumn<QList<int>>("abcd");
        QTest::addColumn<QString>("field");
        QTest::newRow("floating sea") << 0 << 25 << false << QList<int>{5, 6, 7, 8} << "0050050505";
        QTest::newRow("floating inland") << 0 << 4 << true << QList<int>{5, 6, 7, 8} << "0050050505";
        QTest::newRow("fixed") << 0 << 3 << false << QList<int>{5, 6, 7, 8} << "0050060708";
        QTest::newRow("reference point") << 0 << 1 << false << QList<int>{5, 6, 7, 8} << "0000000000";
        QTest::newRow("virtual") << 1 << 3 << false << QList<int>{5, 6, 7, 8} << "0000000000";
        QTest::newRow("over-wide stays in place") << 0 << 3 << false << QList<int>{1234, 511, 100, 63} << "9995119963";
        QTest::newRow("negative") << 0 << 3 << false << QList<int>{-1, 1, 1, 1} << "0000010101";
    }

    void dimensions()
    {
        QFETCH(int, kind);
        QFETCH(int, type);
        QFETCH(bool, inland);
        QFETCH(QList<int>, abcd);
        QFETCH(QString, field);
        AtoN aton;
        aton.SetStationKind(kind);
        aton.SetInland(inland);
        aton.SetTypeOfAtoN(type);
        aton.SetDimensionA(abcd[0]);
        aton.SetDimensionB(abcd[1]);
        aton.SetDimensionC(abcd[2]);
        aton.SetDimensionD(abcd[3]);
        QCOMPARE(AtoNSentenceACE::DimensionsField(aton), field);
    }

    void inlandCodeInHex()
    {
        Model model;
        SetUpRealAtoN(model);
        AtoN* aton = model.GetRealAtoN();
        aton->SetInland(true);
        aton->SetInlandTypeCode(10);
        AtoNSentenceACE ace(aton, &model);
        QCOMPARE(FieldsOf(ace.Encode(0, nullptr)).at(2), QStringLiteral("0a"));
        aton->SetInlandTypeCode(49);
        QCOMPARE(FieldsOf(ace.Encode(0, nullptr)).at(2), QStringLiteral("31"));
    }

    void longNameTravelsAlone()
    {
        Model model;
        VirtualAtoNModel* virtualAtoN = model.GetVirtualAtoN02();
        virtualAtoN->GetAtoNMmsi()->SetMMSI(QStringLiteral("992351002"));
        // 31 characters, two of which escape to three: 35 escaped characters.
        virtualAtoN->SetAtoNName(QStringLiteral("WEST PIER, HEAD, LIGHT NUMBER 7"));
        AtoNSentenceACE ace(virtualAtoN->GetAtoN(), &model);
        int count = 0;
        const QStringList first = FieldsOf(ace.Encode(0, &count));
        QCOMPARE(count, 1);
        QCOMPARE(first.at(7), QString());
        QCOMPARE(first.at(3), QString()); // no off-position settings for a virtual AtoN
        const QString second = ace.Encode(1, &count);
        QCOMPARE(count, 0);
        QCOMPARE(second, NmeaSentence::Frame("$UPACE,992351002,,,,,,WEST PIER^2C HEAD^2C LIGHT NUMBER 7,,C"));

        // 32 escaped characters still fit the full sentence.
        virtualAtoN->SetAtoNName(QString(32, QLatin1Char('N')));
        count = 0;
        QCOMPARE(FieldsOf(ace.Encode(0, &count)).at(7), QString(32, QLatin1Char('N')));
        QCOMPARE(count, 0);
    }

    void aceRoundTrip()
    {
        Model sent;
        SetUpRealAtoN(sent);
        AtoN* aton = sent.GetRealAtoN();
        aton->SetInland(true);
        aton->SetTypeOfAtoN(5); // code 37, a fixed inland type
        aton->SetOffPositionThreshold(120);
        aton->SetAckProcedure(0);
        aton->SetOffPositionCheck(1);
        aton->SetSyncLossBehaviour(1);
        aton->SetName(QStringLiteral("BRIDGE*7, \"OLD\" ^ $"));
        aton->SetDimensionA(12);
        aton->SetDimensionB(34);
        aton->SetDimensionC(5);
        aton->SetDimensionD(6);
        AtoNSentenceACE encoder(aton, &sent);

        Model received;
        SetUpRealAtoN(received);
        AtoNSentenceACE decoder(received.GetRealAtoN(), &received);
        QCOMPARE(decoder.Decode(AsReply(encoder.Encode(0, nullptr), 9)), 0);
        const AtoN* got = received.GetRealAtoN();
        QCOMPARE(got->IsInland(), true);
        QCOMPARE(got->GetInlandTypeCode(), 37);
        QCOMPARE(got->GetOffPositionThreshold(), 120);
        QCOMPARE(got->GetAckProcedure(), 0);
        QCOMPARE(got->GetOffPositionCheck(), 1);
        QCOMPARE(got->GetSyncLossBehaviour(), 1);
        QCOMPARE(got->GetName(), aton->GetName());
        QCOMPARE(got->GetDimensionA(), 12);
        QCOMPARE(got->GetDimensionB(), 34);
        QCOMPARE(got->GetDimensionC(), 5);
        QCOMPARE(got->GetDimensionD(), 6);

        // A sea code clears a stale inland flag.
        QCOMPARE(decoder.Decode(Reply("$ANACE,235000001,00,0050,1,0,0,SEA,0010010101,R")), 0);
        QCOMPARE(got->IsInland(), false);
        QCOMPARE(got->GetInlandTypeCode(), 0);
    }

    void acfRoundTrip_data()
    {
        QTest::addColumn<int>("virtualIndex"); // 0: the real AtoN
        QTest::newRow("real") << 0;
        QTest::newRow("virtual 3") << 3;
    }

    void acfRoundTrip()
    {
        QFETCH(int, virtualIndex);
        Model sent;
        SetUpRealAtoN(sent);
        AtoN* aton = virtualIndex ? sent.GetVirtualAtoN(virtualIndex)->GetAtoN() : sent.GetRealAtoN();
        if (virtualIndex)
        {
            aton->GetAtoNMMSI()->SetMMSI(QStringLiteral("992351003"));
            sent.GetVirtualAtoN(virtualIndex)->SetSynthetic(true);
        }
        aton->GetPosition()->SetLatitude(-33.8568);
        aton->GetPosition()->SetLongitude(151.2153);
        aton->SetPositionAccuracy(1);
        aton->SetChannel1(2086);
        aton->SetChannel2(1085);
        aton->SetPowerLevel(2);
        aton->SetTypeOfAtoN(28);
        AtoNSentenceACF encoder(aton, &sent);

        Model received;
        SetUpRealAtoN(received);
        if (virtualIndex)
            received.GetVirtualAtoN(virtualIndex)->GetAtoNMmsi()->SetMMSI(QStringLiteral("992351003"));
        AtoN* got = virtualIndex ? received.GetVirtualAtoN(virtualIndex)->GetAtoN() : received.GetRealAtoN();
        got->SetGnssType(5);
        // The step of the real AtoN reads a virtual AtoN's reply too.
        AtoNSentenceACF decoder(received.GetRealAtoN(), &received);
        QCOMPARE(decoder.Decode(AsReply(encoder.Encode(0, nullptr), 15)), 0);
        QVERIFY(qAbs(got->GetPosition()->GetLatitude() - aton->GetPosition()->GetLatitude()) < 1e-6);
        QVERIFY(qAbs(got->GetPosition()->GetLongitude() - aton->GetPosition()->GetLongitude()) < 1e-6);
        QCOMPARE(got->GetPositionAccuracy(), 1);
        QCOMPARE(got->GetPowerLevel(), 2);
        QCOMPARE(got->GetTypeOfAtoN(), 28);
        QCOMPARE(got->GetStationKind(), aton->GetStationKind());
        if (virtualIndex)
        {
            QCOMPARE(got->GetGnssType(), int(AtoNDef::GNSS_SURVEYED)); // EPFS 7: surveyed
            QCOMPARE(got->GetChannel1(), int(AtoNDef::CH_2087));       // not sent for a virtual AtoN
        }
        else
        {
            QCOMPARE(got->GetGnssType(), 5); // the real AtoN keeps its GNSS system
            QCOMPARE(got->GetChannel1(), 2086);
            QCOMPARE(got->GetChannel2(), 1085);
        }
    }

    void replyTargets()
    {
        Model model;
        SetUpRealAtoN(model);
        model.GetVirtualAtoN04()->GetAtoNMmsi()->SetMMSI(QStringLiteral("992351004"));
        AtoN* real = model.GetRealAtoN();
        AtoNSentenceACE ace(real, &model);
        AtoNSentenceACF acf(real, &model);

        QCOMPARE(ace.Decode(Reply("$AIACE,000000000,00,0050,1,0,0,X,0010010101,R")), -2);
        QCOMPARE(acf.Decode(Reply("$AIACF,000000000,7,5130.0000,N,00445.0000,E,0,,,,,0,3,1,R")), -2);
        QCOMPARE(ace.Decode(Reply("$AIACE,211000000,00,0050,1,0,0,X,0010010101,R")), -2);
        QCOMPARE(real->GetName(), QStringLiteral("ATON"));
        QCOMPARE(real->GetPosition()->GetLatitude(), 91.0);

        // A name-only reply for an unknown MMSI renames nobody, nor does one that fails its header.
        QCOMPARE(ace.Decode(Reply("$AIACE,211000000,,,,,,OTHER STATION,,R")), -2);
        QCOMPARE(ace.Decode(Reply("$GPACE,235000001,,,,,,OTHER STATION,,R")), -1);
        QCOMPARE(ace.Decode(NmeaSentence("$AIACE,235000001,,,,,,OTHER STATION,,R*00")), -1);
        QCOMPARE(real->GetName(), QStringLiteral("ATON"));
        for (int k = 1; k <= Model::VirtualAtoNCount; ++k)
            QCOMPARE(model.GetVirtualAtoN(k)->GetAtoNName(), QStringLiteral("ATON"));

        // A virtual AtoN's reply on the real AtoN's step changes that virtual AtoN.
        QCOMPARE(ace.Decode(Reply("$AIACE,992351004,,,,,,BUOY 4^2C WEST,,R")), 0);
        QCOMPARE(model.GetVirtualAtoN04()->GetAtoNName(), QStringLiteral("BUOY 4, WEST"));
        QCOMPARE(acf.Decode(Reply("$AIACF,992351004,7,5130.0000,N,00445.0000,E,0,,,,,0,3,1,R")), 0);
        QCOMPARE(model.GetVirtualAtoN04()->GetPosition()->GetLatitude(), 51.5);
        QCOMPARE(real->GetPosition()->GetLatitude(), 91.0);
    }

    // A position field that holds no number keeps the held value, with its hemisphere; the reply
    // reads on and succeeds.
    void positionWithoutANumber_data()
    {
        QTest::addColumn<QString>("position"); // fields 3 to 6
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::newRow("latitude") << "51x30.0000,N,00115.0000,W" << -10.25 << -1.25;
        QTest::newRow("longitude") << "5130.0000,N,east,E" << 51.5 << 20.5;
        QTest::newRow("both, southern and western") << "-,S,nan,W" << -10.25 << 20.5;
        QTest::newRow("infinite") << "inf,N,-inf,E" << -10.25 << 20.5;
    }

    void positionWithoutANumber()
    {
        QFETCH(QString, position);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        Model model;
        SetUpRealAtoN(model);
        AtoN* real = model.GetRealAtoN();
        real->GetPosition()->SetLatitude(-10.25);
        real->GetPosition()->SetLongitude(20.5);
        real->SetPowerLevel(0);
        AtoNSentenceACF acf(real, &model);
        QCOMPARE(
            acf.Decode(Reply(QStringLiteral("$AIACF,235000001,15,") + position + QStringLiteral(",0,,,,,1,3,0,R"))), 0);
        QCOMPARE(real->GetPosition()->GetLatitude(), latitude);
        QCOMPARE(real->GetPosition()->GetLongitude(), longitude);
        QCOMPARE(real->GetPowerLevel(), 1);
    }

    void partialReplies()
    {
        Model model;
        SetUpRealAtoN(model);
        AtoN* real = model.GetRealAtoN();
        real->SetOffPositionThreshold(77);
        AtoNSentenceACE ace(real, &model);
        AtoNSentenceACF acf(real, &model);

        // An empty numeric field leaves the value as it was.
        QCOMPARE(ace.Decode(Reply("$AIACE,235000001,00,,0,1,0,,0010020304,R")), 0);
        QCOMPARE(real->GetOffPositionThreshold(), 77);
        QCOMPARE(real->GetAckProcedure(), 0);
        QCOMPARE(real->GetName(), QString());
        QCOMPARE(real->GetDimensionD(), 4);

        // Not a number, a short dimension field, a code that is not hexadecimal: each keeps the
        // AtoN's value and the reply reads on; the empty name is the unit's name.
        real->SetInland(true);
        real->SetInlandTypeCode(0x31);
        QCOMPARE(ace.Decode(Reply("$AIACE,235000001,zz,abc,0,1,0,,00100203,R")), 0);
        QCOMPARE(real->GetOffPositionThreshold(), 77);
        QCOMPARE(real->GetDimensionA(), 1);
        QCOMPARE(real->GetInlandTypeCode(), 0x31);
        QVERIFY(real->IsInland());
        QCOMPARE(real->GetName(), QString());
        // A closing "C" and a missing field fail the reply.
        QCOMPARE(ace.Decode(Reply("$AIACE,235000001,00,0050,0,1,0,,0010020304,C")), -1);
        QCOMPARE(ace.Decode(Reply("$AIACE,235000001,00,0050,0,1")), -1);

        // The latitude is written before a missing hemisphere fails the reply.
        QCOMPARE(acf.Decode(Reply("$AIACF,235000001,15,5130.0000")), -1);
        QCOMPARE(real->GetPosition()->GetLatitude(), 51.5);
        QCOMPARE(real->GetPosition()->GetLongitude(), 181.0);
        QCOMPARE(acf.Decode(Reply("$AIACF,235000001,15,5130.0000,S,00445.0000,E,0,1,2,1,2,0,3,0,C")), -1);
        QCOMPARE(real->GetPosition()->GetLatitude(), -51.5);
        // Degrees are the whole part of the value / 100, for a signed value too.
        QCOMPARE(acf.Decode(Reply("$AIACF,235000001,15,-5130.0000")), -1);
        QCOMPARE(real->GetPosition()->GetLatitude(), -51.5);
    }
};

KELVANE_TEST_MAIN(TestAceAcfSentence)
#include "tst_AceAcfSentence.moc"
