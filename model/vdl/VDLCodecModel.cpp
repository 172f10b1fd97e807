#include "model/vdl/VDLCodecModel.h"

#include "comms/NmeaSentence.h"
#include "model/AtoN.h"

#include <new>

VDLCodecModel::VDLCodecModel(QObject* parent)
    : VDLModelObject(parent), remoteMmsi(this), aid(this), cop(this), aar(this), msg21(this), aceAcf(this), ver(this),
      afc(this), mpr(this), afb(this), ake(this), mcr(this)
{
    Clear();
}

void VDLCodecModel::Clear()
{
    remoteMmsi.Clear();
    aid.Clear();
    cop.Clear();
    aar.Clear();
    msg21.Clear();
    aceAcf.Clear();
    ver.Clear();
    afc.Clear();
    mpr.Clear();
    afb.Clear();
    ake.Clear();
    mcr.Clear();
}

void VDLCodecModel::Save(QDataStream& stream)
{
    VDLModelObject::Save(stream);
    remoteMmsi.Save(stream);
    aid.Save(stream);
    cop.Save(stream);
    aar.Save(stream);
    msg21.Save(stream);
    aceAcf.Save(stream);
    ver.Save(stream);
    afc.Save(stream);
    mpr.Save(stream);
    afb.Save(stream);
    ake.Save(stream);
    mcr.Save(stream);
}

void VDLCodecModel::Load(QDataStream& stream)
{
    VDLModelObject::Load(stream);
    remoteMmsi.Load(stream);
    aid.Load(stream);
    cop.Load(stream);
    aar.Load(stream);
    msg21.Load(stream);
    aceAcf.Load(stream);
    ver.Load(stream);
    afc.Load(stream);
    mpr.Load(stream);
    afb.Load(stream);
    ake.Load(stream);
    mcr.Load(stream);
}

void VDLCodecModel::SetMmsi(AtoN* aton, const QString& mmsi)
{
    if (!aton)
        throw std::bad_alloc();
    aton->GetAtoNMMSI()->SetMMSI(mmsi);
    remoteMmsi.SetMmsi(mmsi);
    aid.SetFromModel(aton, mmsi);
    aceAcf.SetFromAtoN(aton);
}

void VDLCodecModel::SetCopFromModel(Model* model)
{
    cop.SetFromVdlModel(model);
}

void VDLCodecModel::ResetAar(MessageSchedule* schedule)
{
    aar.ResetFromModel(schedule);
}

QString VDLCodecModel::BuildBbmHeader(int total, int number, int sequence, int channel, int messageIdentifier)
{
    QString header = QStringLiteral("!AIBBM,");
    header += QString::number(total) + QLatin1Char(',');
    header += QString::number(number) + QLatin1Char(',');
    if (sequence != -1)
        header += QString::number(sequence);
    header += QLatin1Char(',');
    if (channel != -1)
        header += QString::number(channel);
    header += QLatin1Char(',');
    header += QString::number(messageIdentifier) + QLatin1Char(',');
    return header;
}

QString VDLCodecModel::BitsToSixBitText(const QBitArray& bits)
{
    QString text;
    text.reserve((bits.size() + 5) / 6);
    int accumulator = 0;
    int shift = 5;
    for (int i = 0; i < bits.size(); ++i)
    {
        if (bits.testBit(i))
            accumulator |= 1 << shift;
        if (shift == 0)
        {
            text.append(QLatin1Char(NmeaSentence::SixBitChar(accumulator)));
            accumulator = 0;
            shift = 5;
        }
        else
        {
            --shift;
        }
    }
    if (shift < 5)
        text.append(QLatin1Char(NmeaSentence::SixBitChar(accumulator)));
    return text;
}
