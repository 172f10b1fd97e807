#pragma once

#include "ui/AtoNConfiguration.h"

// The "Repeater" tab: how the unit repeats SART, message 21, 8 and 6 traffic. It edits the repeater
// record of its model.
class RepeaterControlsTab : public AtoNConfiguration
{
    Q_OBJECT

public:
    RepeaterControlsTab(Model* model, QWidget* parent = nullptr);
    ~RepeaterControlsTab() override;

    // With a source, its record replaces the tab's own first; then the widgets follow the own record.
    bool UpdateTabFromModel(Model* source = nullptr) override;
    // Writes the tab into the record of the target, or of the tab's own model without one.
    bool UpdateModelFromTab(Model* target = nullptr) override;
};
