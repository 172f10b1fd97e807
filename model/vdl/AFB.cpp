#include "model/vdl/AFB.h"

AFB::AFB(QObject* parent) : VDLModelObject(parent)
{
    Clear();
}

void AFB::Clear()
{
    messageId = 0;
    messageIndex = 0;
    channel = 1;
    hour = 0;
    minute = 60;
    slot = 0;
}

void AFB::Save(QDataStream& stream)
{
    VDLModelObject::Save(stream);
    stream << messageId << messageIndex << channel << hour << minute << slot;
}

void AFB::Load(QDataStream& stream)
{
    VDLModelObject::Load(stream);
    stream >> messageId >> messageIndex >> channel >> hour >> minute >> slot;
}

QBitArray AFB::EncodeConfiguration()
{
    int at = 0;
    QBitArray frame = BeginFrame(ConfigurationK, at);
    PutBits(messageId, 6, frame, at);
    PutBits(messageIndex, 3, frame, at);
    PutBits(channel == 1 ? 0 : 1, 1, frame, at);
    PutBits(hour, 5, frame, at);
    PutBits(minute, 6, frame, at);
    PutBits(slot, 12, frame, at);
    AppendChecksum(frame);
    return frame;
}

bool AFB::DecodeConfiguration(QBitArray frame)
{
    int at = 0;
    if (!BeginDecode(frame, FrameBits, {ConfigurationK}, at))
        return false;
    messageId = static_cast<qint32>(GetBits(6, frame, at));
    messageIndex = static_cast<qint32>(GetBits(3, frame, at));
    channel = static_cast<qint32>(GetBits(1, frame, at)) + 1;
    hour = static_cast<qint32>(GetBits(5, frame, at));
    minute = static_cast<qint32>(GetBits(6, frame, at));
    slot = static_cast<qint32>(GetBits(12, frame, at));
    return true;
}

QBitArray AFB::EncodeRequest()
{
    return EncodeEmptyFrame();
}

bool AFB::DecodeRequest(QBitArray frame)
{
    return DecodeReject(frame);
}

QBitArray AFB::EncodeResponse()
{
    return EncodeEmptyFrame();
}

bool AFB::DecodeResponse(QBitArray frame)
{
    return DecodeReject(frame);
}
