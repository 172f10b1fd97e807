#include "model/AtoN.h"
#include "model/vdl/VDLCodecModel.h"
#include "support/TestMain.h"

#include "VdlFrames.h"

#include <utility>

using VdlFrames::Field;

namespace
{
// A 128-bit reply frame k from `mmsi` with the given (value, width) fields after the envelope.
QBitArray Reply(int k, quint32 mmsi, const QList<std::pair<qint32, int>>& fields)
{
    QBitArray frame(128, false);
    int position = 0;
    VDLModelObject::PutBits(VDLModelObject::Identifier(k), 16, frame, position);
    VDLModelObject::PutBits(qint32(mmsi), 30, frame, position);
    for (const auto& [value, width] : fields)
        VDLModelObject::PutBits(value, width, frame, position);
    VDLModelObject::AppendChecksum(frame);
    return frame;
}

bool ChecksumHolds(const QBitArray& frame)
{
    QBitArray copy = frame;
    VDLModelObject::AppendChecksum(copy);
    return copy == frame;
}
} // namespace

class TestAceAcf : public QObject
{
    Q_OBJECT

private slots:
    void part1Layout_data()
    {
        QTest::addColumn<bool>("accuracy");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<int>("epfd");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<bool>("ack");
        QTest::newRow("lowest") << false << -90.0 << -180.0 << 0 << 0 << false;
        QTest::newRow("highest") << true << 90.0 << 180.0 << 15 << 4095 << true;
        QTest::newRow("-33.5") << true << -33.5 << 151.25 << 7 << 50 << false;
        QTest::newRow("not available") << false << 91.0 << 181.0 << 15 << 10 << true;
    }
    void part1Layout()
    {
        QFETCH(bool, accuracy);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(int, epfd);
        QFETCH(int, threshold);
        QFETCH(bool, ack);
        VDLCodecModel codec;
        ACE_ACF* ace = codec.GetAceAcf();
        ace->positionAccuracy = accuracy;
        ace->GetPosition()->SetLatitude(latitude);
        ace->GetPosition()->SetLongitude(longitude);
        ace->epfdType = epfd;
        ace->offPositionThreshold = threshold;
        ace->ackProcedure = ack;
        const QBitArray frame = ace->EncodeConfigurationPart1();
        QCOMPARE(frame.size(), 128);
        QCOMPARE(Field(frame, 0, 16), quint64(0xF783));
        QCOMPARE(Field(frame, 46, 1), quint64(accuracy));
        int at = 47;
        QCOMPARE(VDLModelObject::GetSignedBits(27, frame, at), qint32(latitude * 600000));
        QCOMPARE(VDLModelObject::GetSignedBits(28, frame, at), qint32(longitude * 600000));
        QCOMPARE(Field(frame, 102, 4), quint64(epfd));
        QCOMPARE(Field(frame, 106, 12), quint64(threshold));
        QCOMPARE(Field(frame, 118, 1), quint64(ack));
        QCOMPARE(Field(frame, 119, 1), quint64(0));
        QVERIFY(ChecksumHolds(frame));

        // The same position pattern in a reply decodes to the same degrees.
        int read = 47;
        const qint32 lat = VDLModelObject::GetSignedBits(27, frame, read);
        const qint32 lon = VDLModelObject::GetSignedBits(28, frame, read);
        VDLCodecModel other;
        QVERIFY(other.GetAceAcf()->DecodeResponsePart1(
            Reply(10, 1, {{threshold, 12}, {lat, 27}, {lon, 28}, {1, 1}, {15, 4}})));
        const bool available = latitude <= 90.0;
        QCOMPARE(other.GetAceAcf()->GetPosition()->GetLatitude(), available ? latitude : 91.0);
        QCOMPARE(other.GetAceAcf()->GetPosition()->GetLongitude(), available ? longitude : 181.0);
        QCOMPARE(other.GetAceAcf()->offPositionThreshold, threshold);
    }

    // Positions where truncation and rounding part ways (fractions .54 and .74 of a unit).
    void positionsGoOutTruncated()
    {
        VDLCodecModel codec;
        ACE_ACF* ace = codec.GetAceAcf();
        ace->GetPosition()->SetLatitude(51.5000009);
        ace->GetPosition()->SetLongitude(-4.0000029);
        const QBitArray frame = ace->EncodeConfigurationPart1();
        int at = 47;
        QCOMPARE(VDLModelObject::GetSignedBits(27, frame, at), qint32(30900000));
        QCOMPARE(VDLModelObject::GetSignedBits(28, frame, at), qint32(-2400001));
    }

