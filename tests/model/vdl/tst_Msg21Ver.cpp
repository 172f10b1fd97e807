#include "model/vdl/VDLCodecModel.h"
#include "support/TestMain.h"

#include "VdlFrames.h"

using VdlFrames::Field;

class TestMsg21Ver : public QObject
{
    Q_OBJECT

private slots:
    void msg21ResponseRoundTrip_data()
    {
        QTest::addColumn<bool>("highest");
        QTest::newRow("lowest") << false;
        QTest::newRow("highest") << true;
    }
    void msg21ResponseRoundTrip()
    {
        QFETCH(bool, highest);
        VDLCodecModel codec;
        codec.GetRemoteMmsi()->SetMmsi(highest ? QStringLiteral("1073741823") : QStringLiteral("0"));
        Msg21* m = codec.GetMsg21();
        m->messageId = highest ? 63 : 0;
        m->repeatIndicator = highest ? 3 : 0;
        m->typeOfAtoN = highest ? 31 : 0;
        m->name = highest ? QStringLiteral("TWENTY CHARACTERS OK") : QString();
        m->positionAccuracy = highest;
        m->position.SetLatitude(highest ? 90.0 : -90.0);
        m->position.SetLongitude(highest ? 180.0 : -180.0);
        m->dimensionA = highest ? 511 : 0;
        m->dimensionB = highest ? 511 : 0;
        m->dimensionC = highest ? 63 : 0;
        m->dimensionD = highest ? 63 : 0;
        m->typeOfPositionDevice = highest ? 15 : 0;
        m->timeStamp = highest ? 63 : 0;
        m->offPositionIndicator = highest;
        m->atonStatus = highest ? 255 : 0;
        m->raimFlag = highest;
        m->virtualAtoNFlag = highest;
        m->assignedModeFlag = highest;
        m->nameExtension = highest ? QStringLiteral("FOURTEEN CHARS") : QString();
        const QBitArray frame = m->EncodeResponse();
        QCOMPARE(frame.size(), 376);
        QCOMPARE(Field(frame, 0, 16), quint64(0xF7A1));
        QCOMPARE(Field(frame, 24, 30), highest ? quint64(1073741823) : quint64(0));
        QCOMPARE(Field(frame, 287, 1), quint64(0));
        QCOMPARE(Field(frame, 372, 4), quint64(0));

        VDLCodecModel other;
        QVERIFY(other.GetMsg21()->DecodeResponse(frame));
        const Msg21* r = other.GetMsg21();
        QCOMPARE(other.GetRemoteMmsi()->GetMmsi(), codec.GetRemoteMmsi()->GetMmsi());
        QCOMPARE(r->messageId, m->messageId);
        QCOMPARE(r->repeatIndicator, m->repeatIndicator);
        QCOMPARE(r->typeOfAtoN, m->typeOfAtoN);
        QCOMPARE(r->name, m->name);
        QCOMPARE(r->positionAccuracy, m->positionAccuracy);
        QCOMPARE(r->position.GetLatitude(), m->position.GetLatitude());
        QCOMPARE(r->position.GetLongitude(), m->position.GetLongitude());
        QCOMPARE(r->dimensionA, m->dimensionA);
        QCOMPARE(r->dimensionB, m->dimensionB);
        QCOMPARE(r->dimensionC, m->dimensionC);
        QCOMPARE(r->dimensionD, m->dimensionD);
        QCOMPARE(r->typeOfPositionDevice, m->typeOfPositionDevice);
        QCOMPARE(r->timeStamp, m->timeStamp);
        QCOMPARE(r->offPositionIndicator, m->offPositionIndicator);
        QCOMPARE(r->atonStatus, m->atonStatus);
        QCOMPARE(r->raimFlag, m->raimFlag);
        QCOMPARE(r->virtualAtoNFlag, m->virtualAtoNFlag);
        QCOMPARE(r->assignedModeFlag, m->assignedModeFlag);
        QCOMPARE(r->nameExtension, m->nameExtension);
    }

