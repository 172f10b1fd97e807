#pragma once

#include <QString>

#include "model/ModelObject.h"

// The sensor unit's configuration option, current-profiler cells, datum offset, Airmar port and relays.
// Code 98 is a unit that offers option 0 only, 99 a fixed configuration.
class SensorSettingsModel : public ModelObject
{
    Q_OBJECT

public:
    explicit SensorSettingsModel(QObject* parent = nullptr);
    SensorSettingsModel(const SensorSettingsModel& other);
    SensorSettingsModel& operator=(const SensorSettingsModel& other);

    void Clear() override;
    void Save(QDataStream& stream) override;
    void Load(QDataStream& stream) override;

    int GetConfigurationCode() const { return configurationCode; }
    void SetConfigurationCode(int value) { configurationCode = value; }
    int GetSurfaceCell() const { return surfaceCell; }
    void SetSurfaceCell(int value) { surfaceCell = value; }
    int GetLevel2Cell() const { return level2Cell; }
    void SetLevel2Cell(int value) { level2Cell = value; }
    int GetLevel3Cell() const { return level3Cell; }
    void SetLevel3Cell(int value) { level3Cell = value; }
    int GetDatumOffset() const { return datumOffset; }
    void SetDatumOffset(int value) { datumOffset = value; }
    int GetAirmarPort() const { return airmarPort; }
    void SetAirmarPort(int value) { airmarPort = value; }
    bool GetAirmarOnRS422() const { return airmarOnRS422; }
    void SetAirmarOnRS422(bool value) { airmarOnRS422 = value; }
    bool GetRS422Enabled() const { return rs422Enabled; }
    void SetRS422Enabled(bool value) { rs422Enabled = value; }
    bool GetRelay1() const { return relay1; }
    void SetRelay1(bool value) { relay1 = value; }
    bool GetRelay2() const { return relay2; }
    void SetRelay2(bool value) { relay2 = value; }

private:
    void CopyFields(const SensorSettingsModel& other);

    qint32 configurationCode = 99;
    qint32 surfaceCell = 0;
    qint32 level2Cell = 0;
    qint32 level3Cell = 0;
    qint32 datumOffset = 0;
    qint32 airmarPort = 0;
    bool airmarOnRS422 = false;
    bool rs422Enabled = false;
    bool relay1 = false;
    bool relay2 = false;
};
