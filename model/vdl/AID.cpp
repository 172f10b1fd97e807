#include "model/vdl/AID.h"

#include "model/AtoN.h"

AID::AID(QObject* parent) : VDLModelObject(parent), targetMmsi(this), targetMmsi2(this)
{
    Clear();
}

void AID::Clear()
{
    enabled = false;
    targetMmsi.Clear();
    targetType = 0;
    channel = 1;
    hour = 0;
    minute = 60;
    slot = 0;
    numberOfMmsis = 0;
    targetMmsi2.Clear();
    targetType2 = 0;
}

void AID::Save(QDataStream& stream)
{
    ModelObject::Save(stream);
    stream << static_cast<qint8>(enabled ? 1 : 0);
    targetMmsi.Save(stream);
    stream << targetType << channel << hour << minute << slot << numberOfMmsis;
    targetMmsi2.Save(stream);
    stream << targetType2;
}

void AID::Load(QDataStream& stream)
{
    ModelObject::Load(stream);
    qint8 flag = 0;
    stream >> flag;
    enabled = flag != 0;
    targetMmsi.Load(stream);
    stream >> targetType >> channel >> hour >> minute >> slot >> numberOfMmsis;
    targetMmsi2.Load(stream);
    stream >> targetType2;
}

QBitArray AID::EncodeConfiguration()
{
    int position = 0;
    QBitArray frame = BeginFrame(ConfigurationK, position);
    PutBits(enabled ? 1 : 0, 1, frame, position);
    PutBits(MmsiToNumber(targetMmsi.GetMmsi()), MmsiBits, frame, position);
    PutBits(targetType, 2, frame, position);
    AppendChecksum(frame);
    return frame;
}

bool AID::DecodeConfiguration(QBitArray frame)
{
    int position = 0;
    if (!BeginDecode(frame, FrameBits, {ConfigurationK, ResponseK}, position))
        return false;
    enabled = GetBits(1, frame, position) != 0;
    targetMmsi.SetMmsi(QString::number(GetBits(MmsiBits, frame, position)));
    targetType = static_cast<qint32>(GetBits(2, frame, position));
    return true;
}

QBitArray AID::EncodeRequest()
{
    return EncodeRequestFrame(RequestK, channel, hour, minute, slot);
}

bool AID::DecodeRequest(QBitArray frame)
{
    return DecodeRequestFrame(frame, RequestK, channel, hour, minute, slot);
}

QBitArray AID::EncodeResponse()
{
    int position = 0;
    QBitArray frame = BeginFrame(ResponseK, position);
    PutBits(numberOfMmsis, 10, frame, position);
    PutBits(MmsiToNumber(targetMmsi.GetMmsi()), MmsiBits, frame, position);
    PutBits(targetType, 2, frame, position);
    PutBits(MmsiToNumber(targetMmsi2.GetMmsi()), MmsiBits, frame, position);
    PutBits(targetType2, 2, frame, position);
    AppendChecksum(frame);
    return frame;
}

bool AID::DecodeResponse(QBitArray frame)
{
    int position = 0;
    if (!BeginDecode(frame, FrameBits, {ConfigurationK, ResponseK}, position))
        return false;
    numberOfMmsis = static_cast<qint32>(GetBits(10, frame, position));
    targetMmsi.SetMmsi(QString::number(GetBits(MmsiBits, frame, position)));
    targetType = static_cast<qint32>(GetBits(2, frame, position));
    targetMmsi2.SetMmsi(QString::number(GetBits(MmsiBits, frame, position)));
    targetType2 = static_cast<qint32>(GetBits(2, frame, position));
    return true;
}

QString AID::ResponseText() const
{
    return tr("AIDResponse\n") + tr("  MMSI: %1\n").arg(GetRemoteMmsiText()) +
           tr("  Number of MMSIs: %1\n").arg(numberOfMmsis) + tr("  Target MMSI: %1\n").arg(targetMmsi.GetMmsi()) +
           tr("  Target Type: %1\n").arg(targetType) + tr("  Target MMSI 2: %1\n").arg(targetMmsi2.GetMmsi()) +
           tr("  Target Type 2: %1\n").arg(targetType2);
}

void AID::SetFromModel(AtoN* aton, const QString& mmsi)
{
    if (!aton)
        throw std::bad_alloc();
    AtoNMMSI* record = aton->GetAtoNMMSI();
    enabled = record->IsEnabled();
    targetMmsi.SetMmsi(mmsi);
    targetType = record->GetIndex();
    channel = 0;
    hour = 24;
    minute = 60;
}

void AID::SetFromModelList(AtoN* aton, const QList<AtoNMMSI*>& list, int p)
{
    if (!aton)
        throw std::bad_alloc();
    SetRemoteMmsiText(aton->GetAtoNMMSI()->GetMMSI());
    const AtoNMMSI* entry = (p >= 0 && p < list.size()) ? list.at(p) : nullptr;
    if (!entry)
    {
        enabled = false;
        targetMmsi.SetMmsi(QStringLiteral("0"));
        targetType = 0;
        return;
    }
    enabled = entry->IsEnabled();
    targetMmsi.SetMmsi(entry->GetMMSI());
    targetType = entry->GetIndex();
}
