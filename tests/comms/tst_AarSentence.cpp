#include "comms/AarSentence.h"
#include "model/Model.h"
#include "support/TestMain.h"

namespace
{
NmeaSentence Reply(const QString& body)
{
    return NmeaSentence(NmeaSentence::Frame(body));
}

NmeaSentence AsReply(const QString& sent)
{
    QStringList fields = NmeaSentence(sent).Fields();
    fields[0] = QStringLiteral("$ANAAR");
    fields[13] = QStringLiteral("R");
    return NmeaSentence(NmeaSentence::Build(fields[0], fields.mid(1)));
}

QStringList FieldsOf(const QString& line)
{
    return NmeaSentence(line).Fields();
}

ScheduleEntry Entry(int messageId, int mode, int slot, int increment)
{
    ScheduleEntry e(messageId);
    e.mode = mode;
    e.blockA.startSlot = slot;
    e.blockB.startSlot = slot;
    e.blockA.increment = increment;
    e.blockB.increment = increment;
    e.enabled = true;
    return e;
}

void CompareEntries(const ScheduleEntry& got, const ScheduleEntry& expected)
{
    QCOMPARE(got.messageId, expected.messageId);
    QCOMPARE(got.mode, expected.mode);
    QCOMPARE(got.enabled, expected.enabled);
    QCOMPARE(got.blockA, expected.blockA);
    QCOMPARE(got.blockB, expected.blockB);
}
} // namespace

