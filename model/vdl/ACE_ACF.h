#pragma once
// ACE/ACF: the station configuration of a remote AtoN unit. A 128-bit frame cannot hold it all, so
// the configuration travels in six frames and the reply comes back in two.

#include "model/GeoPosition.h"
#include "model/vdl/VDLModelObject.h"

class AtoN;

class ACE_ACF : public VDLModelObject
{
    Q_OBJECT

public:
    static constexpr int ConfigurationPart1K = 3; // parts 2 to 6 follow as 4 to 8
    static constexpr int RequestK = 9;
    static constexpr int ResponsePart1K = 10;
    static constexpr int ResponsePart2K = 11;
    static constexpr int NameLength = 34;

    explicit ACE_ACF(QObject* parent = nullptr);

    void Clear() override;
    void Save(QDataStream& stream) override;
    void Load(QDataStream& stream) override;

    QBitArray EncodeConfiguration() override;
    bool DecodeConfiguration(QBitArray frame) override;
    QBitArray EncodeRequest() override;
    bool DecodeRequest(QBitArray frame) override;
    QBitArray EncodeResponse() override;
    QString ResponseText() const override;

    QBitArray EncodeConfigurationPart1();
    QBitArray EncodeConfigurationPart2();
    QBitArray EncodeConfigurationPart3();
    QBitArray EncodeConfigurationPart4();
    QBitArray EncodeConfigurationPart5();
    QBitArray EncodeConfigurationPart6();
    bool DecodeResponsePart1(QBitArray frame);
    bool DecodeResponsePart2(QBitArray frame);

    void SetFromAtoN(AtoN* aton);

    GeoPosition* GetPosition() { return &position; }
    const GeoPosition* GetPosition() const { return &position; }

    GeoPosition position;
    qint32 offPositionThreshold = 0;
    qint32 channel1 = 0;
    qint32 channel2 = 0;
    qint32 channel3 = 0; // the third channel value, filled with channel 1
    qint32 channel4 = 0; // the fourth channel value, filled with channel 2
    bool syncLossBehaviour = false;
    qint32 powerLevel = 0;
    bool offPositionCheck = false;
    qint32 channel = 1;
    qint32 hour = 0;
    qint32 minute = 60;
    qint32 slot = 0;
    bool positionAccuracy = false;
    qint32 epfdType = 0;
    bool ackProcedure = false;
    qint32 typeOfAtoN = 0;
    qint32 dimensionA = 1;
    qint32 dimensionB = 1;
    qint32 dimensionC = 1;
    qint32 dimensionD = 1;
    qint32 inlandTypeCode = 0;
    bool inland = false;
    qint32 stationKind = 0;
    QString namePart1;
    QString namePart2;
    QString namePart3;

private:
    QBitArray EncodeNamePart(int k, const QString& part, int characters) const;
};
