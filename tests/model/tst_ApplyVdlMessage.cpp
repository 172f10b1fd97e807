#include "model/Model.h"
#include "model/vdl/VDLCodecModel.h"
#include "support/SavedBytes.h"
#include "support/TestMain.h"

#include <QSignalSpy>

namespace
{
const QString RealMmsi = QStringLiteral("992350001");
const QString RemoteMmsi = QStringLiteral("992350100");

void AarReply(VDLCodecModel& codec, int id, int index, int channel, int hour, int minute, int slot, int interval)
{
    AAR* aar = codec.GetAar();
    aar->messageId = id;
    aar->messageIndex = index;
    aar->channel = channel;
    aar->hour = hour;
    aar->minute = minute;
    aar->startSlot = slot;
    aar->slotInterval = interval;
}

using KelvaneTest::Saved;
} // namespace

class TestApplyVdlMessage : public QObject
{
    Q_OBJECT

private slots:
    void aidReplyAssignsByKind()
    {
        Model model;
        model.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(RealMmsi);
        VDLCodecModel codec;
        AID* aid = codec.GetAid();

        aid->targetMmsi.SetMmsi(QStringLiteral("992350200"));
        aid->targetType = 0;
        aid->targetMmsi2.SetMmsi(QStringLiteral("0"));
        aid->targetType2 = 1;
        model.ApplyVdlMessage(&codec, 2, RemoteMmsi);
        QCOMPARE(model.GetRealAtoN()->GetAtoNMMSI()->GetCurrentMMSI(), RemoteMmsi);
        QCOMPARE(model.GetRealAtoN()->GetAtoNMMSI()->GetMMSI(), QStringLiteral("992350200"));
        QVERIFY(!model.GetVirtualAtoN01()->GetAtoNMmsi()->IsEnabled()); // the second MMSI was "0"

        aid->targetMmsi.SetMmsi(QStringLiteral("992350301"));
        aid->targetType = 1;
        aid->targetMmsi2.SetMmsi(QStringLiteral("992350302"));
        aid->targetType2 = 1;
        model.GetVirtualAtoN01()->SetEnabled(true);
        model.ApplyVdlMessage(&codec, 2, RemoteMmsi);
        const AtoNMMSI* second = model.GetVirtualAtoN02()->GetAtoNMmsi();
        QCOMPARE(second->GetMMSI(), QStringLiteral("992350301"));
        QCOMPARE(second->GetCurrentMMSI(), RemoteMmsi);
        QVERIFY(second->IsEnabled());
        QCOMPARE(second->GetIndex(), 1);
        QVERIFY(!model.GetVirtualAtoN02()->IsEnabled()); // the record's own flag is not touched
        QCOMPARE(model.GetVirtualAtoN03()->GetAtoNMmsi()->GetMMSI(), QStringLiteral("992350302"));

        // Kind 1 for an MMSI that a virtual AtoN has already: nothing changes.
        const QByteArray before = Saved(model);
        aid->targetMmsi.SetMmsi(QStringLiteral("992350302"));
        aid->targetMmsi2.SetMmsi(QStringLiteral("0"));
        model.ApplyVdlMessage(&codec, 2, RemoteMmsi);
        QCOMPARE(Saved(model), before);

        aid->targetMmsi.SetMmsi(QStringLiteral("992350400"));
        aid->targetType = 2;
        aid->targetMmsi2.SetMmsi(QStringLiteral("992350500"));
        aid->targetType2 = 3;
        model.ApplyVdlMessage(&codec, 2, RemoteMmsi);
        QCOMPARE(model.GetVdlModel()->GetFirstMmsi()->GetMMSI(), QStringLiteral("992350400"));
        QVERIFY(model.GetVdlModel()->ContainsMmsi(QStringLiteral("992350500")));
        model.ApplyVdlMessage(&codec, 2, RemoteMmsi);
        QCOMPARE(model.GetVdlModel()->GetChainingMmsiCount(), 1);
    }

