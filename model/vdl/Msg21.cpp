#include "model/vdl/Msg21.h"

#include <QtGlobal>

#include <cmath>
#include <limits>

Msg21::Msg21(QObject* parent) : VDLModelObject(parent), position(this)
{
    Clear();
}

void Msg21::Clear()
{
    channel = 1;
    hour = 0;
    minute = 60;
    slot = 0;
    messageId = 21;
    repeatIndicator = 0;
    typeOfAtoN = 0;
    name.clear();
    positionAccuracy = false;
    position.SetLatitude(GeoPosition::NotAvailableLatitude);
    position.SetLongitude(GeoPosition::NotAvailableLongitude);
    dimensionA = dimensionB = dimensionC = dimensionD = 1;
    typeOfPositionDevice = 0;
    timeStamp = 60;
    offPositionIndicator = false;
    atonStatus = 0;
    raimFlag = false;
    virtualAtoNFlag = false;
    assignedModeFlag = false;
    nameExtension.clear();
}

namespace
{
qint8 Flag(bool value)
{
    return value ? 1 : 0;
}

// The message 21 body scales degrees to 1/10000 minute in one step (degrees x 600000), truncated
// toward zero. The ACE/ACF frames scale to minutes first; the two differ in the last unit for some
// values (0.0017 degrees is 1020 here, 1019 there), so each frame keeps its own rule.
qint32 BodyPositionToWire(double degrees)
{
    const double wire = std::trunc(degrees * 600000.0);
    if (std::isnan(wire))
        return 0;
    return static_cast<qint32>(qBound(static_cast<double>(std::numeric_limits<qint32>::min()), wire,
                                      static_cast<double>(std::numeric_limits<qint32>::max())));
}
} // namespace

void Msg21::Save(QDataStream& stream)
{
    VDLModelObject::Save(stream);
    stream << channel << hour << minute << slot << messageId << repeatIndicator << typeOfAtoN << name;
    stream << Flag(positionAccuracy) << position.GetLatitude() << position.GetLongitude();
    stream << dimensionA << dimensionB << dimensionC << dimensionD << typeOfPositionDevice << timeStamp;
    stream << Flag(offPositionIndicator) << atonStatus << Flag(raimFlag) << Flag(virtualAtoNFlag)
           << Flag(assignedModeFlag) << nameExtension;
}

void Msg21::Load(QDataStream& stream)
{
    VDLModelObject::Load(stream);
    qint8 accuracy = 0, offPosition = 0, raim = 0, isVirtual = 0, assigned = 0;
    double latitude = GeoPosition::NotAvailableLatitude;
    double longitude = GeoPosition::NotAvailableLongitude;
    stream >> channel >> hour >> minute >> slot >> messageId >> repeatIndicator >> typeOfAtoN >> name;
    stream >> accuracy >> latitude >> longitude;
    stream >> dimensionA >> dimensionB >> dimensionC >> dimensionD >> typeOfPositionDevice >> timeStamp;
    stream >> offPosition >> atonStatus >> raim >> isVirtual >> assigned >> nameExtension;
    positionAccuracy = accuracy != 0;
    position.SetLatitude(latitude);
    position.SetLongitude(longitude);
    offPositionIndicator = offPosition != 0;
    raimFlag = raim != 0;
    virtualAtoNFlag = isVirtual != 0;
    assignedModeFlag = assigned != 0;
}

QBitArray Msg21::EncodeConfiguration()
{
    return EncodeEmptyFrame();
}

bool Msg21::DecodeConfiguration(QBitArray frame)
{
    return DecodeAccept(frame);
}

QBitArray Msg21::EncodeRequest()
{
    return EncodeRequestFrame(RequestK, channel, hour, minute, slot);
}

bool Msg21::DecodeRequest(QBitArray frame)
{
    return DecodeRequestFrame(frame, RequestK, channel, hour, minute, slot);
}

