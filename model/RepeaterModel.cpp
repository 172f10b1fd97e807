#include "model/RepeaterModel.h"

RepeaterModel::RepeaterModel(QObject* parent) : ModelObject(parent, 2) {}

RepeaterModel::RepeaterModel(const RepeaterModel& other) : ModelObject(other)
{
    CopyFields(other);
}

RepeaterModel& RepeaterModel::operator=(const RepeaterModel& other)
{
    if (this != &other)
    {
        CopyFields(other);
    }
    return *this;
}

void RepeaterModel::CopyFields(const RepeaterModel& other)
{
    sartRepeat = other.sartRepeat;
    msg21Repeat = other.msg21Repeat;
    msg21GuardTime = other.msg21GuardTime;
    msg21Range = other.msg21Range;
    msg8Repeat = other.msg8Repeat;
    msg8GuardTime = other.msg8GuardTime;
    msg6Repeat = other.msg6Repeat;
    msg6GuardTime = other.msg6GuardTime;
}

void RepeaterModel::Clear()
{
    sartRepeat = 0;
    msg21Repeat = 0;
    msg21GuardTime = 30;
    msg21Range = 0;
    msg8Repeat = 0;
    msg8GuardTime = 30;
    msg6Repeat = 0;
    msg6GuardTime = 30;
}

void RepeaterModel::Save(QDataStream& stream)
{
    ModelObject::Save(stream);
    for (const qint32* field : {&sartRepeat, &msg21Repeat, &msg21GuardTime, &msg21Range, &msg8Repeat, &msg8GuardTime,
                                &msg6Repeat, &msg6GuardTime})
        stream << *field;
}

void RepeaterModel::Load(QDataStream& stream)
{
    ModelObject::Load(stream);
    qint32 values[8] = {};
    for (qint32& value : values)
        stream >> value;
    if (stream.status() != QDataStream::Ok)
        return;
    qint32* fields[] = {&sartRepeat, &msg21Repeat,   &msg21GuardTime, &msg21Range,
                        &msg8Repeat, &msg8GuardTime, &msg6Repeat,     &msg6GuardTime};
    for (int i = 0; i < 8; ++i)
        *fields[i] = values[i];
}
