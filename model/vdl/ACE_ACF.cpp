#include "model/vdl/ACE_ACF.h"

#include "model/AtoN.h"

ACE_ACF::ACE_ACF(QObject* parent) : VDLModelObject(parent), position(this)
{
    Clear();
}

void ACE_ACF::Clear()
{
    position.SetLatitude(GeoPosition::NotAvailableLatitude);
    position.SetLongitude(GeoPosition::NotAvailableLongitude);
    offPositionThreshold = 0;
    channel1 = channel2 = channel3 = channel4 = 0;
    syncLossBehaviour = false;
    powerLevel = 0;
    offPositionCheck = false;
    channel = 1;
    hour = 0;
    minute = 60;
    slot = 0;
    positionAccuracy = false;
    epfdType = 0;
    ackProcedure = false;
    typeOfAtoN = 0;
    dimensionA = dimensionB = dimensionC = dimensionD = 1;
    inlandTypeCode = 0;
    inland = false;
    stationKind = 0;
    namePart1.clear();
    namePart2.clear();
    namePart3.clear();
}

namespace
{
qint8 Flag(bool value)
{
    return value ? 1 : 0;
}
} // namespace

void ACE_ACF::Save(QDataStream& stream)
{
    VDLModelObject::Save(stream);
    stream << position.GetLatitude() << position.GetLongitude();
    stream << offPositionThreshold << channel1 << channel2 << channel3 << channel4;
    stream << Flag(syncLossBehaviour) << powerLevel << Flag(offPositionCheck);
    stream << channel << hour << minute << slot;
    stream << Flag(positionAccuracy) << epfdType << Flag(ackProcedure);
    stream << typeOfAtoN << dimensionA << dimensionB << dimensionC << dimensionD << inlandTypeCode;
    stream << Flag(inland) << stationKind;
    stream << namePart1 << namePart2 << namePart3;
}

void ACE_ACF::Load(QDataStream& stream)
{
    VDLModelObject::Load(stream);
    double latitude = GeoPosition::NotAvailableLatitude;
    double longitude = GeoPosition::NotAvailableLongitude;
    stream >> latitude >> longitude;
    position.SetLatitude(latitude);
    position.SetLongitude(longitude);
    qint8 sync = 0, check = 0, accuracy = 0, ack = 0, inlandFlag = 0;
    stream >> offPositionThreshold >> channel1 >> channel2 >> channel3 >> channel4;
    stream >> sync >> powerLevel >> check;
    stream >> channel >> hour >> minute >> slot;
    stream >> accuracy >> epfdType >> ack;
    stream >> typeOfAtoN >> dimensionA >> dimensionB >> dimensionC >> dimensionD >> inlandTypeCode;
    stream >> inlandFlag >> stationKind;
    stream >> namePart1 >> namePart2 >> namePart3;
    syncLossBehaviour = sync != 0;
    offPositionCheck = check != 0;
    positionAccuracy = accuracy != 0;
    ackProcedure = ack != 0;
    inland = inlandFlag != 0;
}

QBitArray ACE_ACF::EncodeConfiguration()
{
    return EncodeEmptyFrame();
}

bool ACE_ACF::DecodeConfiguration(QBitArray frame)
{
    return DecodeAccept(frame);
}

QBitArray ACE_ACF::EncodeResponse()
{
    return EncodeEmptyFrame();
}

QBitArray ACE_ACF::EncodeConfigurationPart1()
{
    int at = 0;
    QBitArray frame = BeginFrame(ConfigurationPart1K, at);
    PutBits(positionAccuracy ? 1 : 0, 1, frame, at);
    PutBits(DegreesToWire(position.GetLatitude()), 27, frame, at);
    PutBits(DegreesToWire(position.GetLongitude()), 28, frame, at);
    PutBits(epfdType, 4, frame, at);
    PutBits(offPositionThreshold, 12, frame, at);
    PutBits(ackProcedure ? 1 : 0, 1, frame, at);
    AppendChecksum(frame);
    return frame;
}

QBitArray ACE_ACF::EncodeConfigurationPart2()
{
    int at = 0;
    QBitArray frame = BeginFrame(ConfigurationPart1K + 1, at);
    // An inland station reports its type through the inland type code alone.
    PutBits(inland ? 0 : typeOfAtoN, 5, frame, at);
    PutBits(dimensionA, 9, frame, at);
    PutBits(dimensionB, 9, frame, at);
    PutBits(dimensionC, 6, frame, at);
    PutBits(dimensionD, 6, frame, at);
    PutBits(inlandTypeCode, 8, frame, at);
    PutBits(stationKind, 2, frame, at);
    AppendChecksum(frame);
    return frame;
}

