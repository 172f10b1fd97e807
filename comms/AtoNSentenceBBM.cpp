#include "comms/AtoNSentenceBBM.h"

#include "model/Model.h"
#include "model/vdl/VDLCodecModel.h"
#include "model/vdl/VdlApplicationID.h"

#include <new>

AtoNSentenceBBM::AtoNSentenceBBM(Model* owner, int kind, QObject* parent)
    : AtoNSentence(owner, parent), owner(owner), kind(kind > 100 ? UnknownKind : kind)
{
    if (!owner)
        throw std::bad_alloc();
    formatter = QStringLiteral("BBM");
}

int AtoNSentenceBBM::Decode(const NmeaSentence& sentence)
{
    Q_UNUSED(sentence);
    return SentenceStatus::Decoded;
}

QString AtoNSentenceBBM::Encode(int index, int* count)
{
    const QString target = owner->GetVdlModel()->targetMMSI;

    // The unit the frames describe: the virtual AtoN that carries the target MMSI, else the real one.
    AtoN* source = owner->GetRealAtoN();
    MessageSchedule* sourceSchedule = owner->GetMessageSchedule();
    for (int k = 1; k <= Model::VirtualAtoNCount; ++k)
    {
        VirtualAtoNModel* virtualAtoN = owner->GetVirtualAtoN(k);
        if (virtualAtoN && virtualAtoN->GetAtoNMmsi()->GetMMSI() == target)
        {
            source = virtualAtoN->GetAtoN();
            sourceSchedule = virtualAtoN->GetMessageSchedule();
            break;
        }
    }

    // The frames are addressed by giving the AtoN the target MMSI. That is done on a working copy of
    // the AtoN and its schedule: the transport model's own MMSI must stay the connected unit's, or
    // later retrieves would reject the unit's own replies.
    AtoN aton(*source);
    MessageSchedule schedule(sourceSchedule->IsVirtual(), sourceSchedule->IsReceiver(), nullptr);
    schedule = *sourceSchedule;
    schedule.SetAtoN(&aton);

    QList<AtoNMMSI*> enabled;
    if (kind == VDL::AID_CONFIGURATION)
    {
        enabled = owner->GetEnabledMMSIs();
        for (AtoNMMSI*& record : enabled)
        {
            if (record == source->GetAtoNMMSI())
                record = aton.GetAtoNMMSI();
        }
    }

    if (count)
    {
        if (index != 0)
        {
            *count = 0;
        }
        else if (kind == AarConfigurationKind)
        {
            const int blocks = schedule.CountEntriesWithMode(ScheduleEntry::RATDMA) +
                               2 * schedule.CountEntriesWithMode(ScheduleEntry::FATDMA);
            *count = blocks > 0 ? blocks - 1 : 0;
        }
        else if (kind == VDL::AID_CONFIGURATION)
        {
            *count = enabled.isEmpty() ? 0 : int(enabled.size()) - 1;
        }
    }
    if (index == 0 && kind == AarConfigurationKind)
    {
        aarPosition = 0;
        aarHalfSent = false;
    }
    if (kind == VDL::AID_CONFIGURATION && enabled.isEmpty())
        return QString();

    VDLCodecModel codec;
    codec.SetMmsi(&aton, target);
    codec.SetCopFromModel(owner);
    AAR* aar = codec.GetAar();
    if (kind == AarConfigurationKind)
    {
        // Entries of neither FATDMA nor RATDMA are not counted above, so the walk steps over them.
        while (aarPosition < schedule.Count() && schedule.GetEntryMode(aarPosition) != ScheduleEntry::FATDMA &&
               schedule.GetEntryMode(aarPosition) != ScheduleEntry::RATDMA)
            ++aarPosition;
        if (aarPosition < schedule.Count())
        {
            const ScheduleEntry entry = schedule.GetEntry(aarPosition);
            if (entry.mode == ScheduleEntry::FATDMA)
            {
                aar->SetFromScheduleEntryBlock(&schedule, entry, aarPosition, aarHalfSent);
                if (aarHalfSent)
                    ++aarPosition;
                aarHalfSent = !aarHalfSent;
            }
            else
            {
                aar->SetFromScheduleEntry(&schedule, entry, aarPosition);
                ++aarPosition;
            }
        }
        else
        {
            codec.ResetAar(&schedule);
        }
    }
    else if (kind == VDL::AID_CONFIGURATION)
    {
        codec.GetAid()->SetFromModelList(&aton, enabled, index);
    }
    else
    {
        codec.ResetAar(&schedule);
    }

    QBitArray frame;
    ACE_ACF* aceAcf = codec.GetAceAcf();
    switch (kind)
    {
    case VDL::AID_CONFIGURATION:
        frame = codec.GetAid()->EncodeConfiguration();
        break;
    case VDL::AID_REQUEST:
        frame = codec.GetAid()->EncodeRequest();
        break;
    case VDL::ACE_ACF_CONFIGURATION_PART_1:
        frame = aceAcf->EncodeConfigurationPart1();
        break;
    case VDL::ACE_ACF_CONFIGURATION_PART_2:
        frame = aceAcf->EncodeConfigurationPart2();
        break;
    case VDL::ACE_ACF_CONFIGURATION_PART_3:
        frame = aceAcf->EncodeConfigurationPart3();
        break;
    case VDL::ACE_ACF_CONFIGURATION_PART_4:
        frame = aceAcf->EncodeConfigurationPart4();
        break;
    case VDL::ACE_ACF_CONFIGURATION_PART_5:
        frame = aceAcf->EncodeConfigurationPart5();
        break;
    case VDL::ACE_ACF_CONFIGURATION_PART_6:
        frame = aceAcf->EncodeConfigurationPart6();
        break;
    case VDL::ACE_ACF_REQUEST:
        frame = aceAcf->EncodeRequest();
        break;
    case AarConfigurationKind:
        frame = aar->twoBlockLayout ? aar->EncodeConfigurationDual() : aar->EncodeConfigurationSingle();
        break;
    case VDL::AAR_REQUEST:
        frame = aar->EncodeRequest();
        break;
    case VDL::COP_REQUEST:
        frame = codec.GetCop()->EncodeRequest();
        break;
    case VDL::COP_CONFIGURATION:
        frame = codec.GetCop()->EncodeConfiguration();
        break;
    default:
        break;
    }

    const QString body = VDLCodecModel::BuildBbmHeader(1, 1, 0, 0, 25) +
                         VDLCodecModel::BitsToSixBitText(frame).left(MaxPayloadCharacters) + QStringLiteral(",4");
    return NmeaSentence::Frame(body);
}
