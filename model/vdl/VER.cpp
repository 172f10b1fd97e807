#include "model/vdl/VER.h"

VER::VER(QObject* parent) : VDLModelObject(parent)
{
    Clear();
}

void VER::Clear()
{
    kind = 0;
    channel = 1;
    hour = 0;
    minute = 60;
    slot = 0;
    versionInformation.clear();
}

void VER::Save(QDataStream& stream)
{
    VDLModelObject::Save(stream);
    stream << kind << channel << hour << minute << slot << versionInformation;
}

void VER::Load(QDataStream& stream)
{
    VDLModelObject::Load(stream);
    stream >> kind >> channel >> hour >> minute >> slot >> versionInformation;
}

QBitArray VER::EncodeConfiguration()
{
    return EncodeEmptyFrame();
}

bool VER::DecodeConfiguration(QBitArray frame)
{
    return DecodeAccept(frame);
}

QBitArray VER::EncodeRequest()
{
    int at = 0;
    QBitArray frame = BeginFrame(RequestK, at);
    PutRequestBlock(channel, hour, minute, slot, frame, at);
    PutBits(kind, 4, frame, at);
    AppendChecksum(frame);
    return frame;
}

bool VER::DecodeRequest(QBitArray frame)
{
    int at = 0;
    if (!BeginDecode(frame, FrameBits, {RequestK}, at))
        return false;
    GetRequestBlock(channel, hour, minute, slot, frame, at);
    kind = static_cast<qint32>(GetBits(4, frame, at));
    return true;
}

QBitArray VER::EncodeResponse()
{
    int at = 0;
    QBitArray frame = BeginFrame(ResponseK, at, ResponseBits);
    PutBits(kind, 4, frame, at);
    PutSixBitText(versionInformation, VersionCharacters, frame, at);
    AppendChecksum(frame);
    return frame;
}

bool VER::DecodeResponse(QBitArray frame)
{
    int at = 0;
    if (!BeginDecode(frame, ResponseBits, {ResponseK}, at))
        return false;
    kind = static_cast<qint32>(GetBits(4, frame, at));
    versionInformation = GetSixBitText(VersionCharacters, frame, at);
    return true;
}

QString VER::ResponseText() const
{
    return tr("VERResponse\n") + tr("  MMSI: %1\n").arg(GetRemoteMmsiText()) +
           tr("  Kind of requested version information: %1\n").arg(kind) +
           tr("  Requested version information: %1\n").arg(versionInformation);
}
