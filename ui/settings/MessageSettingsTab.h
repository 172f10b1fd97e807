#pragma once

#include "ui/AtoNConfiguration.h"

// Sensor-set tab 2: the formats and identifiers of the messages an AIS AtoN Sensor transmits, its
// battery threshold and status bit inversion. Edits the message settings record of its model.
class MessageSettingsTab : public AtoNConfiguration
{
    Q_OBJECT

public:
    MessageSettingsTab(Model* model, QWidget* parent = nullptr);
    ~MessageSettingsTab() override;

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
