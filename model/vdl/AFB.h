#pragma once
// AFB: a message ID and index with a slot time.

#include "model/vdl/VDLModelObject.h"

class AFB : public VDLModelObject
{
    Q_OBJECT

public:
    static constexpr int ConfigurationK = 24;

    explicit AFB(QObject* parent = nullptr);

    void Clear() override;
    void Save(QDataStream& stream) override;
    void Load(QDataStream& stream) override;

    QBitArray EncodeConfiguration() override;
    bool DecodeConfiguration(QBitArray frame) override;
    QBitArray EncodeRequest() override;
    bool DecodeRequest(QBitArray frame) override;
    QBitArray EncodeResponse() override;
    bool DecodeResponse(QBitArray frame) override;

    qint32 messageId = 0;
    qint32 messageIndex = 0;
    qint32 channel = 1;
    qint32 hour = 0;
    qint32 minute = 60;
    qint32 slot = 0;
};
