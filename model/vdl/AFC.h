#pragma once
// AFC: which function identifiers the remote unit implements, one bit each in a 64-bit word.

#include "model/vdl/VDLModelObject.h"

class AFC : public VDLModelObject
{
    Q_OBJECT

public:
    static constexpr int RequestK = 27;
    static constexpr int ResponseK = 28;

    explicit AFC(QObject* parent = nullptr);

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
    quint64 implementationStatus = 0;
};
