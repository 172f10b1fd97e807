#include "model/vdl/AKE.h"

AKE::AKE(QObject* parent) : VDLModelObject(parent)
{
    Clear();
}

void AKE::Clear()
{
    text.clear();
}

void AKE::Save(QDataStream& stream)
{
    VDLModelObject::Save(stream);
    stream << text;
}

void AKE::Load(QDataStream& stream)
{
    VDLModelObject::Load(stream);
    stream >> text;
}

QBitArray AKE::EncodeConfiguration()
{
    int at = 0;
    QBitArray frame = BeginFrame(ConfigurationK, at);
    PutSixBitTextBits(text, TextBits, frame, at);
    AppendChecksum(frame);
    return frame;
}

bool AKE::DecodeConfiguration(QBitArray frame)
{
    int at = 0;
    if (!BeginDecode(frame, FrameBits, {ConfigurationK}, at))
        return false;
    text = GetSixBitText(TextCharacters, frame, at);
    return true;
}

QBitArray AKE::EncodeRequest()
{
    return EncodeEmptyFrame();
}

bool AKE::DecodeRequest(QBitArray frame)
{
    return DecodeAccept(frame);
}

QBitArray AKE::EncodeResponse()
{
    return EncodeEmptyFrame();
}

bool AKE::DecodeResponse(QBitArray frame)
{
    return DecodeAccept(frame);
}
