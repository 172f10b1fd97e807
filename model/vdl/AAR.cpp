#include "model/vdl/AAR.h"

#include "model/AtoN.h"
#include "model/MessageSchedule.h"
#include "model/ScheduleEntry.h"

AAR::AAR(QObject* parent) : VDLModelObject(parent)
{
    Clear();
}

void AAR::Clear()
{
    channel = 1;
    hour = 0;
    minute = 60;
    startSlot = 0;
    messageId = 0;
    messageIndex = 0;
    slotInterval = 0;
    enableSlotReservation = false;
    secondHour = 0;
    secondMinute = 60;
    secondInterval = 0;
    twoBlockLayout = false;
    numberOfMessages = 0;
}

void AAR::Save(QDataStream& stream)
{
    VDLModelObject::Save(stream);
    stream << channel << hour << minute << startSlot << messageId << messageIndex << slotInterval;
    stream << static_cast<qint8>(enableSlotReservation ? 1 : 0);
    stream << secondHour << secondMinute << secondInterval;
    stream << static_cast<qint8>(twoBlockLayout ? 1 : 0) << numberOfMessages;
}

void AAR::Load(QDataStream& stream)
{
    VDLModelObject::Load(stream);
    qint8 reservation = 0, layout = 0;
    stream >> channel >> hour >> minute >> startSlot >> messageId >> messageIndex >> slotInterval;
    stream >> reservation >> secondHour >> secondMinute >> secondInterval >> layout >> numberOfMessages;
    enableSlotReservation = reservation != 0;
    twoBlockLayout = layout != 0;
}

QBitArray AAR::EncodeConfiguration()
{
    return EncodeEmptyFrame();
}

bool AAR::DecodeConfiguration(QBitArray frame)
{
    return DecodeAccept(frame);
}

QBitArray AAR::EncodeConfigurationSingle()
{
    int at = 0;
    QBitArray frame = BeginFrame(ConfigurationSingleK, at);
    PutBits(channel == 1 ? 0 : 1, 1, frame, at);
    PutBits(enableSlotReservation ? 1 : 0, 1, frame, at);
    PutBits(messageId, 6, frame, at);
    PutBits(messageIndex, 3, frame, at);
    PutBits(hour, 5, frame, at);
    PutBits(minute, 6, frame, at);
    PutBits(startSlot, 12, frame, at);
    PutBits(slotInterval, 24, frame, at);
    AppendChecksum(frame);
    return frame;
}

namespace
{
// A block increment in slots as whole seconds. The remote unit takes the product in 32 bits; the
// increments of a schedule are held to one day of slots, so it cannot overflow there. Anything
// larger is computed in 64 bits rather than wrapping.
qint32 IncrementToSeconds(qint32 increment)
{
    return static_cast<qint32>(static_cast<qint64>(increment) * 60 / 2250);
}
} // namespace

QBitArray AAR::EncodeConfigurationDual()
{
    int at = 0;
    QBitArray frame = BeginFrame(ConfigurationDualK, at);
    PutBits(messageId, 6, frame, at);
    PutBits(messageIndex, 3, frame, at);
    PutBits(0, 1, frame, at);
    PutBits(hour, 5, frame, at);
    PutBits(minute, 6, frame, at);
    PutBits(secondHour, 5, frame, at);
    PutBits(secondMinute, 6, frame, at);
    PutBits(IncrementToSeconds(slotInterval), 17, frame, at);
    PutBits(IncrementToSeconds(secondInterval), 17, frame, at);
    AppendChecksum(frame);
    return frame;
}

QBitArray AAR::EncodeRequest()
{
    return EncodeRequestFrame(RequestK, channel, hour, minute, startSlot);
}

bool AAR::DecodeRequest(QBitArray frame)
{
    return DecodeRequestFrame(frame, RequestK, channel, hour, minute, startSlot);
}

QBitArray AAR::EncodeResponse()
{
    int at = 0;
    QBitArray frame = BeginFrame(ResponseK, at);
    PutBits(numberOfMessages, 6, frame, at);
    PutBits(messageId, 6, frame, at);
    PutBits(messageIndex, 3, frame, at);
    PutBits(channel == 1 ? 0 : 1, 1, frame, at);
    PutBits(hour, 5, frame, at);
    PutBits(minute, 6, frame, at);
    PutBits(startSlot, 12, frame, at);
    PutBits(slotInterval, 24, frame, at);
    PutBits(enableSlotReservation ? 1 : 0, 1, frame, at);
    AppendChecksum(frame);
    return frame;
}

