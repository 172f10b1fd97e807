#include "model/AtoN.h"
#include "support/SavedBytes.h"
#include "support/TestMain.h"

#include <QtEndian>
#include <cstring>
#include <limits>

namespace
{
// Hand-built data-stream bytes, written independently of QDataStream: big-endian integers, strings
// as a byte length and UTF-16BE, doubles as big-endian IEEE 754.
struct Bytes
{
    QByteArray data;
    Bytes& i32(qint32 v)
    {
        char b[4];
        qToBigEndian(v, b);
        data.append(b, 4);
        return *this;
    }
    Bytes& i8(qint8 v)
    {
        data.append(char(v));
        return *this;
    }
    Bytes& str(const QString& s)
    {
        i32(qint32(s.size() * 2));
        for (QChar c : s)
        {
            data.append(char(c.unicode() >> 8));
            data.append(char(c.unicode() & 0xff));
        }
        return *this;
    }
    Bytes& f64(double v)
    {
        quint64 bits;
        std::memcpy(&bits, &v, 8);
        char b[8];
        qToBigEndian(bits, b);
        data.append(b, 8);
        return *this;
    }
};

using KelvaneTest::Saved;
} // namespace

class TestAtoN : public QObject
{
    Q_OBJECT

private slots:
    void defaultsStreamByteExact()
    {
        AtoN aton;
        Bytes b;
        b.i32(2);                                                                             // version
        b.i32(2).str("000000000").str("000000000").str("000000000").i32(0).i8(1);             // MMSI set
        b.i32(1).f64(91.0).f64(181.0).i32(0).i32(2087).i32(2088).i32(0).i32(0).i32(0).i32(0); // .. station kind, code
        b.i32(50).i32(1).i32(0).i32(0).str("ATON").i32(1).i32(1).i32(1).i32(1).i8(0);         // .. inland last
        QCOMPARE(Saved(aton).toHex(), b.data.toHex());
    }

    void setValuesStreamByteExact()
    {
        AtoN aton;
        AtoNMMSI* m = aton.GetAtoNMMSI();
        m->SetCurrentMMSI("992351001");
        m->SetMMSI("992351002");
        m->SetAddressMMSI("992351003");
        m->SetIndex(4);
        m->SetEnabled(false);
        m->SetAuxFlag(true); // never stored
        aton.SetGnssType(13);
        aton.GetPosition()->SetLatitude(51.5);
        aton.GetPosition()->SetLongitude(-1.25);
        aton.SetPositionAccuracy(1);
        aton.SetChannel1(1060);
        aton.SetChannel2(2001);
        aton.SetPowerLevel(5);
        aton.SetInland(true);
        aton.SetTypeOfAtoN(17);
        aton.SetStationKind(2);
        aton.SetOffPositionThreshold(4095);
        aton.SetAckProcedure(0);
        aton.SetOffPositionCheck(1);
        aton.SetSyncLossBehaviour(1);
        aton.SetName("NEEDLES %%90");
        aton.SetDimensionA(511);
        aton.SetDimensionB(2);
        aton.SetDimensionC(63);
        aton.SetDimensionD(4);

        Bytes b;
        b.i32(2);
        b.i32(2).str("992351001").str("992351002").str("992351003").i32(4).i8(0);
        b.i32(13).f64(51.5).f64(-1.25).i32(1).i32(1060).i32(2001).i32(5).i32(17).i32(2).i32(49);
        b.i32(4095).i32(0).i32(1).i32(1).str("NEEDLES %%90").i32(511).i32(2).i32(63).i32(4).i8(1);
        const QByteArray saved = Saved(aton);
        QCOMPARE(saved.toHex(), b.data.toHex());

        // Load gives back every field; the delete request stays as it was before the load.
        AtoN loaded;
        loaded.GetAtoNMMSI()->SetAuxFlag(false);
        QDataStream in(saved);
        loaded.Load(in);
        QCOMPARE(in.status(), QDataStream::Ok);
        QVERIFY(in.atEnd());
        QCOMPARE(Saved(loaded), saved);
        QCOMPARE(loaded.GetAtoNMMSI()->GetAuxFlag(), false);
        QCOMPARE(loaded.IsInland(), true);
        QCOMPARE(loaded.GetInlandTypeCode(), 49);
        QCOMPARE(loaded.GetName(), QString("NEEDLES %%90"));
    }

    void storedVersionAndRangeOnLoad()
    {
        Bytes b;
        b.i32(7);
        b.i32(3).str("1").str("2").str("3").i32(0).i8(5);
        b.i32(1).f64(95.0).f64(-200.0).i32(0).i32(2087).i32(2088).i32(0).i32(0).i32(0).i32(0);
        b.i32(50).i32(1).i32(0).i32(0).str("X").i32(1).i32(1).i32(1).i32(1).i8(0);
        AtoN aton;
        QDataStream in(b.data);
        aton.Load(in);
        QCOMPARE(aton.GetVersion(), 7);
        QCOMPARE(aton.GetAtoNMMSI()->GetVersion(), 3);
        QVERIFY(aton.GetAtoNMMSI()->IsEnabled());
        QCOMPARE(aton.GetPosition()->GetLatitude(), 91.0);
        QCOMPARE(aton.GetPosition()->GetLongitude(), 181.0);
    }

