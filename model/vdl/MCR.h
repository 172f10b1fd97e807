#pragma once
// MCR: a text payload with configuration, request and response frames.

#include "model/vdl/VDLModelObject.h"

class MCR : public VDLModelObject
{
    Q_OBJECT

public:
    static constexpr int ConfigurationK = 20;
    static constexpr int RequestK = 21;
    static constexpr int ResponseK = 22;
    static constexpr int PayloadBits = 74; // twelve whole characters and two bits of a thirteenth
    static constexpr int PayloadCharacters = 12;

    explicit MCR(QObject* parent = nullptr);

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
    QString payload;

private:
    QBitArray EncodePayload(int k) const;
    bool DecodePayload(const QBitArray& frame, int k);
};
