#include "comms/AidSentence.h"
#include "model/Model.h"
#include "support/TestMain.h"

namespace
{
NmeaSentence Reply(const QString& body)
{
    return NmeaSentence(NmeaSentence::Frame(body));
}
} // namespace

class TestAidSentence : public QObject
{
    Q_OBJECT

private slots:
    void encodesTheRealAtoN()
    {
        Model model;
        AtoNMMSI* real = model.GetRealAtoN()->GetAtoNMMSI();
        real->SetMMSI(QStringLiteral("235000001"));
        AtoNSentenceAID aid(real, &model);
        QCOMPARE(aid.Encode(0, nullptr), QStringLiteral("$UPAID,000000000,1,235000001,R,C*40\r\n"));
        real->SetAddressMMSI(QStringLiteral("235000009"));
        QCOMPARE(aid.Encode(1, nullptr), NmeaSentence::Frame(QStringLiteral("$UPAID,235000001,1,235000009,0,C")));
        real->SetAuxFlag(true); // delete the addressed MMSI
        AtoNSentenceAIDaddress address(real, &model);
        QCOMPARE(address.Encode(0, nullptr), NmeaSentence::Frame(QStringLiteral("$UPAID,235000001,0,235000009,0,C")));
        QCOMPARE(aid.BuildQuery(), QStringLiteral("$UPANQ,AID*") + NmeaSentence::Checksum(u"$UPANQ,AID") + "\r\n");
    }

