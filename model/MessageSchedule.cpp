#include "model/MessageSchedule.h"

#include <algorithm>
#include <new>

namespace
{

// The binary messages of a normal schedule, in the order of their groups.
constexpr int BinaryMessages[] = {6, 8, 12, 14};

bool IsBinaryMessage(int messageId)
{
    return messageId == 6 || messageId == 8 || messageId == 12 || messageId == 14;
}

qint32 ClampIncrement(qint64 value)
{
    return qint32(std::clamp<qint64>(value, 0, ScheduleEntry::MaxIncrement));
}

// A time field: milliseconds since midnight; 86400000 marks a block without start time, FFFFFFFF an
// invalid time.
void WriteTime(QDataStream& stream, const ScheduleBlock& block)
{
    if (block.noTime)
        stream << qint32(24 * 3600 * 1000);
    else if (block.startTime.isValid())
        stream << quint32(block.startTime.msecsSinceStartOfDay());
    else
        stream << quint32(0xFFFFFFFFu);
}

void ReadTime(QDataStream& stream, ScheduleBlock& block)
{
    quint32 msecs = 0;
    stream >> msecs;
    if (msecs < quint32(24 * 3600 * 1000))
    {
        block.startTime = QTime::fromMSecsSinceStartOfDay(int(msecs));
        block.noTime = false;
    }
    else
    {
        block.startTime = QTime();
        block.noTime = true;
    }
}

qint32 IncrementToFile(qint32 increment, qint32 mode)
{
    return mode != ScheduleEntry::FATDMA ? increment / ScheduleEntry::SlotsPerMinute : increment;
}

qint32 IncrementFromFile(qint32 stored, qint32 mode)
{
    // Minutes in the file for the time-based schemes; a corrupt value must not overflow.
    return ClampIncrement(mode == ScheduleEntry::FATDMA ? qint64(stored)
                                                        : qint64(stored) * ScheduleEntry::SlotsPerMinute);
}

} // namespace

MessageSchedule::MessageSchedule(bool virtualAtoN, bool receiver, QObject* parent)
    : ModelObject(parent, 2), virtualAtoN(virtualAtoN), receiver(receiver)
{
    Clear();
}

MessageSchedule& MessageSchedule::operator=(const MessageSchedule& other)
{
    if (this != &other)
        entries = other.entries;
    return *this;
}

void MessageSchedule::Clear()
{
    entries.clear();
    if (virtualAtoN)
    {
        entries.append(ScheduleEntry(21));
        return;
    }
    if (receiver)
    {
        entries.append(ScheduleEntry(0));
        return;
    }
    entries.reserve(18);
    entries.append(ScheduleEntry(21));
    ScheduleEntry second = ScheduleEntry::Disabled(21);
    second.index = 2;
    entries.append(second);
    for (int messageId : BinaryMessages)
    {
        for (int index = 1; index <= 4; ++index)
        {
            ScheduleEntry entry = ScheduleEntry::Disabled(messageId);
            entry.index = index;
            entries.append(entry);
        }
    }
}

void MessageSchedule::Save(QDataStream& stream)
{
    ModelObject::Save(stream);
    stream << qint32(entries.size());
    for (const ScheduleEntry& entry : std::as_const(entries))
    {
        stream << entry.messageId << entry.mode;
        WriteTime(stream, entry.blockA);
        stream << entry.blockA.startSlot << IncrementToFile(entry.blockA.increment, entry.mode);
        WriteTime(stream, entry.blockB);
        stream << entry.blockB.startSlot << IncrementToFile(entry.blockB.increment, entry.mode);
        stream << qint8(entry.enabled ? 1 : 0) << entry.further;
    }
}

void MessageSchedule::Load(QDataStream& stream)
{
    entries.clear();
    ModelObject::Load(stream);
    qint32 count = 0;
    stream >> count;
    if (stream.status() != QDataStream::Ok)
        return;
    if (count < 0 || count > MaxStoredEntries)
    {
        stream.setStatus(QDataStream::ReadCorruptData);
        return;
    }
    for (qint32 i = 0; i < count; ++i)
    {
        ScheduleEntry entry;
        qint32 storedA = 0;
        qint32 storedB = 0;
        bool enabled = false;
        stream >> entry.messageId >> entry.mode;
        ReadTime(stream, entry.blockA);
        stream >> entry.blockA.startSlot >> storedA;
        ReadTime(stream, entry.blockB);
        stream >> entry.blockB.startSlot >> storedB >> enabled >> entry.further;
        if (stream.status() != QDataStream::Ok)
            return;
        entry.index = 1;
        // The increments in the units their stored scheme gives them; every number then as the table
        // shows it.
        entry.blockA.increment = IncrementFromFile(storedA, entry.mode);
        entry.blockB.increment = IncrementFromFile(storedB, entry.mode);
        entry.messageId = ScheduleEntry::MessageIdRange.Nearest(entry.messageId);
        entry.mode = ScheduleEntry::ModeRange.Nearest(entry.mode);
        entry.blockA.startSlot = ScheduleEntry::StartSlotRange.Nearest(entry.blockA.startSlot);
        entry.blockB.startSlot = ScheduleEntry::StartSlotRange.Nearest(entry.blockB.startSlot);
        entry.enabled = enabled;
        entries.append(entry);
    }
}

