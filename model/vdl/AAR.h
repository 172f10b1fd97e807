#pragma once
// AAR: the slot reservations of a remote unit's message schedule. A FATDMA entry travels as two
// one-block frames (channel A, then B); a time-based entry as one frame holding both blocks.

#include "model/vdl/VDLModelObject.h"

class MessageSchedule;
class ScheduleEntry;

class AAR : public VDLModelObject
{
    Q_OBJECT

public:
    static constexpr int ConfigurationSingleK = 12;
    static constexpr int ConfigurationDualK = 13;
    static constexpr int RequestK = 14;
    static constexpr int ResponseK = 15;

    explicit AAR(QObject* parent = nullptr);

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

    QBitArray EncodeConfigurationSingle();
    QBitArray EncodeConfigurationDual();

    void ResetFromModel(MessageSchedule* schedule);
    void SetFromScheduleEntry(MessageSchedule* schedule, const ScheduleEntry& entry, int position);
    void SetFromScheduleEntryBlock(MessageSchedule* schedule, const ScheduleEntry& entry, int position, bool blockB);
    int MessageIndexOf(MessageSchedule* schedule, int position) const;

    qint32 channel = 1;
    qint32 hour = 0;
    qint32 minute = 60;
    qint32 startSlot = 0;
    qint32 messageId = 0;
    qint32 messageIndex = 0;
    qint32 slotInterval = 0;
    bool enableSlotReservation = false;
    qint32 secondHour = 0;
    qint32 secondMinute = 60;
    qint32 secondInterval = 0;
    bool twoBlockLayout = false;
    qint32 numberOfMessages = 0;

private:
    void TakeRemoteMmsiFrom(MessageSchedule* schedule);
};
