// Applying the replies of remote units, decoded by a VDL codec, to the configuration model.

#include "model/Model.h"
#include "model/vdl/VDLCodecModel.h"

#include <new>

namespace
{
// Frame numbers of the replies that change the model.
constexpr int AidResponse = 2;
constexpr int AceAcfResponsePart1 = 10;
constexpr int AceAcfResponsePart2 = 11;
constexpr int AarResponse = 15;
constexpr int CopResponse = 36;

// A reply with this start slot stands for a time-based entry.
constexpr qint32 TimeBasedStartSlot = 2500;

// A reply names its station in decimal without leading zeros, the model holds nine-digit text: the two
// are the same station when their numbers are. No number (or 0) is no station.
bool IsSameMmsi(const QString& held, const QString& reported)
{
    const qint32 number = VDLModelObject::MmsiToNumber(held.trimmed());
    return number > 0 && number == VDLModelObject::MmsiToNumber(reported.trimmed());
}

VDLCodecModel* Checked(VDLCodecModel* codec)
{
    if (!codec)
        throw std::bad_alloc();
    return codec;
}
} // namespace

void Model::ApplyVdlMessage(VDLCodecModel* codec, int applicationId, const QString& mmsi)
{
    Checked(codec);
    for (VirtualAtoNModel& virtualAtoN : virtualAtoNs)
    {
        if (IsSameMmsi(virtualAtoN.GetAtoNMmsi()->GetMMSI(), mmsi))
        {
            ApplyVirtualAtoNMessage(&virtualAtoN, codec, applicationId, mmsi);
            return;
        }
    }
    if (applicationId == AarResponse)
    {
        ApplyScheduleMessage(codec);
    }
    else if (applicationId != CopResponse)
    {
        ApplyAtoNMessage(&realAtoN, codec, applicationId, mmsi);
    }
    else
    {
        const COP* cop = codec->GetCop();
        vdlModel.receiverMode = cop->GetMode();
        // A wake-up time the unit sent out of range (hour above 23, minute above 59) is no time: the
        // hour and minute already held are kept rather than replaced by -1.
        if (cop->GetWakeUpTime().isValid())
        {
            vdlModel.receiverHour = cop->GetWakeUpTime().hour();
            vdlModel.receiverMinute = cop->GetWakeUpTime().minute();
        }
        vdlModel.receiverInterval = cop->GetInterval();
        vdlModel.receiverDuration = cop->GetDuration();
    }
}

void Model::ApplyVirtualAtoNMessage(VirtualAtoNModel* virtualAtoN, VDLCodecModel* codec, int applicationId,
                                    const QString& mmsi)
{
    if (!virtualAtoN)
        throw std::bad_alloc();
    Checked(codec);
    if (applicationId == AidResponse)
        return;
    if (applicationId == AarResponse)
    {
        ApplyScheduleMessage(codec);
        return;
    }
    ApplyAtoNMessage(virtualAtoN->GetAtoN(), codec, applicationId, mmsi);
}

void Model::ApplyAtoNMessage(AtoN* aton, VDLCodecModel* codec, int applicationId, const QString& mmsi)
{
    if (!aton)
        throw std::bad_alloc();
    Checked(codec);
    const ACE_ACF* reply = codec->GetAceAcf();
    switch (applicationId)
    {
    case AidResponse:
        ApplyMMSIMessage(codec, mmsi);
        break;
    case AceAcfResponsePart1:
        aton->SetOffPositionThreshold(reply->offPositionThreshold);
        aton->SetPosition(*reply->GetPosition());
        aton->SetSyncLossBehaviour(reply->syncLossBehaviour ? 1 : 0);
        aton->SetPowerLevel(reply->powerLevel);
        break;
    case AceAcfResponsePart2:
        // Part 2 carries the off-position check and the channels only. The type, dimensions, inland
        // code and station kind held in the codec are not from this reply, so they stay untouched
        // (writing them would turn a virtual AtoN into a real one).
        aton->SetOffPositionCheck(reply->offPositionCheck ? 1 : 0);
        aton->SetChannel1(reply->channel1);
        aton->SetChannel2(reply->channel2);
        break;
    default:
        break;
    }
}

void Model::ApplyMMSIMessage(VDLCodecModel* codec, const QString& mmsi)
{
    const AID* reply = Checked(codec)->GetAid();
    if (reply->GetTargetMmsi() != QLatin1String("0"))
        AssignMMSI(reply->targetType, mmsi, reply->GetTargetMmsi());
    if (reply->GetTargetMmsi2() != QLatin1String("0"))
        AssignMMSI(reply->targetType2, mmsi, reply->GetTargetMmsi2());
}

