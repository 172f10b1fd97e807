#pragma once

#include "ui/AtoNConfiguration.h"

// Sensor-set tab 1: current sensing and the scaling of the analogue inputs of an AIS AtoN Sensor.
// Edits the ADC settings record of its model; the record is filled only from the unit.
class ADCSettingsTab : public AtoNConfiguration
{
    Q_OBJECT

public:
    ADCSettingsTab(Model* model, QWidget* parent = nullptr);
    ~ADCSettingsTab() override;

    // With a source, its record replaces the tab's own first; then the widgets follow the own record.
    bool UpdateTabFromModel(Model* source = nullptr) override;
    // Writes the tab into the record of the target, or of the tab's own model without one.
    bool UpdateModelFromTab(Model* target = nullptr) override;

    // The sensor tab set tells each tab whether it is the current one.
    void OnTabSelected();
    void OnTabDeselected();
    bool IsTabSelected() const { return tabSelected; }

private:
    bool tabSelected = false;
};
