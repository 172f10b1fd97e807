#pragma once

#include <QString>

#include "model/ModelObject.h"

// The sensor unit's message settings: message 6 format and identifiers, battery threshold, voltage
// source, supply type, status bit inversion and message 8 format.
class MessageSettingsModel : public ModelObject
{
    Q_OBJECT

public:
    explicit MessageSettingsModel(QObject* parent = nullptr);
    MessageSettingsModel(const MessageSettingsModel& other);
    MessageSettingsModel& operator=(const MessageSettingsModel& other);

    void Clear() override;
    void Save(QDataStream& stream) override;
    void Load(QDataStream& stream) override;

    int GetMessage6Format() const { return message6Format; }
    void SetMessage6Format(int value) { message6Format = value; }
    int GetMessage6FI() const { return message6FI; }
    void SetMessage6FI(int value) { message6FI = value; }
    int GetMessage6DAC() const { return message6DAC; }
    void SetMessage6DAC(int value) { message6DAC = value; }
    int GetMessage6SubId() const { return message6SubId; }
    void SetMessage6SubId(int value) { message6SubId = value; }
    double GetBatteryVoltageThreshold() const { return batteryVoltageThreshold; }
    void SetBatteryVoltageThreshold(double value) { batteryVoltageThreshold = value; }
    int GetVoltageSource() const { return voltageSource; }
    void SetVoltageSource(int value) { voltageSource = value; }
    int GetPowerSupplyType() const { return powerSupplyType; }
    void SetPowerSupplyType(int value) { powerSupplyType = value; }
    int GetStatusBitInversionMask() const { return statusBitInversionMask; }
    void SetStatusBitInversionMask(int value) { statusBitInversionMask = value; }
    int GetMessage8Format() const { return message8Format; }
    void SetMessage8Format(int value) { message8Format = value; }

private:
    void CopyFields(const MessageSettingsModel& other);

    qint32 message6Format = 1;
    qint32 message6FI = 0;
    qint32 message6DAC = 0;
    qint32 message6SubId = 1;
    double batteryVoltageThreshold = 100.0;
    qint32 voltageSource = 1;
    qint32 powerSupplyType = 1;
    qint32 statusBitInversionMask = 0;
    qint32 message8Format = 2;
};