    void truncatedLoadNeverCrashes()
    {
        AtoN source;
        source.SetName("SOURCE");
        const QByteArray full = Saved(source);
        for (int cut = 0; cut < full.size(); ++cut)
        {
            AtoN target;
            target.SetName("KEEP");
            QDataStream in(full.left(cut));
            target.Load(in);
            QVERIFY(in.status() != QDataStream::Ok);
            QCOMPARE(target.GetName(), QString("KEEP"));
        }
    }

    void setterRules()
    {
        AtoN aton;
        aton.SetName(QString(40, 'A'));
        QCOMPARE(aton.GetName().size(), 34);
        aton.SetName(QString(34, 'B'));
        QCOMPARE(aton.GetName(), QString(34, 'B'));

        aton.SetInland(true);
        aton.SetTypeOfAtoN(5);
        QCOMPARE(aton.GetInlandTypeCode(), 37);
        aton.SetInlandTypeCode(50);
        aton.SetTypeOfAtoN(5); // unchanged type keeps a code set directly
        QCOMPARE(aton.GetInlandTypeCode(), 50);
        aton.SetInland(false);
        QCOMPARE(aton.GetInlandTypeCode(), 0);

        aton.SetInlandTypeCode(40);
        QVERIFY(aton.IsInland());
        aton.SetInland(false);
        aton.SetInlandTypeCode(64);
        QVERIFY(!aton.IsInland());
        aton.SetInlandTypeCode(10);
        QVERIFY(!aton.IsInland());
        // A type read unchecked from a file or a sentence must not overflow the inland code.
        AtoN wide;
        wide.SetTypeOfAtoN(std::numeric_limits<int>::max());
        wide.SetInland(true);
        QVERIFY(wide.IsInland());
        wide.SetTypeOfAtoN(std::numeric_limits<int>::max() - 1);
        wide.SetInland(false);
        QCOMPARE(wide.GetInlandTypeCode(), 0);

        for (int g = 0; g <= 13; ++g)
        {
            aton.SetGnssType(g);
            QCOMPARE(aton.GetEpfdType(), g == 13 ? 7 : 15);
        }
        aton.SetGnssType(5);
        aton.SetGnssTypeFromEpfd(7, true);
        QCOMPARE(aton.GetGnssType(), 5);
        aton.SetGnssTypeFromEpfd(7, false);
        QCOMPARE(aton.GetGnssType(), 13);
        aton.SetGnssTypeFromEpfd(15, false);
        QCOMPARE(aton.GetGnssType(), 0);

        GeoPosition outside;
        outside.SetLatitude(QStringLiteral("95"));
        outside.SetLongitude(QStringLiteral("190"));
        aton.SetPosition(outside);
        QCOMPARE(aton.GetPosition()->GetLatitude(), 91.0);
        QCOMPARE(aton.GetPosition()->GetLongitude(), 181.0);
    }

    void copyingAndClear()
    {
        QObject owner;
        AtoN source;
        source.GetAtoNMMSI()->SetMMSI("123456789");
        source.GetAtoNMMSI()->SetAuxFlag(true);
        source.SetName("SRC");
        source.SetStationKind(1);
        source.GetPosition()->SetLatitude(10.0);

        AtoN target(&owner);
        target.setObjectName("target");
        target = source;
        QCOMPARE(target.parent(), &owner);
        QCOMPARE(target.objectName(), QString("target"));
        QCOMPARE(target.GetAtoNMMSI()->GetMMSI(), QString("123456789"));
        QVERIFY(target.GetAtoNMMSI()->GetAuxFlag());
        QCOMPARE(target.GetStationKind(), 1);
        QCOMPARE(target.GetPosition()->GetLatitude(), 10.0);

        // A list copy of an MMSI set does not carry the delete request.
        AtoNMMSI listCopy(*source.GetAtoNMMSI());
        QCOMPARE(listCopy.GetMMSI(), QString("123456789"));
        QVERIFY(!listCopy.GetAuxFlag());
        QCOMPARE(listCopy.parent(), nullptr);

        target.Clear();
        QCOMPARE(target.GetName(), QString("ATON"));
        QCOMPARE(target.GetStationKind(), 0);
        QCOMPARE(target.GetAtoNMMSI()->GetMMSI(), QString("000000000"));
        QVERIFY(target.GetAtoNMMSI()->IsEnabled());
        QVERIFY(!target.GetAtoNMMSI()->GetAuxFlag());
        QCOMPARE(target.GetPosition()->GetLatitude(), 91.0);
        target.setParent(nullptr);
    }
};

KELVANE_TEST_MAIN(TestAtoN)
#include "tst_AtoN.moc"