void Model::AssignMMSI(int kind, const QString& current, const QString& mmsi)
{
    switch (kind)
    {
    case 0:
        realAtoN.GetAtoNMMSI()->SetCurrentMMSI(current);
        realAtoN.GetAtoNMMSI()->SetMMSI(mmsi);
        break;
    case 1:
        if (IsMMSIInUse(mmsi))
            break;
        for (VirtualAtoNModel& virtualAtoN : virtualAtoNs)
        {
            if (!virtualAtoN.GetAtoNMmsi()->IsEnabled())
            {
                AssignVirtualMMSI(virtualAtoN.GetAtoNMmsi(), current, mmsi);
                break;
            }
        }
        break;
    case 2:
        vdlModel.GetFirstMmsi()->SetMMSI(mmsi);
        break;
    case 3:
        vdlModel.AddMmsi(mmsi);
        break;
    default:
        break;
    }
}

void Model::AssignVirtualMMSI(AtoNMMSI* record, const QString& current, const QString& mmsi)
{
    if (!record)
        throw std::bad_alloc();
    record->SetCurrentMMSI(current);
    record->SetMMSI(mmsi);
    record->SetEnabled(true);
    record->SetIndex(1);
}

void Model::ApplyScheduleMessage(VDLCodecModel* codec)
{
    const AAR* reply = Checked(codec)->GetAar();
    ScheduleEntry entry;
    entry.messageId = reply->messageId;
    entry.index = reply->messageIndex;
    ScheduleBlock& block = entry.Block(reply->channel);
    if (reply->startSlot == TimeBasedStartSlot)
    {
        entry.mode = ScheduleEntry::RATDMA;
        block.noTime = true;
        // The reply's interval is in seconds and up to 24 bits wide: the product with 2250 needs
        // 64 bits, and the result is held to what a schedule can store.
        const qint64 increment = static_cast<qint64>(reply->slotInterval) * ScheduleEntry::SlotsPerMinute / 60;
        block.increment = static_cast<qint32>(qBound(qint64(0), increment, qint64(ScheduleEntry::MaxIncrement)));
    }
    else
    {
        entry.mode = ScheduleEntry::FATDMA;
        block.increment = reply->slotInterval;
    }
    block.startTime = QTime(reply->hour, reply->minute, 0);
    block.startSlot = reply->startSlot;
    UpdateReceivedSchedule(reply->channel, entry);
}

void Model::UpdateReceivedSchedule(int channel, const ScheduleEntry& entry)
{
    if (entry.messageId == 0)
        return;
    int found = -1;
    for (int i = 0; i < receivedSchedule.size(); ++i)
    {
        if (receivedSchedule.at(i).messageId == entry.messageId && receivedSchedule.at(i).index == entry.index)
        {
            found = i;
            break;
        }
    }
    ScheduleEntry merged = found >= 0 ? receivedSchedule.at(found) : ScheduleEntry();
    merged.messageId = entry.messageId;
    merged.index = entry.index;
    merged.mode = entry.mode;
    merged.enabled = true;
    merged.Block(channel) = entry.Block(channel);
    if (found >= 0)
        receivedSchedule[found] = merged;
    else
        receivedSchedule.append(merged);
}

void Model::ApplyReceivedSchedule(const QString& mmsi)
{
    MessageSchedule* target = &messageSchedule;
    for (VirtualAtoNModel& virtualAtoN : virtualAtoNs)
    {
        if (IsSameMmsi(virtualAtoN.GetAtoNMmsi()->GetMMSI(), mmsi))
        {
            target = virtualAtoN.GetMessageSchedule();
            break;
        }
    }
    ApplyReceivedScheduleTo(target);
}

void Model::ApplyReceivedScheduleTo(MessageSchedule* target)
{
    if (!target)
        throw std::bad_alloc();
    target->Clear();
    const AtoN* aton = target->GetAtoN();
    if (!aton)
        return;
    const int kind = aton->GetStationKind();
    if (kind == AtoNDef::VIRTUAL || kind == AtoNDef::SYNTHETIC)
    {
        for (const ScheduleEntry& entry : std::as_const(receivedSchedule))
        {
            if (entry.messageId != 21 || entry.index != 1)
                continue;
            int position = 0;
            if (target->AddEntry(21, position))
                target->SetEntry(0, entry);
        }
    }
    else if (kind == AtoNDef::REAL)
    {
        for (const ScheduleEntry& entry : std::as_const(receivedSchedule))
        {
            const bool isReport = entry.messageId == 21;
            // A normal schedule has two message 21 positions; a report numbered beyond them would
            // land on (and wipe) a binary-message position, so it is dropped.
            if (isReport && (entry.index < 1 || entry.index > 2))
                continue;
            if (entry.blockA.startSlot == -1 && entry.blockB.startSlot == -1 && !isReport)
                continue;
            int position = 0;
            switch (entry.messageId)
            {
            case 6:
            case 8:
            case 12:
            case 14:
            case 21:
                position = entry.index - 1;
                break;
            default:
                position = 0;
                break;
            }
            if (target->AddEntry(entry.messageId, position))
                target->SetEntry(position, entry);
        }
    }
}

void Model::ClearReceivedSchedule()
{
    receivedSchedule.clear();
}
