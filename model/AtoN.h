#pragma once

#include <QString>

#include "model/AtoNDef.h"
#include "model/FieldText.h"
#include "model/GeoPosition.h"
#include "model/ModelObject.h"

// The MMSI set of one station: the MMSI it is known by now, the MMSI to configure, the addressed MMSI,
// its index and whether it is in use. The delete flag (delete the addressed MMSI) is a request for the
// next send only and is never stored.
class AtoNMMSI : public ModelObject
{
    Q_OBJECT

public:
    static inline const QString Unset = QStringLiteral("000000000");

    explicit AtoNMMSI(QObject* parent = nullptr);
    // Copies for lists: no parent, version 2, no delete request.
    AtoNMMSI(const AtoNMMSI& other);
    AtoNMMSI& operator=(const AtoNMMSI& other);

    void Clear() override;
    void Save(QDataStream& stream) override;
    void Load(QDataStream& stream) override;

    QString GetCurrentMMSI() const { return currentMMSI; }
    QString GetMMSI() const { return mmsi; }
    QString GetAddressMMSI() const { return addressMMSI; }
    int GetIndex() const { return index; }
    bool IsEnabled() const { return enabled; }
    bool GetAuxFlag() const { return deleteFlag; }

    void SetCurrentMMSI(const QString& value) { currentMMSI = value; }
    void SetMMSI(const QString& value) { mmsi = value; }
    void SetAddressMMSI(const QString& value) { addressMMSI = value; }
    void SetIndex(int value) { index = value; }
    void SetEnabled(bool value) { enabled = value; }
    void SetAuxFlag(bool value) { deleteFlag = value; }

private:
    QString currentMMSI = Unset;
    QString mmsi = Unset;
    QString addressMMSI = Unset;
    qint32 index = 0;
    bool enabled = false;
    bool deleteFlag = false;
};

// The configuration of one AtoN station (the real AtoN, or the station inside a virtual AtoN record).
// It stores what it is given; the tabs and sentence decoders check values before they store them.
class AtoN : public ModelObject
{
    Q_OBJECT

public:
    static constexpr int MaxNameLength = 34;
    // A name too long for the full ACE sentence travels alone, in "$UPACE,<mmsi>,,,,,,<name>,,C": framed,
    // that line takes this much beside its MMSI and the name, which leaves a name 52 characters of it
    // beside a nine-digit MMSI, escapes counted.
    static constexpr int NameLineTaken = sizeof("$UPACE,,,,,,,,,C*hh\r\n") - 1;

    // The numbers a file's station keeps: the values its editors take or a VDL reply's fields give. With
    // the widest of them and a reply's ten-digit MMSI the ACF and ACE sentences are just one line long.
    static constexpr FieldText::Range PositionAccuracyRange{AtoNDef::LOW, AtoNDef::HIGH};
    // The channel lists hold 1001 ... 2088, a reply's field has 12 bits.
    static constexpr FieldText::Range ChannelRange{0, 4095};
    // The list holds 0, 1, 2 and 5, a reply's field has 4 bits.
    static constexpr FieldText::Range PowerLevelRange{0, 15};
    // The sea and the inland type lists.
    static constexpr FieldText::Range TypeOfAtoNRange{AtoNDef::DEFAULT, AtoNDef::LIGHT_VESSEL};
    static constexpr FieldText::Range StationKindRange{AtoNDef::REAL, AtoNDef::SYNTHETIC};
    // 0 at sea, the inland types' 32 ... 63 inland.
    static constexpr FieldText::Range InlandTypeCodeRange{0, 63};
    // The spin box takes 10 ... 4095, a reply's field has 12 bits.
    static constexpr FieldText::Range OffPositionThresholdRange{0, 4095};
    // No editor; a reply's field has 1 bit.
    static constexpr FieldText::Range SyncLossBehaviourRange{AtoNDef::SILENT, AtoNDef::CONTINUE};

