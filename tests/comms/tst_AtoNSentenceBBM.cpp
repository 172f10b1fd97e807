#include "comms/AtoNSentenceBBM.h"
#include "comms/NmeaSentence.h"
#include "model/Model.h"
#include "model/vdl/VDLModelObject.h"
#include "model/vdl/VdlApplicationID.h"
#include "support/TestMain.h"

#include "../model/vdl/VdlFrames.h"

using VdlFrames::Field;

namespace
{
const QString RealMmsi = QStringLiteral("992350001");
const QString TargetMmsi = QStringLiteral("992350777");

// The frame a sentence carries: its armoured payload (field 6) back to bits.
QBitArray FrameOf(const QString& sentence)
{
    const NmeaSentence parsed(sentence.trimmed());
    QString payload;
    if (!parsed.IsValid() || !parsed.GetString(6, payload))
        return QBitArray(1, true);
    QBitArray bits(6 * payload.size(), false);
    int position = 0;
    for (QChar c : payload)
        VDLModelObject::PutBits(NmeaSentence::SixBitValue(char(c.toLatin1())), 6, bits, position);
    return bits;
}

int FrameNumber(const QString& sentence)
{
    return int(Field(FrameOf(sentence), 0, 16)) - 63360;
}

// A schedule section of the configuration file holding the given entries.
QByteArray ScheduleSection(const QList<ScheduleEntry>& entries)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint32(2) << qint32(entries.size());
    for (const ScheduleEntry& e : entries)
    {
        const int divisor = e.mode != 0 ? 2250 : 1;
        out << e.messageId << e.mode << e.blockA.startTime << e.blockA.startSlot << qint32(e.blockA.increment / divisor)
            << e.blockB.startTime << e.blockB.startSlot << qint32(e.blockB.increment / divisor)
            << qint8(e.enabled ? 1 : 0) << e.further;
    }
    return bytes;
}
} // namespace

class TestAtoNSentenceBBM : public QObject
{
    Q_OBJECT

private slots:
    void aidRequestIsTheWorkedExample()
    {
        Model model;
        model.GetVdlModel()->targetMMSI = QStringLiteral("000000000");
        AtoNSentenceBBM bbm(&model, VDL::AID_REQUEST);
        QCOMPARE(bbm.GetFormatter(), QStringLiteral("BBM"));
        int count = 5;
        QCOMPARE(bbm.Encode(0, &count), QStringLiteral("!AIBBM,1,1,0,0,25,up400003Sh00000000008@,4*1B\r\n"));
        QCOMPARE(count, 5);
    }

    void unknownKindSendsAnEmptyFrame()
    {
        Model model;
        AtoNSentenceBBM bbm(&model, 150);
        QCOMPARE(bbm.GetKind(), 34);
        QCOMPARE(bbm.Encode(0, nullptr), QStringLiteral("!AIBBM,1,1,0,0,25,,4*5A\r\n"));
        QCOMPARE(bbm.Decode(NmeaSentence(QStringLiteral("!AIBBM,1,1,0,0,25,,4*5A"))), 0);
    }

