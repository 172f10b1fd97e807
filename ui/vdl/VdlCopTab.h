#pragma once

#include "ui/AtoNConfiguration.h"

// The "Receiver On Time" page of the VDL tab: when the receivers of a remote unit wake up (its own
// schedule, a set on-time, or always on). It edits the receiver fields of the VDL record of its model.
class VdlCopTab : public AtoNConfiguration
{
    Q_OBJECT

public:
    VdlCopTab(Model* model, QWidget* parent = nullptr);
    ~VdlCopTab() override;

    // With a source (other than the own model), its whole VDL record replaces the own one first.
    bool UpdateTabFromModel(Model* source = nullptr) override;
    // Writes the receiver schedule into the VDL record of the target, or of the own model without one.
    bool UpdateModelFromTab(Model* target = nullptr) override;
};