ScheduleEntry MessageSchedule::GetEntry(int position) const
{
    return IsInside(position) ? entries.at(position) : ScheduleEntry();
}

bool MessageSchedule::SetEntry(int position, const ScheduleEntry& entry)
{
    if (!IsInside(position))
        return false;
    ScheduleEntry stored = entry;
    stored.blockA.increment = ClampIncrement(entry.blockA.increment);
    stored.blockB.increment = ClampIncrement(entry.blockB.increment);
    entries[position] = stored;
    return true;
}

ScheduleEntry MessageSchedule::GetEntryWithMode(int position, int mode)
{
    if (position == 1 && entries.size() >= 2)
        entries[1].index = 2;
    if (IsInside(position) && entries.at(position).mode == mode)
        return entries.at(position);
    return ScheduleEntry();
}

int MessageSchedule::GetEntryMode(int position) const
{
    return IsInside(position) ? entries.at(position).mode : ScheduleEntry().mode;
}

void MessageSchedule::SetAtoN(AtoN* newAtoN)
{
    if (!newAtoN)
        throw std::bad_alloc();
    aton = newAtoN;
}

int MessageSchedule::CountEntriesWithMode(int mode) const
{
    return int(
        std::count_if(entries.cbegin(), entries.cend(), [mode](const ScheduleEntry& e) { return e.mode == mode; }));
}

bool MessageSchedule::GetMessageAndIndex(int position, int& messageId, int& index) const
{
    if (!IsInside(position))
        return false;
    messageId = entries.at(position).messageId;
    index = 1;
    for (int i = 0; i < position; ++i)
    {
        if (entries.at(i).messageId == messageId)
            ++index;
    }
    return true;
}

int MessageSchedule::FirstPositionOf(int messageId) const
{
    if (receiver)
        return 0;
    switch (messageId)
    {
    case 21:
        return 0;
    case 6:
        return 2;
    case 8:
        return 6;
    case 12:
        return 10;
    case 14:
        return 14;
    default:
        return 0;
    }
}

int MessageSchedule::LastPositionOf(int messageId) const
{
    if (receiver)
        return 0;
    switch (messageId)
    {
    case 21:
        return 1;
    case 6:
        return 5;
    case 8:
        return 9;
    case 12:
        return 13;
    case 14:
        return 17;
    default:
        return 0;
    }
}

bool MessageSchedule::FindFreeEntry(int messageId, int& position) const
{
    const int last = std::min(LastPositionOf(messageId), Count() - 1);
    for (int i = FirstPositionOf(messageId); i <= last; ++i)
    {
        const ScheduleEntry& entry = entries.at(i);
        if (entry.messageId == messageId && !entry.enabled)
        {
            position = i;
            return true;
        }
    }
    return false;
}

int MessageSchedule::CountEnabled(int messageId) const
{
    int count = 0;
    const int last = std::min(LastPositionOf(messageId), Count() - 1);
    for (int i = FirstPositionOf(messageId); i <= last; ++i)
    {
        if (entries.at(i).messageId == messageId && entries.at(i).enabled)
            ++count;
    }
    return count;
}

std::array<bool, 4> MessageSchedule::GetEnabledFlags(int messageId) const
{
    std::array<bool, 4> flags{false, false, false, false};
    const int first = FirstPositionOf(messageId);
    const int last = LastPositionOf(messageId);
    for (int k = 0; k <= last - first && k < 4; ++k)
    {
        const int position = first + k;
        flags[k] = IsInside(position) && entries.at(position).messageId == messageId && entries.at(position).enabled;
    }
    return flags;
}

bool MessageSchedule::IsMessage6Enabled(int n) const
{
    if (n < 1 || n > 4)
        return false;
    int seen = 0;
    for (const ScheduleEntry& entry : entries)
    {
        if (entry.messageId != 6)
            continue;
        if (++seen == n)
            return entry.enabled;
    }
    return false;
}

bool MessageSchedule::PositionOfCode(int code, int& position) const
{
    const int messageId = code % 100;
    const int k = code / 100;
    if (code < 0 || k > 3 || !IsBinaryMessage(messageId))
        return false;
    const int candidate = FirstPositionOf(messageId) + k;
    if (!IsInside(candidate))
        return false;
    const ScheduleEntry& entry = entries.at(candidate);
    if (entry.messageId != messageId || entry.enabled)
        return false;
    position = candidate;
    return true;
}

bool MessageSchedule::CheckCode(int code) const
{
    if (code == 0)
        return !entries.isEmpty() && entries.first().messageId == 0 && !entries.first().enabled;
    int position = 0;
    return PositionOfCode(code, position);
}

