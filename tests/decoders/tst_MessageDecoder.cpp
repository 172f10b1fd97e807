#include "comms/NmeaSentence.h"
#include "decoders/AlarmData.h"
#include "decoders/MessageDecoder.h"
#include "model/AtoN.h"
#include "model/Model.h"
#include "support/TestMain.h"

#include <QSignalSpy>

namespace
{
QString Line(const QString& body)
{
    QString line = NmeaSentence::Frame(body);
    line.remove(QLatin1Char('\r'));
    return line;
}

// Builds an AIS message field by field, most significant bit first.
struct BitWriter
{
    QBitArray bits;
    BitWriter& Put(quint32 value, int count)
    {
        const int at = bits.size();
        bits.resize(at + count);
        for (int i = 0; i < count; ++i)
            bits.setBit(at + i, (value >> (count - 1 - i)) & 1);
        return *this;
    }
    BitWriter& PadTo(int size)
    {
        bits.resize(size);
        return *this;
    }
};

// The armoured payload and its fill-bit count.
QString Armour(const QBitArray& bits, int* fill = nullptr)
{
    QString payload;
    for (int at = 0; at < bits.size(); at += 6)
    {
        int v = 0;
        for (int b = 0; b < 6; ++b)
            v = (v << 1) | ((at + b < bits.size() && bits.testBit(at + b)) ? 1 : 0);
        payload.append(QLatin1Char(NmeaSentence::SixBitChar(v)));
    }
    if (fill)
        *fill = payload.size() * 6 - bits.size();
    return payload;
}

QString SingleSentence(const QString& formatter, const QBitArray& bits)
{
    int fill = 0;
    const QString payload = Armour(bits, &fill);
    return Line(QStringLiteral("!AI%1,1,1,,A,%2,%3").arg(formatter, payload).arg(fill));
}

QBitArray Message6(quint32 mmsi, int repeat, quint32 data)
{
    return BitWriter()
        .Put(6, 6)
        .Put(repeat, 2)
        .Put(mmsi, 30)
        .Put(0, 2)
        .Put(992351000, 30)
        .Put(0, 2)
        .Put(990, 10)
        .Put(10, 6)
        .Put(data, 32)
        .bits;
}

QBitArray Message21(quint32 mmsi, int racon, int light, int health, int size = 272)
{
    BitWriter w;
    w.Put(21, 6).Put(0, 2).Put(mmsi, 30).PadTo(260);
    w.Put(0, 3).Put(racon, 2).Put(light, 2).Put(health, 1);
    return w.PadTo(size).bits;
}
} // namespace

class TestMessageDecoder : public QObject
{
    Q_OBJECT

    Model model;

private slots:
    void init()
    {
        model.GetRealAtoN()->GetAtoNMMSI()->SetCurrentMMSI(QStringLiteral("992351234"));
        model.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(QStringLiteral("992351235"));
        model.GetRealAtoN()->SetInland(false);
    }

    void nullModelIsAnAllocationFailure() { QVERIFY_THROWS_EXCEPTION(std::bad_alloc, MessageDecoder(nullptr)); }

    void textMessages()
    {
        MessageDecoder decoder(&model);
        QSignalSpy spy(&decoder, &MessageDecoder::TextMessageReceived);
        decoder.OnReceived(Line("$AITXT,2,1,5,AB"));
        QCOMPARE(spy.count(), 0);
        decoder.OnReceived(Line("$AITXT,2,2,5,CD"));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("AB") + QStringLiteral("CD"));

