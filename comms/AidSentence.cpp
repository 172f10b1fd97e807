#include "comms/AidSentence.h"

#include "model/Model.h"

namespace
{
// The index of an MMSI record tells its kind.
enum RecordKind
{
    RealAtoNRecord = 0,
    VirtualAtoNRecord = 1,
    VdlFirstRecord = 2,
    ChainedRecord = 3,
    AddressedRecord = 4
};
} // namespace

AtoNSentenceAID::AtoNSentenceAID(AtoNMMSI* record, Model* owner) : AtoNSentence(record, owner), owner(owner)
{
    formatter = QStringLiteral("AID");
}

AtoNMMSI* AtoNSentenceAID::Record() const
{
    return static_cast<AtoNMMSI*>(model);
}

bool AtoNSentenceAID::IsVirtualAtoNMmsi(const QString& mmsi) const
{
    if (!owner)
        return false;
    for (int k = 1; k <= Model::VirtualAtoNCount; ++k)
        if (owner->GetVirtualAtoN(k)->GetAtoNMmsi()->GetMMSI() == mmsi)
            return true;
    return false;
}

QString AtoNSentenceAID::EncodeAddressed() const
{
    const AtoNMMSI* record = Record();
    return BuildSentence({record->GetMMSI(), record->GetAuxFlag() ? QStringLiteral("0") : QStringLiteral("1"),
                          record->GetAddressMMSI(), QStringLiteral("0"), QStringLiteral("C")});
}

QString AtoNSentenceAID::Encode(int index, int* count)
{
    Q_UNUSED(count);
    const AtoNMMSI* record = Record();
    if (!record)
        return QString();
    const int kind = record->GetIndex();
    if (kind == AddressedRecord || (kind == RealAtoNRecord && index == 1))
        return EncodeAddressed();

    QString first = record->GetCurrentMMSI();
    QString letter;
    switch (kind)
    {
    case RealAtoNRecord:
        letter = QStringLiteral("R");
        break;
    case VirtualAtoNRecord:
    case VdlFirstRecord:
    case ChainedRecord:
        first = owner ? owner->GetRealAtoN()->GetAtoNMMSI()->GetMMSI() : AtoNMMSI::Unset;
        letter = kind == VirtualAtoNRecord ? QStringLiteral("V")
                 : kind == VdlFirstRecord  ? QStringLiteral("P")
                                           : QStringLiteral("C");
        break;
    default:
        break;
    }
    return BuildSentence({first, record->IsEnabled() ? QStringLiteral("1") : QStringLiteral("0"), record->GetMMSI(),
                          letter, QStringLiteral("C")});
}

int AtoNSentenceAID::Decode(const NmeaSentence& sentence)
{
    // The formatter decides first, so that another sentence type is always told as such.
    if (sentence.Formatter() != formatter)
        return SentenceStatus::WrongFormatter;
    if (!sentence.IsValid())
        return SentenceStatus::InvalidSentence;
    if (!IsAcceptedTalker(sentence))
        return SentenceStatus::WrongTalker;

    AtoNMMSI* record = Record();
    QString first;
    QString second;
    if (!sentence.GetString(1, first))
        return SentenceStatus::FieldMissing;
    if (!sentence.GetString(3, second))
        return SentenceStatus::FieldMissing;
    QString letter;
    if (!sentence.GetString(4, letter))
        return SentenceStatus::FieldMissing;
    if (letter != QLatin1String("R") && letter != QLatin1String("V") && letter != QLatin1String("P") &&
        letter != QLatin1String("C") && letter != QLatin1String("0"))
        return SentenceStatus::FieldMissing;
    // A real AtoN reply means the unit holds no addressed MMSI any more.
    if (letter == QLatin1String("R") && record)
        record->SetAddressMMSI(AtoNMMSI::Unset);
    if (!FieldIs(sentence, 5, "R"))
        return SentenceStatus::FieldMissing;

    if (letter == QLatin1String("R"))
    {
        if (!owner)
            return SentenceStatus::UnknownMmsi;
        AtoNMMSI* real = owner->GetRealAtoN()->GetAtoNMMSI();
        real->SetCurrentMMSI(first);
        real->SetMMSI(second);
    }
    else if (letter == QLatin1String("V"))
    {
        if (!owner || IsVirtualAtoNMmsi(second))
            return SentenceStatus::Decoded;
        for (int k = 1; k <= Model::VirtualAtoNCount; ++k)
        {
            AtoNMMSI* candidate = owner->GetVirtualAtoN(k)->GetAtoNMmsi();
            if (!candidate->IsEnabled())
            {
                owner->AssignVirtualMMSI(candidate, first, second);
                break;
            }
        }
    }
    else if (letter == QLatin1String("P"))
    {
        if (owner)
        {
            AtoNMMSI* firstMmsi = owner->GetVdlModel()->GetFirstMmsi();
            firstMmsi->SetMMSI(second);
            // The next send puts the flag back: left cleared, a retrieve followed by a send would
            // disable the MMSI on the unit.
            QString flag;
            if (sentence.GetString(2, flag) && (flag == QLatin1String("0") || flag == QLatin1String("1")))
                firstMmsi->SetEnabled(flag == QLatin1String("1"));
        }
    }
    else if (letter == QLatin1String("C"))
    {
        if (owner)
            owner->GetVdlModel()->AddMmsi(second);
    }
    else if (record)
    {
        record->SetAddressMMSI(second);
    }
    return SentenceStatus::Decoded;
}

AtoNSentenceAIDaddress::AtoNSentenceAIDaddress(AtoNMMSI* record, Model* owner) : AtoNSentenceAID(record, owner) {}

QString AtoNSentenceAIDaddress::Encode(int index, int* count)
{
    Q_UNUSED(index);
    Q_UNUSED(count);
    if (!Record())
        return QString();
    return EncodeAddressed();
}

int AtoNSentenceAIDaddress::Decode(const NmeaSentence& sentence)
{
    Q_UNUSED(sentence);
    return SentenceStatus::Decoded;
}