    void msg21PositionComesBackExactly()
    {
        VDLCodecModel codec;
        codec.GetMsg21()->position.SetLatitude(-10.25);
        codec.GetMsg21()->position.SetLongitude(-45.5);
        const QBitArray frame = codec.GetMsg21()->EncodeResponse();
        int at = 180;
        QCOMPARE(VDLModelObject::GetSignedBits(28, frame, at), -27300000);
        QCOMPARE(VDLModelObject::GetSignedBits(27, frame, at), -6150000);
        VDLCodecModel other;
        QVERIFY(other.GetMsg21()->DecodeResponse(frame));
        QCOMPARE(other.GetMsg21()->position.GetLatitude(), -10.25);
        QCOMPARE(other.GetMsg21()->position.GetLongitude(), -45.5);
        QVERIFY(other.GetMsg21()->ResponseText().startsWith(QStringLiteral("Msg21Response\n  Message ID: 21\n")));

        // Degrees times 600000 in one step, truncated: not the minutes-first scaling of the ACE/ACF
        // frames, which gives 1019 and -180 for these two.
        codec.GetMsg21()->position.SetLatitude(0.0017);
        codec.GetMsg21()->position.SetLongitude(-0.0003);
        const QBitArray small = codec.GetMsg21()->EncodeResponse();
        at = 180;
        QCOMPARE(VDLModelObject::GetSignedBits(28, small, at), -179);
        QCOMPARE(VDLModelObject::GetSignedBits(27, small, at), 1020);
    }

    void msg21ResponseLength_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("371 refused") << 371 << false;
        QTest::newRow("372 accepted") << 372 << true;
        QTest::newRow("376 accepted") << 376 << true;
    }
    void msg21ResponseLength()
    {
        QFETCH(int, bits);
        QFETCH(bool, accepted);
        VDLCodecModel codec;
        QBitArray frame = codec.GetMsg21()->EncodeResponse();
        frame.resize(bits);
        QCOMPARE(codec.GetMsg21()->DecodeResponse(frame), accepted);
    }

    void msg21TextsAreCut()
    {
        VDLCodecModel codec;
        codec.GetMsg21()->name = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        codec.GetMsg21()->nameExtension = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        const QBitArray frame = codec.GetMsg21()->EncodeResponse();
        VDLCodecModel other;
        QVERIFY(other.GetMsg21()->DecodeResponse(frame));
        QCOMPARE(other.GetMsg21()->name, QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
        QCOMPARE(other.GetMsg21()->nameExtension, QStringLiteral("ABCDEFGHIJKLMN"));
    }

    void msg21Request()
    {
        VDLCodecModel codec;
        codec.GetMsg21()->channel = 2;
        codec.GetMsg21()->slot = 4095;
        const QBitArray frame = codec.GetMsg21()->EncodeRequest();
        QCOMPARE(Field(frame, 0, 16), quint64(0xF7A0));
        VDLCodecModel other;
        QVERIFY(other.GetMsg21()->DecodeRequest(frame));
        QCOMPARE(other.GetMsg21()->channel, 2);
        QCOMPARE(other.GetMsg21()->slot, 4095);
        QCOMPARE(other.GetMsg21()->minute, 60);
    }

    void verRequestAndResponse_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("version");
        QTest::newRow("lowest") << 0 << "";
        QTest::newRow("highest, 32 characters") << 15 << "V1.2.3 BUILD 2026-12-07 RELEASE!";
        QTest::newRow("longer text is cut") << 7 << "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    }
    void verRequestAndResponse()
    {
        QFETCH(int, kind);
        QFETCH(QString, version);
        VDLCodecModel codec;
        VER* ver = codec.GetVer();
        ver->kind = kind;
        ver->versionInformation = version;
        const QBitArray request = ver->EncodeRequest();
        QCOMPARE(request.size(), 128);
        QCOMPARE(Field(request, 0, 16), quint64(0xF799));
        QCOMPARE(Field(request, 70, 4), quint64(kind));
        const QBitArray response = ver->EncodeResponse();
        QCOMPARE(response.size(), 256);
        QCOMPARE(Field(response, 0, 16), quint64(0xF79A));
        QCOMPARE(Field(response, 46, 4), quint64(kind));
        QCOMPARE(Field(response, 242, 6), quint64(0));
        QBitArray copy = response;
        VDLModelObject::AppendChecksum(copy);
        QCOMPARE(copy, response);

        VDLCodecModel other;
        QVERIFY(other.GetVer()->DecodeRequest(request));
        QCOMPARE(other.GetVer()->kind, kind);
        other.GetVer()->kind = -1;
        QVERIFY(other.GetVer()->DecodeResponse(response));
        QCOMPARE(other.GetVer()->kind, kind);
        QCOMPARE(other.GetVer()->versionInformation, version.left(32));
        QVERIFY(other.GetVer()->ResponseText().contains(version.left(32)));

        QBitArray shortResponse = response;
        shortResponse.resize(128);
        QVERIFY(!other.GetVer()->DecodeResponse(shortResponse));
    }
};

KELVANE_TEST_MAIN(TestMsg21Ver)
#include "tst_Msg21Ver.moc"