    void kindSelectsTheFrame_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("frame");
        QTest::newRow("AID configuration") << 0 << 0;
        QTest::newRow("AID request") << 1 << 1;
        for (int part = 1; part <= 6; ++part)
            QTest::newRow(qPrintable(QStringLiteral("ACE/ACF part %1").arg(part))) << part + 2 << part + 2;
        QTest::newRow("ACE/ACF request") << 9 << 9;
        QTest::newRow("AAR configuration") << 14 << 12;
        QTest::newRow("AAR request") << 15 << 14;
        QTest::newRow("COP request") << 19 << 18;
        QTest::newRow("COP configuration") << 35 << 35;
    }
    void kindSelectsTheFrame()
    {
        QFETCH(int, kind);
        QFETCH(int, frame);
        Model model;
        model.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(RealMmsi);
        model.GetVdlModel()->targetMMSI = TargetMmsi;
        AtoNSentenceBBM bbm(&model, kind);
        const QString sentence = bbm.Encode(0, nullptr);
        QVERIFY(NmeaSentence(sentence.trimmed()).IsValid());
        QVERIFY(sentence.endsWith(QStringLiteral("\r\n")));
        QVERIFY(sentence.contains(QStringLiteral(",4*")));
        const QBitArray bits = FrameOf(sentence);
        QCOMPARE(bits.size(), 22 * 6); // 128 bits and the 4 fill bits of the last character
        QCOMPARE(Field(bits, 128, 4), quint64(0));
        QCOMPARE(FrameNumber(sentence), frame);
        QCOMPARE(Field(bits, 16, 30), quint64(992350777));
        QBitArray frameBits = bits;
        frameBits.resize(128);
        QBitArray checked = frameBits;
        VDLModelObject::AppendChecksum(checked);
        QCOMPARE(checked, frameBits);
    }

    void sendingLeavesTheModelsMmsiAlone_data()
    {
        QTest::addColumn<int>("kind");
        for (int kind : {0, 1, 3, 6, 9, 14, 15, 19, 35})
            QTest::newRow(qPrintable(QString::number(kind))) << kind;
    }
    void sendingLeavesTheModelsMmsiAlone()
    {
        QFETCH(int, kind);
        Model model;
        model.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(RealMmsi);
        model.GetVdlModel()->targetMMSI = TargetMmsi;
        QByteArray before;
        {
            QDataStream out(&before, QIODevice::WriteOnly);
            model.Save(out);
        }
        AtoNSentenceBBM bbm(&model, kind);
        int count = 0;
        bbm.Encode(0, &count);
        for (int i = 1; i <= count; ++i)
            bbm.Encode(i, nullptr);
        QByteArray after;
        {
            QDataStream out(&after, QIODevice::WriteOnly);
            model.Save(out);
        }
        QCOMPARE(after, before);
        QCOMPARE(model.GetRealAtoN()->GetAtoNMMSI()->GetMMSI(), RealMmsi);
    }

    void aceAcfFramesDescribeTheAddressedVirtualAtoN()
    {
        Model model;
        model.GetRealAtoN()->SetName(QStringLiteral("REAL"));
        VirtualAtoNModel* virtualAtoN = model.GetVirtualAtoN04();
        virtualAtoN->GetAtoNMmsi()->SetMMSI(TargetMmsi);
        virtualAtoN->SetAtoNName(QStringLiteral("VIRTUAL FOUR"));
        virtualAtoN->SetDimensionA(300);
        model.GetVdlModel()->targetMMSI = TargetMmsi;

        AtoNSentenceBBM part2(&model, VDL::ACE_ACF_CONFIGURATION_PART_2);
        const QBitArray frame2 = FrameOf(part2.Encode(0, nullptr));
        QCOMPARE(Field(frame2, 51, 9), quint64(300));
        QCOMPARE(Field(frame2, 89, 2), quint64(1)); // station kind virtual

        AtoNSentenceBBM part4(&model, VDL::ACE_ACF_CONFIGURATION_PART_4);
        const QBitArray frame4 = FrameOf(part4.Encode(0, nullptr));
        int at = 46;
        QCOMPARE(VDLModelObject::GetSixBitText(12, frame4, at), QStringLiteral("VIRTUAL FOUR"));
    }

    void aidConfigurationSendsEveryEnabledMmsi()
    {
        Model model;
        model.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(RealMmsi);
        model.GetVirtualAtoN02()->GetAtoNMmsi()->SetMMSI(QStringLiteral("992350002"));
        model.GetVirtualAtoN02()->SetEnabled(true);
        model.GetVirtualAtoN05()->GetAtoNMmsi()->SetMMSI(QStringLiteral("992350005"));
        model.GetVirtualAtoN05()->SetEnabled(true);
        model.GetVdlModel()->targetMMSI = TargetMmsi;
        AtoNSentenceBBM bbm(&model, VDL::AID_CONFIGURATION);
        int count = -1;
        const QString first = bbm.Encode(0, &count);
        QCOMPARE(count, 2);
        const QList<QBitArray> frames{FrameOf(first), FrameOf(bbm.Encode(1, &count)), FrameOf(bbm.Encode(2, &count))};
        QCOMPARE(count, 0);
        // The real AtoN's entry configures the addressed unit's own MMSI (type 0).
        const QList<quint64> mmsis{992350777, 992350002, 992350005};
        const QList<quint64> types{0, 1, 1};
        for (int i = 0; i < 3; ++i)
        {
            QCOMPARE(Field(frames[i], 0, 16), quint64(0xF780));
            QCOMPARE(Field(frames[i], 16, 30), quint64(992350777));
            QCOMPARE(Field(frames[i], 46, 1), quint64(1));
            QCOMPARE(Field(frames[i], 47, 30), mmsis[i]);
            QCOMPARE(Field(frames[i], 77, 2), types[i]);
        }
        // A step past the list (the model changed meanwhile) sends a disabled MMSI 0.
        const QBitArray past = FrameOf(bbm.Encode(3, &count));
        QCOMPARE(Field(past, 46, 33), quint64(0));
    }

    void aidConfigurationWithoutEnabledMmsisSendsNothing()
    {
        Model model;
        model.GetRealAtoN()->GetAtoNMMSI()->SetEnabled(false);
        model.GetVdlModel()->targetMMSI = TargetMmsi;
        AtoNSentenceBBM bbm(&model, VDL::AID_CONFIGURATION);
        int count = -1;
        QVERIFY(bbm.Encode(0, &count).isEmpty());
        QCOMPARE(count, 0);
    }

    void aarConfigurationWalksTheSchedule()
    {
        Model model;
        VirtualAtoNModel* virtualAtoN = model.GetVirtualAtoN01();
        virtualAtoN->GetAtoNMmsi()->SetMMSI(TargetMmsi);
        model.GetVdlModel()->targetMMSI = TargetMmsi;
        ScheduleEntry fatdma(21);
        fatdma.blockA = {false, QTime(1, 2), 100, 750};
        fatdma.blockB = {false, QTime(3, 4), 200, 1500};
        ScheduleEntry ratdma(21);
        ratdma.mode = ScheduleEntry::RATDMA;
        ratdma.blockA = {false, QTime(6, 30), 0, 6750};
        ratdma.blockB = {false, QTime(7, 45), 0, 2250 * 2};
        {
            QDataStream in(ScheduleSection({fatdma, ratdma}));
            virtualAtoN->GetMessageSchedule()->Load(in);
        }
        QCOMPARE(virtualAtoN->GetMessageSchedule()->Count(), 2);

        AtoNSentenceBBM bbm(&model, AtoNSentenceBBM::AarConfigurationKind);
        int count = -1;
        const QBitArray a = FrameOf(bbm.Encode(0, &count));
        QCOMPARE(count, 2);
        const QBitArray b = FrameOf(bbm.Encode(1, &count));
        QCOMPARE(count, 0);
        const QBitArray dual = FrameOf(bbm.Encode(2, &count));

        QCOMPARE(Field(a, 0, 16), quint64(0xF78C));
        QCOMPARE(Field(a, 46, 2), quint64(0b01)); // channel A, reservation set
        QCOMPARE(Field(a, 48, 6), quint64(21));
        QCOMPARE(Field(a, 54, 3), quint64(1));
        QCOMPARE(Field(a, 57, 5), quint64(1));
        QCOMPARE(Field(a, 62, 6), quint64(2));
        QCOMPARE(Field(a, 68, 12), quint64(100));
        QCOMPARE(Field(a, 80, 24), quint64(750));

        QCOMPARE(Field(b, 0, 16), quint64(0xF78C));
        QCOMPARE(Field(b, 46, 2), quint64(0b11)); // channel B
        QCOMPARE(Field(b, 68, 12), quint64(200));
        QCOMPARE(Field(b, 80, 24), quint64(1500));

        QCOMPARE(Field(dual, 0, 16), quint64(0xF78D));
        QCOMPARE(Field(dual, 46, 6), quint64(21));
        QCOMPARE(Field(dual, 52, 3), quint64(2)); // second message 21 of the schedule
        QCOMPARE(Field(dual, 56, 5), quint64(6));
        QCOMPARE(Field(dual, 61, 6), quint64(30));
        QCOMPARE(Field(dual, 67, 5), quint64(7));
        QCOMPARE(Field(dual, 72, 6), quint64(45));
        QCOMPARE(Field(dual, 78, 17), quint64(180));
        QCOMPARE(Field(dual, 95, 17), quint64(120));

        // A new step starts the walk again.
        const QBitArray again = FrameOf(bbm.Encode(0, &count));
        QCOMPARE(Field(again, 46, 2), quint64(0b01));
        QCOMPARE(Field(again, 68, 12), quint64(100));
    }

    void aarConfigurationCountOfTheRealSchedule()
    {
        Model model;
        model.GetVdlModel()->targetMMSI = TargetMmsi;
        AtoNSentenceBBM bbm(&model, AtoNSentenceBBM::AarConfigurationKind);
        int count = -1;
        bbm.Encode(0, &count);
        QCOMPARE(count, 2 * 18 - 1);
    }

    void sentencesFitTheLineLimit()
    {
        Model model;
        model.GetVdlModel()->targetMMSI = TargetMmsi;
        for (int kind : {0, 1, 3, 4, 5, 6, 7, 8, 9, 14, 15, 19, 35})
        {
            AtoNSentenceBBM bbm(&model, kind);
            const QString sentence = bbm.Encode(0, nullptr);
            QVERIFY(sentence.size() - 2 <= NmeaSentence::MaxLineLength);
        }
    }
};

KELVANE_TEST_MAIN(TestAtoNSentenceBBM)
#include "tst_AtoNSentenceBBM.moc"