        // Escapes resolved; only the unit's own talkers; identifiers up to 255.
        decoder.OnReceived(Line("$ANTXT,1,1,255,a^2Cb^5E"));
        decoder.OnReceived(Line("$GPTXT,1,1,01,receiver text"));
        decoder.OnReceived(Line("$AITXT,1,1,256,out of range"));
        decoder.OnReceived(Line("$AITXT,1,,7,no number"));
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("a,b^"));

        // A text whose last sentence never comes cannot grow without end.
        const QString chunk(60, QLatin1Char('y'));
        decoder.OnReceived(Line("$AITXT,99,1,9," + chunk));
        for (int i = 0; i < 300; ++i)
            decoder.OnReceived(Line("$AITXT,99,2,9," + chunk));
        decoder.OnReceived(Line("$AITXT,2,2,9,END"));
        QCOMPARE(spy.count(), 3);
        QVERIFY(spy.at(2).at(0).toString().size() <= MessageDecoder::MaxTextLength);
    }

    void alarms()
    {
        MessageDecoder decoder(&model);
        QSignalSpy spy(&decoder, &MessageDecoder::AlarmReceived);
        AlarmData* alarms = decoder.GetAlarmData();
        QCOMPARE(alarms->At(3).id, 0); // empty list: an empty entry

        const QTime before = QTime::currentTime();
        decoder.OnReceived(Line("$AIALR,,001,A,V,Tx malfunction"));
        decoder.OnReceived(Line("$AIALR,101500.00,002,V,V,Low^2C supply"));
        decoder.OnReceived(Line("$ANALR,101600,001,A,A,Tx malfunction"));
        decoder.OnReceived(Line("$GPALR,101600,003,A,A,not the unit"));
        QCOMPARE(spy.count(), 3);
        QCOMPARE(spy.at(0).at(0).value<AlarmData*>(), alarms);
        QCOMPARE(alarms->Count(), 2);
        QCOMPARE(alarms->ActiveCount(), 1);

        // The second report of alarm 1 replaced the first in place.
        const AlarmEntry first = alarms->At(0);
        QCOMPARE(first.id, 1);
        QCOMPARE(first.time, QTime(10, 16, 0));
        QVERIFY(first.active);
        QVERIFY(first.acknowledged);
        const AlarmEntry second = alarms->At(1);
        QCOMPARE(second.id, 2);
        QCOMPARE(second.time, QTime(10, 15, 0));
        QVERIFY(!second.active);
        QCOMPARE(second.text, QStringLiteral("Low, supply"));
        QCOMPARE(alarms->At(7).id, 1);

        // No time field: the time of reception.
        decoder.OnReceived(Line("$AIALR,,004,A,V,"));
        const AlarmEntry fourth = alarms->At(2);
        QVERIFY(fourth.time.isValid());
        QVERIFY(qAbs(before.secsTo(fourth.time)) <= 5);
        QCOMPARE(fourth.text, QString());
    }

    void alarmListIsBounded()
    {
        AlarmData alarms;
        for (int id = 0; id < AlarmData::MaxEntries; ++id)
            QVERIFY(alarms.Update(id, QTime(1, 0), true, false, QString()));
        QVERIFY(!alarms.Update(AlarmData::MaxEntries, QTime(1, 0), true, false, QString()));
        QVERIFY(alarms.Update(5, QTime(2, 0), false, false, QStringLiteral("known")));
        QCOMPARE(alarms.Count(), AlarmData::MaxEntries);
        QCOMPARE(alarms.At(5).text, QStringLiteral("known"));
    }

    void message6()
    {
        MessageDecoder decoder(&model);
        QList<QBitArray> received;
        connect(&decoder, &MessageDecoder::Message6Received, this, [&](QBitArray* bits) { received.append(*bits); });

        const QBitArray reply = Message6(992351234, 0, 0xCAFE);
        const QString line = SingleSentence("VDM", reply);
        decoder.OnReceived(line);
        QCOMPARE(received.size(), 1);
        // Without the fill bits: the message as it was sent.
        QCOMPARE(received[0], reply);
        QCOMPARE(MessageDecoder::BitsValue(received[0], 8, 30), 992351234u);
        QCOMPARE(MessageDecoder::BitsValue(received[0], 88, 32), 0xCAFEu);

        // The copy from the other channel is suppressed; a different message passes.
        decoder.OnReceived(line);
        QCOMPARE(received.size(), 1);
        decoder.OnReceived(SingleSentence("VDM", Message6(992351234, 0, 0xBEEF)));
        QCOMPARE(received.size(), 2);
        // Repeated messages (repeat indicator not 0), other messages and our own transmissions: nothing.
        decoder.OnReceived(SingleSentence("VDM", Message6(992351234, 1, 1)));
        decoder.OnReceived(SingleSentence("VDM", Message21(992351234, 1, 1, 1)));
        decoder.OnReceived(SingleSentence("VDO", Message6(992351234, 0, 2)));
        QCOMPARE(received.size(), 2);
    }

    void duplicateOnlyWithinWindow()
    {
        MessageDecoder decoder(&model);
        decoder.SetDuplicateWindow(100);
        QSignalSpy spy(&decoder, &MessageDecoder::Message6Received);
        const QString line = SingleSentence("VDM", Message6(992351234, 0, 7));
        decoder.OnReceived(line);
        decoder.OnReceived(line);
        QCOMPARE(spy.count(), 1);
        // The same reply heard again later is a new reply, not a channel copy.
        QTRY_COMPARE_WITH_TIMEOUT(
            [&]
            {
                decoder.OnReceived(line);
                return int(spy.count());
            }(),
            2, 2000);
    }

    // Fragments join only in turn into the message they belong to; a fragment that cannot be read
    // loses its message. Lines are "!AIVDM," + the row's text, cut from one 400-bit message 6.
    void fragments_data()
    {
        QTest::addColumn<QStringList>("sentences");
        QTest::addColumn<int>("messages");
        const QString p = Armour(BitWriter().Put(6, 6).Put(0, 2).Put(992351234, 30).PadTo(400).bits);
        const QString a = "2,1,3,B," + p.left(40) + ",0";
        const QString b = "2,2,3,B," + p.mid(40) + ",2";
        QTest::newRow("in turn, another message between") << QStringList{a, "2,1,4,B," + p.left(10) + ",0", b} << 1;
        QTest::newRow("no fill field") << QStringList{a, "2,2,3,B," + p.mid(40) + ","} << 0;
        QTest::newRow("middle fragment lost")
            << QStringList{"3,1,3,B," + p.left(20) + ",0", "3,3,3,B," + p.mid(40) + ",2"} << 0;
        QTest::newRow("fragment after the message completed")
            << QStringList{a, b, "2,2,3,B," + p.mid(40, 20) + ",0"} << 1;
        QTest::newRow("the same fragment again, never the last")
            << QStringList{"9,1,5,A," + p.left(60) + ",0", "9,2,5,A," + p.left(60) + ",0",
                           "9,2,5,A," + p.left(60) + ",0", "9,9,5,A," + p.left(60) + ",0"}
            << 0;
        QTest::newRow("fill field of many digits") << QStringList{a, "2,2,3,B," + p.mid(40) + ",2147483647"} << 0;
        QTest::newRow("fill beyond 5") << QStringList{a, "2,2,3,B," + p.mid(40) + ",6"} << 0;
        QTest::newRow("character outside the armouring")
            << QStringList{a, "2,2,3,B," + p.mid(40, 10) + "X" + p.mid(51) + ",2"} << 0;
        QTest::newRow("fragment of another fragment count")
            << QStringList{"3,1,3,B," + p.left(20) + ",0", "2,2,3,B," + p.mid(20) + ",2"} << 0;
        QTest::newRow("unreadable fragment, then the one in turn")
            << QStringList{a, "2,2,3,B," + p.mid(40) + ",7", b} << 0;
    }

    void fragments()
    {
        QFETCH(QStringList, sentences);
        QFETCH(int, messages);
        MessageDecoder decoder(&model);
        QList<QBitArray> received;
        connect(&decoder, &MessageDecoder::Message6Received, this, [&](QBitArray* bits) { received.append(*bits); });
        for (const QString& body : sentences)
        {
            const QString line = Line("!AIVDM," + body);
            QVERIFY(NmeaSentence(line).IsValid());
            decoder.OnReceived(line);
        }
        QCOMPARE(received.size(), messages);
        // What passes is the whole message, without its fill bits.
        for (const QBitArray& bits : received)
        {
            QCOMPARE(bits.size(), 400);
            QCOMPARE(MessageDecoder::BitsValue(bits, 8, 30), 992351234u);
        }
    }

    void message21_data()
    {
        QTest::addColumn<QString>("formatter");
        QTest::addColumn<quint32>("mmsi");
        QTest::addColumn<bool>("inland");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("emitted");
        QTest::newRow("own report") << "VDO" << 992351234u << false << 272 << true;
        QTest::newRow("own report with name extension") << "VDO" << 992351234u << false << 360 << true;
        QTest::newRow("another MMSI") << "VDO" << 992351235u << false << 272 << false;
        QTest::newRow("inland AtoN") << "VDO" << 992351234u << true << 272 << false;
        QTest::newRow("271 bits") << "VDO" << 992351234u << false << 271 << false;
        QTest::newRow("received, not our own") << "VDM" << 992351234u << false << 272 << false;
    }

    void message21()
    {
        QFETCH(QString, formatter);
        QFETCH(quint32, mmsi);
        QFETCH(bool, inland);
        QFETCH(int, size);
        QFETCH(bool, emitted);
        model.GetRealAtoN()->SetInland(inland);
        MessageDecoder decoder(&model);
        QStringList order;
        connect(&decoder, &MessageDecoder::Message21RACONStatus, this,
                [&](uint v) { order << QStringLiteral("racon %1").arg(v); });
        connect(&decoder, &MessageDecoder::Message21LightStatus, this,
                [&](uint v) { order << QStringLiteral("light %1").arg(v); });
        connect(&decoder, &MessageDecoder::Message21HealthStatus, this,
                [&](uint v) { order << QStringLiteral("health %1").arg(v); });
        decoder.OnReceived(SingleSentence(formatter, Message21(mmsi, 2, 3, 1, size)));
        if (emitted)
            QCOMPARE(order, QStringList({"racon 2", "light 3", "health 1"}));
        else
            QVERIFY(order.isEmpty());
    }

    void aarRefusal_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("emitted");
        QTest::newRow("current MMSI") << "$AINAK,UP,AAR,992351234,7,invalid slot reservation" << true;
        QTest::newRow("MMSI being configured") << "$ANNAK,UP,AAR,992351235,7,invalid slot reservation" << true;
        QTest::newRow("reason in capitals") << "$AINAK,UP,AAR,992351234,7,Invalid slot reservation" << false;
        QTest::newRow("other sentence") << "$AINAK,UP,ACE,992351234,7,invalid slot reservation" << false;
        QTest::newRow("other MMSI") << "$AINAK,UP,AAR,992351236,7,invalid slot reservation" << false;
        QTest::newRow("no identifier") << "$AINAK,UP,AAR,,7,invalid slot reservation" << false;
        QTest::newRow("other talker") << "$GPNAK,UP,AAR,992351234,7,invalid slot reservation" << false;
    }

    void aarRefusal()
    {
        QFETCH(QString, body);
        QFETCH(bool, emitted);
        MessageDecoder decoder(&model);
        QSignalSpy spy(&decoder, &MessageDecoder::AarNakReceived);
        decoder.OnReceived(Line(body));
        QCOMPARE(spy.count(), emitted ? 1 : 0);
    }
};

KELVANE_TEST_MAIN(TestMessageDecoder)
#include "tst_MessageDecoder.moc"
