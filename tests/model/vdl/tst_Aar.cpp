#include "model/AtoN.h"
#include "model/MessageSchedule.h"
#include "model/ScheduleEntry.h"
#include "model/vdl/VDLCodecModel.h"
#include "support/TestMain.h"

#include "VdlFrames.h"

using VdlFrames::Field;

class TestAar : public QObject
{
    Q_OBJECT

private slots:
    void singleBlockLayout_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<bool>("reserve");
        QTest::addColumn<QList<int>>("values"); // id, index, hour, minute, slot, interval
        QTest::addColumn<int>("channelBit");
        QTest::newRow("lowest, block A") << 1 << false << QList<int>{0, 0, 0, 0, 0, 0} << 0;
        QTest::newRow("highest, block B") << 2 << true << QList<int>{63, 7, 31, 63, 4095, 0xFFFFFF} << 1;
        QTest::newRow("unused block: slot -1") << 2 << true << QList<int>{6, 2, -1, -1, -1, 6750} << 1;
    }
    void singleBlockLayout()
    {
        QFETCH(int, channel);
        QFETCH(bool, reserve);
        QFETCH(QList<int>, values);
        QFETCH(int, channelBit);
        VDLCodecModel codec;
        AAR* aar = codec.GetAar();
        aar->channel = channel;
        aar->enableSlotReservation = reserve;
        aar->messageId = values[0];
        aar->messageIndex = values[1];
        aar->hour = values[2];
        aar->minute = values[3];
        aar->startSlot = values[4];
        aar->slotInterval = values[5];
        const QBitArray frame = aar->EncodeConfigurationSingle();
        QCOMPARE(Field(frame, 0, 16), quint64(0xF78C));
        QCOMPARE(Field(frame, 46, 1), quint64(channelBit));
        QCOMPARE(Field(frame, 47, 1), quint64(reserve));
        QCOMPARE(Field(frame, 48, 6), quint64(values[0] & 63));
        QCOMPARE(Field(frame, 54, 3), quint64(values[1] & 7));
        QCOMPARE(Field(frame, 57, 5), quint64(values[2] & 31));
        QCOMPARE(Field(frame, 62, 6), quint64(values[3] & 63));
        QCOMPARE(Field(frame, 68, 12), quint64(values[4] & 4095));
        QCOMPARE(Field(frame, 80, 24), quint64(values[5] & 0xFFFFFF));
        QCOMPARE(Field(frame, 104, 16), quint64(0));
    }

    void twoBlockLayoutSendsSeconds_data()
    {
        QTest::addColumn<int>("intervalA");
        QTest::addColumn<int>("intervalB");
        QTest::addColumn<int>("secondsA");
        QTest::addColumn<int>("secondsB");
        QTest::newRow("three minutes, just under a minute") << 6750 << 2249 << 180 << 59;
        QTest::newRow("zero, one day") << 0 << 3240000 << 0 << 86400;
        QTest::newRow("widest field") << 4915163 << 37 << 131071 << 0;
    }
    void twoBlockLayoutSendsSeconds()
    {
        QFETCH(int, intervalA);
        QFETCH(int, intervalB);
        QFETCH(int, secondsA);
        QFETCH(int, secondsB);
        VDLCodecModel codec;
        AAR* aar = codec.GetAar();
        aar->messageId = 63;
        aar->messageIndex = 7;
        aar->hour = 23;
        aar->minute = 59;
        aar->secondHour = 31;
        aar->secondMinute = 63;
        aar->slotInterval = intervalA;
        aar->secondInterval = intervalB;
        const QBitArray frame = aar->EncodeConfigurationDual();
        QCOMPARE(Field(frame, 0, 16), quint64(0xF78D));
        QCOMPARE(Field(frame, 46, 6), quint64(63));
        QCOMPARE(Field(frame, 52, 3), quint64(7));
        QCOMPARE(Field(frame, 55, 1), quint64(0));
        QCOMPARE(Field(frame, 56, 5), quint64(23));
        QCOMPARE(Field(frame, 61, 6), quint64(59));
        QCOMPARE(Field(frame, 67, 5), quint64(31));
        QCOMPARE(Field(frame, 72, 6), quint64(63));
        QCOMPARE(Field(frame, 78, 17), quint64(secondsA));
        QCOMPARE(Field(frame, 95, 17), quint64(secondsB & 0x1FFFF));
        QCOMPARE(Field(frame, 112, 8), quint64(0));
    }

    void requestFromResetModel()
    {
        AtoN aton;
        aton.GetAtoNMMSI()->SetMMSI(QStringLiteral("992350123"));
        MessageSchedule schedule;
        schedule.SetAtoN(&aton);
        VDLCodecModel codec;
        codec.ResetAar(&schedule);
        const QBitArray frame = codec.GetAar()->EncodeRequest();
        QCOMPARE(Field(frame, 0, 16), quint64(0xF78E));
        QCOMPARE(Field(frame, 16, 30), quint64(992350123));
        QCOMPARE(Field(frame, 46, 1), quint64(1));
        QCOMPARE(Field(frame, 47, 5), quint64(24));
        QCOMPARE(Field(frame, 52, 6), quint64(60));
        QCOMPARE(Field(frame, 58, 12), quint64(0));
        VDLCodecModel other;
        QVERIFY(other.GetAar()->DecodeRequest(frame));
        QCOMPARE(other.GetAar()->channel, 2);
        QCOMPARE(other.GetAar()->hour, 24);
        QCOMPARE(other.GetAar()->minute, 60);
        QCOMPARE(other.GetAar()->startSlot, 0);
    }

    void responseRoundTrip_data()
    {
        QTest::addColumn<QList<int>>("values"); // count, id, index, channel, hour, minute, slot, interval, reserve
        QTest::newRow("lowest, channel 1") << QList<int>{0, 0, 0, 1, 0, 0, 0, 0, 0};
        QTest::newRow("highest, channel 2") << QList<int>{63, 63, 7, 2, 31, 63, 4095, 0xFFFFFF, 1};
        QTest::newRow("time based") << QList<int>{5, 21, 1, 2, 12, 30, 2500, 180, 1};
    }
    void responseRoundTrip()
    {
        QFETCH(QList<int>, values);
        VDLCodecModel codec;
        codec.GetRemoteMmsi()->SetMmsi(QStringLiteral("992350001"));
        AAR* aar = codec.GetAar();
        aar->numberOfMessages = values[0];
        aar->messageId = values[1];
        aar->messageIndex = values[2];
        aar->channel = values[3];
        aar->hour = values[4];
        aar->minute = values[5];
        aar->startSlot = values[6];
        aar->slotInterval = values[7];
        aar->enableSlotReservation = values[8] != 0;
        const QBitArray frame = aar->EncodeResponse();
        QCOMPARE(Field(frame, 0, 16), quint64(0xF78F));
        QCOMPARE(Field(frame, 46, 6), quint64(values[0]));
        QCOMPARE(Field(frame, 61, 1), quint64(values[3] - 1));
        QCOMPARE(Field(frame, 85, 24), quint64(values[7]));
        QCOMPARE(Field(frame, 109, 1), quint64(values[8]));
        QCOMPARE(Field(frame, 110, 10), quint64(0));

        VDLCodecModel other;
        QVERIFY(other.GetAar()->DecodeResponse(frame));
        const AAR* read = other.GetAar();
        QCOMPARE(read->numberOfMessages, values[0]);
        QCOMPARE(read->messageId, values[1]);
        QCOMPARE(read->messageIndex, values[2]);
        QCOMPARE(read->channel, values[3]);
        QCOMPARE(read->hour, values[4]);
        QCOMPARE(read->minute, values[5]);
        QCOMPARE(read->startSlot, values[6]);
        QCOMPARE(read->slotInterval, values[7]);
        QCOMPARE(read->enableSlotReservation, values[8] != 0);
        if (values[0] == 5)
        {
            QCOMPARE(read->ResponseText(),
                     QStringLiteral("AARResponse\n  MMSI: 992350001\n  Number of messages to report: 5\n"
                                    "  Message ID: 21\n  Message Index: 1\n  Channel Selection: 2\n"
                                    "  Hour for slot start: 12\n  Minute for slot start: 30\n"
                                    "  FATDMA Start Slot: 2500\n  FATDMA Slot interval: 180\n"
                                    "  Enable slot reservation: 1\n"));
        }
    }

    void messageIndexCountsEarlierEntriesOfTheMessage_data()
    {
        QTest::addColumn<int>("messageId");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("index");
        QTest::newRow("third message 6") << 6 << 4 << 3;
        QTest::newRow("first message 8") << 8 << 6 << 1;
        QTest::newRow("second message 21") << 21 << 1 << 2;
        QTest::newRow("position 0") << 6 << 0 << 1;
        QTest::newRow("negative position") << 6 << -2 << 1;
        QTest::newRow("past the end") << 6 << 18 << 1;
    }
    void messageIndexCountsEarlierEntriesOfTheMessage()
    {
        QFETCH(int, messageId);
        QFETCH(int, position);
        QFETCH(int, index);
        MessageSchedule schedule;
        VDLCodecModel codec;
        codec.GetAar()->messageId = messageId;
        QCOMPARE(codec.GetAar()->MessageIndexOf(&schedule, position), index);
    }

    void fillOneBlock()
    {
        AtoN aton;
        aton.GetAtoNMMSI()->SetMMSI(QStringLiteral("992350321"));
        MessageSchedule schedule;
        schedule.SetAtoN(&aton);
        ScheduleEntry entry(6);
        entry.blockA = {false, QTime(1, 2), 100, 750};
        entry.blockB = {false, QTime(3, 4), 200, 1500};
        VDLCodecModel codec;
        AAR* aar = codec.GetAar();
        aar->twoBlockLayout = true;
        aar->SetFromScheduleEntryBlock(&schedule, entry, 3, true);
        QCOMPARE(codec.GetRemoteMmsi()->GetMmsi(), QStringLiteral("992350321"));
        QCOMPARE(aar->channel, 2);
        QCOMPARE(aar->messageId, 6);
        QCOMPARE(aar->messageIndex, 2);
        QVERIFY(aar->enableSlotReservation);
        QVERIFY(!aar->twoBlockLayout);
        QCOMPARE(aar->hour, 3);
        QCOMPARE(aar->minute, 4);
        QCOMPARE(aar->startSlot, 200);
        QCOMPARE(aar->slotInterval, 1500);
        QCOMPARE(Field(aar->EncodeConfigurationSingle(), 46, 1), quint64(1));

        aar->SetFromScheduleEntryBlock(&schedule, entry, 3, false);
        QCOMPARE(aar->channel, 1);
        QCOMPARE(aar->startSlot, 100);
        QCOMPARE(aar->slotInterval, 750);
        QCOMPARE(Field(aar->EncodeConfigurationSingle(), 46, 1), quint64(0));
    }

    void fillTwoBlocks()
    {
        AtoN aton;
        MessageSchedule schedule;
        schedule.SetAtoN(&aton);
        ScheduleEntry entry(21);
        entry.mode = ScheduleEntry::RATDMA;
        entry.blockA = {false, QTime(6, 30), 0, 6750};
        entry.blockB = {true, QTime(), 0, 2249};
        VDLCodecModel codec;
        AAR* aar = codec.GetAar();
        aar->SetFromScheduleEntry(&schedule, entry, 0);
        QCOMPARE(aar->channel, 0);
        QCOMPARE(aar->hour, 6);
        QCOMPARE(aar->minute, 30);
        QCOMPARE(aar->messageIndex, 1);
        QVERIFY(!aar->enableSlotReservation);
        QCOMPARE(aar->secondHour, -1);
        QCOMPARE(aar->secondMinute, -1);
        QVERIFY(aar->twoBlockLayout);
        const QBitArray frame = aar->EncodeConfigurationDual();
        QCOMPARE(Field(frame, 67, 5), quint64(31));
        QCOMPARE(Field(frame, 72, 6), quint64(63));
        QCOMPARE(Field(frame, 78, 17), quint64(180));
        QCOMPARE(Field(frame, 95, 17), quint64(59));
    }
};

KELVANE_TEST_MAIN(TestAar)
#include "tst_Aar.moc"
