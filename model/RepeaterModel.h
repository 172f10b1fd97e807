#pragma once

#include <QString>

#include "model/ModelObject.h"

// The repeater settings: repeat indicator, guard time and range for SART, message 21, 8 and 6
// repeats. A repeat indicator setting is 0 off, 1 repeat RI 0, 2 up to RI 1, 3 up to RI 2.
class RepeaterModel : public ModelObject
{
    Q_OBJECT

public:
    explicit RepeaterModel(QObject* parent = nullptr);
    RepeaterModel(const RepeaterModel& other);
    RepeaterModel& operator=(const RepeaterModel& other);

    void Clear() override;
    void Save(QDataStream& stream) override;
    void Load(QDataStream& stream) override;

    int GetSartRepeat() const { return sartRepeat; }
    void SetSartRepeat(int value) { sartRepeat = value; }
    int GetMsg21Repeat() const { return msg21Repeat; }
    void SetMsg21Repeat(int value) { msg21Repeat = value; }
    int GetMsg21GuardTime() const { return msg21GuardTime; }
    void SetMsg21GuardTime(int value) { msg21GuardTime = value; }
    int GetMsg21Range() const { return msg21Range; }
    void SetMsg21Range(int value) { msg21Range = value; }
    int GetMsg8Repeat() const { return msg8Repeat; }
    void SetMsg8Repeat(int value) { msg8Repeat = value; }
    int GetMsg8GuardTime() const { return msg8GuardTime; }
    void SetMsg8GuardTime(int value) { msg8GuardTime = value; }
    int GetMsg6Repeat() const { return msg6Repeat; }
    void SetMsg6Repeat(int value) { msg6Repeat = value; }
    int GetMsg6GuardTime() const { return msg6GuardTime; }
    void SetMsg6GuardTime(int value) { msg6GuardTime = value; }

private:
    void CopyFields(const RepeaterModel& other);

    qint32 sartRepeat = 0;
    qint32 msg21Repeat = 0;
    qint32 msg21GuardTime = 30;
    qint32 msg21Range = 0;
    qint32 msg8Repeat = 0;
    qint32 msg8GuardTime = 30;
    qint32 msg6Repeat = 0;
    qint32 msg6GuardTime = 30;
};