QBitArray ACE_ACF::EncodeConfigurationPart3()
{
    int at = 0;
    QBitArray frame = BeginFrame(ConfigurationPart1K + 2, at);
    PutBits(channel1, 12, frame, at);
    PutBits(channel2, 12, frame, at);
    PutBits(channel3, 12, frame, at);
    PutBits(channel4, 12, frame, at);
    PutBits(powerLevel, 4, frame, at);
    PutBits(offPositionCheck ? 1 : 0, 1, frame, at);
    PutBits(syncLossBehaviour ? 1 : 0, 1, frame, at);
    AppendChecksum(frame);
    return frame;
}

QBitArray ACE_ACF::EncodeNamePart(int k, const QString& part, int characters) const
{
    int at = 0;
    QBitArray frame = BeginFrame(k, at);
    PutSixBitText(part, characters, frame, at);
    AppendChecksum(frame);
    return frame;
}

QBitArray ACE_ACF::EncodeConfigurationPart4()
{
    return EncodeNamePart(ConfigurationPart1K + 3, namePart1, 12);
}

QBitArray ACE_ACF::EncodeConfigurationPart5()
{
    return EncodeNamePart(ConfigurationPart1K + 4, namePart2, 12);
}

QBitArray ACE_ACF::EncodeConfigurationPart6()
{
    return EncodeNamePart(ConfigurationPart1K + 5, namePart3, 10);
}

QBitArray ACE_ACF::EncodeRequest()
{
    return EncodeRequestFrame(RequestK, channel, hour, minute, slot);
}

bool ACE_ACF::DecodeRequest(QBitArray frame)
{
    return DecodeRequestFrame(frame, RequestK, channel, hour, minute, slot);
}

bool ACE_ACF::DecodeResponsePart1(QBitArray frame)
{
    int at = 0;
    if (!BeginDecode(frame, FrameBits, {ResponsePart1K}, at))
        return false;
    offPositionThreshold = static_cast<qint32>(GetBits(12, frame, at));
    position.SetLatitude(WireToDegrees(GetSignedBits(27, frame, at)));
    position.SetLongitude(WireToDegrees(GetSignedBits(28, frame, at)));
    syncLossBehaviour = GetBits(1, frame, at) != 0;
    powerLevel = static_cast<qint32>(GetBits(4, frame, at));
    return true;
}

bool ACE_ACF::DecodeResponsePart2(QBitArray frame)
{
    int at = 0;
    if (!BeginDecode(frame, FrameBits, {ResponsePart2K}, at))
        return false;
    offPositionCheck = GetBits(1, frame, at) != 0;
    channel1 = static_cast<qint32>(GetBits(12, frame, at));
    channel2 = static_cast<qint32>(GetBits(12, frame, at));
    channel3 = static_cast<qint32>(GetBits(12, frame, at));
    channel4 = static_cast<qint32>(GetBits(12, frame, at));
    return true;
}

QString ACE_ACF::ResponseText() const
{
    return tr("ACEACFResponse1\n") + tr("  MMSI: %1\n").arg(GetRemoteMmsiText()) +
           tr("  Off position threshold: %1\n").arg(offPositionThreshold) +
           tr("  Latitude: %1\n").arg(position.LatitudeToDMS()) +
           tr("  Longitude: %1\n").arg(position.LongitudeToDMS()) +
           tr("  Sync loss behaviour: %1\n").arg(syncLossBehaviour ? 1 : 0) + tr("  Power level: %1\n").arg(powerLevel);
}

void ACE_ACF::SetFromAtoN(AtoN* aton)
{
    if (!aton)
        throw std::bad_alloc();
    SetRemoteMmsiText(aton->GetAtoNMMSI()->GetMMSI());
    position.SetLatitude(aton->GetPosition()->GetLatitude());
    position.SetLongitude(aton->GetPosition()->GetLongitude());
    offPositionThreshold = aton->GetOffPositionThreshold();
    channel1 = channel3 = aton->GetChannel1();
    channel2 = channel4 = aton->GetChannel2();
    syncLossBehaviour = aton->GetSyncLossBehaviour() != 0;
    powerLevel = aton->GetPowerLevel();
    offPositionCheck = aton->GetOffPositionCheck() != 0;
    channel = 0;
    hour = 24;
    minute = 60;
    positionAccuracy = aton->GetPositionAccuracy() != 0;
    epfdType = aton->GetEpfdType();
    ackProcedure = aton->GetAckProcedure() != 0;
    typeOfAtoN = aton->GetTypeOfAtoN();
    dimensionA = aton->GetDimensionA();
    dimensionB = aton->GetDimensionB();
    dimensionC = aton->GetDimensionC();
    dimensionD = aton->GetDimensionD();
    inlandTypeCode = aton->GetInlandTypeCode();
    inland = aton->IsInland();
    stationKind = aton->GetStationKind();
    // Blank-filled to the full 34 characters, so the at-sign fill of the six-bit text is never
    // reached for a name.
    const QString name = aton->GetName().left(NameLength).leftJustified(NameLength, QChar(u' '));
    namePart1 = name.mid(0, 12);
    namePart2 = name.mid(12, 12);
    namePart3 = name.mid(24, 10);
}
