#include "comms/AfbSentence.h"
#include "comms/CopSentence.h"
#include "model/Model.h"
#include "model/VdlItemTable.h"
#include "support/TestMain.h"

namespace
{
NmeaSentence Reply(const QString& body)
{
    return NmeaSentence(NmeaSentence::Frame(body));
}
} // namespace

class TestCopAfbSentence : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        model = std::make_unique<Model>();
        model->GetRealAtoN()->GetAtoNMMSI()->SetMMSI(QStringLiteral("235000001"));
    }

    void copEncoding()
    {
        VdlModel* vdl = model->GetVdlModel();
        vdl->receiverMode = 2;
        vdl->receiverHour = 7;
        vdl->receiverMinute = 5;
        vdl->receiverInterval = 3600;
        vdl->receiverDuration = 86400;
        AtoNSentenceCOP cop(vdl, model.get());
        QCOMPARE(cop.Encode(0, nullptr), NmeaSentence::Frame("$UPCOP,235000001,1,070500,3600,86400,C,00000000"));
        vdl->receiverMode = 0;
        QCOMPARE(NmeaSentence(cop.Encode(0, nullptr)).FieldView(2), QStringView(u"0"));
    }

    void copReplies_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<QList<int>>("values"); // mode, hour, minute, interval, duration
        QTest::newRow("always on") << "$ANCOP,235000001,1,123000,600,86400,R,00000000" << 0
                                   << QList<int>{2, 12, 30, 600, 86400};
        QTest::newRow("specified") << "$ANCOP,235000001,1,061500,7200,3600,R" << 0 << QList<int>{1, 6, 15, 7200, 3600};
        QTest::newRow("device schedule") << "$ANCOP,235000001,0,000000,0,0,R" << 0 << QList<int>{0, 0, 0, 0, 0};
        QTest::newRow("empty fields keep values") << "$ANCOP,235000001,,,,,R" << 0 << QList<int>{1, 9, 45, 100, 200};
        QTest::newRow("not a reply") << "$ANCOP,235000001,1,123000,600,86400,C" << -1 << QList<int>{1, 9, 45, 100, 200};
        // A time that is no time of day (but the unit's "not available"), and a flag or number that is none,
        // keep the values held.
        QTest::newRow("bad time") << "$ANCOP,235000001,1,1x3000,600,86400,R" << 0 << QList<int>{2, 9, 45, 600, 86400};
        // The unit's "not available" start time is kept as read, so that it goes back unchanged.
        QTest::newRow("not available 24:60")
            << "$ANCOP,235000001,x,246000,6o0,60,R" << 0 << QList<int>{1, 24, 60, 100, 60};
        QTest::newRow("24:59") << "$ANCOP,235000001,1,245900,600,60,R" << 0 << QList<int>{1, 9, 45, 600, 60};
        QTest::newRow("no MMSI") << "$ANCOP" << -1 << QList<int>{1, 9, 45, 100, 200};
        QTest::newRow("other talker") << "$GPCOP,235000001,1,123000,600,86400,R" << -4
                                      << QList<int>{1, 9, 45, 100, 200};
        QTest::newRow("other formatter") << "$ANAFB,235000001,1,123000,600,86400,R" << -3
                                         << QList<int>{1, 9, 45, 100, 200};
        QTest::newRow("invalid") << "" << -3 << QList<int>{1, 9, 45, 100, 200};
    }

    void copReplies()
    {
        QFETCH(QString, body);
        QFETCH(int, status);
        QFETCH(QList<int>, values);
        VdlModel* vdl = model->GetVdlModel();
        vdl->receiverMode = 1;
        vdl->receiverHour = 9;
        vdl->receiverMinute = 45;
        vdl->receiverInterval = 100;
        vdl->receiverDuration = 200;
        AtoNSentenceCOP cop(vdl, model.get());
        const NmeaSentence reply = body.isEmpty() ? NmeaSentence(QStringLiteral("$ANCOP,1*00")) : Reply(body);
        QCOMPARE(cop.Decode(reply), status);
        QCOMPARE((QList<int>{vdl->receiverMode, vdl->receiverHour, vdl->receiverMinute, vdl->receiverInterval,
                             vdl->receiverDuration}),
                 values);
    }

    void copRoundTrip()
    {
        Model sent;
        VdlModel* vdl = sent.GetVdlModel();
        vdl->receiverMode = 1;
        vdl->receiverHour = 23;
        vdl->receiverMinute = 59;
        vdl->receiverInterval = 43200;
        vdl->receiverDuration = 1800;
        AtoNSentenceCOP encoder(vdl, &sent);
        QStringList fields = NmeaSentence(encoder.Encode(0, nullptr)).Fields();
        fields[0] = QStringLiteral("$AICOP");
        fields[6] = QStringLiteral("R");

        VdlModel* got = model->GetVdlModel();
        AtoNSentenceCOP decoder(got, model.get());
        QCOMPARE(decoder.Decode(NmeaSentence(NmeaSentence::Build(fields[0], fields.mid(1)))), 0);
        QCOMPARE(got->receiverMode, 1);
        QCOMPARE(got->receiverHour, 23);
        QCOMPARE(got->receiverMinute, 59);
        QCOMPARE(got->receiverInterval, 43200);
        QCOMPARE(got->receiverDuration, 1800);
    }

    void afbEncoding()
    {
        VdlModel* vdl = model->GetVdlModel();
        vdl->afbValues = {21, 1, 12, 30, -1, 2};
        AtoNSentenceAFB afb(vdl, model.get());
        QCOMPARE(afb.Encode(0, nullptr), NmeaSentence::Frame("$UPAFB,235000001,21,1,12,30,,2,C"));
        vdl->afbValues[4] = 1234;
        QCOMPARE(NmeaSentence(afb.Encode(0, nullptr)).FieldView(6), QStringView(u"1234"));
    }

    void afbReplies()
    {
        VdlModel* vdl = model->GetVdlModel();
        AtoNSentenceAFB afb(vdl, model.get());
        QCOMPARE(afb.Decode(Reply("$ANAFB,235000001,,,,,,,R")), 0);
        QCOMPARE(afb.Decode(Reply("$ANAFB,235000001,21,1,12,30,1234,2,R")), 0);
        QCOMPARE(afb.Decode(Reply("$ANAFB,235000001,21,1,12,30,1234,2,C")), -1);
        QCOMPARE(vdl->afbValues, (std::array<int, 6>{21, 1, 12, 30, 1234, 2}));
        // A value that is no number takes the field's default, like an empty one.
        QCOMPARE(afb.Decode(Reply("$ANAFB,235000001,21,x,12,30,1234,2,R")), 0);
        QCOMPARE(vdl->afbValues, (std::array<int, 6>{21, 0, 12, 30, 1234, 2}));
        QCOMPARE(afb.Decode(Reply("$ANACE,235000001,21,1,12,30,1234,2,R")), -3);
        QCOMPARE(afb.Decode(NmeaSentence(QStringLiteral("$ANAFB,235000001,21,1,12,30,1234,2,R*00"))), -3);
        QCOMPARE(afb.Decode(Reply("$GPAFB,235000001,21,1,12,30,1234,2,R")), -4);

        VdlItemTable* table = vdl->GetScheduleTable();
        QCOMPARE(table->RowCount(), 3);
        const QStringList first{"1", "0", "0", "0", "0", "0"};
        const QStringList second{"21", "1", "12", "30", "1234", "2"};
        for (int column = 0; column < 6; ++column)
        {
            QCOMPARE(table->Text(0, column), first[column]);
            QCOMPARE(table->Text(1, column), second[column]);
        }
    }

    void afbReadIsWrittenBackUnchanged_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("sent");
        QTest::newRow("all values") << "$ANAFB,235000001,21,1,12,30,1234,2,R"
                                    << "$UPAFB,235000001,21,1,12,30,1234,2,C";
        QTest::newRow("no slot") << "$ANAFB,235000001,1,0,0,0,,0,R"
                                 << "$UPAFB,235000001,1,0,0,0,,0,C";
    }

    void afbReadIsWrittenBackUnchanged()
    {
        QFETCH(QString, reply);
        QFETCH(QString, sent);
        VdlModel* vdl = model->GetVdlModel();
        AtoNSentenceAFB afb(vdl, model.get());
        QCOMPARE(afb.Decode(Reply(reply)), 0);
        QCOMPARE(afb.Encode(0, nullptr), NmeaSentence::Frame(sent));
    }

private:
    std::unique_ptr<Model> model;
};

KELVANE_TEST_MAIN(TestCopAfbSentence)
#include "tst_CopAfbSentence.moc"
