#include "model/ScheduleEntry.h"

bool ScheduleBlock::operator==(const ScheduleBlock& other) const
{
    return noTime == other.noTime && startTime == other.startTime && startSlot == other.startSlot &&
           increment == other.increment;
}

ScheduleEntry::ScheduleEntry(qint32 messageId) : messageId(messageId) {}

ScheduleEntry ScheduleEntry::Disabled(qint32 messageId)
{
    ScheduleEntry entry(messageId);
    entry.blockA.startSlot = -1;
    entry.blockB.startSlot = -1;
    entry.enabled = false;
    return entry;
}

bool ScheduleEntry::operator==(const ScheduleEntry& other) const
{
    return messageId == other.messageId && index == other.index && mode == other.mode && blockA == other.blockA &&
           blockB == other.blockB && enabled == other.enabled && further == other.further;
}
