#include "model/SensorSettingsModel.h"

SensorSettingsModel::SensorSettingsModel(QObject* parent) : ModelObject(parent, 2) {}

SensorSettingsModel::SensorSettingsModel(const SensorSettingsModel& other) : ModelObject(other)
{
    CopyFields(other);
}

SensorSettingsModel& SensorSettingsModel::operator=(const SensorSettingsModel& other)
{
    if (this != &other)
    {
        version = other.version;
        CopyFields(other);
    }
    return *this;
}

void SensorSettingsModel::CopyFields(const SensorSettingsModel& other)
{
    configurationCode = other.configurationCode;
    surfaceCell = other.surfaceCell;
    level2Cell = other.level2Cell;
    level3Cell = other.level3Cell;
    datumOffset = other.datumOffset;
    airmarPort = other.airmarPort;
    airmarOnRS422 = other.airmarOnRS422;
    rs422Enabled = other.rs422Enabled;
    relay1 = other.relay1;
    relay2 = other.relay2;
}

void SensorSettingsModel::Clear()
{
    configurationCode = 99;
    surfaceCell = 0;
    level2Cell = 0;
    level3Cell = 0;
    datumOffset = 0;
    airmarPort = 0;
    airmarOnRS422 = false;
    rs422Enabled = false;
    relay1 = false;
    relay2 = false;
}

// Filled only from the unit: never part of a configuration file, not even its version.
void SensorSettingsModel::Save(QDataStream&) {}

void SensorSettingsModel::Load(QDataStream&) {}
