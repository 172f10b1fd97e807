#pragma once
// Msg21: asks a remote unit for its AtoN report; the response carries the body of an AIS message 21
// with a 14-character name extension.

#include "model/GeoPosition.h"
#include "model/vdl/VDLModelObject.h"

class Msg21 : public VDLModelObject
{
    Q_OBJECT

public:
    static constexpr int RequestK = 32;
    static constexpr int ResponseK = 33;
    static constexpr int ResponseBits = 376;
    static constexpr int ResponseMinimumBits = 372; // the four closing fill bits are not read
    static constexpr int NameCharacters = 20;
    static constexpr int NameExtensionCharacters = 14;

    explicit Msg21(QObject* parent = nullptr);

    void Clear() override;
    void Save(QDataStream& stream) override;
    void Load(QDataStream& stream) override;

    QBitArray EncodeConfiguration() override;
    bool DecodeConfiguration(QBitArray frame) override;
    QBitArray EncodeRequest() override;
    bool DecodeRequest(QBitArray frame) override;
    QBitArray EncodeResponse() override;
    bool DecodeResponse(QBitArray frame) override;
    QString ResponseText() const override;

    qint32 channel = 1;
    qint32 hour = 0;
    qint32 minute = 60;
    qint32 slot = 0;
    qint32 messageId = 21;
    qint32 repeatIndicator = 0;
    qint32 typeOfAtoN = 0;
    QString name;
    bool positionAccuracy = false;
    GeoPosition position;
    qint32 dimensionA = 1;
    qint32 dimensionB = 1;
    qint32 dimensionC = 1;
    qint32 dimensionD = 1;
    qint32 typeOfPositionDevice = 0;
    qint32 timeStamp = 60;
    bool offPositionIndicator = false;
    qint32 atonStatus = 0;
    bool raimFlag = false;
    bool virtualAtoNFlag = false;
    bool assignedModeFlag = false;
    QString nameExtension;
};
