#include "support/SimRemoteAtoN.h"

namespace SimVdl
{
namespace
{
constexpr int Dac = 990;
constexpr int FrameBits = 128;
constexpr int HeaderBits = 72;
constexpr int CharactersPerSentence = 56;

char ArmourChar(int v)
{
    return char(v < 40 ? v + 48 : v + 56);
}

int SixBitValue(QChar c)
{
    int v = c.toLatin1() - 48;
    if (v > 40)
        v -= 8;
    return v;
}
} // namespace

void Put(QBitArray& bits, int& at, int width, qint64 value)
{
    for (int i = 0; i < width; ++i)
    {
        if (at + i < bits.size())
            bits.setBit(at + i, ((value >> (width - 1 - i)) & 1) != 0);
    }
    at += width;
}

quint32 Get(const QBitArray& bits, int& at, int width)
{
    quint32 v = 0;
    for (int i = 0; i < width; ++i)
        v = (v << 1) | ((at + i < bits.size() && bits.testBit(at + i)) ? 1u : 0u);
    at += width;
    return v;
}

QBitArray Frame(int fi, quint32 mmsi, int& at)
{
    QBitArray bits(FrameBits);
    at = 0;
    Put(bits, at, 10, Dac);
    Put(bits, at, 6, fi);
    Put(bits, at, 30, mmsi);
    return bits;
}

QBitArray AidReplyFrame(quint32 mmsi, int count, quint32 first, int firstType, quint32 second, int secondType)
{
    int at = 0;
    QBitArray bits = Frame(AidReply, mmsi, at);
    Put(bits, at, 10, count);
    Put(bits, at, 30, first);
    Put(bits, at, 2, firstType);
    Put(bits, at, 30, second);
    Put(bits, at, 2, secondType);
    return bits;
}

QBitArray AarReplyFrame(quint32 mmsi, int count, int messageId, int index, int channel, int hour, int minute,
                        int startSlot, int interval, bool enabled)
{
    int at = 0;
    QBitArray bits = Frame(AarReply, mmsi, at);
    Put(bits, at, 6, count);
    Put(bits, at, 6, messageId);
    Put(bits, at, 3, index);
    Put(bits, at, 1, channel == 1 ? 0 : 1);
    Put(bits, at, 5, hour);
    Put(bits, at, 6, minute);
    Put(bits, at, 12, startSlot);
    Put(bits, at, 24, interval);
    Put(bits, at, 1, enabled ? 1 : 0);
    return bits;
}

QBitArray AceReplyPart1Frame(quint32 mmsi, int threshold, qint32 latitude, qint32 longitude, bool syncLoss, int power)
{
    int at = 0;
    QBitArray bits = Frame(AceReplyPart1, mmsi, at);
    Put(bits, at, 12, threshold);
    Put(bits, at, 27, latitude);
    Put(bits, at, 28, longitude);
    Put(bits, at, 1, syncLoss ? 1 : 0);
    Put(bits, at, 4, power);
    return bits;
}

QBitArray AceReplyPart2Frame(quint32 mmsi, bool offPositionCheck, int channel1, int channel2)
{
    int at = 0;
    QBitArray bits = Frame(AceReplyPart2, mmsi, at);
    Put(bits, at, 1, offPositionCheck ? 1 : 0);
    Put(bits, at, 12, channel1);
    Put(bits, at, 12, channel2);
    Put(bits, at, 12, channel1);
    Put(bits, at, 12, channel2);
    return bits;
}

QBitArray CopReplyFrame(quint32 mmsi, int mode, int hour, int minute, int intervalMinutes, int durationMinutes)
{
    int at = 0;
    QBitArray bits = Frame(CopReply, mmsi, at);
    Put(bits, at, 2, mode);
    Put(bits, at, 5, hour);
    Put(bits, at, 6, minute);
    Put(bits, at, 14, intervalMinutes);
    Put(bits, at, 11, durationMinutes);
    return bits;
}

QBitArray Message6(quint32 source, quint32 destination, const QBitArray& payload, int repeat)
{
    QBitArray bits(HeaderBits + payload.size());
    int at = 0;
    Put(bits, at, 6, 6);
    Put(bits, at, 2, repeat);
    Put(bits, at, 30, source);
    Put(bits, at, 2, 0);
    Put(bits, at, 30, destination);
    Put(bits, at, 1, 0);
    Put(bits, at, 1, 0);
    for (int i = 0; i < payload.size(); ++i)
        bits.setBit(HeaderBits + i, payload.testBit(i));
    return bits;
}

QStringList VdmBodies(const QBitArray& message)
{
    QString text;
    const int characters = (message.size() + 5) / 6;
    const int fill = characters * 6 - message.size();
    for (int c = 0; c < characters; ++c)
    {
        int at = c * 6;
        text += QLatin1Char(ArmourChar(int(Get(message, at, 6))));
    }
    QStringList bodies;
    const int total = (text.size() + CharactersPerSentence - 1) / CharactersPerSentence;
    for (int n = 0; n < total; ++n)
    {
        const bool last = n == total - 1;
        bodies << QStringLiteral("!AIVDM,%1,%2,%3,A,%4,%5")
                      .arg(total)
                      .arg(n + 1)
                      .arg(total > 1 ? QStringLiteral("1") : QString())
                      .arg(text.mid(n * CharactersPerSentence, CharactersPerSentence))
                      .arg(last ? fill : 0);
    }
    return bodies;
}

QBitArray FromSixBit(const QString& payload, int fill)
{
    QBitArray bits(payload.size() * 6);
    int at = 0;
    for (QChar c : payload)
    {
        const int v = SixBitValue(c);
        if (v < 0 || v > 63)
            return QBitArray();
        Put(bits, at, 6, v);
    }
    if (fill > 0 && fill <= 5 && fill <= bits.size())
        bits.resize(bits.size() - fill);
    return bits;
}
} // namespace SimVdl