    void encodesTheOtherKinds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("body");
        QTest::newRow("virtual") << 1 << true << "$UPAID,235000001,1,992351001,V,C";
        QTest::newRow("VDL first") << 2 << false << "$UPAID,235000001,0,992351001,P,C";
        QTest::newRow("chained") << 3 << true << "$UPAID,235000001,1,992351001,C,C";
        QTest::newRow("addressed") << 4 << true << "$UPAID,992351001,1,000000000,0,C";
        QTest::newRow("unknown kind") << 7 << true << "$UPAID,000000000,1,992351001,,C";
    }

    void encodesTheOtherKinds()
    {
        QFETCH(int, kind);
        QFETCH(bool, enabled);
        QFETCH(QString, body);
        Model model;
        model.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(QStringLiteral("235000001"));
        AtoNMMSI record;
        record.SetIndex(kind);
        record.SetEnabled(enabled);
        record.SetMMSI(QStringLiteral("992351001"));
        AtoNSentenceAID aid(&record, &model);
        QCOMPARE(aid.Encode(0, nullptr), NmeaSentence::Frame(body));
    }

    void decodesByKind()
    {
        Model model;
        AtoNMMSI* real = model.GetRealAtoN()->GetAtoNMMSI();
        real->SetAddressMMSI(QStringLiteral("235000009"));
        AtoNSentenceAID aid(real, &model);

        QCOMPARE(aid.Decode(Reply("$ANAID,235000001,1,235000002,R,R")), 0);
        QCOMPARE(real->GetCurrentMMSI(), QStringLiteral("235000001"));
        QCOMPARE(real->GetMMSI(), QStringLiteral("235000002"));
        QCOMPARE(real->GetAddressMMSI(), AtoNMMSI::Unset);

        QCOMPARE(aid.Decode(Reply("$AIAID,235000002,1,235000077,0,R")), 0);
        QCOMPARE(real->GetAddressMMSI(), QStringLiteral("235000077"));

        QCOMPARE(aid.Decode(Reply("$AIAID,235000002,1,992351001,V,R")), 0);
        QCOMPARE(model.GetVirtualAtoN01()->GetAtoNMmsi()->GetMMSI(), QStringLiteral("992351001"));
        QCOMPARE(model.GetVirtualAtoN01()->GetAtoNMmsi()->GetCurrentMMSI(), QStringLiteral("235000002"));
        QVERIFY(model.GetVirtualAtoN01()->GetAtoNMmsi()->IsEnabled());
        QCOMPARE(model.GetVirtualAtoN01()->GetAtoNMmsi()->GetIndex(), 1);
        // The same MMSI again is already known: no second virtual AtoN takes it.
        QCOMPARE(aid.Decode(Reply("$AIAID,235000002,1,992351001,V,R")), 0);
        QCOMPARE(model.GetVirtualAtoN02()->GetAtoNMmsi()->GetMMSI(), AtoNMMSI::Unset);

        QCOMPARE(aid.Decode(Reply("$AIAID,235000002,1,235000100,P,R")), 0);
        QCOMPARE(model.GetVdlModel()->GetFirstMmsi()->GetMMSI(), QStringLiteral("235000100"));
        QCOMPARE(aid.Decode(Reply("$AIAID,235000002,1,235000200,C,R")), 0);
        QCOMPARE(aid.Decode(Reply("$AIAID,235000002,1,235000200,C,R")), 0);
        QCOMPARE(model.GetVdlModel()->GetChainingMmsiCount(), 1);
        QVERIFY(model.GetVdlModel()->ContainsMmsi(QStringLiteral("235000200")));
    }

    void virtualReplyWithNoFreeAtoNWritesNothing()
    {
        Model model;
        for (int k = 1; k <= Model::VirtualAtoNCount; ++k)
        {
            model.GetVirtualAtoN(k)->SetEnabled(true);
            model.GetVirtualAtoN(k)->GetAtoNMmsi()->SetMMSI(QStringLiteral("99235100%1").arg(k - 1));
        }
        AtoNSentenceAID aid(model.GetRealAtoN()->GetAtoNMMSI(), &model);
        QCOMPARE(aid.Decode(Reply("$AIAID,235000002,1,992359999,V,R")), 0);
        for (int k = 1; k <= Model::VirtualAtoNCount; ++k)
            QVERIFY(model.GetVirtualAtoN(k)->GetAtoNMmsi()->GetMMSI() != QStringLiteral("992359999"));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("addressCleared");
        QTest::newRow("not a reply") << NmeaSentence::Frame("$AIAID,235000001,1,235000002,R,C") << -1 << true;
        QTest::newRow("unknown letter") << NmeaSentence::Frame("$AIAID,235000001,1,235000002,X,R") << -1 << false;
        QTest::newRow("short") << NmeaSentence::Frame("$AIAID,235000001,1") << -1 << false;
        QTest::newRow("other talker") << NmeaSentence::Frame("$GPAID,235000001,1,235000002,R,R") << -4 << false;
        QTest::newRow("other formatter") << NmeaSentence::Frame("$AIACE,235000001,1,235000002,R,R") << -3 << false;
        QTest::newRow("bad checksum") << "$AIAID,235000001,1,235000002,R,R*00" << -3 << false;
    }

    void failures()
    {
        QFETCH(QString, line);
        QFETCH(int, status);
        QFETCH(bool, addressCleared);
        Model model;
        AtoNMMSI* real = model.GetRealAtoN()->GetAtoNMMSI();
        real->SetMMSI(QStringLiteral("235000099"));
        real->SetAddressMMSI(QStringLiteral("235000009"));
        AtoNSentenceAID aid(real, &model);
        QCOMPARE(aid.Decode(NmeaSentence(line)), status);
        QCOMPARE(real->GetMMSI(), QStringLiteral("235000099"));
        QCOMPARE(real->GetAddressMMSI(), addressCleared ? AtoNMMSI::Unset : QStringLiteral("235000009"));
    }

    void roundTrip()
    {
        Model sent;
        AtoNMMSI* record = sent.GetRealAtoN()->GetAtoNMMSI();
        record->SetCurrentMMSI(QStringLiteral("235000001"));
        record->SetMMSI(QStringLiteral("235000002"));
        AtoNSentenceAID encoder(record, &sent);
        QString reply = encoder.Encode(0, nullptr);
        reply.replace(QLatin1String("$UPAID"), QLatin1String("$ANAID"))
            .replace(QLatin1String(",C*"), QLatin1String(",R*"));

        Model received;
        AtoNSentenceAID decoder(received.GetRealAtoN()->GetAtoNMMSI(), &received);
        QCOMPARE(decoder.Decode(Reply(reply.left(reply.indexOf(QLatin1Char('*'))))), 0);
        QCOMPARE(received.GetRealAtoN()->GetAtoNMMSI()->GetCurrentMMSI(), record->GetCurrentMMSI());
        QCOMPARE(received.GetRealAtoN()->GetAtoNMMSI()->GetMMSI(), record->GetMMSI());
    }
};

KELVANE_TEST_MAIN(TestAidSentence)
#include "tst_AidSentence.moc"
