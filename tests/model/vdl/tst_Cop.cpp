#include "model/Model.h"
#include "model/vdl/VDLCodecModel.h"
#include "support/TestMain.h"

#include "VdlFrames.h"

using VdlFrames::Field;

class TestCop : public QObject
{
    Q_OBJECT

private slots:
    void configurationLayout_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("duration");
        QTest::addColumn<QList<int>>("wire"); // mode, hour, minute, interval, duration
        QTest::newRow("lowest") << 0 << QTime(0, 0) << 0 << 0 << QList<int>{0, 0, 0, 0, 0};
        QTest::newRow("mode 2 goes out as 1") << 2 << QTime(6, 30) << 3600 << 90 << QList<int>{1, 6, 30, 60, 1};
        QTest::newRow("one day on") << 1 << QTime(23, 59) << 983040 << 86400 << QList<int>{1, 23, 59, 0, 1440};
        QTest::newRow("widest fields") << 3 << QTime(23, 59) << 983039 << 122879 << QList<int>{1, 23, 59, 16383, 2047};
        QTest::newRow("invalid time") << 0 << QTime() << 59 << 59 << QList<int>{0, 31, 63, 0, 0};
    }
    void configurationLayout()
    {
        QFETCH(int, mode);
        QFETCH(QTime, time);
        QFETCH(int, interval);
        QFETCH(int, duration);
        QFETCH(QList<int>, wire);
        VDLCodecModel codec;
        COP* cop = codec.GetCop();
        cop->mode = mode;
        cop->wakeUpTime = time;
        cop->interval = interval;
        cop->duration = duration;
        const QBitArray frame = cop->EncodeConfiguration();
        QCOMPARE(Field(frame, 0, 16), quint64(0xF7A3));
        QCOMPARE(Field(frame, 46, 2), quint64(wire[0]));
        QCOMPARE(Field(frame, 48, 5), quint64(wire[1]));
        QCOMPARE(Field(frame, 53, 6), quint64(wire[2]));
        QCOMPARE(Field(frame, 59, 14), quint64(wire[3]));
        QCOMPARE(Field(frame, 73, 11), quint64(wire[4]));
        QCOMPARE(Field(frame, 84, 36), quint64(0));
        QCOMPARE(cop->EncodeResponse(), frame);

        VDLCodecModel other;
        QVERIFY(other.GetCop()->DecodeResponse(frame));
        QCOMPARE(other.GetCop()->GetMode(), wire[0]);
        QCOMPARE(other.GetCop()->GetInterval(), wire[3] * 60);
        QCOMPARE(other.GetCop()->GetDuration(), wire[4] * 60);
        if (time.isValid())
            QCOMPARE(other.GetCop()->GetWakeUpTime(), QTime(time.hour(), time.minute()));
        else
            QVERIFY(!other.GetCop()->GetWakeUpTime().isValid());
    }

    void receivedModeIsKeptAsItStands()
    {
        QBitArray frame(128, false);
        int at = 0;
        VDLModelObject::PutBits(0xF7A4, 16, frame, at);
        VDLModelObject::PutBits(992350001, 30, frame, at);
        VDLModelObject::PutBits(2, 2, frame, at);
        VDLModelObject::PutBits(6, 5, frame, at);
        VDLModelObject::PutBits(30, 6, frame, at);
        VDLModelObject::PutBits(60, 14, frame, at);
        VDLModelObject::PutBits(10, 11, frame, at);
        VDLCodecModel codec;
        QVERIFY(codec.GetCop()->DecodeResponse(frame));
        QCOMPARE(codec.GetCop()->GetMode(), 2);
        QCOMPARE(codec.GetCop()->ResponseText(),
                 QStringLiteral("COPResponse\n  MMSI: 992350001\n  Mode: 2\n  Receiver wake-up hour: 6\n"
                                "  Receiver wake-up minute: 30\n  Receiver wake-up interval: 3600\n"
                                "  Receiver wake-up duration: 600\n"));
        at = 0;
        VDLModelObject::PutBits(0xF792, 16, frame, at); // the request, not a reply
        QCOMPARE(Field(frame, 0, 16), quint64(0xF792));
        QVERIFY(!codec.GetCop()->DecodeResponse(frame));
        QVERIFY(!codec.GetCop()->DecodeRequest(frame));
    }

    void requestFromTheVdlModel()
    {
        Model model;
        VdlModel* vdl = model.GetVdlModel();
        vdl->receiverMode = 1;
        vdl->receiverHour = 6;
        vdl->receiverMinute = 30;
        vdl->receiverInterval = 3600;
        vdl->receiverDuration = 600;
        VDLCodecModel codec;
        codec.GetRemoteMmsi()->SetMmsi(QStringLiteral("992350002"));
        codec.GetCop()->slot = 9;
        codec.SetCopFromModel(&model);
        const COP* cop = codec.GetCop();
        QCOMPARE(cop->GetMode(), 1);
        QCOMPARE(cop->GetWakeUpTime(), QTime(6, 30));
        QCOMPARE(cop->GetInterval(), 3600);
        QCOMPARE(cop->GetDuration(), 600);
        QCOMPARE(cop->channel, 0);
        QCOMPARE(cop->hour, 24);
        QCOMPARE(cop->minute, 60);
        const QBitArray frame = codec.GetCop()->EncodeRequest();
        QCOMPARE(Field(frame, 0, 16), quint64(0xF792));
        QCOMPARE(Field(frame, 16, 30), quint64(992350002));
        QCOMPARE(Field(frame, 46, 24), quint64((1u << 23) | (24u << 18) | (60u << 12) | 9u));
    }
};

KELVANE_TEST_MAIN(TestCop)
#include "tst_Cop.moc"