QList<QBitArray> SimRemoteAtoN::Hear(const QBitArray& frame)
{
    using namespace SimVdl;
    int at = 0;
    const int dac = int(Get(frame, at, 10));
    const int fi = int(Get(frame, at, 6));
    const quint32 to = Get(frame, at, 30);
    if (mmsi == 0 || dac != Dac || to != mmsi || frame.size() < FrameBits)
        return {};
    heard << fi;
    QList<QBitArray> replies;
    switch (fi)
    {
    case AidConfiguration:
    {
        const bool on = Get(frame, at, 1) != 0;
        const quint32 entry = Get(frame, at, 30);
        const int kind = int(Get(frame, at, 2));
        for (int i = 0; i < mmsis.size(); ++i)
        {
            if (mmsis.at(i).first == entry)
                mmsis.removeAt(i--);
        }
        if (on)
            mmsis.append({entry, kind});
        break;
    }
    case AidRequest:
    {
        // Two MMSIs a reply; the first reply's count tells the tool how many further requests to send.
        const int first = 2 * aidCursor;
        const auto entryAt = [this](int i) { return i < mmsis.size() ? mmsis.at(i) : QPair<quint32, int>(0, 0); };
        replies << AidReplyFrame(mmsi, int(mmsis.size()), entryAt(first).first, entryAt(first).second,
                                 entryAt(first + 1).first, entryAt(first + 1).second);
        aidCursor = aidCursor + 1 > int(mmsis.size()) / 2 ? 0 : aidCursor + 1;
        break;
    }
    case AcePart1:
        Get(frame, at, 1);
        latitude = qint32(Get(frame, at, 27) << 5) >> 5;
        longitude = qint32(Get(frame, at, 28) << 4) >> 4;
        Get(frame, at, 4);
        offPositionThreshold = int(Get(frame, at, 12));
        break;
    case AcePart3:
        channel1 = int(Get(frame, at, 12));
        channel2 = int(Get(frame, at, 12));
        Get(frame, at, 24);
        power = int(Get(frame, at, 4));
        offPositionCheck = Get(frame, at, 1) != 0;
        syncLoss = Get(frame, at, 1) != 0;
        break;
    case AceRequest:
        replies << AceReplyPart1Frame(mmsi, offPositionThreshold, latitude, longitude, syncLoss, power)
                << AceReplyPart2Frame(mmsi, offPositionCheck, channel1, channel2);
        break;
    case AarSingle:
    {
        SimScheduleEntry e;
        e.channel = Get(frame, at, 1) ? 2 : 1;
        e.enabled = Get(frame, at, 1) != 0;
        e.messageId = int(Get(frame, at, 6));
        e.index = int(Get(frame, at, 3));
        e.hour = int(Get(frame, at, 5));
        e.minute = int(Get(frame, at, 6));
        e.startSlot = int(Get(frame, at, 12));
        e.interval = int(Get(frame, at, 24));
        bool replaced = false;
        for (SimScheduleEntry& held : schedule)
        {
            if (held.messageId == e.messageId && held.index == e.index && held.channel == e.channel)
            {
                held = e;
                replaced = true;
            }
        }
        if (!replaced)
            schedule << e;
        break;
    }
    case AarRequest:
    {
        const int count = int(schedule.size());
        const SimScheduleEntry e = count > 0 ? schedule.at(aarCursor % count) : SimScheduleEntry{0, 0};
        replies << AarReplyFrame(mmsi, count > 0 ? count - 1 : 0, e.messageId, e.index, e.channel, e.hour, e.minute,
                                 e.startSlot, e.interval, e.enabled);
        aarCursor = count > 0 ? (aarCursor + 1) % count : 0;
        break;
    }
    case CopConfiguration:
        copMode = int(Get(frame, at, 2));
        copHour = int(Get(frame, at, 5));
        copMinute = int(Get(frame, at, 6));
        copInterval = int(Get(frame, at, 14));
        copDuration = int(Get(frame, at, 11));
        break;
    case CopRequest:
        replies << CopReplyFrame(mmsi, copMode, copHour, copMinute, copInterval, copDuration);
        break;
    default:
        break;
    }
    return replies;
}
