#include "model/vdl/VDLModelObject.h"
#include "support/TestMain.h"

#include "VdlFrames.h"

using VdlFrames::FromBits;
using VdlFrames::FromHex;
using VdlFrames::ToBits;
using VdlFrames::ToHex;

class TestBitCodec : public QObject
{
    Q_OBJECT

private slots:
    void putBitsWritesLowBitsMostSignificantFirst_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("bits");
        QTest::newRow("one bit set") << 1 << 1 << "1";
        QTest::newRow("five in four") << 5 << 4 << "0101";
        QTest::newRow("minus one in 27") << -1 << 27 << QString(27, QLatin1Char('1'));
        QTest::newRow("wider value loses high bits") << 0x1F3 << 4 << "0011";
        QTest::newRow("twos complement of -2 in 3") << -2 << 3 << "110";
        QTest::newRow("full 32 bits") << int(0x80000001) << 32 << "10000000000000000000000000000001";
        QTest::newRow("zero width writes nothing") << 7 << 0 << "";
    }
    void putBitsWritesLowBitsMostSignificantFirst()
    {
        QFETCH(int, value);
        QFETCH(int, width);
        QFETCH(QString, bits);
        QBitArray frame(40, false);
        int position = 3;
        VDLModelObject::PutBits(value, width, frame, position);
        QCOMPARE(position, 3 + width);
        QCOMPARE(ToBits(frame, 3, width), bits);
        QCOMPARE(ToBits(frame, 0, 3), QStringLiteral("000"));
        QCOMPARE(ToBits(frame, 3 + width), QString(40 - 3 - width, QLatin1Char('0')));
    }

    void signedBitsAreTwosComplement_data()
    {
        QTest::addColumn<QString>("bits");
        QTest::addColumn<int>("expected");
        QTest::newRow("27 ones") << QString(27, QLatin1Char('1')) << -1;
        QTest::newRow("1 then 26 zeros") << QStringLiteral("1") + QString(26, QLatin1Char('0')) << -(1 << 26);
        QTest::newRow("0 then 26 ones") << QStringLiteral("0") + QString(26, QLatin1Char('1')) << (1 << 26) - 1;
        QTest::newRow("one bit set") << "1" << -1;
        QTest::newRow("32 bits") << QStringLiteral("1") + QString(31, QLatin1Char('0')) << int(0x80000000);
    }
    void signedBitsAreTwosComplement()
    {
        QFETCH(QString, bits);
        QFETCH(int, expected);
        const QBitArray frame = FromBits(bits);
        int position = 0;
        QCOMPARE(VDLModelObject::GetSignedBits(frame.size(), frame, position), expected);
        QCOMPARE(position, frame.size());
    }

    void bits64RoundTrip()
    {
        QBitArray frame(70, false);
        int position = 2;
        VDLModelObject::PutBits64(Q_UINT64_C(0x8000000000000001), 64, frame, position);
        QCOMPARE(ToBits(frame, 2, 64), QStringLiteral("1") + QString(62, QLatin1Char('0')) + QStringLiteral("1"));
        position = 2;
        QCOMPARE(VDLModelObject::GetBits64(64, frame, position), Q_UINT64_C(0x8000000000000001));
        position = 2;
        QCOMPARE(VDLModelObject::GetBits(32, frame, position), 0x80000000u);
    }

    void bitsOutsideTheFrameAreNeitherWrittenNorRead()
    {
        QBitArray frame(8, false);
        int position = 6;
        VDLModelObject::PutBits(0xF, 4, frame, position);
        QCOMPARE(position, 10);
        QCOMPARE(ToBits(frame), QStringLiteral("00000011"));
        position = 6;
        QCOMPARE(VDLModelObject::GetBits(4, frame, position), 0xCu);
        position = -3;
        QCOMPARE(VDLModelObject::GetBits(4, frame, position), 0u);
        QBitArray empty;
        position = 0;
        QCOMPARE(VDLModelObject::GetSixBitText(3, empty, position), QString());
        VDLModelObject::AppendChecksum(empty);
        QCOMPARE(empty.size(), 0);
    }

    void sixBitText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("characters");
        QTest::addColumn<QList<int>>("values");
        QTest::newRow("abc in five") << "abc" << 5 << QList<int>{1, 2, 3, 0, 0};
        QTest::newRow("longer text is cut") << "HELLO WORLD" << 4 << QList<int>{8, 5, 12, 12};
        QTest::newRow("punctuation keeps its code") << " 09?" << 4 << QList<int>{32, 48, 57, 63};
        QTest::newRow("characters after Z") << "[\\]^_" << 5 << QList<int>{27, 28, 29, 30, 31};
        QTest::newRow("outside the table: low six bits") << QStringLiteral("`~") << 2 << QList<int>{96 & 63, 126 & 63};
        QTest::newRow("no Latin-1 form gives 0") << QStringLiteral("\u20AC") << 1 << QList<int>{0};
        QTest::newRow("sharp s keeps the width") << QStringLiteral("\u00DFA") << 2 << QList<int>{0xDF & 63, 1};
    }
    void sixBitText()
    {
        QFETCH(QString, text);
        QFETCH(int, characters);
        QFETCH(QList<int>, values);
        for (bool padded : {false, true})
        {
            QBitArray frame(6 * characters + 4, true);
            int position = 2;
            if (padded)
                VDLModelObject::PutSixBitTextPadded(text, characters, frame, position);
            else
                VDLModelObject::PutSixBitText(text, characters, frame, position);
            QCOMPARE(position, 2 + 6 * characters);
            int read = 2;
            for (int expected : values)
                QCOMPARE(int(VDLModelObject::GetBits(6, frame, read)), expected);
            QCOMPARE(ToBits(frame, 6 * characters + 2), QStringLiteral("11"));
        }
    }

    void readingSixBitTextDropsOnlyTrailingAtSigns_data()
    {
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<QString>("text");
        QTest::newRow("ABC") << QList<int>{1, 2, 3, 0, 0} << "ABC";
        QTest::newRow("inner at sign stays") << QList<int>{1, 0, 2, 0, 0} << "A@B";
        QTest::newRow("only at signs") << QList<int>{0, 0, 0} << "";
        QTest::newRow("trailing blank stays") << QList<int>{1, 32, 0} << "A ";
        QTest::newRow("upper values are their codes") << QList<int>{48, 63, 33} << "0?!";
    }
    void readingSixBitTextDropsOnlyTrailingAtSigns()
    {
        QFETCH(QList<int>, values);
        QFETCH(QString, text);
        QBitArray frame(6 * values.size(), false);
        int position = 0;
        for (int v : values)
            VDLModelObject::PutBits(v, 6, frame, position);
        position = 0;
        QCOMPARE(VDLModelObject::GetSixBitText(values.size(), frame, position), text);
        QCOMPARE(position, 6 * values.size());
    }

    void sixBitTextIntoBitWidth_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("whole");
        QTest::newRow("56 bits: nine characters and two bits") << 56 << 9;
        QTest::newRow("74 bits: twelve characters and two bits") << 74 << 12;
        QTest::newRow("exact multiple") << 12 << 2;
    }
    void sixBitTextIntoBitWidth()
    {
        QFETCH(int, bits);
        QFETCH(int, whole);
        const QString text = QStringLiteral("ABCDEFGHIJKLMNOP");
        QBitArray frame(bits + 8, false);
        int position = 0;
        VDLModelObject::PutSixBitTextBits(text, bits, frame, position);
        QCOMPARE(position, bits);
        int read = 0;
        QCOMPARE(VDLModelObject::GetSixBitText(whole, frame, read), text.left(whole));
        const int rest = bits - 6 * whole;
        // The next character's value (its letter number) contributes its lowest bits only.
        const int next = whole + 1;
        QCOMPARE(int(VDLModelObject::GetBits(rest, frame, read)), next & ((1 << rest) - 1));
        QCOMPARE(ToBits(frame, bits), QString(8, QLatin1Char('0')));
    }

    void checksumSumsBytesInReverseBitOrder_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("frame");
        QTest::newRow("AID request to MMSI 0") << QByteArray("F7 81 00 00 00 03 8F 00 00 00 00 00 00 00 00 00")
                                               << "F7 81 00 00 00 03 8F 00 00 00 00 00 00 00 00 21";
        QTest::newRow("all zero") << QByteArray(32, '0') << "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00";
        QTest::newRow("old checksum replaced, wraps modulo 256")
            << QByteArray("80 80 80 FF FF 00 00 00 00 00 00 00 00 00 00 AA")
            << "80 80 80 FF FF 00 00 00 00 00 00 00 00 00 00 01";
        QTest::newRow("256-bit frame covers 31 bytes")
            << QByteArray(31 * 2, '0').replace(0, 2, "01").append("00")
            << QStringLiteral("01 ") + QStringLiteral("00 ").repeated(30) + QStringLiteral("80");
        QTest::newRow("ragged tail: last whole byte") << QByteArray("01 00") << "01 80";
    }
    void checksumSumsBytesInReverseBitOrder()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, frame);
        QBitArray bits = FromHex(bytes);
        VDLModelObject::AppendChecksum(bits);
        QCOMPARE(ToHex(bits), frame);
    }

    void checksumOfRaggedFrameLeavesTailBits()
    {
        QBitArray bits = FromBits(QStringLiteral("00000001 00000000 111"));
        VDLModelObject::AppendChecksum(bits);
        QCOMPARE(ToBits(bits), QStringLiteral("0000000110000000111"));
    }

    void mmsiTextToNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::newRow("nine digits") << "992351234" << 992351234;
        QTest::newRow("leading zeros") << "000000007" << 7;
        QTest::newRow("no number") << "ABC" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("too large for 32 bits") << "99999999999" << 0;
    }
    void mmsiTextToNumber()
    {
        QFETCH(QString, text);
        QFETCH(int, number);
        QCOMPARE(VDLModelObject::MmsiToNumber(text), number);
    }

    void positionsAreTruncatedTowardZero_data()
    {
        QTest::addColumn<double>("degrees");
        QTest::addColumn<int>("wire");
        QTest::newRow("-33.5") << -33.5 << -20100000;
        QTest::newRow("not available latitude") << 91.0 << 54600000;
        QTest::newRow("not available longitude") << 181.0 << 108600000;
        // 1.74 and -1.74 units: rounding would give 2 and -2.
        QTest::newRow("truncated, not rounded") << 0.0000029 << 1;
        QTest::newRow("negative truncated toward zero") << -0.0000029 << -1;
        QTest::newRow("NaN is 0") << qQNaN() << 0;
    }
    void positionsAreTruncatedTowardZero()
    {
        QFETCH(double, degrees);
        QFETCH(int, wire);
        QCOMPARE(VDLModelObject::DegreesToWire(degrees), wire);
    }
};

KELVANE_TEST_MAIN(TestBitCodec)
#include "tst_BitCodec.moc"
