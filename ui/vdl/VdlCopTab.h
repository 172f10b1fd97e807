#pragma once

#include <memory>

#include "ui/AtoNConfiguration.h"

namespace Ui
{
class VdlCopTab;
}

// The "Receiver On Time" page of the VDL tab: when the receivers of a unit wake up (its own
// schedule, a set on-time, or always on). It edits the receiver fields of the VDL record of its model.
//
// In the specified on-time mode the wake-up duration may never exceed the interval between wake-ups,
// nor be a whole day: an edit that breaks that rule silently falls back to the stored value.
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

public Q_SLOTS:
    void on_comboBoxMode_currentIndexChanged(int index);
    void on_spinBoxUtcHour_valueChanged();
    void on_spinBoxUtcMinute_valueChanged();
    void on_IntervalcomboBox_currentIndexChanged();
    void on_spinBoxDuration_valueChanged();

private:
    void PopulateComboBoxes();
    void SetIntervalGreyed(bool greyed);
    // Inputs usable only while the mode is "specified receiver on time".
    void ApplyEnablingRule(int mode);
    void SelectInterval(int seconds);
    void EndUserEdit();

    std::unique_ptr<Ui::VdlCopTab> ui;
    // The start time as loaded: the boxes cannot show the unit's "not available" 24:60.
    int loadedHour = 0;
    int loadedMinute = 0;
};