    void part2Layout_data()
    {
        QTest::addColumn<bool>("inland");
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<int>>("dimensions");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("wireType");
        QTest::newRow("lowest") << false << 0 << QList<int>{0, 0, 0, 0} << 0 << 0 << 0;
        QTest::newRow("highest") << false << 31 << QList<int>{511, 511, 63, 63} << 255 << 2 << 31;
        QTest::newRow("inland sends type 0 and its code") << true << 5 << QList<int>{1, 1, 1, 1} << 37 << 1 << 0;
    }
    void part2Layout()
    {
        QFETCH(bool, inland);
        QFETCH(int, type);
        QFETCH(QList<int>, dimensions);
        QFETCH(int, code);
        QFETCH(int, kind);
        QFETCH(int, wireType);
        VDLCodecModel codec;
        ACE_ACF* ace = codec.GetAceAcf();
        ace->inland = inland;
        ace->typeOfAtoN = type;
        ace->dimensionA = dimensions[0];
        ace->dimensionB = dimensions[1];
        ace->dimensionC = dimensions[2];
        ace->dimensionD = dimensions[3];
        ace->inlandTypeCode = code;
        ace->stationKind = kind;
        const QBitArray frame = ace->EncodeConfigurationPart2();
        QCOMPARE(Field(frame, 0, 16), quint64(0xF784));
        QCOMPARE(Field(frame, 46, 5), quint64(wireType));
        QCOMPARE(Field(frame, 51, 9), quint64(dimensions[0]));
        QCOMPARE(Field(frame, 60, 9), quint64(dimensions[1]));
        QCOMPARE(Field(frame, 69, 6), quint64(dimensions[2]));
        QCOMPARE(Field(frame, 75, 6), quint64(dimensions[3]));
        QCOMPARE(Field(frame, 81, 8), quint64(code));
        QCOMPARE(Field(frame, 89, 2), quint64(kind));
        QCOMPARE(Field(frame, 91, 29), quint64(0));
        QVERIFY(ChecksumHolds(frame));
    }

    void part3Layout_data()
    {
        QTest::addColumn<QList<int>>("channels");
        QTest::addColumn<int>("power");
        QTest::addColumn<bool>("check");
        QTest::addColumn<bool>("sync");
        QTest::newRow("lowest") << QList<int>{0, 0, 0, 0} << 0 << false << false;
        QTest::newRow("highest") << QList<int>{4095, 4095, 4095, 4095} << 15 << true << true;
        QTest::newRow("usual") << QList<int>{2087, 2088, 2087, 2088} << 5 << true << false;
    }
    void part3Layout()
    {
        QFETCH(QList<int>, channels);
        QFETCH(int, power);
        QFETCH(bool, check);
        QFETCH(bool, sync);
        VDLCodecModel codec;
        ACE_ACF* ace = codec.GetAceAcf();
        ace->channel1 = channels[0];
        ace->channel2 = channels[1];
        ace->channel3 = channels[2];
        ace->channel4 = channels[3];
        ace->powerLevel = power;
        ace->offPositionCheck = check;
        ace->syncLossBehaviour = sync;
        const QBitArray frame = ace->EncodeConfigurationPart3();
        QCOMPARE(Field(frame, 0, 16), quint64(0xF785));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(Field(frame, 46 + 12 * i, 12), quint64(channels[i]));
        QCOMPARE(Field(frame, 94, 4), quint64(power));
        QCOMPARE(Field(frame, 98, 1), quint64(check));
        QCOMPARE(Field(frame, 99, 1), quint64(sync));
        QCOMPARE(Field(frame, 100, 20), quint64(0));

        // The reply part 2 carries the same channels back.
        VDLCodecModel other;
        QVERIFY(other.GetAceAcf()->DecodeResponsePart2(
            Reply(11, 5, {{check, 1}, {channels[0], 12}, {channels[1], 12}, {channels[2], 12}, {channels[3], 12}})));
        QCOMPARE(other.GetAceAcf()->offPositionCheck, check);
        QCOMPARE(other.GetAceAcf()->channel1, channels[0]);
        QCOMPARE(other.GetAceAcf()->channel2, channels[1]);
        QCOMPARE(other.GetAceAcf()->channel3, channels[2]);
        QCOMPARE(other.GetAceAcf()->channel4, channels[3]);
    }

