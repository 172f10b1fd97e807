#pragma once
// Helpers of the VDL tests: frames written and read as hexadecimal bytes or as strings of bits, the
// way the worked examples of the frame layouts are given.

#include <QBitArray>
#include <QByteArray>
#include <QString>

namespace VdlFrames
{

// Bytes in hexadecimal (blanks allowed) to a frame, first bit of each byte first.
inline QBitArray FromHex(const QByteArray& hex)
{
    const QByteArray bytes = QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
    QBitArray frame(bytes.size() * 8, false);
    for (int i = 0; i < bytes.size(); ++i)
        for (int b = 0; b < 8; ++b)
            frame.setBit(8 * i + b, (static_cast<unsigned char>(bytes.at(i)) >> (7 - b)) & 1);
    return frame;
}

// Whole bytes of a frame in upper-case hexadecimal separated by blanks.
inline QString ToHex(const QBitArray& frame)
{
    QStringList bytes;
    for (int i = 0; i + 8 <= frame.size(); i += 8)
    {
        int value = 0;
        for (int b = 0; b < 8; ++b)
            value = (value << 1) | (frame.testBit(i + b) ? 1 : 0);
        bytes << QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
    }
    return bytes.join(QLatin1Char(' '));
}

// "0" and "1" characters to a frame; any other character (blank, separator) is skipped.
inline QBitArray FromBits(const QString& text)
{
    QBitArray frame;
    for (QChar c : text)
    {
        if (c != QLatin1Char('0') && c != QLatin1Char('1'))
            continue;
        frame.resize(frame.size() + 1);
        frame.setBit(frame.size() - 1, c == QLatin1Char('1'));
    }
    return frame;
}

inline QString ToBits(const QBitArray& frame, int from = 0, int count = -1)
{
    QString text;
    const int end = count < 0 ? frame.size() : qMin(frame.size(), from + count);
    for (int i = from; i < end; ++i)
        text.append(frame.testBit(i) ? QLatin1Char('1') : QLatin1Char('0'));
    return text;
}

// Unsigned value of `count` bits from `from`, most significant first.
inline quint64 Field(const QBitArray& frame, int from, int count)
{
    quint64 value = 0;
    for (int i = from; i < from + count; ++i)
        value = (value << 1) | (frame.testBit(i) ? 1u : 0u);
    return value;
}

} // namespace VdlFrames
