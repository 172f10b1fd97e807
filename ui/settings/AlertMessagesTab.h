#pragma once

#include "ui/AtoNConfiguration.h"

// The "Alert Messages" tab: what the unit transmits on a BIIT failure, a vessel too close and an
// off-position alarm. It edits the alert-messages record of its model.
class AlertMessagesTab : public AtoNConfiguration
{
    Q_OBJECT

public:
    AlertMessagesTab(Model* model, QWidget* parent = nullptr);
    ~AlertMessagesTab() override;

    // With a source, its record replaces the tab's own first; then the widgets follow the own record.
    bool UpdateTabFromModel(Model* source = nullptr) override;
    // Writes the tab into the record of the target, or of the tab's own model without one.
    bool UpdateModelFromTab(Model* target = nullptr) override;
};
