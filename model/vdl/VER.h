#pragma once
// VER: asks a remote unit for one kind of version information; the answer is the one 256-bit frame.

#include "model/vdl/VDLModelObject.h"

class VER : public VDLModelObject
{
    Q_OBJECT

public:
    static constexpr int RequestK = 25;
    static constexpr int ResponseK = 26;
    static constexpr int ResponseBits = 256;
    static constexpr int VersionCharacters = 32;

    explicit VER(QObject* parent = nullptr);

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

    qint32 kind = 0;
    qint32 channel = 1;
    qint32 hour = 0;
    qint32 minute = 60;
    qint32 slot = 0;
    QString versionInformation;
};