    void nameTravelsInThreeParts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("part1");
        QTest::addColumn<QString>("part2");
        QTest::addColumn<QString>("part3");
        QTest::newRow("20 characters, blank filled") << "north pier light 123"
                                                     << "NORTH PIER L"
                                                     << "IGHT 123    "
                                                     << "          ";
        QTest::newRow("40 characters sends 34") << "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789XYZW"
                                                << "ABCDEFGHIJKL"
                                                << "MNOPQRSTUVWX"
                                                << "YZ01234567";
        QTest::newRow("empty name is blanks") << ""
                                              << "            "
                                              << "            "
                                              << "          ";
    }
    void nameTravelsInThreeParts()
    {
        QFETCH(QString, name);
        QFETCH(QString, part1);
        QFETCH(QString, part2);
        QFETCH(QString, part3);
        AtoN aton;
        aton.SetName(name);
        VDLCodecModel codec;
        ACE_ACF* ace = codec.GetAceAcf();
        ace->SetFromAtoN(&aton);
        const QList<std::pair<QBitArray, QString>> parts{{ace->EncodeConfigurationPart4(), part1},
                                                         {ace->EncodeConfigurationPart5(), part2},
                                                         {ace->EncodeConfigurationPart6(), part3}};
        for (int i = 0; i < parts.size(); ++i)
        {
            const QBitArray& frame = parts[i].first;
            QCOMPARE(Field(frame, 0, 16), quint64(0xF786 + i));
            int at = 46;
            const int characters = i == 2 ? 10 : 12;
            QString sent;
            for (int c = 0; c < characters; ++c)
            {
                const int v = int(VDLModelObject::GetBits(6, frame, at));
                QVERIFY2(v != 0, "no at sign fill in a name");
                sent.append(QChar(v < 32 ? v + 64 : v));
            }
            QCOMPARE(sent, parts[i].second);
            QCOMPARE(Field(frame, at, 120 - at), quint64(0));
            QVERIFY(ChecksumHolds(frame));
        }
    }

    void requestRoundTrip()
    {
        VDLCodecModel codec;
        ACE_ACF* ace = codec.GetAceAcf();
        ace->channel = 2;
        ace->hour = 31;
        ace->minute = 63;
        ace->slot = 4095;
        const QBitArray frame = ace->EncodeRequest();
        QCOMPARE(Field(frame, 0, 16), quint64(0xF789));
        QCOMPARE(Field(frame, 46, 24), quint64(0xFFFFFF));
        VDLCodecModel other;
        QVERIFY(other.GetAceAcf()->DecodeRequest(frame));
        QCOMPARE(other.GetAceAcf()->channel, 2);
        QCOMPARE(other.GetAceAcf()->hour, 31);
        QCOMPARE(other.GetAceAcf()->minute, 63);
        QCOMPARE(other.GetAceAcf()->slot, 4095);
    }

    void responsePartsChangeOnlyTheirOwnFields()
    {
        VDLCodecModel codec;
        ACE_ACF* ace = codec.GetAceAcf();
        QVERIFY(
            ace->DecodeResponsePart1(Reply(10, 992350001, {{4095, 12}, {-20100000, 27}, {0, 28}, {1, 1}, {15, 4}})));
        QCOMPARE(ace->offPositionThreshold, 4095);
        QCOMPARE(ace->GetPosition()->GetLatitude(), -33.5);
        QCOMPARE(ace->GetPosition()->GetLongitude(), 0.0);
        QVERIFY(ace->syncLossBehaviour);
        QCOMPARE(ace->powerLevel, 15);
        QCOMPARE(ace->channel1, 0);
        QCOMPARE(codec.GetRemoteMmsi()->GetMmsi(), QStringLiteral("992350001"));
        QCOMPARE(ace->ResponseText(),
                 QStringLiteral("ACEACFResponse1\n  MMSI: 992350001\n  Off position threshold: 4095\n  Latitude: ") +
                     ace->GetPosition()->LatitudeToDMS() + QStringLiteral("\n  Longitude: ") +
                     ace->GetPosition()->LongitudeToDMS() +
                     QStringLiteral("\n  Sync loss behaviour: 1\n  Power level: 15\n"));

        QVERIFY(ace->DecodeResponsePart2(Reply(11, 992350002, {{1, 1}, {2087, 12}, {2088, 12}, {1, 12}, {2, 12}})));
        QCOMPARE(ace->GetPosition()->GetLatitude(), -33.5);
        QCOMPARE(ace->offPositionThreshold, 4095);
        QVERIFY(ace->offPositionCheck);
        QCOMPARE(ace->channel1, 2087);
        QCOMPARE(ace->channel2, 2088);
        QCOMPARE(ace->channel3, 1);
        QCOMPARE(ace->channel4, 2);
        QCOMPARE(codec.GetRemoteMmsi()->GetMmsi(), QStringLiteral("992350002"));
        // A part 2 reply is no part 1 reply, and the other way round.
        QVERIFY(!ace->DecodeResponsePart1(Reply(11, 1, {})));
        QVERIFY(!ace->DecodeResponsePart2(Reply(10, 1, {})));
    }

    // The reply parts have no encoder here: the unit builds them. Hand-made frames with every field at
    // both ends of its width (positions at the ends of their range) come back whole.
    void responseFieldsAtBothEnds_data()
    {
        QTest::addColumn<bool>("highest");
        QTest::newRow("lowest") << false;
        QTest::newRow("highest") << true;
    }
    void responseFieldsAtBothEnds()
    {
        QFETCH(bool, highest);
        const qint32 latitude = highest ? 90 * 600000 : -90 * 600000;
        const qint32 longitude = highest ? 180 * 600000 : -180 * 600000;
        const qint32 top = highest ? 4095 : 0;
        VDLCodecModel codec;
        ACE_ACF* ace = codec.GetAceAcf();
        const qint32 power = highest ? 15 : 0;
        QVERIFY(ace->DecodeResponsePart1(Reply(
            10, highest ? 1073741823 : 0, {{top, 12}, {latitude, 27}, {longitude, 28}, {highest, 1}, {power, 4}})));
        QCOMPARE(codec.GetRemoteMmsi()->GetMmsi(), highest ? QStringLiteral("1073741823") : QStringLiteral("0"));
        QCOMPARE(ace->offPositionThreshold, top);
        QCOMPARE(ace->GetPosition()->GetLatitude(), highest ? 90.0 : -90.0);
        QCOMPARE(ace->GetPosition()->GetLongitude(), highest ? 180.0 : -180.0);
        QCOMPARE(ace->syncLossBehaviour, highest);
        QCOMPARE(ace->powerLevel, power);

        QVERIFY(ace->DecodeResponsePart2(Reply(11, 7, {{highest, 1}, {top, 12}, {top, 12}, {top, 12}, {top, 12}})));
        QCOMPARE(ace->offPositionCheck, highest);
        QCOMPARE((QList<int>{ace->channel1, ace->channel2, ace->channel3, ace->channel4}), QList<int>(4, top));
    }

    void fillFromAtoN()
    {
        AtoN aton;
        aton.GetAtoNMMSI()->SetMMSI(QStringLiteral("992350009"));
        aton.SetChannel1(2001);
        aton.SetChannel2(2002);
        aton.SetSyncLossBehaviour(1);
        aton.SetOffPositionCheck(1);
        aton.SetGnssType(13);
        aton.SetAckProcedure(0);
        aton.SetTypeOfAtoN(9);
        aton.SetInland(true);
        aton.SetStationKind(2);
        VDLCodecModel codec;
        ACE_ACF* ace = codec.GetAceAcf();
        ace->slot = 33;
        ace->SetFromAtoN(&aton);
        QCOMPARE(codec.GetRemoteMmsi()->GetMmsi(), QStringLiteral("992350009"));
        // The third and fourth channel values mirror channels 1 and 2.
        QCOMPARE((QList<int>{ace->channel1, ace->channel2, ace->channel3, ace->channel4}),
                 (QList<int>{2001, 2002, 2001, 2002}));
        QVERIFY(ace->syncLossBehaviour);
        QVERIFY(ace->offPositionCheck);
        QVERIFY(!ace->ackProcedure);
        QCOMPARE(ace->epfdType, 7); // surveyed
        QCOMPARE((QList<int>{ace->channel, ace->hour, ace->minute, ace->slot}), (QList<int>{0, 24, 60, 33}));
        QCOMPARE(ace->inlandTypeCode, 41);
        QCOMPARE(ace->stationKind, 2);
        QCOMPARE(Field(ace->EncodeConfigurationPart2(), 46, 5), quint64(0));
        QCOMPARE(Field(ace->EncodeConfigurationPart2(), 81, 8), quint64(41));
    }
};

KELVANE_TEST_MAIN(TestAceAcf)
#include "tst_AceAcf.moc"
