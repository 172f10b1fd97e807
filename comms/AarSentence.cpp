#include "comms/AarSentence.h"

#include "model/Model.h"

namespace
{
constexpr int SecondsPerMinute = 60;

QString ZeroFilled(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

bool IsBinaryMessage(int messageId)
{
    return messageId == 6 || messageId == 8 || messageId == 12 || messageId == 14;
}

// Hour, minute, start slot and increment of one channel block.
QStringList BlockFields(const ScheduleEntry& entry, const ScheduleBlock& block)
{
    const bool timeBased = entry.mode != ScheduleEntry::FATDMA;
    const QTime time = block.startTime.isValid() ? block.startTime : QTime(0, 0);
    const QString hour = block.noTime ? QStringLiteral("24") : ZeroFilled(time.hour(), 2);
    const QString minute = block.noTime ? QStringLiteral("00") : ZeroFilled(time.minute(), 2);
    const QString slot = timeBased ? QString() : ZeroFilled(block.startSlot, 2);
    const int increment =
        timeBased ? int(qint64(block.increment) * SecondsPerMinute / ScheduleEntry::SlotsPerMinute) : block.increment;
    return {hour, minute, slot, ZeroFilled(increment, 7)};
}

enum class BlockRead
{
    Good,
    Bad,        // a field missing
    NoTimeOfDay // all fields there, but the hour and minute make no time of day
};

// A number field of a block: empty, or no decimal integer, reads as 0 (a start slot not read counts
// as 0, and a block without an increment has none).
int BlockNumber(const NmeaSentence& s, int field)
{
    int value = 0;
    (void)s.GetInt(field, value);
    return value;
}

// Reads one channel block of a reply (fields hour, minute, slot, increment).
BlockRead ReadBlock(const NmeaSentence& s, int hourField, int slotField, int incrementField, int messageId,
                    bool timeBased, ScheduleBlock& block)
{
    if (!s.HasField(hourField) || !s.HasField(hourField + 1))
        return BlockRead::Bad;
    const int hour = BlockNumber(s, hourField);
    const int minute = BlockNumber(s, hourField + 1);

    block.startSlot = 0;
    if (!timeBased)
    {
        if (!s.HasField(slotField))
            return BlockRead::Bad;
        block.startSlot = BlockNumber(s, slotField);
    }
    if (!s.HasField(incrementField))
        return BlockRead::Bad;
    int increment = BlockNumber(s, incrementField);
    if (timeBased)
        increment = int(qBound(qint64(0), qint64(increment) * ScheduleEntry::SlotsPerMinute / SecondsPerMinute,
                               qint64(ScheduleEntry::MaxIncrement)));
    block.increment = increment;

    // The receiver schedule marks a block without a start time with hour 24.
    if (messageId == 0 && hour == 24)
    {
        block.noTime = true;
        block.startTime = QTime(0, 0);
        return BlockRead::Good;
    }
    if (!QTime::isValid(hour, minute, 0))
        return BlockRead::NoTimeOfDay;
    block.noTime = false;
    block.startTime = QTime(hour, minute);
    return BlockRead::Good;
}
} // namespace

AtoNSentenceAAR::AtoNSentenceAAR(MessageSchedule* schedule, Model* owner) : AtoNSentence(schedule, owner), owner(owner)
{
    formatter = QStringLiteral("AAR");
}

MessageSchedule* AtoNSentenceAAR::Schedule() const
{
    return static_cast<MessageSchedule*>(model);
}

QString AtoNSentenceAAR::Encode(int index, int* count)
{
    Q_UNUSED(count);
    const MessageSchedule* schedule = Schedule();
    int messageId = 0;
    int entryIndex = 0;
    // Without a linked AtoN there is no MMSI to address, and outside the list no entry.
    if (!schedule || !schedule->GetAtoN() || !schedule->GetMessageAndIndex(index, messageId, entryIndex))
        return QString();
    const ScheduleEntry entry = schedule->GetEntry(index);
    QStringList fields{schedule->GetAtoN()->GetAtoNMMSI()->GetMMSI(), ZeroFilled(messageId, 2),
                       ZeroFilled(entryIndex, 2)};
    fields << BlockFields(entry, entry.blockA);
    fields << QString::number(entry.mode);
    fields << BlockFields(entry, entry.blockB);
    fields << QStringLiteral("C");
    return BuildSentence(fields);
}

int AtoNSentenceAAR::Decode(const NmeaSentence& sentence)
{
    const int header = CheckHeader(sentence);
    if (header != SentenceStatus::Decoded)
        return header;
    MessageSchedule* schedule = Schedule();
    if (!schedule)
        return SentenceStatus::UnknownMmsi;

    QString mmsi;
    int messageId = 0;
    if (!sentence.GetString(1, mmsi) || !sentence.HasField(2))
        return SentenceStatus::FieldMissing;
    // A message field without a number names no entry: the reply is heard and written nowhere (read
    // as 0 it would land in the receiver schedule).
    const bool messageNamed = sentence.HasValue(2) && NmeaSentence::ToInt(sentence.FieldView(2), messageId);
    int index = 0;
    if (!sentence.HasValue(3) || !NmeaSentence::ToInt(sentence.FieldView(3), index) || index == 0)
        return SentenceStatus::InvalidSentence;
    if (!sentence.HasField(4) || !sentence.HasField(5) || !sentence.HasField(8))
        return SentenceStatus::FieldMissing;
    const int mode = BlockNumber(sentence, 8);

    ScheduleEntry entry(messageId);
    entry.index = 1;
    entry.mode = mode;
    entry.enabled = true;
    const bool timeBased = mode == ScheduleEntry::RATDMA;
    const BlockRead readA = ReadBlock(sentence, 4, 6, 7, messageId, timeBased, entry.blockA);
    if (readA == BlockRead::Bad)
        return SentenceStatus::FieldMissing;
    const BlockRead readB = ReadBlock(sentence, 9, 11, 12, messageId, timeBased, entry.blockB);
    if (readB == BlockRead::Bad)
        return SentenceStatus::FieldMissing;
    if (!FieldIs(sentence, 13, "R"))
        return SentenceStatus::FieldMissing;
    if (mmsi == AtoNMMSI::Unset)
        return SentenceStatus::UnknownMmsi;
    if (!messageNamed)
        return SentenceStatus::Decoded;
    entry.enabled = !(entry.blockA.startSlot == -1 && entry.blockB.startSlot == -1);

    // Which schedule the reply belongs to.
    const AtoN* linked = schedule->GetAtoN();
    const AtoNMMSI* linkedMmsi = linked ? linked->GetAtoNMMSI() : nullptr;
    MessageSchedule* target = nullptr;
    enum
    {
        RealSchedule,
        VirtualSchedule,
        ReceiverSchedule
    } kind = VirtualSchedule;
    if (linkedMmsi && mmsi == linkedMmsi->GetMMSI() && linkedMmsi->GetIndex() == 0)
    {
        if (messageId == 0)
        {
            if (!owner)
                return SentenceStatus::UnknownMmsi;
            target = owner->GetVdlModel()->GetMessageSchedule();
            kind = ReceiverSchedule;
        }
        else
        {
            target = schedule;
            kind = RealSchedule;
        }
    }
    else if (linkedMmsi && mmsi == linkedMmsi->GetMMSI())
    {
        target = schedule; // this virtual AtoN's (or the receiver record's) own schedule
    }
    else
    {
        for (int k = 1; owner && k <= Model::VirtualAtoNCount && !target; ++k)
        {
            VirtualAtoNModel* virtualAtoN = owner->GetVirtualAtoN(k);
            if (virtualAtoN->GetAtoNMmsi()->GetMMSI() == mmsi)
                target = virtualAtoN->GetMessageSchedule();
        }
        if (!target)
            return SentenceStatus::UnknownMmsi;
    }
    if (!target)
        return SentenceStatus::UnknownMmsi;
    // The start times are judged only once the reply is known to be for one of our schedules: a
    // reply for another station ends the step quietly (-2), where a bad time (-1) fails the run.
    if (readA == BlockRead::NoTimeOfDay || readB == BlockRead::NoTimeOfDay)
        return SentenceStatus::FieldMissing;

    int position = 0;
    switch (kind)
    {
    case RealSchedule:
        // Message 21 has two places only: a higher index would land on a binary message entry. A
        // unit may still hold such an entry; it is heard and left out.
        if (messageId == 21 && index != 1 && index != 2)
            return SentenceStatus::Decoded;
        if (messageId == 6 && index == 1)
        {
            // The first binary entry of a retrieve starts the binary part afresh; the message 21
            // entries read earlier in the same run stay.
            // Each goes back to its default: disabled, numbered within its message group.
            for (int p = 0; p < target->Count(); ++p)
            {
                const int id = target->GetEntry(p).messageId;
                if (!IsBinaryMessage(id))
                    continue;
                ScheduleEntry unused = ScheduleEntry::Disabled(id);
                unused.index = p - target->FirstPositionOf(id) + 1;
                target->SetEntry(p, unused);
            }
        }
        if (!entry.enabled && messageId != 21)
            return SentenceStatus::Decoded;
        position = (IsBinaryMessage(messageId) || messageId == 21) ? index - 1 : 0;
        break;
    case VirtualSchedule:
        if (messageId != 21 || index != 1)
            return SentenceStatus::Decoded;
        position = 0;
        break;
    case ReceiverSchedule:
        position = index - 1;
        break;
    }

    if (target->AddEntry(messageId, position))
        target->SetEntry(position, entry);
    return SentenceStatus::Decoded;
}
