#pragma once

#include <QString>

#include "model/ModelObject.h"

// The sensor unit's ADC settings: current sensing, light-on source, the four scalings (dividend,
// divisor, K factor, offset) and the output unit sizes.
class ADCSettingsModel : public ModelObject
{
    Q_OBJECT

public:
    explicit ADCSettingsModel(QObject* parent = nullptr);
    ADCSettingsModel(const ADCSettingsModel& other);
    ADCSettingsModel& operator=(const ADCSettingsModel& other);

    void Clear() override;
    void Save(QDataStream& stream) override;
    void Load(QDataStream& stream) override;

    bool GetCurrentSensingEnabled() const { return currentSensingEnabled; }
    void SetCurrentSensingEnabled(bool value) { currentSensingEnabled = value; }
    int GetCurrentSenseThreshold() const { return currentSenseThreshold; }
    void SetCurrentSenseThreshold(int value) { currentSenseThreshold = value; }
    int GetCurrentSenseSource() const { return currentSenseSource; }
    void SetCurrentSenseSource(int value) { currentSenseSource = value; }
    int GetLightOnSource() const { return lightOnSource; }
    void SetLightOnSource(int value) { lightOnSource = value; }
    int GetInternalCurrentDividend() const { return internalCurrentDividend; }
    void SetInternalCurrentDividend(int value) { internalCurrentDividend = value; }
    int GetInternalCurrentDivisor() const { return internalCurrentDivisor; }
    void SetInternalCurrentDivisor(int value) { internalCurrentDivisor = value; }
    int GetInternalCurrentKFactor() const { return internalCurrentKFactor; }
    void SetInternalCurrentKFactor(int value) { internalCurrentKFactor = value; }
    int GetInternalCurrentOffset() const { return internalCurrentOffset; }
    void SetInternalCurrentOffset(int value) { internalCurrentOffset = value; }
    int GetExternalCurrentDividend() const { return externalCurrentDividend; }
    void SetExternalCurrentDividend(int value) { externalCurrentDividend = value; }
    int GetExternalCurrentDivisor() const { return externalCurrentDivisor; }
    void SetExternalCurrentDivisor(int value) { externalCurrentDivisor = value; }
    int GetExternalCurrentKFactor() const { return externalCurrentKFactor; }
    void SetExternalCurrentKFactor(int value) { externalCurrentKFactor = value; }
    int GetExternalCurrentOffset() const { return externalCurrentOffset; }
    void SetExternalCurrentOffset(int value) { externalCurrentOffset = value; }
    int GetInternalVoltageDividend() const { return internalVoltageDividend; }
    void SetInternalVoltageDividend(int value) { internalVoltageDividend = value; }
    int GetInternalVoltageDivisor() const { return internalVoltageDivisor; }
    void SetInternalVoltageDivisor(int value) { internalVoltageDivisor = value; }
    int GetInternalVoltageKFactor() const { return internalVoltageKFactor; }
    void SetInternalVoltageKFactor(int value) { internalVoltageKFactor = value; }
    int GetInternalVoltageOffset() const { return internalVoltageOffset; }
    void SetInternalVoltageOffset(int value) { internalVoltageOffset = value; }
    int GetExternalVoltageDividend() const { return externalVoltageDividend; }
    void SetExternalVoltageDividend(int value) { externalVoltageDividend = value; }
    int GetExternalVoltageDivisor() const { return externalVoltageDivisor; }
    void SetExternalVoltageDivisor(int value) { externalVoltageDivisor = value; }
    int GetExternalVoltageKFactor() const { return externalVoltageKFactor; }
    void SetExternalVoltageKFactor(int value) { externalVoltageKFactor = value; }
    int GetExternalVoltageOffset() const { return externalVoltageOffset; }
    void SetExternalVoltageOffset(int value) { externalVoltageOffset = value; }
    int GetCurrentUnit() const { return currentUnit; }
    void SetCurrentUnit(int value) { currentUnit = value; }
    double GetVoltageUnit() const { return voltageUnit; }
    void SetVoltageUnit(double value) { voltageUnit = value; }

private:
    void CopyFields(const ADCSettingsModel& other);

    bool currentSensingEnabled = false;
    qint32 currentSenseThreshold = 100;
    qint32 currentSenseSource = 0;
    qint32 lightOnSource = 1;
    qint32 internalCurrentDividend = 5000;
    qint32 internalCurrentDivisor = 4095;
    qint32 internalCurrentKFactor = 0;
    qint32 internalCurrentOffset = 12;
    qint32 externalCurrentDividend = 1;
    qint32 externalCurrentDivisor = 42;
    qint32 externalCurrentKFactor = 0;
    qint32 externalCurrentOffset = 0;
    qint32 internalVoltageDividend = 180;
    qint32 internalVoltageDivisor = 823;
    qint32 internalVoltageKFactor = 0;
    qint32 internalVoltageOffset = 0;
    qint32 externalVoltageDividend = 1;
    qint32 externalVoltageDivisor = 42;
    qint32 externalVoltageKFactor = 0;
    qint32 externalVoltageOffset = 0;
    qint32 currentUnit = 1;
    double voltageUnit = 0.1;
};
