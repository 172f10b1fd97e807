#pragma once

#include "ui/AtoNConfiguration.h"

class StatusInputConfigurationModel;
class QSpinBox;

namespace Ui
{
class StatusInputConfiguration;
}

// The "Status Inputs" tab: how the unit learns the state of the light and the RACON, and how it reports
// them (status bits, message 6, position reports). It edits the status-input record of its model.
//
// Three message 6 indices may be in use at once (the transceiver's own message 6 and the on- and
// off-position reports); the spin box rules keep the indices in use apart, and a warning icon shows
// when an index in use has no enabled message 6 entry in the real AtoN's schedule.
class StatusInputConfigurationTab : public AtoNConfiguration
{
    Q_OBJECT

public:
    StatusInputConfigurationTab(Model* model, QWidget* parent = nullptr);
    ~StatusInputConfigurationTab() override;

    // With a source, the unit's (or a file's) status-input record replaces the tab's own first.
    bool UpdateTabFromModel(Model* source = nullptr) override;
    // Every edit is already in the tab's own record; with a target the record is copied there.
    bool UpdateModelFromTab(Model* target = nullptr) override;

    // The first message 6 index after value, going up (wrapping 4 to 1) or down (1 to 4), that is
    // neither a nor b; 0 when all four are blocked.
    static int FindFreeIndex(int value, bool up, int a, int b);

public Q_SLOTS:
    void On_LampFittedCheckBox_Checked(int state);
    void On_RACONFittedCheckBox_Checked(int state);
    void On_RACONMonitoredCheckBox_Checked(int state);
    void On_ACESentenceRadioButton_Clicked(bool state);
    void On_TransceiverModuleRadioButton_Clicked(bool state);
    void On_SensorModuleRadioButton_Clicked(bool state);
    void On_checkBoxLightOnOfActiveHigh_Checked(int state);
    void On_checkBoxLightHelathActiveHigh_Checked(int state);
    void On_checkBoxRaconHelathActiveHigh_Checked(int state);
    void On_message6SourceSensorRadioButton_Toggled(bool state);
    void On_message6IndexspinBox_Changed(int value);
    // The schedule of the real AtoN changed: re-check the message 6 indices chosen here.
    void On_messageScheduleChange();
    void On_checkBoxTH_enable_reporting_Checked(int state);
    void On_spinBox_TH_on_position_index_Changed(int value);
    void On_spinBox_TH_off_position_index_Changed(int value);
    void On_radioButton_msg_6_isense_version_Toggled(bool state);
    void On_checkBoxUserPower_Toggled(bool state);
    // The unit's own message 21, while connected.
    void On_Message21RACONStatus_Received(uint RACONStatus);
    void On_Message21LightStatus_Received(uint LightStatus);
    void On_Message21HealthStatus_Received(uint healthStatus);
    // The Real AtoN tab switched between sea and inland mode.
    void OnUpdateInlandMode(bool inland);

private:
    StatusInputConfigurationModel* Record() const;
    void StoreCheckBox(int state, int (StatusInputConfigurationModel::*get)() const,
                       void (StatusInputConfigurationModel::*set)(int));
    void StoreStatusBitSource(bool state, int value);
    void ApplyMessage6SourceEnables(bool sensor);
    // Moves what an idle spin box shows off the indices in use.
    void ResolveMessage6IndexCollision();
    void ResolvePositionIndexCollisions();
    void UpdateMessage6Warning();
    void UpdatePositionReportWarnings();
    void OnPositionIndexChanged(int value, QSpinBox* own, QSpinBox* other,
                                int (StatusInputConfigurationModel::*get)() const,
                                void (StatusInputConfigurationModel::*set)(int));

    Ui::StatusInputConfiguration* ui;
};