    explicit AtoN(QObject* parent = nullptr);
    AtoN(const AtoN& other);
    AtoN& operator=(const AtoN& other);

    void Clear() override;
    void Save(QDataStream& stream) override;
    void Load(QDataStream& stream) override;

    AtoNMMSI* GetAtoNMMSI() { return &mmsiSet; }
    const AtoNMMSI* GetAtoNMMSI() const { return &mmsiSet; }
    GeoPosition* GetPosition() { return &position; }
    const GeoPosition* GetPosition() const { return &position; }
    // Copies through the range-checking setters: out of range becomes "not available".
    void SetPosition(const GeoPosition& value);

    int GetGnssType() const { return gnssSystem; }
    void SetGnssType(int value) { gnssSystem = value; }
    int GetEpfdType() const;
    void SetGnssTypeFromEpfd(int epfdType, bool keep);

    int GetPositionAccuracy() const { return positionAccuracy; }
    void SetPositionAccuracy(int value) { positionAccuracy = value; }
    int GetChannel1() const { return channel1; }
    void SetChannel1(int value) { channel1 = value; }
    int GetChannel2() const { return channel2; }
    void SetChannel2(int value) { channel2 = value; }
    int GetPowerLevel() const { return powerLevel; }
    void SetPowerLevel(int value) { powerLevel = value; }

    int GetTypeOfAtoN() const { return typeOfAtoN; }
    void SetTypeOfAtoN(int value);
    int GetStationKind() const { return stationKind; }
    void SetStationKind(int value) { stationKind = value; }
    bool IsInland() const { return inland; }
    void SetInland(bool value);
    int GetInlandTypeCode() const { return inlandTypeCode; }
    void SetInlandTypeCode(int code);

    int GetOffPositionThreshold() const { return offPositionThreshold; }
    void SetOffPositionThreshold(int value) { offPositionThreshold = value; }
    int GetAckProcedure() const { return ackProcedure; }
    void SetAckProcedure(int value) { ackProcedure = value; }
    int GetOffPositionCheck() const { return offPositionCheck; }
    void SetOffPositionCheck(int value) { offPositionCheck = value; }
    int GetSyncLossBehaviour() const { return syncLossBehaviour; }
    void SetSyncLossBehaviour(int value) { syncLossBehaviour = value; }

    QString GetName() const { return name; }
    void SetName(const QString& value);

    int GetDimensionA() const { return dimensionA; }
    int GetDimensionB() const { return dimensionB; }
    int GetDimensionC() const { return dimensionC; }
    int GetDimensionD() const { return dimensionD; }
    void SetDimensionA(int value) { dimensionA = value; }
    void SetDimensionB(int value) { dimensionB = value; }
    void SetDimensionC(int value) { dimensionC = value; }
    void SetDimensionD(int value) { dimensionD = value; }

private:
    void CopyFields(const AtoN& other);

    AtoNMMSI mmsiSet;
    qint32 gnssSystem = AtoNDef::GNSS_GPS;
    GeoPosition position;
    qint32 positionAccuracy = AtoNDef::LOW;
    qint32 channel1 = AtoNDef::CH_2087;
    qint32 channel2 = AtoNDef::CH_2088;
    qint32 powerLevel = AtoNDef::W_12_5;
    qint32 typeOfAtoN = AtoNDef::DEFAULT;
    qint32 stationKind = AtoNDef::REAL;
    bool inland = false;
    qint32 inlandTypeCode = 0;
    qint32 offPositionThreshold = 50;
    qint32 ackProcedure = 1;
    qint32 offPositionCheck = 0;
    qint32 syncLossBehaviour = AtoNDef::SILENT;
    QString name = QStringLiteral("ATON");
    qint32 dimensionA = 1;
    qint32 dimensionB = 1;
    qint32 dimensionC = 1;
    qint32 dimensionD = 1;
};
