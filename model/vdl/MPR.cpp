#include "model/vdl/MPR.h"

MPR::MPR(QObject* parent) : VDLModelObject(parent)
{
    Clear();
}

void MPR::Clear()
{
    value1 = 0;
    value2 = 0;
    value3 = 3;
    value4 = 1;
    value5 = 0;
    text.clear();
}

void MPR::Save(QDataStream& stream)
{
    VDLModelObject::Save(stream);
    stream << value1 << value2 << value3 << value4 << value5 << text;
}

void MPR::Load(QDataStream& stream)
{
    VDLModelObject::Load(stream);
    stream >> value1 >> value2 >> value3 >> value4 >> value5 >> text;
}

QBitArray MPR::EncodeConfiguration()
{
    int at = 0;
    QBitArray frame = BeginFrame(ConfigurationK, at);
    PutBits(value1, 6, frame, at);
    PutBits(value2, 3, frame, at);
    PutBits(value3, 4, frame, at);
    PutBits(value4, 4, frame, at);
    PutBits(value5, 1, frame, at);
    PutSixBitText(text, TextCharacters, frame, at);
    AppendChecksum(frame);
    return frame;
}

bool MPR::DecodeConfiguration(QBitArray frame)
{
    int at = 0;
    if (!BeginDecode(frame, FrameBits, {ConfigurationK}, at))
        return false;
    value1 = static_cast<qint32>(GetBits(6, frame, at));
    value2 = static_cast<qint32>(GetBits(3, frame, at));
    value3 = static_cast<qint32>(GetBits(4, frame, at));
    value4 = static_cast<qint32>(GetBits(4, frame, at));
    value5 = static_cast<qint32>(GetBits(1, frame, at));
    text = GetSixBitText(TextCharacters, frame, at);
    return true;
}

QBitArray MPR::EncodeRequest()
{
    return EncodeEmptyFrame();
}

bool MPR::DecodeRequest(QBitArray frame)
{
    return DecodeReject(frame);
}

QBitArray MPR::EncodeResponse()
{
    return EncodeEmptyFrame();
}

bool MPR::DecodeResponse(QBitArray frame)
{
    return DecodeReject(frame);
}
