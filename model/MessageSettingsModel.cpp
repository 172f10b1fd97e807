#include "model/MessageSettingsModel.h"

MessageSettingsModel::MessageSettingsModel(QObject* parent) : ModelObject(parent, 2) {}

MessageSettingsModel::MessageSettingsModel(const MessageSettingsModel& other) : ModelObject(other)
{
    CopyFields(other);
}

MessageSettingsModel& MessageSettingsModel::operator=(const MessageSettingsModel& other)
{
    if (this != &other)
    {
        version = other.version;
        CopyFields(other);
    }
    return *this;
}

void MessageSettingsModel::CopyFields(const MessageSettingsModel& other)
{
    message6Format = other.message6Format;
    message6FI = other.message6FI;
    message6DAC = other.message6DAC;
    message6SubId = other.message6SubId;
    batteryVoltageThreshold = other.batteryVoltageThreshold;
    voltageSource = other.voltageSource;
    powerSupplyType = other.powerSupplyType;
    statusBitInversionMask = other.statusBitInversionMask;
    message8Format = other.message8Format;
}

void MessageSettingsModel::Clear()
{
    message6Format = 1;
    message6FI = 0;
    message6DAC = 0;
    message6SubId = 1;
    batteryVoltageThreshold = 100.0;
    voltageSource = 1;
    powerSupplyType = 1;
    statusBitInversionMask = 0;
    message8Format = 2;
}

// Filled only from the unit: never part of a configuration file, not even its version.
void MessageSettingsModel::Save(QDataStream&) {}

void MessageSettingsModel::Load(QDataStream&) {}
