#pragma once

#include <QString>

#include "model/ModelObject.h"

// The status-input settings: what is fitted, where the status bits come from, their logic, and the
// message 6 and position reports built from them. Stored in configuration files.
class StatusInputConfigurationModel : public ModelObject
{
    Q_OBJECT

public:
    explicit StatusInputConfigurationModel(QObject* parent = nullptr);
    StatusInputConfigurationModel(const StatusInputConfigurationModel& other);
    StatusInputConfigurationModel& operator=(const StatusInputConfigurationModel& other);

    void Clear() override;
    void Save(QDataStream& stream) override;
    void Load(QDataStream& stream) override;

    int GetLightFitted() const { return lightFitted; }
    void SetLightFitted(int value) { lightFitted = value; }
    int GetRaconFitted() const { return raconFitted; }
    void SetRaconFitted(int value) { raconFitted = value; }
    int GetRaconMonitored() const { return raconMonitored; }
    void SetRaconMonitored(int value) { raconMonitored = value; }
    int GetStatusBitSource() const { return statusBitSource; }
    void SetStatusBitSource(int value) { statusBitSource = value; }
    int GetLightOnOffActiveHigh() const { return lightOnOffActiveHigh; }
    void SetLightOnOffActiveHigh(int value) { lightOnOffActiveHigh = value; }
    int GetLightHealthActiveHigh() const { return lightHealthActiveHigh; }
    void SetLightHealthActiveHigh(int value) { lightHealthActiveHigh = value; }
    int GetRaconHealthActiveHigh() const { return raconHealthActiveHigh; }
    void SetRaconHealthActiveHigh(int value) { raconHealthActiveHigh = value; }
    int GetMessage6Source() const { return message6Source; }
    void SetMessage6Source(int value) { message6Source = value; }
    int GetMessage6Index() const { return message6Index; }
    void SetMessage6Index(int value) { message6Index = value; }
    int GetPositionReportEnabled() const { return positionReportEnabled; }
    void SetPositionReportEnabled(int value) { positionReportEnabled = value; }
    int GetOnPositionIndex() const { return onPositionIndex; }
    void SetOnPositionIndex(int value) { onPositionIndex = value; }
    int GetOffPositionIndex() const { return offPositionIndex; }
    void SetOffPositionIndex(int value) { offPositionIndex = value; }
    int GetMessage6Format() const { return message6Format; }
    void SetMessage6Format(int value) { message6Format = value; }
    bool GetUserPower() const { return userPower; }
    void SetUserPower(bool value) { userPower = value; }

private:
    void CopyFields(const StatusInputConfigurationModel& other);

    qint32 lightFitted = 0;
    qint32 raconFitted = 0;
    qint32 raconMonitored = 0;
    qint32 statusBitSource = 0;
    qint32 lightOnOffActiveHigh = 1;
    qint32 lightHealthActiveHigh = 1;
    qint32 raconHealthActiveHigh = 1;
    qint32 message6Source = 0;
    qint32 message6Index = -1;
    qint32 positionReportEnabled = 0;
    qint32 onPositionIndex = -1;
    qint32 offPositionIndex = -1;
    qint32 message6Format = 1;
    bool userPower = false;
};
