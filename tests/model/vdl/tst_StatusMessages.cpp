#include "model/vdl/VDLCodecModel.h"
#include "support/TestMain.h"

#include "VdlFrames.h"

using VdlFrames::Field;

class TestStatusMessages : public QObject
{
    Q_OBJECT

private slots:
    void mcrPayload_data()
    {
        QTest::addColumn<QString>("payload");
        QTest::addColumn<QString>("decoded");
        QTest::addColumn<int>("lastBits");
        QTest::newRow("empty") << ""
                               << "" << 0;
        QTest::newRow("short, at signs removed") << "ok 1"
                                                 << "OK 1" << 0;
        QTest::newRow("twelve characters") << "ABCDEFGHIJKL"
                                           << "ABCDEFGHIJKL" << 0;
        QTest::newRow("thirteenth contributes two bits") << "ABCDEFGHIJKLW"
                                                         << "ABCDEFGHIJKL" << (23 & 3);
        QTest::newRow("longer still") << "ABCDEFGHIJKLMNOPQ"
                                      << "ABCDEFGHIJKL" << (13 & 3);
    }
    void mcrPayload()
    {
        QFETCH(QString, payload);
        QFETCH(QString, decoded);
        QFETCH(int, lastBits);
        VDLCodecModel codec;
        MCR* mcr = codec.GetMcr();
        mcr->payload = payload;
        for (bool response : {false, true})
        {
            const QBitArray frame = response ? mcr->EncodeResponse() : mcr->EncodeConfiguration();
            QCOMPARE(Field(frame, 0, 16), quint64(response ? 0xF796 : 0xF794));
            QCOMPARE(Field(frame, 118, 2), quint64(lastBits));
            VDLCodecModel other;
            other.GetMcr()->payload = QStringLiteral("stale");
            QVERIFY(response ? other.GetMcr()->DecodeResponse(frame) : other.GetMcr()->DecodeConfiguration(frame));
            // Only the twelve whole characters come back: the checksum is never read as text.
            QCOMPARE(other.GetMcr()->payload, decoded);
            QVERIFY(!(response ? other.GetMcr()->DecodeConfiguration(frame) : other.GetMcr()->DecodeResponse(frame)));
        }
        QCOMPARE(mcr->ResponseText(),
                 QStringLiteral("MCRResponse\n  MMSI: 000000000\n  Payload: ") + payload + QStringLiteral("\n"));
    }

    void afcStatusIsUnsigned_data()
    {
        QTest::addColumn<quint64>("status");
        QTest::newRow("zero") << quint64(0);
        QTest::newRow("highest bit only") << Q_UINT64_C(0x8000000000000000);
        QTest::newRow("all bits") << Q_UINT64_C(0xFFFFFFFFFFFFFFFF);
    }
    void afcStatusIsUnsigned()
    {
        QFETCH(quint64, status);
        VDLCodecModel codec;
        codec.GetAfc()->implementationStatus = status;
        const QBitArray frame = codec.GetAfc()->EncodeResponse();
        QCOMPARE(Field(frame, 0, 16), quint64(0xF79C));
        QCOMPARE(Field(frame, 46, 64), status);
        QCOMPARE(Field(frame, 110, 10), quint64(0));
        VDLCodecModel other;
        QVERIFY(other.GetAfc()->DecodeResponse(frame));
        QCOMPARE(other.GetAfc()->implementationStatus, status);
        QVERIFY(other.GetAfc()->ResponseText().endsWith(
            QStringLiteral("  Status of implementation for each function ID: %1\n").arg(status)));
        if (status == Q_UINT64_C(0x8000000000000000))
            QVERIFY(other.GetAfc()->ResponseText().contains(QStringLiteral("9223372036854775808")));
    }

