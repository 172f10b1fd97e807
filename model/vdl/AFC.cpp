#include "model/vdl/AFC.h"

AFC::AFC(QObject* parent) : VDLModelObject(parent)
{
    Clear();
}

void AFC::Clear()
{
    channel = 1;
    hour = 0;
    minute = 60;
    slot = 0;
    implementationStatus = 0;
}

void AFC::Save(QDataStream& stream)
{
    VDLModelObject::Save(stream);
    stream << channel << hour << minute << slot << static_cast<qint64>(implementationStatus);
}

void AFC::Load(QDataStream& stream)
{
    VDLModelObject::Load(stream);
    qint64 status = 0;
    stream >> channel >> hour >> minute >> slot >> status;
    implementationStatus = static_cast<quint64>(status);
}

QBitArray AFC::EncodeConfiguration()
{
    return EncodeEmptyFrame();
}

bool AFC::DecodeConfiguration(QBitArray frame)
{
    return DecodeAccept(frame);
}

QBitArray AFC::EncodeRequest()
{
    return EncodeRequestFrame(RequestK, channel, hour, minute, slot);
}

bool AFC::DecodeRequest(QBitArray frame)
{
    return DecodeRequestFrame(frame, RequestK, channel, hour, minute, slot);
}

QBitArray AFC::EncodeResponse()
{
    int at = 0;
    QBitArray frame = BeginFrame(ResponseK, at);
    PutBits64(implementationStatus, 64, frame, at);
    AppendChecksum(frame);
    return frame;
}

bool AFC::DecodeResponse(QBitArray frame)
{
    int at = 0;
    if (!BeginDecode(frame, FrameBits, {ResponseK}, at))
        return false;
    implementationStatus = GetBits64(64, frame, at);
    return true;
}

QString AFC::ResponseText() const
{
    return tr("AFCResponse\n") + tr("  MMSI: %1\n").arg(GetRemoteMmsiText()) +
           tr("  Status of implementation for each function ID: %1\n").arg(implementationStatus);
}