QBitArray Msg21::EncodeResponse()
{
    // The body of an AIS message 21 follows the identifier, so the MMSI sits after the message ID and
    // the repeat indicator; the frame closes with fill bits, not a checksum.
    QBitArray frame(ResponseBits, false);
    int at = 0;
    PutBits(Identifier(ResponseK), IdentifierBits, frame, at);
    PutBits(messageId, 6, frame, at);
    PutBits(repeatIndicator, 2, frame, at);
    PutBits(MmsiToNumber(GetRemoteMmsiText()), MmsiBits, frame, at);
    PutBits(typeOfAtoN, 5, frame, at);
    PutSixBitTextPadded(name, NameCharacters, frame, at);
    PutBits(positionAccuracy ? 1 : 0, 1, frame, at);
    PutBits(BodyPositionToWire(position.GetLongitude()), 28, frame, at);
    PutBits(BodyPositionToWire(position.GetLatitude()), 27, frame, at);
    PutBits(dimensionA, 9, frame, at);
    PutBits(dimensionB, 9, frame, at);
    PutBits(dimensionC, 6, frame, at);
    PutBits(dimensionD, 6, frame, at);
    PutBits(typeOfPositionDevice, 4, frame, at);
    PutBits(timeStamp, 6, frame, at);
    PutBits(offPositionIndicator ? 1 : 0, 1, frame, at);
    PutBits(atonStatus, 8, frame, at);
    PutBits(raimFlag ? 1 : 0, 1, frame, at);
    PutBits(virtualAtoNFlag ? 1 : 0, 1, frame, at);
    PutBits(assignedModeFlag ? 1 : 0, 1, frame, at);
    PutBits(0, 1, frame, at);
    PutSixBitText(nameExtension, NameExtensionCharacters, frame, at);
    return frame;
}

bool Msg21::DecodeResponse(QBitArray frame)
{
    if (frame.size() < ResponseMinimumBits)
        return false;
    int at = 0;
    if (static_cast<int>(GetBits(IdentifierBits, frame, at)) != Identifier(ResponseK))
        return false;
    messageId = static_cast<qint32>(GetBits(6, frame, at));
    repeatIndicator = static_cast<qint32>(GetBits(2, frame, at));
    SetRemoteMmsiText(QString::number(GetBits(MmsiBits, frame, at)));
    typeOfAtoN = static_cast<qint32>(GetBits(5, frame, at));
    name = GetSixBitText(NameCharacters, frame, at);
    positionAccuracy = GetBits(1, frame, at) != 0;
    position.SetLongitude(WireToDegrees(GetSignedBits(28, frame, at)));
    position.SetLatitude(WireToDegrees(GetSignedBits(27, frame, at)));
    dimensionA = static_cast<qint32>(GetBits(9, frame, at));
    dimensionB = static_cast<qint32>(GetBits(9, frame, at));
    dimensionC = static_cast<qint32>(GetBits(6, frame, at));
    dimensionD = static_cast<qint32>(GetBits(6, frame, at));
    typeOfPositionDevice = static_cast<qint32>(GetBits(4, frame, at));
    timeStamp = static_cast<qint32>(GetBits(6, frame, at));
    offPositionIndicator = GetBits(1, frame, at) != 0;
    atonStatus = static_cast<qint32>(GetBits(8, frame, at));
    raimFlag = GetBits(1, frame, at) != 0;
    virtualAtoNFlag = GetBits(1, frame, at) != 0;
    assignedModeFlag = GetBits(1, frame, at) != 0;
    ++at; // spare bit
    nameExtension = GetSixBitText(NameExtensionCharacters, frame, at);
    return true;
}

QString Msg21::ResponseText() const
{
    return tr("Msg21Response\n") + tr("  Message ID: %1\n").arg(messageId) +
           tr("  Repeat Indicator: %1\n").arg(repeatIndicator) + tr("  MMSI: %1\n").arg(GetRemoteMmsiText()) +
           tr("  Type Of AtoN: %1\n").arg(typeOfAtoN) + tr("  Name Of AtoN: %1\n").arg(name) +
           tr("  Position Accuracy: %1\n").arg(positionAccuracy ? 1 : 0) +
           tr("  Longitude: %1\n").arg(position.LongitudeToDMS()) +
           tr("  Latitude: %1\n").arg(position.LatitudeToDMS()) + tr("  DimensionA: %1\n").arg(dimensionA) +
           tr("  DimensionB: %1\n").arg(dimensionB) + tr("  DimensionC: %1\n").arg(dimensionC) +
           tr("  DimensionD: %1\n").arg(dimensionD) + tr("  Type Of Position Device: %1\n").arg(typeOfPositionDevice) +
           tr("  Time Stamp: %1\n").arg(timeStamp) +
           tr("  Off Position Indicator: %1\n").arg(offPositionIndicator ? 1 : 0) +
           tr("  AtoN Status: %1\n").arg(atonStatus) + tr("  RAIM Flag: %1\n").arg(raimFlag ? 1 : 0) +
           tr("  Virtual AtoN Flag: %1\n").arg(virtualAtoNFlag ? 1 : 0) +
           tr("  Assignment mode: %1\n").arg(assignedModeFlag ? 1 : 0) +
           tr("  Name Of AtoN Extension: %1\n").arg(nameExtension);
}