bool MessageSchedule::EnableByCode(int code)
{
    int position = 0;
    if (code == 0 || !PositionOfCode(code, position))
        return false;
    ScheduleEntry entry(code % 100);
    entry.blockA.startSlot = 0;
    entry.blockB.startSlot = 0;
    entry.enabled = true;
    entries[position] = entry;
    return true;
}

bool MessageSchedule::EnableEntry(int position)
{
    if (!IsInside(position))
        return false;
    ScheduleEntry& entry = entries[position];
    if ((entry.messageId != 21 && entry.messageId != 0) || entry.enabled)
        return false;
    entry.blockA.startSlot = 0;
    entry.blockB.startSlot = 0;
    entry.enabled = true;
    return true;
}

bool MessageSchedule::DisableEntry(int position)
{
    if (!IsInside(position))
        return false;
    ScheduleEntry& entry = entries[position];
    if ((entry.messageId != 21 && entry.messageId != 0) || !entry.enabled)
        return false;
    entry.mode = ScheduleEntry::FATDMA;
    entry.blockA.startSlot = -1;
    entry.blockB.startSlot = -1;
    entry.enabled = false;
    return true;
}

bool MessageSchedule::AddEntry(int messageId, int& position)
{
    if (messageId == 21)
    {
        // Message 21 only at its own positions: anywhere else it would overwrite a binary entry.
        if (!IsInside(position) || position < FirstPositionOf(21) || position > LastPositionOf(21))
            return false;
        ScheduleEntry entry(21);
        if (position == 1)
        {
            entry.blockA.startSlot = -1;
            entry.blockB.startSlot = -1;
        }
        entries[position] = entry;
        if (position == 1)
            Q_EMIT off_position_checked(false);
        return true;
    }

    if (receiver)
    {
        if (messageId != 0 || position != 0 || !IsInside(0))
            return false;
        entries[0] = ScheduleEntry(0);
        return true;
    }

    int target = 0;
    if (!FindFreeEntry(messageId, target))
        return false;
    if (IsBinaryMessage(messageId))
    {
        if (position < 0 || position > 3)
            return false;
        target = FirstPositionOf(messageId) + position;
        if (!IsInside(target))
            return false;
    }
    position = target;
    entries[target] = ScheduleEntry(messageId);
    return true;
}

bool MessageSchedule::RemoveEntry(int position)
{
    if (!IsInside(position) || !entries.at(position).enabled)
        return false;
    const int messageId = entries.at(position).messageId;
    if (IsBinaryMessage(messageId))
    {
        entries[position] = ScheduleEntry::Disabled(messageId);
        return true;
    }
    // Message 21 and receiver entries close the gap within their group, so the remaining report moves
    // to the first position. The group ends at the list's end in a short schedule.
    const int last = std::min(LastPositionOf(messageId), Count() - 1);
    if (position >= last)
    {
        entries[position] = ScheduleEntry::Disabled(messageId);
        return true;
    }
    for (int i = position; i < last; ++i)
        entries[i] = entries.at(i + 1);
    entries[last] = ScheduleEntry::Disabled(messageId);
    return true;
}

int MessageSchedule::CountVisibleEntries() const
{
    return int(std::count_if(entries.cbegin(), entries.cend(),
                             [](const ScheduleEntry& e)
                             { return e.enabled || e.messageId == 21 || e.messageId == 0; }));
}

bool MessageSchedule::PositionOfRow(int row, int& position) const
{
    if (row == 0 || row == 1)
    {
        if (!IsInside(row))
            return false;
        position = row;
        return true;
    }
    if (row < 0)
        return false;
    int before = receiver ? -1 : 1;
    for (int messageId : BinaryMessages)
    {
        const int count = CountEnabled(messageId);
        if (row > before && row <= before + count)
        {
            int wanted = row - before;
            const int last = std::min(LastPositionOf(messageId), Count() - 1);
            for (int i = FirstPositionOf(messageId); i <= last; ++i)
            {
                if (entries.at(i).messageId == messageId && entries.at(i).enabled && --wanted == 0)
                {
                    position = i;
                    return true;
                }
            }
            return false;
        }
        before += count;
    }
    return false;
}

int MessageSchedule::EnabledInGroupBefore(int messageId, int position) const
{
    int count = 0;
    const int end = std::min(position, Count());
    for (int i = FirstPositionOf(messageId); i < end; ++i)
    {
        if (entries.at(i).messageId == messageId && entries.at(i).enabled)
            ++count;
    }
    return count;
}

bool MessageSchedule::GetVisibleRow(int position, int& row) const
{
    if (!IsInside(position) || !entries.at(position).enabled)
        return false;
    const int messageId = entries.at(position).messageId;
    int base = 2;
    switch (messageId)
    {
    case 0:
    case 21:
        row = position;
        return true;
    case 14:
        base += CountEnabled(12);
        Q_FALLTHROUGH();
    case 12:
        base += CountEnabled(8);
        Q_FALLTHROUGH();
    case 8:
        base += CountEnabled(6);
        Q_FALLTHROUGH();
    case 6:
        row = base + EnabledInGroupBefore(messageId, position);
        return true;
    default:
        return true;
    }
}
