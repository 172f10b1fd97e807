#pragma once
// AKE: a short text.

#include "model/vdl/VDLModelObject.h"

class AKE : public VDLModelObject
{
    Q_OBJECT

public:
    static constexpr int ConfigurationK = 16;
    static constexpr int TextBits = 56; // nine whole characters and two bits of a tenth
    static constexpr int TextCharacters = 10;

    explicit AKE(QObject* parent = nullptr);

    void Clear() override;
    void Save(QDataStream& stream) override;
    void Load(QDataStream& stream) override;

    QBitArray EncodeConfiguration() override;
    bool DecodeConfiguration(QBitArray frame) override;
    QBitArray EncodeRequest() override;
    bool DecodeRequest(QBitArray frame) override;
    QBitArray EncodeResponse() override;
    bool DecodeResponse(QBitArray frame) override;

    QString text;
};
