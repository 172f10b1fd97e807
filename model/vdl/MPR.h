#pragma once
// MPR: five small values and a short text.

#include "model/vdl/VDLModelObject.h"

class MPR : public VDLModelObject
{
    Q_OBJECT

public:
    static constexpr int ConfigurationK = 23;
    static constexpr int TextCharacters = 9;

    explicit MPR(QObject* parent = nullptr);

    void Clear() override;
    void Save(QDataStream& stream) override;
    void Load(QDataStream& stream) override;

    QBitArray EncodeConfiguration() override;
    bool DecodeConfiguration(QBitArray frame) override;
    QBitArray EncodeRequest() override;
    bool DecodeRequest(QBitArray frame) override;
    QBitArray EncodeResponse() override;
    bool DecodeResponse(QBitArray frame) override;

    qint32 value1 = 0; // 6 bits
    qint32 value2 = 0; // 3 bits
    qint32 value3 = 3; // 4 bits
    qint32 value4 = 1; // 4 bits
    qint32 value5 = 0; // 1 bit
    QString text;
};
