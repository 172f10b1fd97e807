#include "model/ADCSettingsModel.h"

ADCSettingsModel::ADCSettingsModel(QObject* parent) : ModelObject(parent, 2) {}

ADCSettingsModel::ADCSettingsModel(const ADCSettingsModel& other) : ModelObject(other)
{
    CopyFields(other);
}

ADCSettingsModel& ADCSettingsModel::operator=(const ADCSettingsModel& other)
{
    if (this != &other)
    {
        version = other.version;
        CopyFields(other);
    }
    return *this;
}

void ADCSettingsModel::CopyFields(const ADCSettingsModel& other)
{
    currentSensingEnabled = other.currentSensingEnabled;
    currentSenseThreshold = other.currentSenseThreshold;
    currentSenseSource = other.currentSenseSource;
    lightOnSource = other.lightOnSource;
    internalCurrentDividend = other.internalCurrentDividend;
    internalCurrentDivisor = other.internalCurrentDivisor;
    internalCurrentKFactor = other.internalCurrentKFactor;
    internalCurrentOffset = other.internalCurrentOffset;
    externalCurrentDividend = other.externalCurrentDividend;
    externalCurrentDivisor = other.externalCurrentDivisor;
    externalCurrentKFactor = other.externalCurrentKFactor;
    externalCurrentOffset = other.externalCurrentOffset;
    internalVoltageDividend = other.internalVoltageDividend;
    internalVoltageDivisor = other.internalVoltageDivisor;
    internalVoltageKFactor = other.internalVoltageKFactor;
    internalVoltageOffset = other.internalVoltageOffset;
    externalVoltageDividend = other.externalVoltageDividend;
    externalVoltageDivisor = other.externalVoltageDivisor;
    externalVoltageKFactor = other.externalVoltageKFactor;
    externalVoltageOffset = other.externalVoltageOffset;
    currentUnit = other.currentUnit;
    voltageUnit = other.voltageUnit;
}

void ADCSettingsModel::Clear()
{
    currentSensingEnabled = false;
    currentSenseThreshold = 100;
    currentSenseSource = 0;
    lightOnSource = 1;
    internalCurrentDividend = 5000;
    internalCurrentDivisor = 4095;
    internalCurrentKFactor = 0;
    internalCurrentOffset = 12;
    externalCurrentDividend = 1;
    externalCurrentDivisor = 42;
    externalCurrentKFactor = 0;
    externalCurrentOffset = 0;
    internalVoltageDividend = 180;
    internalVoltageDivisor = 823;
    internalVoltageKFactor = 0;
    internalVoltageOffset = 0;
    externalVoltageDividend = 1;
    externalVoltageDivisor = 42;
    externalVoltageKFactor = 0;
    externalVoltageOffset = 0;
    currentUnit = 1;
    voltageUnit = 0.1;
}

// Filled only from the unit: never part of a configuration file, not even its version.
void ADCSettingsModel::Save(QDataStream&) {}

void ADCSettingsModel::Load(QDataStream&) {}
