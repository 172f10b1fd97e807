// VDL frames from the air: bit arrays of any length, with random or forced identifiers, through every
// decoder of every message class, the reply texts, the armour and the model's reply application.
//
// Input layout: byte 0 picks the frame number k (low six bits), whether the identifier of k is
// stamped over the first 16 bits (bit 6) and whether the decoded reply is applied to a model (bit 7);
// byte 1 drops 0 to 7 bits from the end, so frames of every length occur; the rest are the frame bits.
#include <QBitArray>
#include <QByteArray>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/Model.h"
#include "model/vdl/VDLCodecModel.h"

namespace
{
constexpr int MaxFrameBytes = 512;

QByteArray Seed(int k, bool apply, const QBitArray& frame)
{
    QByteArray bytes;
    bytes.append(char(k | (apply ? 0x80 : 0)));
    bytes.append(char((8 - frame.size() % 8) % 8));
    for (int i = 0; i < frame.size(); i += 8)
    {
        int value = 0;
        for (int b = 0; b < 8; ++b)
            value = (value << 1) | ((i + b < frame.size() && frame.testBit(i + b)) ? 1 : 0);
        bytes.append(char(value));
    }
    return bytes;
}

void Touch(const QString& text)
{
    volatile qsizetype size = text.size();
    (void)size;
}
} // namespace

std::vector<QByteArray> KelvaneFuzzSeeds()
{
    VDLCodecModel codec;
    codec.GetRemoteMmsi()->SetMmsi(QStringLiteral("992350001"));
    codec.GetAar()->startSlot = 2500;
    codec.GetAar()->slotInterval = 0xFFFFFF;
    codec.GetAid()->targetType = 1;
    codec.GetAid()->targetMmsi.SetMmsi(QStringLiteral("992350002"));
    return {
        Seed(0, true, codec.GetAid()->EncodeConfiguration()),
        Seed(2, true, codec.GetAid()->EncodeResponse()),
        Seed(10, true, codec.GetAceAcf()->EncodeConfigurationPart1()),
        Seed(11, true, codec.GetAceAcf()->EncodeConfigurationPart3()),
        Seed(15, true, codec.GetAar()->EncodeResponse()),
        Seed(36, true, codec.GetCop()->EncodeConfiguration()),
        Seed(22, false, codec.GetMcr()->EncodeResponse()),
        Seed(28, false, codec.GetAfc()->EncodeResponse()),
        Seed(33, false, codec.GetMsg21()->EncodeResponse()),
        Seed(26, false, codec.GetVer()->EncodeResponse()),
        Seed(16 | 0x40, false, QBitArray(15, true)),
        QByteArray(),
        QByteArray(1, char(0xC2)),
    };
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int k = data[0] & 63;
    const bool stamp = (data[0] & 0x40) != 0;
    const bool apply = (data[0] & 0x80) != 0;
    const size_t bytes = std::min<size_t>(size - 2, MaxFrameBytes);
    const int bits = qMax(0, int(bytes * 8) - (data[1] & 7));
    QBitArray frame(bits, false);
    for (int i = 0; i < bits; ++i)
        frame.setBit(i, (data[2 + i / 8] >> (7 - i % 8)) & 1);
    if (stamp)
    {
        int position = 0;
        VDLModelObject::PutBits(VDLModelObject::Identifier(k), 16, frame, position);
    }

    VDLCodecModel codec;
    QList<VDLModelObject*> members{codec.GetAid(),    codec.GetCop(), codec.GetAar(), codec.GetMsg21(),
                                   codec.GetAceAcf(), codec.GetVer(), codec.GetAfc(), codec.GetMpr(),
                                   codec.GetAfb(),    codec.GetAke(), codec.GetMcr(), &codec};
    for (VDLModelObject* member : members)
    {
        member->DecodeConfiguration(frame);
        member->DecodeRequest(frame);
        member->DecodeResponse(frame);
        Touch(member->ResponseText());
    }
    codec.GetAceAcf()->DecodeResponsePart1(frame);
    codec.GetAceAcf()->DecodeResponsePart2(frame);
    Touch(VDLCodecModel::BitsToSixBitText(frame));

    // Whatever was decoded must encode again without trouble.
    for (VDLModelObject* member : members)
    {
        (void)member->EncodeConfiguration();
        (void)member->EncodeRequest();
        (void)member->EncodeResponse();
    }
    (void)codec.GetAar()->EncodeConfigurationDual();
    (void)codec.GetAar()->EncodeConfigurationSingle();
    ACE_ACF* aceAcf = codec.GetAceAcf();
    for (const QBitArray& part :
         {aceAcf->EncodeConfigurationPart1(), aceAcf->EncodeConfigurationPart2(), aceAcf->EncodeConfigurationPart3(),
          aceAcf->EncodeConfigurationPart4(), aceAcf->EncodeConfigurationPart5(), aceAcf->EncodeConfigurationPart6()})
        Touch(VDLCodecModel::BitsToSixBitText(part));

    if (apply)
    {
        Model model;
        model.GetVirtualAtoN03()->GetAtoNMmsi()->SetMMSI(codec.GetRemoteMmsi()->GetMmsi());
        const QString mmsi = (data[1] & 0x80) ? codec.GetRemoteMmsi()->GetMmsi() : QStringLiteral("1");
        model.ApplyVdlMessage(&codec, k, mmsi);
        model.ApplyVdlMessage(&codec, 15, mmsi);
        model.ApplyReceivedSchedule(QStringLiteral("1"));
        model.ApplyReceivedSchedule(mmsi);
    }
    return 0;
}
