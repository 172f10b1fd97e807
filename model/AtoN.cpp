#include "model/AtoN.h"

#include "model/FieldText.h"

// ---- AtoNMMSI -------------------------------------------------------------------------------------

AtoNMMSI::AtoNMMSI(QObject* parent) : ModelObject(parent, 2) {}

// A copy held in a list must not be owned by the source's parent: that parent would delete a list
// element when it goes, and the list would delete it again.
AtoNMMSI::AtoNMMSI(const AtoNMMSI& other)
    : ModelObject(nullptr, 2), currentMMSI(other.currentMMSI), mmsi(other.mmsi), addressMMSI(other.addressMMSI),
      index(other.index), enabled(other.enabled)
{
}

AtoNMMSI& AtoNMMSI::operator=(const AtoNMMSI& other)
{
    if (this == &other)
        return *this;
    currentMMSI = other.currentMMSI;
    mmsi = other.mmsi;
    addressMMSI = other.addressMMSI;
    index = other.index;
    enabled = other.enabled;
    deleteFlag = other.deleteFlag;
    return *this;
}

void AtoNMMSI::Clear()
{
    currentMMSI = mmsi = addressMMSI = Unset;
    index = 0;
    enabled = false;
    deleteFlag = false;
}

void AtoNMMSI::Save(QDataStream& stream)
{
    ModelObject::Save(stream);
    stream << currentMMSI << mmsi << addressMMSI << index << qint8(enabled ? 1 : 0);
}

void AtoNMMSI::Load(QDataStream& stream)
{
    ModelObject::Load(stream);
    QString current, configured, addressed;
    qint32 storedIndex = 0;
    qint8 storedEnabled = 0;
    FieldText::Read(stream, current);
    FieldText::Read(stream, configured);
    FieldText::Read(stream, addressed);
    stream >> storedIndex >> storedEnabled;
    if (stream.status() != QDataStream::Ok)
        return;
    // An MMSI goes into its sentences as it is stored. One that an editor, the unit or a VDL reply
    // gives comes back as it was saved; one that none of them gives is no MMSI of this station, and
    // loads as the unset MMSI, which the tabs show as not valid and never send, rather than as some
    // other MMSI made of its pieces.
    const auto given = [](const QString& text) { return FieldText::IsGivenMmsi(text) ? text : Unset; };
    currentMMSI = given(current);
    mmsi = given(configured);
    addressMMSI = given(addressed);
    index = storedIndex;
    enabled = storedEnabled != 0;
}

// ---- AtoN -----------------------------------------------------------------------------------------

namespace
{
// The inland type code of a type: type + 32. Types are stored unchecked (from files and sentences), so
// the sum wraps rather than overflow.
qint32 InlandCodeOf(qint32 type)
{
    return static_cast<qint32>(static_cast<quint32>(type) + 32u);
}
} // namespace

AtoN::AtoN(QObject* parent) : ModelObject(parent, 2), mmsiSet(this), position(this)
{
    mmsiSet.SetIndex(0);
    mmsiSet.SetEnabled(true);
}

AtoN::AtoN(const AtoN& other) : ModelObject(nullptr, 2), mmsiSet(this), position(this)
{
    CopyFields(other);
}

AtoN& AtoN::operator=(const AtoN& other)
{
    if (this != &other)
        CopyFields(other);
    return *this;
}

void AtoN::CopyFields(const AtoN& other)
{
    mmsiSet = other.mmsiSet;
    gnssSystem = other.gnssSystem;
    position = other.position;
    positionAccuracy = other.positionAccuracy;
    channel1 = other.channel1;
    channel2 = other.channel2;
    powerLevel = other.powerLevel;
    typeOfAtoN = other.typeOfAtoN;
    stationKind = other.stationKind;
    inland = other.inland;
    inlandTypeCode = other.inlandTypeCode;
    offPositionThreshold = other.offPositionThreshold;
    ackProcedure = other.ackProcedure;
    offPositionCheck = other.offPositionCheck;
    syncLossBehaviour = other.syncLossBehaviour;
    name = other.name;
    dimensionA = other.dimensionA;
    dimensionB = other.dimensionB;
    dimensionC = other.dimensionC;
    dimensionD = other.dimensionD;
}

void AtoN::Clear()
{
    mmsiSet.Clear();
    mmsiSet.SetIndex(0);
    mmsiSet.SetEnabled(true);
    gnssSystem = AtoNDef::GNSS_GPS;
    position.SetLatitude(GeoPosition::NotAvailableLatitude);
    position.SetLongitude(GeoPosition::NotAvailableLongitude);
    positionAccuracy = AtoNDef::LOW;
    channel1 = AtoNDef::CH_2087;
    channel2 = AtoNDef::CH_2088;
    powerLevel = AtoNDef::W_12_5;
    typeOfAtoN = AtoNDef::DEFAULT;
    stationKind = AtoNDef::REAL;
    inland = false;
    inlandTypeCode = 0;
    offPositionThreshold = 50;
    ackProcedure = 1;
    offPositionCheck = 0;
    syncLossBehaviour = AtoNDef::SILENT;
    name = QStringLiteral("ATON");
    dimensionA = dimensionB = dimensionC = dimensionD = 1;
}

