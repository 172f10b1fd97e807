#pragma once

#include "ui/AtoNConfiguration.h"

// Sensor-set tab 0: the sensor configuration option of an AIS AtoN Sensor (which sensors are fitted and
// how they are wired). Edits the sensor settings record of its model; the record is filled only from the
// unit. This tab has no edited state: the sensor set is always sent whole.
class SensorSettingsTab : public AtoNConfiguration
{
    Q_OBJECT

public:
    SensorSettingsTab(Model* model, QWidget* parent = nullptr);
    ~SensorSettingsTab() override;

    // With a source, its sensor record replaces the tab's own first. Every load tells the Live Data tab
    // whether the loaded option has a wave meter.
    bool UpdateTabFromModel(Model* source = nullptr) override;
    // Writes the tab into the sensor record of the target, or of the tab's own model without one.
    bool UpdateModelFromTab(Model* target = nullptr) override;

    // The sensor tab set tells each tab whether it is the current one.
    void OnTabSelected();
    void OnTabDeselected();
    bool IsTabSelected() const { return tabSelected; }

    // Options 1 to 4 are the configurations with a wave meter.
    static bool HasWaveMeter(int configurationCode);

Q_SIGNALS:
    // Whether the option just selected or loaded has a wave meter.
    void EnableWaveMeterDataControls(bool enable);

private:
    bool tabSelected = false;
};