    void afbRoundTrip_data()
    {
        QTest::addColumn<QList<int>>("values"); // id, index, channel, hour, minute, slot
        QTest::newRow("lowest") << QList<int>{0, 0, 1, 0, 0, 0};
        QTest::newRow("highest, channel 2") << QList<int>{63, 7, 2, 31, 63, 4095};
    }
    void afbRoundTrip()
    {
        QFETCH(QList<int>, values);
        VDLCodecModel codec;
        AFB* afb = codec.GetAfb();
        afb->messageId = values[0];
        afb->messageIndex = values[1];
        afb->channel = values[2];
        afb->hour = values[3];
        afb->minute = values[4];
        afb->slot = values[5];
        const QBitArray frame = afb->EncodeConfiguration();
        QCOMPARE(Field(frame, 0, 16), quint64(0xF798));
        QCOMPARE(Field(frame, 55, 1), quint64(values[2] - 1));
        QCOMPARE(Field(frame, 79, 41), quint64(0));
        VDLCodecModel other;
        QVERIFY(other.GetAfb()->DecodeConfiguration(frame));
        const AFB* read = other.GetAfb();
        QCOMPARE((QList<int>{read->messageId, read->messageIndex, read->channel, read->hour, read->minute, read->slot}),
                 values);
        QVERIFY(!read->ResponseText().isEmpty());
    }

    void akeText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("short") << "key"
                               << "KEY";
        QTest::newRow("nine characters") << "ABCDEFGHI"
                                         << "ABCDEFGHI";
        QTest::newRow("tenth gives two bits") << "ABCDEFGHIC"
                                              << "ABCDEFGHI";
    }
    void akeText()
    {
        QFETCH(QString, text);
        QFETCH(QString, decoded);
        VDLCodecModel codec;
        codec.GetAke()->text = text;
        const QBitArray frame = codec.GetAke()->EncodeConfiguration();
        QCOMPARE(Field(frame, 0, 16), quint64(0xF790));
        QCOMPARE(Field(frame, 102, 18), quint64(0));
        VDLCodecModel other;
        QVERIFY(other.GetAke()->DecodeConfiguration(frame));
        // The decoder reads ten characters; the tenth holds only the two bits sent of it.
        QVERIFY(other.GetAke()->text.startsWith(decoded));
        QVERIFY(other.GetAke()->text.size() <= 10);
    }

    void mprRoundTrip_data()
    {
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<QString>("text");
        QTest::newRow("lowest") << QList<int>{0, 0, 0, 0, 0} << "";
        QTest::newRow("highest") << QList<int>{63, 7, 15, 15, 1} << "NINE CHAR";
        QTest::newRow("short text, at signs removed") << QList<int>{1, 2, 3, 1, 0} << "AB";
    }
    void mprRoundTrip()
    {
        QFETCH(QList<int>, values);
        QFETCH(QString, text);
        VDLCodecModel codec;
        MPR* mpr = codec.GetMpr();
        mpr->value1 = values[0];
        mpr->value2 = values[1];
        mpr->value3 = values[2];
        mpr->value4 = values[3];
        mpr->value5 = values[4];
        mpr->text = text;
        const QBitArray frame = mpr->EncodeConfiguration();
        QCOMPARE(Field(frame, 0, 16), quint64(0xF797));
        QCOMPARE(Field(frame, 63, 1), quint64(values[4]));
        QCOMPARE(Field(frame, 118, 2), quint64(0));
        VDLCodecModel other;
        QVERIFY(other.GetMpr()->DecodeConfiguration(frame));
        const MPR* read = other.GetMpr();
        QCOMPARE((QList<int>{read->value1, read->value2, read->value3, read->value4, read->value5}), values);
        QCOMPARE(read->text, text);
    }

    void sharedSlotImplementations()
    {
        VDLCodecModel codec;
        const QBitArray any(128, true);
        QVERIFY(codec.GetAke()->DecodeRequest(any));
        QVERIFY(codec.GetAke()->DecodeResponse(any));
        QVERIFY(!codec.GetAfb()->DecodeRequest(any));
        QVERIFY(!codec.GetAfb()->DecodeResponse(any));
        QVERIFY(!codec.GetMpr()->DecodeRequest(any));
        QVERIFY(!codec.GetMpr()->DecodeResponse(any));
        QVERIFY(codec.GetAfc()->DecodeConfiguration(any));
        for (VDLModelObject* o : QList<VDLModelObject*>{codec.GetAfb(), codec.GetAke(), codec.GetMpr()})
        {
            QCOMPARE(o->EncodeRequest(), QBitArray(128, false));
            QCOMPARE(o->EncodeResponse(), QBitArray(128, false));
        }
        QCOMPARE(codec.GetAfc()->EncodeConfiguration(), QBitArray(128, false));
        QCOMPARE(codec.GetMpr()->value3, 3);
        QCOMPARE(codec.GetMpr()->value4, 1);
    }
};

KELVANE_TEST_MAIN(TestStatusMessages)
#include "tst_StatusMessages.moc"