void AtoN::SetPosition(const GeoPosition& value)
{
    position.SetLatitude(value.GetLatitude());
    position.SetLongitude(value.GetLongitude());
}

int AtoN::GetEpfdType() const
{
    return gnssSystem == AtoNDef::GNSS_SURVEYED ? AtoNDef::EPFS_SURVEYED : AtoNDef::EPFS_INTERNAL_GNSS;
}

void AtoN::SetGnssTypeFromEpfd(int epfdType, bool keep)
{
    if (keep)
        return;
    gnssSystem = epfdType == AtoNDef::EPFS_SURVEYED ? AtoNDef::GNSS_SURVEYED : AtoNDef::GNSS_UNDEFINED;
}

void AtoN::SetTypeOfAtoN(int value)
{
    if (value == typeOfAtoN)
        return;
    typeOfAtoN = value;
    inlandTypeCode = inland ? InlandCodeOf(value) : 0;
}

void AtoN::SetInland(bool value)
{
    if (value == inland)
        return;
    inland = value;
    inlandTypeCode = value ? InlandCodeOf(typeOfAtoN) : 0;
}

void AtoN::SetInlandTypeCode(int code)
{
    inlandTypeCode = code;
    if (code >= 32 && code <= 63)
        inland = true;
}

void AtoN::SetName(const QString& value)
{
    name = value.left(MaxNameLength);
}

void AtoN::Save(QDataStream& stream)
{
    ModelObject::Save(stream);
    mmsiSet.Save(stream);
    stream << gnssSystem << position.GetLatitude() << position.GetLongitude() << positionAccuracy << channel1
           << channel2 << powerLevel << typeOfAtoN << stationKind << inlandTypeCode << offPositionThreshold
           << ackProcedure << offPositionCheck << syncLossBehaviour << name << dimensionA << dimensionB << dimensionC
           << dimensionD << qint8(inland ? 1 : 0);
}

void AtoN::Load(QDataStream& stream)
{
    ModelObject::Load(stream);
    // The delete request is not part of the file and survives a load.
    const bool deleteRequest = mmsiSet.GetAuxFlag();
    mmsiSet.Load(stream);
    mmsiSet.SetAuxFlag(deleteRequest);

    qint32 gnss = 0, accuracy = 0, ch1 = 0, ch2 = 0, power = 0, type = 0, kind = 0, code = 0, threshold = 0, ack = 0,
           check = 0, sync = 0, a = 0, b = 0, c = 0, d = 0;
    double lat = 0.0, lon = 0.0;
    QString storedName;
    qint8 storedInland = 0;
    stream >> gnss >> lat >> lon >> accuracy >> ch1 >> ch2 >> power >> type >> kind >> code >> threshold >> ack >>
        check >> sync;
    FieldText::Read(stream, storedName);
    stream >> a >> b >> c >> d >> storedInland;
    // A truncated or corrupt record changes nothing beyond what its MMSI set already took; the
    // caller sees the stream error and restores its previous configuration.
    if (stream.status() != QDataStream::Ok)
        return;
    gnssSystem = gnss;
    position.SetLatitude(lat);
    position.SetLongitude(lon);
    // A file may hold any number; each loads as its editor shows it.
    positionAccuracy = PositionAccuracyRange.Nearest(accuracy);
    channel1 = ChannelRange.Nearest(ch1);
    channel2 = ChannelRange.Nearest(ch2);
    powerLevel = PowerLevelRange.Nearest(power);
    typeOfAtoN = TypeOfAtoNRange.Nearest(type);
    stationKind = StationKindRange.Nearest(kind);
    inlandTypeCode = InlandTypeCodeRange.Nearest(code);
    offPositionThreshold = OffPositionThresholdRange.Nearest(threshold);
    // Tick boxes: the acknowledgement is ticked at 0, the off-position check at 1, and any other value
    // shows (and is written back) as not ticked.
    ackProcedure = ack == 0 ? 0 : 1;
    offPositionCheck = check == 1 ? 1 : 0;
    syncLossBehaviour = SyncLossBehaviourRange.Nearest(sync);
    // A file may hold any text. Every source of a name keeps at most its first 34 characters, and the
    // unit reports no more than the line that carries it with this station's MMSI holds; within that the
    // name is kept as saved.
    name = FieldText::Limited(FieldText::Carried(storedName), MaxNameLength,
                              FieldText::Room(NameLineTaken + FieldText::MmsiWidth(mmsiSet.GetMMSI())));
    dimensionA = a;
    dimensionB = b;
    dimensionC = c;
    dimensionD = d;
    inland = storedInland != 0;
}
