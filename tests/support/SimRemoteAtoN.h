#pragma once
// A remote AtoN station within VHF range of the simulated unit: it hears the frames the unit
// broadcasts for it ("!AIBBM"), applies the configuration frames addressed to it and answers the
// requests with message 6 replies (DAC 990), which the unit reports as "!AIVDM" sentences.
//
// The bit layouts are written out here field by field, independently of the tool's own codec, so a
// test built on them catches a codec that drifts from what remote units send.

#include <QBitArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace SimVdl
{
// Function identifiers (DAC 990) of the frames the remote station knows.
constexpr int AidConfiguration = 0;
constexpr int AidRequest = 1;
constexpr int AidReply = 2;
constexpr int AcePart1 = 3;
constexpr int AcePart3 = 5;
constexpr int AceRequest = 9;
constexpr int AceReplyPart1 = 10;
constexpr int AceReplyPart2 = 11;
constexpr int AarSingle = 12;
constexpr int AarRequest = 14;
constexpr int AarReply = 15;
constexpr int CopRequest = 18;
constexpr int CopConfiguration = 35;
constexpr int CopReply = 36;

// Writes value into bits [at, at + width), most significant bit first, and advances at.
void Put(QBitArray& bits, int& at, int width, qint64 value);
quint32 Get(const QBitArray& bits, int& at, int width);

// A 128-bit application frame: DAC 990 and FI, the station's MMSI, then fields put by the caller.
QBitArray Frame(int fi, quint32 mmsi, int& at);

// The reply payloads.
QBitArray AidReplyFrame(quint32 mmsi, int count, quint32 first, int firstType, quint32 second, int secondType);
QBitArray AarReplyFrame(quint32 mmsi, int count, int messageId, int index, int channel, int hour, int minute,
                        int startSlot, int interval, bool enabled);
// Latitude and longitude in 1/10000 minute.
QBitArray AceReplyPart1Frame(quint32 mmsi, int threshold, qint32 latitude, qint32 longitude, bool syncLoss, int power);
QBitArray AceReplyPart2Frame(quint32 mmsi, bool offPositionCheck, int channel1, int channel2);
// Interval and duration in minutes.
QBitArray CopReplyFrame(quint32 mmsi, int mode, int hour, int minute, int intervalMinutes, int durationMinutes);

// A whole message 6 around an application payload: message ID, repeat indicator, source MMSI,
// sequence number, destination MMSI, retransmit flag, spare (72 bits), then the payload.
QBitArray Message6(quint32 source, quint32 destination, const QBitArray& payload, int repeat = 0);
// "!AIVDM" sentences (without checksum and line end) that carry the bits.
QStringList VdmBodies(const QBitArray& message);
// The frame carried by a "!AIBBM" sentence's payload field; empty when the text is no payload.
QBitArray FromSixBit(const QString& payload, int fill);
} // namespace SimVdl

struct SimScheduleEntry
{
    int messageId = 21;
    int index = 1;
    int channel = 1; // 1 A, 2 B
    int hour = 0;
    int minute = 0;
    int startSlot = 0;
    int interval = 2250;
    bool enabled = true;
};

struct SimRemoteAtoN
{
    quint32 mmsi = 0; // 0: no remote station in range
    // Its MMSIs with their kinds (0 real, 1 virtual, ...), as its AID replies report them.
    QList<QPair<quint32, int>> mmsis;
    int offPositionThreshold = 0;
    qint32 latitude = 0; // 1/10000 minute
    qint32 longitude = 0;
    bool syncLoss = false;
    int power = 0;
    bool offPositionCheck = false;
    int channel1 = 2087;
    int channel2 = 2088;
    QList<SimScheduleEntry> schedule;
    int copMode = 0;
    int copHour = 0;
    int copMinute = 0;
    int copInterval = 0; // minutes
    int copDuration = 0; // minutes
    // Requests answered so far in the running multi-part AID and AAR sequences.
    int aidCursor = 0;
    int aarCursor = 0;
    // Frames heard, by function identifier, in order.
    QList<int> heard;

    // Takes one frame the unit broadcast; returns the reply payloads (none for a frame addressed to
    // another station, for a configuration frame, or for a frame it does not know).
    QList<QBitArray> Hear(const QBitArray& frame);
};