    void kindOneWithoutAFreeVirtualAtoNChangesNothing()
    {
        Model model;
        for (int k = 1; k <= 10; ++k)
            model.GetVirtualAtoN(k)->SetEnabled(true);
        VDLCodecModel codec;
        codec.GetAid()->targetMmsi.SetMmsi(QStringLiteral("992359999"));
        codec.GetAid()->targetType = 1;
        codec.GetAid()->targetMmsi2.SetMmsi(QStringLiteral("0"));
        const QByteArray before = Saved(model);
        model.ApplyVdlMessage(&codec, 2, RemoteMmsi);
        QCOMPARE(Saved(model), before);
    }

    void aidReplyFromAVirtualAtoNIsIgnored()
    {
        Model model;
        model.GetVirtualAtoN04()->GetAtoNMmsi()->SetMMSI(RemoteMmsi);
        VDLCodecModel codec;
        codec.GetAid()->targetMmsi.SetMmsi(QStringLiteral("992350200"));
        const QByteArray before = Saved(model);
        model.ApplyVdlMessage(&codec, 2, RemoteMmsi);
        QCOMPARE(Saved(model), before);
    }

    void aceAcfPart1GoesToTheVirtualAtoNBeforeTheRealOne()
    {
        Model model;
        model.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(RemoteMmsi);
        model.GetVirtualAtoN03()->GetAtoNMmsi()->SetMMSI(RemoteMmsi);
        VDLCodecModel codec;
        ACE_ACF* ace = codec.GetAceAcf();
        ace->offPositionThreshold = 777;
        ace->GetPosition()->SetLatitude(-33.5);
        ace->GetPosition()->SetLongitude(18.25);
        ace->syncLossBehaviour = true;
        ace->powerLevel = 5;
        ace->channel1 = 1001;
        model.ApplyVdlMessage(&codec, 10, RemoteMmsi);
        const AtoN* target = model.GetVirtualAtoN03()->GetAtoN();
        QCOMPARE(target->GetOffPositionThreshold(), 777);
        QCOMPARE(target->GetPosition()->GetLatitude(), -33.5);
        QCOMPARE(target->GetPosition()->GetLongitude(), 18.25);
        QCOMPARE(target->GetSyncLossBehaviour(), 1);
        QCOMPARE(target->GetPowerLevel(), 5);
        QCOMPARE(target->GetChannel1(), 2087); // part 1 carries no channels
        QCOMPARE(model.GetRealAtoN()->GetOffPositionThreshold(), 50);
    }

    void aceAcfPart2ChangesOnlyWhatItCarries()
    {
        Model model;
        VirtualAtoNModel* virtualAtoN = model.GetVirtualAtoN05();
        virtualAtoN->GetAtoNMmsi()->SetMMSI(RemoteMmsi);
        virtualAtoN->SetSynthetic(true);
        virtualAtoN->SetTypeOfAtoN(9);
        virtualAtoN->SetDimensionA(40);
        virtualAtoN->SetInland(true);
        const int code = virtualAtoN->GetInlandTypeCode();
        VDLCodecModel codec;
        ACE_ACF* ace = codec.GetAceAcf();
        // Whatever else the codec holds must not leak into the record.
        ace->typeOfAtoN = 0;
        ace->dimensionA = 1;
        ace->inlandTypeCode = 0;
        ace->stationKind = 0;
        ace->offPositionCheck = true;
        ace->channel1 = 2001;
        ace->channel2 = 2002;
        model.ApplyVdlMessage(&codec, 11, RemoteMmsi);
        const AtoN* target = virtualAtoN->GetAtoN();
        QCOMPARE(target->GetOffPositionCheck(), 1);
        QCOMPARE(target->GetChannel1(), 2001);
        QCOMPARE(target->GetChannel2(), 2002);
        QCOMPARE(target->GetStationKind(), 2);
        QCOMPARE(target->GetTypeOfAtoN(), 9);
        QCOMPARE(target->GetDimensionA(), 40);
        QVERIFY(target->IsInland());
        QCOMPARE(target->GetInlandTypeCode(), code);

        // The same reply from an unknown unit goes to the real AtoN.
        model.ApplyVdlMessage(&codec, 11, QStringLiteral("123"));
        QCOMPARE(model.GetRealAtoN()->GetChannel1(), 2001);
        QCOMPARE(model.GetRealAtoN()->GetOffPositionCheck(), 1);
    }

