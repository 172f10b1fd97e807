#pragma once
// COP: the receiver wake-up schedule of a remote unit (mode, daily wake-up time, interval between
// wake-ups and how long the receiver stays on). The unit answers in the configuration layout.

#include "model/vdl/VDLModelObject.h"

#include <QTime>

class Model;

class COP : public VDLModelObject
{
    Q_OBJECT

public:
    static constexpr int RequestK = 18;
    static constexpr int ConfigurationK = 35;
    static constexpr int ResponseK = 36;

    explicit COP(QObject* parent = nullptr);

    void Clear() override;
    void Save(QDataStream& stream) override;
    void Load(QDataStream& stream) override;

    QBitArray EncodeConfiguration() override;
    bool DecodeConfiguration(QBitArray frame) override;
    QBitArray EncodeRequest() override;
    QBitArray EncodeResponse() override;
    bool DecodeResponse(QBitArray frame) override;
    QString ResponseText() const override;

    void SetFromVdlModel(Model* model);

    int GetMode() const { return mode; }
    QTime GetWakeUpTime() const { return wakeUpTime; }
    int GetInterval() const { return interval; }
    int GetDuration() const { return duration; }

    qint32 mode = 0;
    QTime wakeUpTime{0, 0};
    qint32 interval = 1;
    qint32 duration = 1;
    qint32 channel = 1;
    qint32 hour = 0;
    qint32 minute = 60;
    qint32 slot = 0;
};