bool AAR::DecodeResponse(QBitArray frame)
{
    int at = 0;
    if (!BeginDecode(frame, FrameBits, {ResponseK}, at))
        return false;
    numberOfMessages = static_cast<qint32>(GetBits(6, frame, at));
    messageId = static_cast<qint32>(GetBits(6, frame, at));
    messageIndex = static_cast<qint32>(GetBits(3, frame, at));
    channel = static_cast<qint32>(GetBits(1, frame, at)) + 1;
    hour = static_cast<qint32>(GetBits(5, frame, at));
    minute = static_cast<qint32>(GetBits(6, frame, at));
    startSlot = static_cast<qint32>(GetBits(12, frame, at));
    slotInterval = static_cast<qint32>(GetBits(24, frame, at));
    enableSlotReservation = GetBits(1, frame, at) != 0;
    return true;
}

QString AAR::ResponseText() const
{
    return tr("AARResponse\n") + tr("  MMSI: %1\n").arg(GetRemoteMmsiText()) +
           tr("  Number of messages to report: %1\n").arg(numberOfMessages) + tr("  Message ID: %1\n").arg(messageId) +
           tr("  Message Index: %1\n").arg(messageIndex) + tr("  Channel Selection: %1\n").arg(channel) +
           tr("  Hour for slot start: %1\n").arg(hour) + tr("  Minute for slot start: %1\n").arg(minute) +
           tr("  FATDMA Start Slot: %1\n").arg(startSlot) + tr("  FATDMA Slot interval: %1\n").arg(slotInterval) +
           tr("  Enable slot reservation: %1\n").arg(enableSlotReservation ? 1 : 0);
}

void AAR::TakeRemoteMmsiFrom(MessageSchedule* schedule)
{
    if (!schedule)
        throw std::bad_alloc();
    if (const AtoN* aton = schedule->GetAtoN())
        SetRemoteMmsiText(aton->GetAtoNMMSI()->GetMMSI());
}

void AAR::ResetFromModel(MessageSchedule* schedule)
{
    TakeRemoteMmsiFrom(schedule);
    channel = 0;
    hour = 24;
    minute = 60;
    startSlot = 0;
}

namespace
{
// Hour and minute of a start time; -1 for both when the time is not valid.
void HourAndMinute(const QTime& time, qint32& hour, qint32& minute)
{
    hour = time.isValid() ? time.hour() : -1;
    minute = time.isValid() ? time.minute() : -1;
}
} // namespace

void AAR::SetFromScheduleEntry(MessageSchedule* schedule, const ScheduleEntry& entry, int position)
{
    TakeRemoteMmsiFrom(schedule);
    channel = 0;
    HourAndMinute(entry.blockA.startTime, hour, minute);
    startSlot = entry.blockA.startSlot;
    messageId = entry.messageId;
    messageIndex = MessageIndexOf(schedule, position);
    slotInterval = entry.blockA.increment;
    enableSlotReservation = false;
    HourAndMinute(entry.blockB.startTime, secondHour, secondMinute);
    secondInterval = entry.blockB.increment;
    twoBlockLayout = true;
}

void AAR::SetFromScheduleEntryBlock(MessageSchedule* schedule, const ScheduleEntry& entry, int position, bool blockB)
{
    TakeRemoteMmsiFrom(schedule);
    messageId = entry.messageId;
    messageIndex = MessageIndexOf(schedule, position);
    enableSlotReservation = true;
    twoBlockLayout = false;
    const ScheduleBlock& block = blockB ? entry.blockB : entry.blockA;
    channel = blockB ? 2 : 1;
    HourAndMinute(block.startTime, hour, minute);
    startSlot = block.startSlot;
    slotInterval = block.increment;
}

int AAR::MessageIndexOf(MessageSchedule* schedule, int position) const
{
    if (!schedule)
        throw std::bad_alloc();
    if (position <= 0 || position >= schedule->Count())
        return 1;
    int index = 1;
    const QList<ScheduleEntry>& entries = schedule->GetEntries();
    for (int i = 0; i < position; ++i)
    {
        if (entries.at(i).messageId == messageId)
            ++index;
    }
    return index;
}
