#pragma once

#include "ui/AtoNConfiguration.h"

// Base of the settings tabs of the sensor tab set (Sensor Settings, ADC Settings, Message Settings). A
// sensor unit's records come only from the unit and go back to it whole, so these tabs keep no edited
// state: every widget change stores all widgets into the tab model at once, with no Edited signal. The
// main window tells each tab whether it is the current one.
class SensorSetTab : public AtoNConfiguration
{
    Q_OBJECT

public:
    SensorSetTab(Model* model, QWidget* parent = nullptr);
    ~SensorSetTab() override;

    void OnTabSelected();
    void OnTabDeselected();
    bool IsTabSelected() const { return tabSelected; }

protected:
    // The record a store writes: the target's, or the own model's without a target.
    Model* StoreTarget(Model* target) const { return target ? target : model; }

private:
    bool tabSelected = false;
};
