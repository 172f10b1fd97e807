#include "comms/NmeaSentence.h"
#include "model/AtoN.h"
#include "model/vdl/VDLCodecModel.h"
#include "support/TestMain.h"

#include "VdlFrames.h"

#include <functional>

using VdlFrames::FromHex;
using VdlFrames::ToHex;

namespace
{
using Decoder = std::function<bool(VDLCodecModel&, const QBitArray&)>;

struct DecoderCase
{
    const char* name;
    Decoder decode;
    int k;
    int minimumBits;
    int alsoK = -1; // the other identifier the decoder accepts
};

QList<DecoderCase> ReadingDecoders()
{
    return {
        {"AID configuration", [](VDLCodecModel& c, const QBitArray& f) { return c.GetAid()->DecodeConfiguration(f); },
         0, 128, 2},
        {"AID request", [](VDLCodecModel& c, const QBitArray& f) { return c.GetAid()->DecodeRequest(f); }, 1, 128},
        {"AID response", [](VDLCodecModel& c, const QBitArray& f) { return c.GetAid()->DecodeResponse(f); }, 2, 128, 0},
        {"ACE/ACF request", [](VDLCodecModel& c, const QBitArray& f) { return c.GetAceAcf()->DecodeRequest(f); }, 9,
         128},
        {"ACE/ACF response 1",
         [](VDLCodecModel& c, const QBitArray& f) { return c.GetAceAcf()->DecodeResponsePart1(f); }, 10, 128},
        {"ACE/ACF response 2",
         [](VDLCodecModel& c, const QBitArray& f) { return c.GetAceAcf()->DecodeResponsePart2(f); }, 11, 128},
        {"AAR request", [](VDLCodecModel& c, const QBitArray& f) { return c.GetAar()->DecodeRequest(f); }, 14, 128},
        {"AAR response", [](VDLCodecModel& c, const QBitArray& f) { return c.GetAar()->DecodeResponse(f); }, 15, 128},
        {"COP configuration", [](VDLCodecModel& c, const QBitArray& f) { return c.GetCop()->DecodeConfiguration(f); },
         35, 128, 36},
        {"COP response", [](VDLCodecModel& c, const QBitArray& f) { return c.GetCop()->DecodeResponse(f); }, 36, 128,
         35},
        {"MCR configuration", [](VDLCodecModel& c, const QBitArray& f) { return c.GetMcr()->DecodeConfiguration(f); },
         20, 128},
        {"MCR request", [](VDLCodecModel& c, const QBitArray& f) { return c.GetMcr()->DecodeRequest(f); }, 21, 128},
        {"MCR response", [](VDLCodecModel& c, const QBitArray& f) { return c.GetMcr()->DecodeResponse(f); }, 22, 128},
        {"AFC request", [](VDLCodecModel& c, const QBitArray& f) { return c.GetAfc()->DecodeRequest(f); }, 27, 128},
        {"AFC response", [](VDLCodecModel& c, const QBitArray& f) { return c.GetAfc()->DecodeResponse(f); }, 28, 128},
        {"AFB configuration", [](VDLCodecModel& c, const QBitArray& f) { return c.GetAfb()->DecodeConfiguration(f); },
         24, 128},
        {"AKE configuration", [](VDLCodecModel& c, const QBitArray& f) { return c.GetAke()->DecodeConfiguration(f); },
         16, 128},
        {"MPR configuration", [](VDLCodecModel& c, const QBitArray& f) { return c.GetMpr()->DecodeConfiguration(f); },
         23, 128},
        {"Msg21 request", [](VDLCodecModel& c, const QBitArray& f) { return c.GetMsg21()->DecodeRequest(f); }, 32, 128},
        {"Msg21 response", [](VDLCodecModel& c, const QBitArray& f) { return c.GetMsg21()->DecodeResponse(f); }, 33,
         372},
        {"VER request", [](VDLCodecModel& c, const QBitArray& f) { return c.GetVer()->DecodeRequest(f); }, 25, 128},
        {"VER response", [](VDLCodecModel& c, const QBitArray& f) { return c.GetVer()->DecodeResponse(f); }, 26, 256},
    };
}

QByteArray Snapshot(VDLCodecModel& codec)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    codec.Save(out);
    return bytes;
}

// A frame of `bits` one bits that carries the identifier of frame k.
QBitArray FrameOf(int k, int bits)
{
    QBitArray frame(bits, true);
    int position = 0;
    VDLModelObject::PutBits(VDLModelObject::Identifier(k), 16, frame, position);
    return frame;
}
} // namespace