    void decodedReplyEndToEnd()
    {
        Model model;
        VDLCodecModel sender;
        sender.GetRemoteMmsi()->SetMmsi(RemoteMmsi);
        sender.GetAar()->messageId = 6;
        sender.GetAar()->messageIndex = 2;
        sender.GetAar()->channel = 2;
        sender.GetAar()->startSlot = 300;
        sender.GetAar()->slotInterval = 2250;
        const QBitArray frame = sender.GetAar()->EncodeResponse();

        VDLCodecModel receiver;
        QVERIFY(receiver.GetAar()->DecodeResponse(frame));
        model.ApplyVdlMessage(&receiver, 15, receiver.GetRemoteMmsi()->GetMmsi());
        QCOMPARE(model.GetReceivedSchedule().size(), 1);
        const ScheduleEntry entry = model.GetReceivedSchedule().first();
        QCOMPARE(entry.messageId, 6);
        QCOMPARE(entry.index, 2);
        QCOMPARE(entry.blockB.startSlot, 300);
        QCOMPARE(entry.blockB.increment, 2250);
        QCOMPARE(entry.mode, 0);
    }

    void timeBasedAarReply()
    {
        Model model;
        VDLCodecModel codec;
        AarReply(codec, 21, 1, 2, 12, 30, 2500, 180);
        model.ApplyVdlMessage(&codec, 15, RemoteMmsi);
        QCOMPARE(model.GetReceivedSchedule().size(), 1);
        const ScheduleEntry entry = model.GetReceivedSchedule().first();
        QCOMPARE(entry.mode, 1);
        QVERIFY(entry.blockB.noTime);
        QCOMPARE(entry.blockB.increment, 6750);
        QCOMPARE(entry.blockB.startSlot, 2500);
        QCOMPARE(entry.blockB.startTime, QTime(12, 30));
        QVERIFY(!entry.blockA.noTime);
        QCOMPARE(entry.blockA.startTime, QTime(0, 0));
        QCOMPARE(entry.blockA.startSlot, 0);
        QCOMPARE(entry.blockA.increment, 6750);
        QVERIFY(entry.enabled);
    }

