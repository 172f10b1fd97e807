#include "model/vdl/MCR.h"

MCR::MCR(QObject* parent) : VDLModelObject(parent)
{
    Clear();
}

void MCR::Clear()
{
    channel = 1;
    hour = 0;
    minute = 60;
    slot = 0;
    payload.clear();
}

void MCR::Save(QDataStream& stream)
{
    VDLModelObject::Save(stream);
    stream << channel << hour << minute << slot << payload;
}

void MCR::Load(QDataStream& stream)
{
    VDLModelObject::Load(stream);
    stream >> channel >> hour >> minute >> slot >> payload;
}

QBitArray MCR::EncodePayload(int k) const
{
    int at = 0;
    QBitArray frame = BeginFrame(k, at);
    PutSixBitTextBits(payload, PayloadBits, frame, at);
    AppendChecksum(frame);
    return frame;
}

bool MCR::DecodePayload(const QBitArray& frame, int k)
{
    int at = 0;
    if (!BeginDecode(frame, FrameBits, {k}, at))
        return false;
    // Only the twelve whole characters are text: the two bits of the thirteenth cannot make a
    // character, and what follows them is the checksum byte.
    payload = GetSixBitText(PayloadCharacters, frame, at);
    return true;
}

QBitArray MCR::EncodeConfiguration()
{
    return EncodePayload(ConfigurationK);
}

bool MCR::DecodeConfiguration(QBitArray frame)
{
    return DecodePayload(frame, ConfigurationK);
}

QBitArray MCR::EncodeRequest()
{
    return EncodeRequestFrame(RequestK, channel, hour, minute, slot);
}

bool MCR::DecodeRequest(QBitArray frame)
{
    return DecodeRequestFrame(frame, RequestK, channel, hour, minute, slot);
}

QBitArray MCR::EncodeResponse()
{
    return EncodePayload(ResponseK);
}

bool MCR::DecodeResponse(QBitArray frame)
{
    return DecodePayload(frame, ResponseK);
}

QString MCR::ResponseText() const
{
    return tr("MCRResponse\n") + tr("  MMSI: %1\n").arg(GetRemoteMmsiText()) + tr("  Payload: %1\n").arg(payload);
}