class TestCodecModel : public QObject
{
    Q_OBJECT

private slots:
    void aidRequestToMmsiZeroIsTheWorkedExample()
    {
        VDLCodecModel codec;
        AID* aid = codec.GetAid();
        aid->channel = 0;
        aid->hour = 24;
        aid->minute = 60;
        aid->slot = 0;
        const QBitArray frame = aid->EncodeRequest();
        QCOMPARE(frame.size(), 128);
        QCOMPARE(ToHex(frame), QStringLiteral("F7 81 00 00 00 03 8F 00 00 00 00 00 00 00 00 21"));

        const QString armoured = VDLCodecModel::BitsToSixBitText(frame);
        QCOMPARE(armoured.size(), 22);
        QList<int> values;
        for (QChar c : armoured)
            values << NmeaSentence::SixBitValue(char(c.toLatin1()));
        QCOMPARE(values, (QList<int>{61, 56, 4, 0, 0, 0, 0, 3, 35, 48, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 16}));
        QCOMPARE(armoured, QStringLiteral("up400003Sh00000000008@"));
    }

    void armourLength_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("characters");
        QTest::newRow("empty") << 0 << 0;
        QTest::newRow("5 bits") << 5 << 1;
        QTest::newRow("6 bits") << 6 << 1;
        QTest::newRow("7 bits") << 7 << 2;
        QTest::newRow("128 bits") << 128 << 22;
        QTest::newRow("256 bits") << 256 << 43;
        QTest::newRow("376 bits") << 376 << 63;
    }
    void armourLength()
    {
        QFETCH(int, bits);
        QFETCH(int, characters);
        QCOMPARE(VDLCodecModel::BitsToSixBitText(QBitArray(bits, true)).size(), characters);
    }

    void armourCompletesTheLastCharacterWithZeroBits()
    {
        // 5 one bits and a zero: 62; 7 one bits: 63 then 100000 = 32.
        QCOMPARE(VDLCodecModel::BitsToSixBitText(QBitArray(5, true)),
                 QString(QLatin1Char(NmeaSentence::SixBitChar(62))));
        QCOMPARE(VDLCodecModel::BitsToSixBitText(QBitArray(7, true)),
                 QString(QLatin1Char('w')) + QLatin1Char(NmeaSentence::SixBitChar(32)));
    }

    void bbmHeader_data()
    {
        QTest::addColumn<QList<int>>("arguments");
        QTest::addColumn<QString>("header");
        QTest::newRow("sentence header") << QList<int>{1, 1, 0, 0, 25} << "!AIBBM,1,1,0,0,25,";
        QTest::newRow("no sequence, no channel") << QList<int>{2, 1, -1, -1, 8} << "!AIBBM,2,1,,,8,";
        QTest::newRow("larger numbers") << QList<int>{9, 10, 7, 3, 125} << "!AIBBM,9,10,7,3,125,";
    }
    void bbmHeader()
    {
        QFETCH(QList<int>, arguments);
        QFETCH(QString, header);
        QCOMPARE(VDLCodecModel::BuildBbmHeader(arguments[0], arguments[1], arguments[2], arguments[3], arguments[4]),
                 header);
    }

    void decodersRejectShortFramesAndOtherIdentifiersWithoutChange_data()
    {
        QTest::addColumn<int>("which");
        const QList<DecoderCase> cases = ReadingDecoders();
        for (int i = 0; i < cases.size(); ++i)
            QTest::newRow(cases[i].name) << i;
    }
    void decodersRejectShortFramesAndOtherIdentifiersWithoutChange()
    {
        QFETCH(int, which);
        const DecoderCase c = ReadingDecoders().at(which);
        VDLCodecModel codec;
        codec.GetRemoteMmsi()->SetMmsi(QStringLiteral("123456789"));
        const QByteArray before = Snapshot(codec);

        for (int bits : {0, 1, 15, 16, 45, 46, c.minimumBits - 1})
        {
            QBitArray frame = c.minimumBits - 1 == bits || bits >= 16 ? FrameOf(c.k, bits) : QBitArray(bits, true);
            QVERIFY2(!c.decode(codec, frame), qPrintable(QStringLiteral("%1 bits accepted").arg(bits)));
            QCOMPARE(Snapshot(codec), before);
        }
        for (int other : {c.k + 1, c.k - 1, 63})
        {
            if (other == c.alsoK)
                continue;
            QVERIFY(!c.decode(codec, FrameOf(other, c.minimumBits)));
            QCOMPARE(Snapshot(codec), before);
        }
        QBitArray otherArea = FrameOf(c.k, c.minimumBits);
        otherArea.toggleBit(0);
        QVERIFY(!c.decode(codec, otherArea));
        QCOMPARE(Snapshot(codec), before);

        QVERIFY(c.decode(codec, FrameOf(c.k, c.minimumBits)));
        if (c.alsoK >= 0)
            QVERIFY(c.decode(codec, FrameOf(c.alsoK, c.minimumBits)));
        // Every frame of ones carries MMSI 2^30 - 1, stored without leading zeros.
        QCOMPARE(codec.GetRemoteMmsi()->GetMmsi(), QStringLiteral("1073741823"));
    }

    void decodedMmsiKeepsNoLeadingZeros()
    {
        VDLCodecModel codec;
        codec.GetRemoteMmsi()->SetMmsi(QStringLiteral("002110001"));
        const QBitArray frame = codec.GetAid()->EncodeResponse();
        codec.GetRemoteMmsi()->SetMmsi(QStringLiteral("999999999"));
        QVERIFY(codec.GetAid()->DecodeResponse(frame));
        QCOMPARE(codec.GetRemoteMmsi()->GetMmsi(), QStringLiteral("2110001"));
    }

    void membersShareTheCodecRemoteMmsi()
    {
        VDLCodecModel codec;
        codec.GetRemoteMmsi()->SetMmsi(QStringLiteral("992351000"));
        for (VDLModelObject* member : QList<VDLModelObject*>{
                 codec.GetAid(), codec.GetCop(), codec.GetAar(), codec.GetMsg21(), codec.GetAceAcf(), codec.GetVer(),
                 codec.GetAfc(), codec.GetMpr(), codec.GetAfb(), codec.GetAke(), codec.GetMcr()})
        {
            QCOMPARE(member->parent(), &codec);
            QCOMPARE(member->GetRemoteMmsiText(), QStringLiteral("992351000"));
        }
        codec.GetCop()->SetRemoteMmsiText(QStringLiteral("1"));
        QCOMPARE(codec.GetRemoteMmsi()->GetMmsi(), QStringLiteral("1"));
    }

    void setMmsiAddressesEveryFrame()
    {
        AtoN aton;
        aton.GetAtoNMMSI()->SetMMSI(QStringLiteral("992350001"));
        aton.GetAtoNMMSI()->SetIndex(1);
        aton.SetName(QStringLiteral("BUOY"));
        VDLCodecModel codec;
        codec.SetMmsi(&aton, QStringLiteral("992359999"));
        QCOMPARE(aton.GetAtoNMMSI()->GetMMSI(), QStringLiteral("992359999"));
        QCOMPARE(codec.GetRemoteMmsi()->GetMmsi(), QStringLiteral("992359999"));
        QCOMPARE(codec.GetAid()->GetTargetMmsi(), QStringLiteral("992359999"));
        QCOMPARE(codec.GetAid()->targetType, 1);
        QCOMPARE(codec.GetAceAcf()->namePart1, QStringLiteral("BUOY        "));
        const QBitArray frame = codec.GetAceAcf()->EncodeConfigurationPart1();
        QCOMPARE(VdlFrames::Field(frame, 16, 30), quint64(992359999));
    }

    void saveAndLoadGiveBackEveryMember()
    {
        VDLCodecModel written;
        written.GetRemoteMmsi()->SetMmsi(QStringLiteral("123"));
        written.GetAid()->numberOfMmsis = 7;
        written.GetAid()->targetMmsi2.SetMmsi(QStringLiteral("42"));
        written.GetCop()->wakeUpTime = QTime(6, 30);
        written.GetAar()->secondInterval = 99;
        written.GetAceAcf()->GetPosition()->SetLatitude(-12.5);
        written.GetAceAcf()->namePart3 = QStringLiteral("TAIL");
        written.GetMsg21()->nameExtension = QStringLiteral("EXT");
        written.GetVer()->versionInformation = QStringLiteral("V1");
        written.GetAfc()->implementationStatus = Q_UINT64_C(0xFFFFFFFFFFFFFFFF);
        written.GetMpr()->value3 = 9;
        written.GetAfb()->slot = 77;
        written.GetAke()->text = QStringLiteral("KEY");
        written.GetMcr()->payload = QStringLiteral("PAY");
        const QByteArray bytes = Snapshot(written);

        VDLCodecModel read;
        QDataStream in(bytes);
        read.Load(in);
        QCOMPARE(in.status(), QDataStream::Ok);
        QVERIFY(in.atEnd());
        QCOMPARE(Snapshot(read), bytes);
        QCOMPARE(read.GetAceAcf()->GetPosition()->GetLatitude(), -12.5);
        QCOMPARE(read.GetAfc()->implementationStatus, Q_UINT64_C(0xFFFFFFFFFFFFFFFF));
    }
};

KELVANE_TEST_MAIN(TestCodecModel)
#include "tst_CodecModel.moc"