class TestAarSentence : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        model = std::make_unique<Model>();
        model->GetRealAtoN()->GetAtoNMMSI()->SetMMSI(QStringLiteral("235000001"));
        model->GetVirtualAtoN05()->GetAtoNMmsi()->SetMMSI(QStringLiteral("992351005"));
    }

    void encodesEntries()
    {
        MessageSchedule* schedule = model->GetMessageSchedule();
        AtoNSentenceAAR aar(schedule, nullptr);
        QCOMPARE(aar.Encode(0, nullptr),
                 NmeaSentence::Frame("$UPAAR,235000001,21,01,00,00,00,0006750,0,00,00,00,0006750,C"));

        ScheduleEntry time = Entry(21, 1, 0, 6750);
        time.blockA.startTime = QTime(13, 5);
        time.blockB.noTime = true;
        QVERIFY(schedule->SetEntry(0, time));
        QCOMPARE(FieldsOf(aar.Encode(0, nullptr)).mid(4, 9),
                 (QStringList{"13", "05", "", "0000180", "1", "24", "00", "", "0000180"}));

        // Entries further down carry their index within their message.
        QVERIFY(schedule->EnableByCode(108));
        QCOMPARE(FieldsOf(aar.Encode(7, nullptr)).mid(1, 3), (QStringList{"235000001", "08", "02"}));
        // No entry there: nothing to send.
        QCOMPARE(aar.Encode(18, nullptr), QString());
    }

    void statuses_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("status");
        const QString good = "$AIAAR,235000001,21,01,00,00,00,0006750,0,00,00,00,0006750,R";
        QTest::newRow("good") << good << 0;
        QTest::newRow("index 0") << "$AIAAR,235000001,21,00,00,00,00,0006750,0,00,00,00,0006750,R" << -5;
        QTest::newRow("index missing") << "$AIAAR,235000001,21" << -5;
        QTest::newRow("no MMSI") << "$AIAAR,000000000,21,01,00,00,00,0006750,0,00,00,00,0006750,R" << -2;
        QTest::newRow("unknown MMSI") << "$AIAAR,211000000,21,01,00,00,00,0006750,0,00,00,00,0006750,R" << -2;
        QTest::newRow("not a reply") << "$AIAAR,235000001,21,01,00,00,00,0006750,0,00,00,00,0006750,C" << -1;
        QTest::newRow("hour 24 for message 21") << "$AIAAR,235000001,21,01,24,00,00,0006750,0,00,00,00,0006750,R" << -1;
        QTest::newRow("minute 60") << "$AIAAR,235000001,21,01,00,60,00,0006750,0,00,00,00,0006750,R" << -1;
        QTest::newRow("slot not a number") << "$AIAAR,235000001,21,01,00,00,x,0006750,0,00,00,00,0006750,R" << 0;
        QTest::newRow("message not a number") << "$AIAAR,235000001,2x,01,00,00,00,0006750,0,00,00,00,0006750,R" << 0;
        QTest::newRow("short") << "$AIAAR,235000001,21,01,00,00,00,0006750,0" << -1;
        // Another station's reply is told as such, whatever its times.
        QTest::newRow("no MMSI, bad time") << "$AIAAR,000000000,21,01,24,00,00,0006750,0,00,00,00,0006750,R" << -2;
        QTest::newRow("unknown MMSI, bad time") << "$AIAAR,211000000,21,01,00,60,00,0006750,0,00,00,00,0006750,R" << -2;
        QTest::newRow("message 21 index 3") << "$AIAAR,235000001,21,03,00,00,00,0006750,0,00,00,00,0006750,R" << 0;
        QTest::newRow("other talker") << "$GPAAR,235000001,21,01,00,00,00,0006750,0,00,00,00,0006750,R" << -4;
        QTest::newRow("other formatter") << "$AIACE,235000001,21,01,00,00,00,0006750,0,00,00,00,0006750,R" << -3;
    }

    void statuses()
    {
        QFETCH(QString, body);
        QFETCH(int, status);
        MessageSchedule* schedule = model->GetMessageSchedule();
        QVERIFY(schedule->EnableByCode(6));
        const QList<ScheduleEntry> before = schedule->GetEntries();
        AtoNSentenceAAR aar(schedule, model.get());
        QCOMPARE(aar.Decode(Reply(body)), status);
        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        if (status != 0 || tag.contains(QLatin1String("message")))
            QCOMPARE(schedule->GetEntries(), before);
    }

    void oneChannelUnreserved_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("position");
        QTest::newRow("message 6, channel A unreserved")
            << "$ANAAR,235000001,06,02,00,00,-1,0006750,0,00,00,0200,0006750,R" << 3;
        QTest::newRow("message 14, channel B unreserved")
            << "$ANAAR,235000001,14,01,00,00,0100,0006750,0,00,00,-1,0006750,R" << 14;
        QTest::newRow("message 21, channel B unreserved")
            << "$ANAAR,235000001,21,02,00,00,0100,0006750,0,00,00,-1,0006750,R" << 1;
    }

    // An entry that uses one channel only is a working entry: kept and enabled, its -1 kept.
    void oneChannelUnreserved()
    {
        QFETCH(QString, body);
        QFETCH(int, position);
        MessageSchedule* schedule = model->GetMessageSchedule();
        AtoNSentenceAAR aar(schedule, nullptr);
        QCOMPARE(aar.Decode(Reply("$ANAAR,235000001,06,01,00,00,0500,0006750,0,00,00,0600,0006750,R")), 0);
        QCOMPARE(aar.Decode(Reply(body)), 0);
        const ScheduleEntry e = schedule->GetEntry(position);
        QVERIFY(e.enabled);
        QCOMPARE(e.blockA.startSlot == -1, body.contains(QLatin1String(",00,-1,0006750,0,")));
        QCOMPARE(e.blockB.startSlot == -1, body.endsWith(QLatin1String(",-1,0006750,R")));
        QVERIFY(e.blockA.startSlot != e.blockB.startSlot);
    }

    void ratdmaReplyComesBackInSlots()
    {
        MessageSchedule* schedule = model->GetMessageSchedule();
        AtoNSentenceAAR aar(schedule, nullptr);
        QCOMPARE(aar.Decode(Reply("$ANAAR,235000001,21,02,06,30,,0000180,1,07,45,,0000090,R")), 0);
        const ScheduleEntry e = schedule->GetEntry(1);
        QCOMPARE(e.mode, 1);
        QVERIFY(e.enabled);
        QCOMPARE(e.blockA.startTime, QTime(6, 30));
        QCOMPARE(e.blockA.increment, 6750);
        QCOMPARE(e.blockB.startTime, QTime(7, 45));
        QCOMPARE(e.blockB.increment, 3375);
        QCOMPARE(e.blockA.startSlot, 0);
    }

    void firstBinaryReplyKeepsMessage21Entries()
    {
        MessageSchedule* schedule = model->GetMessageSchedule();
        AtoNSentenceAAR aar(schedule, nullptr);
        QCOMPARE(aar.Decode(Reply("$ANAAR,235000001,21,01,00,00,0100,0006750,0,00,00,0200,0006750,R")), 0);
        QCOMPARE(aar.Decode(Reply("$ANAAR,235000001,21,02,00,00,0300,0006750,0,00,00,0400,0006750,R")), 0);
        QVERIFY(schedule->EnableByCode(308)); // left over from an earlier run
        QCOMPARE(aar.Decode(Reply("$ANAAR,235000001,06,01,00,00,0500,0006750,0,00,00,0600,0006750,R")), 0);

        QCOMPARE(schedule->GetEntry(0).blockA.startSlot, 100);
        QCOMPARE(schedule->GetEntry(1).blockA.startSlot, 300);
        QVERIFY(schedule->GetEntry(1).enabled);
        QCOMPARE(schedule->GetEntry(2).messageId, 6);
        QCOMPARE(schedule->GetEntry(2).blockB.startSlot, 600);
        // The entry left over is back at its default, numbered within its group as before.
        QCOMPARE(schedule->GetEntry(9), Model().GetMessageSchedule()->GetEntry(9));
        QCOMPARE(schedule->Count(), 18);

        // Unused binary entries come back with both slots -1 and write nothing.
        QCOMPARE(aar.Decode(Reply("$ANAAR,235000001,08,02,00,00,-1,0006750,0,00,00,-1,0006750,R")), 0);
        QVERIFY(!schedule->GetEntry(7).enabled);
        QCOMPARE(schedule->CountEnabled(8), 0);
    }

    void virtualAtoNReplies()
    {
        // Arriving on the real AtoN's job: message 21 index 1 goes to the virtual AtoN's schedule.
        MessageSchedule* real = model->GetMessageSchedule();
        MessageSchedule* virtual5 = model->GetVirtualAtoN05()->GetMessageSchedule();
        const QList<ScheduleEntry> realBefore = real->GetEntries();
        AtoNSentenceAAR aar(real, model.get());
        QCOMPARE(aar.Decode(Reply("$AIAAR,992351005,21,01,00,00,1234,0004500,0,00,00,0042,0004500,R")), 0);
        QCOMPARE(virtual5->GetEntry(0).blockA.startSlot, 1234);
        QCOMPARE(virtual5->GetEntry(0).blockB.increment, 4500);
        QCOMPARE(real->GetEntries(), realBefore);

        const QList<ScheduleEntry> virtualBefore = virtual5->GetEntries();
        QCOMPARE(aar.Decode(Reply("$AIAAR,992351005,21,02,00,00,1234,0004500,0,00,00,0042,0004500,R")), 0);
        QCOMPARE(aar.Decode(Reply("$AIAAR,992351005,06,01,00,00,1234,0004500,0,00,00,0042,0004500,R")), 0);
        QCOMPARE(virtual5->GetEntries(), virtualBefore);
        QCOMPARE(virtual5->Count(), 1);

        // Without an owner the real AtoN's job cannot place another station's reply.
        AtoNSentenceAAR alone(real, nullptr);
        QCOMPARE(alone.Decode(Reply("$AIAAR,992351005,21,01,00,00,1234,0004500,0,00,00,0042,0004500,R")), -2);
    }

    void receiverSchedule()
    {
        MessageSchedule* receiver = model->GetVdlModel()->GetMessageSchedule();
        AtoNSentenceAAR aar(model->GetMessageSchedule(), model.get());
        QCOMPARE(aar.Decode(Reply("$AIAAR,235000001,00,01,24,00,0000,0002250,0,05,30,0000,0002250,R")), 0);
        const ScheduleEntry e = receiver->GetEntry(0);
        QCOMPARE(e.messageId, 0);
        QVERIFY(e.blockA.noTime);
        QVERIFY(!e.blockB.noTime);
        QCOMPARE(e.blockB.startTime, QTime(5, 30));
        QCOMPARE(e.blockA.increment, 2250);
    }

    void roundTrip()
    {
        Model sent;
        sent.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(QStringLiteral("235000001"));
        MessageSchedule* schedule = sent.GetMessageSchedule();
        ScheduleEntry second = Entry(21, 1, 0, 13500);
        second.blockA.startTime = QTime(23, 59);
        second.blockB.startTime = QTime(12, 0);
        QVERIFY(schedule->SetEntry(1, second));
        QVERIFY(schedule->EnableByCode(6));
        QVERIFY(schedule->SetEntry(2, Entry(6, 0, 1500, 2250)));
        QVERIFY(schedule->EnableByCode(214));
        QVERIFY(schedule->SetEntry(16, Entry(14, 1, 0, 67500)));
        AtoNSentenceAAR encoder(schedule, &sent);

        Model received;
        received.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(QStringLiteral("235000001"));
        MessageSchedule* target = received.GetMessageSchedule();
        AtoNSentenceAAR decoder(target, &received);
        for (int i = 0; i < schedule->Count(); ++i)
            QCOMPARE(decoder.Decode(AsReply(encoder.Encode(i, nullptr))), 0);

        QCOMPARE(target->Count(), schedule->Count());
        for (int i = 0; i < schedule->Count(); ++i)
            CompareEntries(target->GetEntry(i), schedule->GetEntry(i));
    }

private:
    std::unique_ptr<Model> model;
};

KELVANE_TEST_MAIN(TestAarSentence)
#include "tst_AarSentence.moc"