    void timeBasedIntervalIsComputedWideAndClamped_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("increment");
        QTest::newRow("59 s truncates") << 59 << 2212;
        QTest::newRow("one day") << 86400 << 3240000;
        QTest::newRow("widest reply field") << 0xFFFFFF << 3240000;
        QTest::newRow("would overflow 32 bits") << 1000000 << 3240000;
    }
    void timeBasedIntervalIsComputedWideAndClamped()
    {
        QFETCH(int, seconds);
        QFETCH(int, increment);
        Model model;
        VDLCodecModel codec;
        AarReply(codec, 8, 1, 1, 0, 0, 2500, seconds);
        model.ApplyVdlMessage(&codec, 15, RemoteMmsi);
        QCOMPARE(model.GetReceivedSchedule().first().blockA.increment, increment);
    }

    void channelRepliesMergeIntoOneEntry()
    {
        Model model;
        VDLCodecModel codec;
        AarReply(codec, 6, 2, 1, 0, 0, 100, 750);
        model.ApplyVdlMessage(&codec, 15, RemoteMmsi);
        AarReply(codec, 6, 2, 2, 0, 0, 200, 1500);
        model.ApplyVdlMessage(&codec, 15, RemoteMmsi);
        AarReply(codec, 8, 1, 1, 0, 0, 5, 6);
        model.ApplyVdlMessage(&codec, 15, RemoteMmsi);
        AarReply(codec, 0, 1, 1, 0, 0, 5, 6); // message 0 is no schedule record
        model.ApplyVdlMessage(&codec, 15, RemoteMmsi);
        QCOMPARE(model.GetReceivedSchedule().size(), 2);
        const ScheduleEntry merged = model.GetReceivedSchedule().first();
        QCOMPARE(merged.messageId, 6);
        QCOMPARE(merged.blockA.startSlot, 100);
        QCOMPARE(merged.blockA.increment, 750);
        QCOMPARE(merged.blockB.startSlot, 200);
        QCOMPARE(merged.blockB.increment, 1500);
        QCOMPARE(model.GetReceivedSchedule().at(1).messageId, 8);

        model.ClearReceivedSchedule();
        QVERIFY(model.GetReceivedSchedule().isEmpty());
    }

    void aarReplyFromAVirtualAtoNIsCollectedToo()
    {
        Model model;
        model.GetVirtualAtoN02()->GetAtoNMmsi()->SetMMSI(RemoteMmsi);
        const QByteArray before = Saved(*model.GetVirtualAtoN02());
        VDLCodecModel codec;
        AarReply(codec, 21, 1, 1, 0, 0, 10, 2250);
        model.ApplyVdlMessage(&codec, 15, RemoteMmsi);
        QCOMPARE(model.GetReceivedSchedule().size(), 1);
        QCOMPARE(Saved(*model.GetVirtualAtoN02()), before);
    }

    void copReplyWritesTheWakeUpSchedule()
    {
        Model model;
        VDLCodecModel codec;
        COP* cop = codec.GetCop();
        cop->mode = 2;
        cop->wakeUpTime = QTime(6, 30);
        cop->interval = 3600;
        cop->duration = 600;
        model.ApplyVdlMessage(&codec, 36, RemoteMmsi);
        const VdlModel* vdl = model.GetVdlModel();
        QCOMPARE(vdl->receiverMode, 2);
        QCOMPARE(vdl->receiverHour, 6);
        QCOMPARE(vdl->receiverMinute, 30);
        QCOMPARE(vdl->receiverInterval, 3600);
        QCOMPARE(vdl->receiverDuration, 600);

        // An out-of-range time from the unit is no time: hour and minute stay.
        cop->wakeUpTime = QTime(31, 63);
        cop->interval = 60;
        model.ApplyVdlMessage(&codec, 36, RemoteMmsi);
        QCOMPARE(vdl->receiverHour, 6);
        QCOMPARE(vdl->receiverMinute, 30);
        QCOMPARE(vdl->receiverInterval, 60);
    }

    void copReplyFromAVirtualAtoNChangesNothing()
    {
        Model model;
        model.GetVirtualAtoN10()->GetAtoNMmsi()->SetMMSI(RemoteMmsi);
        VDLCodecModel codec;
        codec.GetCop()->mode = 1;
        codec.GetCop()->interval = 60;
        const QByteArray before = Saved(model);
        model.ApplyVdlMessage(&codec, 36, RemoteMmsi);
        QCOMPARE(Saved(model), before);
    }

    void otherIdentifiersChangeNothing_data()
    {
        QTest::addColumn<int>("id");
        for (int id : {0, 1, 3, 9, 12, 14, 33, 35, 63, -1})
            QTest::newRow(qPrintable(QString::number(id))) << id;
    }
    void otherIdentifiersChangeNothing()
    {
        QFETCH(int, id);
        Model model;
        VDLCodecModel codec;
        codec.GetAceAcf()->channel1 = 1;
        codec.GetAid()->targetMmsi.SetMmsi(QStringLiteral("5"));
        const QByteArray before = Saved(model);
        model.ApplyVdlMessage(&codec, id, RemoteMmsi);
        QCOMPARE(Saved(model), before);
        QVERIFY(model.GetReceivedSchedule().isEmpty());
    }

    void receivedScheduleIntoTheRealAtoN()
    {
        Model model;
        model.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(RealMmsi);
        VDLCodecModel codec;
        AarReply(codec, 21, 1, 1, 0, 0, 10, 2250);
        model.ApplyVdlMessage(&codec, 15, RemoteMmsi);
        AarReply(codec, 6, 2, 1, 0, 0, 20, 4500);
        model.ApplyVdlMessage(&codec, 15, RemoteMmsi);
        AarReply(codec, 14, 4, 2, 0, 0, 30, 9000);
        model.ApplyVdlMessage(&codec, 15, RemoteMmsi);
        AarReply(codec, 8, 1, 1, 0, 0, -1, 6750); // an unused block (start slot 4095 on the wire) stays
        model.ApplyVdlMessage(&codec, 15, RemoteMmsi);
        AarReply(codec, 21, 5, 1, 0, 0, 40, 2250); // no fifth report position: dropped
        model.ApplyVdlMessage(&codec, 15, RemoteMmsi);
        AarReply(codec, 6, 7, 1, 0, 0, 40, 2250); // no seventh message 6 position: refused
        model.ApplyVdlMessage(&codec, 15, RemoteMmsi);
        AarReply(codec, 21, 2, 2, 0, 0, 50, 2250);
        model.ApplyVdlMessage(&codec, 15, RemoteMmsi);

        MessageSchedule* schedule = model.GetMessageSchedule();
        QSignalSpy offPosition(schedule, &MessageSchedule::off_position_checked);
        model.ApplyReceivedSchedule(QStringLiteral("unknown"));
        QCOMPARE(schedule->Count(), 18);
        QCOMPARE(schedule->GetEntry(0).blockA.startSlot, 10);
        QCOMPARE(schedule->GetEntry(3).messageId, 6);
        QCOMPARE(schedule->GetEntry(3).blockA.startSlot, 20);
        QVERIFY(schedule->GetEntry(3).enabled);
        QCOMPARE(schedule->GetEntry(17).messageId, 14);
        QCOMPARE(schedule->GetEntry(17).blockB.startSlot, 30);
        QCOMPARE(schedule->GetEntry(1).blockB.startSlot, 50);
        QVERIFY(schedule->GetEntry(1).enabled);
        QCOMPARE(offPosition.count(), 1);
        QCOMPARE(offPosition.first().first().toBool(), false);
        QVERIFY(schedule->GetEntry(6).enabled); // message 8 with one used block
        for (int position = 2; position < 18; ++position)
        {
            if (position == 3 || position == 6 || position == 17)
                continue;
            QVERIFY2(!schedule->GetEntry(position).enabled, qPrintable(QString::number(position)));
            QVERIFY(schedule->GetEntry(position).messageId != 21);
        }
        // Applying does not empty the list.
        QCOMPARE(model.GetReceivedSchedule().size(), 7);
    }

    void entriesWithoutUsedBlocksAreSkipped()
    {
        Model model;
        VDLCodecModel codec;
        AarReply(codec, 6, 1, 1, 0, 0, -1, 0);
        model.ApplyVdlMessage(&codec, 15, RemoteMmsi);
        AarReply(codec, 6, 1, 2, 0, 0, -1, 0);
        model.ApplyVdlMessage(&codec, 15, RemoteMmsi);
        model.ApplyReceivedSchedule(RealMmsi);
        QVERIFY(!model.GetMessageSchedule()->GetEntry(2).enabled);
    }

    void receivedScheduleIntoAVirtualAtoNTakesMessage21Index1Only()
    {
        Model model;
        model.GetVirtualAtoN07()->GetAtoNMmsi()->SetMMSI(RemoteMmsi);
        VDLCodecModel codec;
        AarReply(codec, 6, 1, 1, 0, 0, 20, 4500);
        model.ApplyVdlMessage(&codec, 15, QStringLiteral("1"));
        AarReply(codec, 21, 1, 2, 3, 4, 2500, 120);
        model.ApplyVdlMessage(&codec, 15, QStringLiteral("1"));
        AarReply(codec, 21, 2, 1, 0, 0, 20, 4500);
        model.ApplyVdlMessage(&codec, 15, QStringLiteral("1"));
        model.ApplyReceivedSchedule(RemoteMmsi);
        const MessageSchedule* schedule = model.GetVirtualAtoN07()->GetMessageSchedule();
        QCOMPARE(schedule->Count(), 1);
        const ScheduleEntry entry = schedule->GetEntry(0);
        QCOMPARE(entry.messageId, 21);
        QCOMPARE(entry.mode, 1);
        QCOMPARE(entry.blockB.increment, 4500);
        QCOMPARE(entry.blockB.startTime, QTime(3, 4));
        // The real AtoN's schedule is left as it was.
        QVERIFY(!model.GetMessageSchedule()->GetEntry(2).enabled);
    }

    void nullCodecIsRefused()
    {
        Model model;
        QVERIFY_THROWS_EXCEPTION(std::bad_alloc, model.ApplyVdlMessage(nullptr, 2, RemoteMmsi));
    }
};

KELVANE_TEST_MAIN(TestApplyVdlMessage)
#include "tst_ApplyVdlMessage.moc"
