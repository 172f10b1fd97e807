#include "model/AtoN.h"
#include "model/vdl/VDLCodecModel.h"
#include "support/TestMain.h"

#include "VdlFrames.h"

using VdlFrames::Field;

namespace
{
bool ChecksumHolds(const QBitArray& frame)
{
    QBitArray copy = frame;
    VDLModelObject::AppendChecksum(copy);
    return copy == frame;
}
} // namespace

class TestAid : public QObject
{
    Q_OBJECT

private slots:
    void configurationLayout_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("mmsi");
        QTest::addColumn<int>("type");
        QTest::addColumn<quint64>("wireMmsi");
        QTest::addColumn<int>("wireType");
        QTest::newRow("lowest") << false << "0" << 0 << quint64(0) << 0;
        QTest::newRow("highest") << true << "1073741823" << 3 << quint64(1073741823) << 3;
        QTest::newRow("nine digits") << true << "992351234" << 1 << quint64(992351234) << 1;
        QTest::newRow("no number is MMSI 0") << true << "99235X234" << 2 << quint64(0) << 2;
        QTest::newRow("type above 3 keeps two low bits") << true << "1" << 6 << quint64(1) << 2;
    }
    void configurationLayout()
    {
        QFETCH(bool, enabled);
        QFETCH(QString, mmsi);
        QFETCH(int, type);
        QFETCH(quint64, wireMmsi);
        QFETCH(int, wireType);
        VDLCodecModel codec;
        codec.GetRemoteMmsi()->SetMmsi(QStringLiteral("992350000"));
        AID* aid = codec.GetAid();
        aid->enabled = enabled;
        aid->targetMmsi.SetMmsi(mmsi);
        aid->targetType = type;
        const QBitArray frame = aid->EncodeConfiguration();
        QCOMPARE(frame.size(), 128);
        QCOMPARE(Field(frame, 0, 16), quint64(0xF780));
        QCOMPARE(Field(frame, 16, 30), quint64(992350000));
        QCOMPARE(Field(frame, 46, 1), quint64(enabled ? 1 : 0));
        QCOMPARE(Field(frame, 47, 30), wireMmsi);
        QCOMPARE(Field(frame, 77, 2), quint64(wireType));
        QCOMPARE(Field(frame, 79, 41), quint64(0));
        QVERIFY(ChecksumHolds(frame));

        VDLCodecModel other;
        QVERIFY(other.GetAid()->DecodeConfiguration(frame));
        QCOMPARE(other.GetAid()->enabled, enabled);
        QCOMPARE(other.GetAid()->GetTargetMmsi(), QString::number(wireMmsi));
        QCOMPARE(other.GetAid()->targetType, wireType);
        QCOMPARE(other.GetRemoteMmsi()->GetMmsi(), QStringLiteral("992350000"));
    }

    void requestRoundTrip_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("decodedChannel");
        QTest::newRow("lowest, channel 1") << 1 << 0 << 0 << 0 << 1;
        QTest::newRow("highest, channel 2") << 2 << 31 << 63 << 4095 << 2;
        QTest::newRow("prepared request: channel 0") << 0 << 24 << 60 << 0 << 2;
    }
    void requestRoundTrip()
    {
        QFETCH(int, channel);
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(int, slot);
        QFETCH(int, decodedChannel);
        VDLCodecModel codec;
        AID* aid = codec.GetAid();
        aid->channel = channel;
        aid->hour = hour;
        aid->minute = minute;
        aid->slot = slot;
        const QBitArray frame = aid->EncodeRequest();
        QCOMPARE(Field(frame, 0, 16), quint64(0xF781));
        QCOMPARE(Field(frame, 70, 50), quint64(0));
        QVERIFY(ChecksumHolds(frame));
        VDLCodecModel other;
        QVERIFY(other.GetAid()->DecodeRequest(frame));
        QCOMPARE(other.GetAid()->channel, decodedChannel);
        QCOMPARE(other.GetAid()->hour, hour);
        QCOMPARE(other.GetAid()->minute, minute);
        QCOMPARE(other.GetAid()->slot, slot);
    }

    void responseRoundTrip_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("firstType");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("secondType");
        QTest::newRow("lowest") << 0 << "0" << 0 << "0" << 0;
        QTest::newRow("highest") << 1023 << "1073741823" << 3 << "1073741823" << 3;
        QTest::newRow("three MMSIs") << 3 << "992351001" << 1 << "992351002" << 2;
    }
    void responseRoundTrip()
    {
        QFETCH(int, count);
        QFETCH(QString, first);
        QFETCH(int, firstType);
        QFETCH(QString, second);
        QFETCH(int, secondType);
        VDLCodecModel codec;
        codec.GetRemoteMmsi()->SetMmsi(QStringLiteral("992350000"));
        AID* aid = codec.GetAid();
        aid->numberOfMmsis = count;
        aid->targetMmsi.SetMmsi(first);
        aid->targetType = firstType;
        aid->targetMmsi2.SetMmsi(second);
        aid->targetType2 = secondType;
        const QBitArray frame = aid->EncodeResponse();
        QCOMPARE(Field(frame, 0, 16), quint64(0xF782));
        QCOMPARE(Field(frame, 46, 10), quint64(count));
        QCOMPARE(Field(frame, 56, 30), first.toULongLong());
        QCOMPARE(Field(frame, 86, 2), quint64(firstType));
        QCOMPARE(Field(frame, 88, 30), second.toULongLong());
        QCOMPARE(Field(frame, 118, 2), quint64(secondType));
        QVERIFY(ChecksumHolds(frame));

        VDLCodecModel other;
        QVERIFY(other.GetAid()->DecodeResponse(frame));
        const AID* read = other.GetAid();
        QCOMPARE(read->GetCount(), count);
        QCOMPARE(read->GetTargetMmsi(), first);
        QCOMPARE(read->targetType, firstType);
        QCOMPARE(read->GetTargetMmsi2(), second);
        QCOMPARE(read->targetType2, secondType);
        if (count == 3)
        {
            QCOMPARE(read->ResponseText(), QStringLiteral("AIDResponse\n  MMSI: 992350000\n  Number of MMSIs: 3\n"
                                                          "  Target MMSI: 992351001\n  Target Type: 1\n"
                                                          "  Target MMSI 2: 992351002\n  Target Type 2: 2\n"));
        }
    }

    void unsetMmsiComesBackAsZero()
    {
        VDLCodecModel codec;
        const QBitArray frame = codec.GetAid()->EncodeResponse();
        QVERIFY(codec.GetAid()->DecodeResponse(frame));
        QCOMPARE(codec.GetAid()->GetTargetMmsi(), QStringLiteral("0"));
        QCOMPARE(codec.GetAid()->GetTargetMmsi2(), QStringLiteral("0"));
    }

    void fillFromList()
    {
        AtoN aton;
        aton.GetAtoNMMSI()->SetMMSI(QStringLiteral("992350001"));
        AtoNMMSI first;
        first.SetMMSI(QStringLiteral("992350001"));
        first.SetEnabled(true);
        AtoNMMSI second;
        second.SetMMSI(QStringLiteral("992350777"));
        second.SetIndex(1);
        second.SetEnabled(true);
        const QList<AtoNMMSI*> list{&first, &second};

        VDLCodecModel codec;
        codec.GetAid()->SetFromModelList(&aton, list, 1);
        QCOMPARE(codec.GetRemoteMmsi()->GetMmsi(), QStringLiteral("992350001"));
        QCOMPARE(codec.GetAid()->GetTargetMmsi(), QStringLiteral("992350777"));
        QCOMPARE(codec.GetAid()->targetType, 1);
        QVERIFY(codec.GetAid()->enabled);
    }

    void positionOutsideTheListGivesAHarmlessFrame_data()
    {
        QTest::addColumn<int>("position");
        QTest::newRow("empty list, position 0") << 0;
        QTest::newRow("negative") << -1;
        QTest::newRow("past the end") << 5;
    }
    void positionOutsideTheListGivesAHarmlessFrame()
    {
        QFETCH(int, position);
        AtoN aton;
        AtoNMMSI only;
        only.SetMMSI(QStringLiteral("992350001"));
        only.SetEnabled(true);
        const QList<AtoNMMSI*> list = position == 0 ? QList<AtoNMMSI*>{} : QList<AtoNMMSI*>{&only};
        VDLCodecModel codec;
        codec.GetAid()->enabled = true;
        codec.GetAid()->SetFromModelList(&aton, list, position);
        QVERIFY(!codec.GetAid()->enabled);
        QCOMPARE(codec.GetAid()->GetTargetMmsi(), QStringLiteral("0"));
        const QBitArray frame = codec.GetAid()->EncodeConfiguration();
        QCOMPARE(Field(frame, 46, 33), quint64(0));
    }
};

KELVANE_TEST_MAIN(TestAid)
#include "tst_Aid.moc"
