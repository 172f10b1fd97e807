#include "model/StatusInputConfigurationModel.h"

StatusInputConfigurationModel::StatusInputConfigurationModel(QObject* parent) : ModelObject(parent, 2) {}

StatusInputConfigurationModel::StatusInputConfigurationModel(const StatusInputConfigurationModel& other)
    : ModelObject(other)
{
    CopyFields(other);
}

StatusInputConfigurationModel& StatusInputConfigurationModel::operator=(const StatusInputConfigurationModel& other)
{
    if (this != &other)
    {
        CopyFields(other);
    }
    return *this;
}

void StatusInputConfigurationModel::CopyFields(const StatusInputConfigurationModel& other)
{
    lightFitted = other.lightFitted;
    raconFitted = other.raconFitted;
    raconMonitored = other.raconMonitored;
    statusBitSource = other.statusBitSource;
    lightOnOffActiveHigh = other.lightOnOffActiveHigh;
    lightHealthActiveHigh = other.lightHealthActiveHigh;
    raconHealthActiveHigh = other.raconHealthActiveHigh;
    message6Source = other.message6Source;
    message6Index = other.message6Index;
    positionReportEnabled = other.positionReportEnabled;
    onPositionIndex = other.onPositionIndex;
    offPositionIndex = other.offPositionIndex;
    message6Format = other.message6Format;
    userPower = other.userPower;
}

void StatusInputConfigurationModel::Clear()
{
    lightFitted = 0;
    raconFitted = 0;
    raconMonitored = 0;
    statusBitSource = 0;
    lightOnOffActiveHigh = 1;
    lightHealthActiveHigh = 1;
    raconHealthActiveHigh = 1;
    message6Source = 0;
    message6Index = -1;
    positionReportEnabled = 0;
    onPositionIndex = -1;
    offPositionIndex = -1;
    message6Format = 1;
    userPower = false;
}

void StatusInputConfigurationModel::Save(QDataStream& stream)
{
    ModelObject::Save(stream);
    for (const qint32* field : {&lightFitted, &raconFitted, &raconMonitored, &statusBitSource, &lightOnOffActiveHigh,
                                &lightHealthActiveHigh, &raconHealthActiveHigh, &message6Source, &message6Index,
                                &positionReportEnabled, &onPositionIndex, &offPositionIndex, &message6Format})
        stream << *field;
    stream << qint32(userPower ? 1 : 0);
}

void StatusInputConfigurationModel::Load(QDataStream& stream)
{
    ModelObject::Load(stream);
    qint32 values[13] = {};
    qint32 power = 0;
    for (qint32& value : values)
        stream >> value;
    stream >> power;
    if (stream.status() != QDataStream::Ok)
        return;
    qint32* fields[] = {&lightFitted,          &raconFitted,           &raconMonitored,        &statusBitSource,
                        &lightOnOffActiveHigh, &lightHealthActiveHigh, &raconHealthActiveHigh, &message6Source,
                        &message6Index,        &positionReportEnabled, &onPositionIndex,       &offPositionIndex,
                        &message6Format};
    for (int i = 0; i < 13; ++i)
        *fields[i] = values[i];
    // The input logic is three bits of one field to the unit, and the unit reports nothing else; its
    // tick boxes show 1 as ticked and anything else as not, which is what a file's value becomes.
    for (qint32* flag : {&lightOnOffActiveHigh, &lightHealthActiveHigh, &raconHealthActiveHigh})
        *flag = *flag == 1 ? 1 : 0;
    userPower = power != 0;
}
