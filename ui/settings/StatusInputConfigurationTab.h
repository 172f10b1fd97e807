#pragma once

#include "ui/AtoNConfiguration.h"

// The "Status Inputs" tab: how the unit learns the state of the light and the RACON, and how it reports
// them (status bits, message 6, position reports). It edits the status-input record of its model.
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

public Q_SLOTS:
    // The schedule of the real AtoN changed: re-check the message 6 indices chosen here.
    void On_messageScheduleChange();
    // The unit's own message 21, while connected.
    void On_Message21RACONStatus_Received(uint RACONStatus);
    void On_Message21LightStatus_Received(uint LightStatus);
    void On_Message21HealthStatus_Received(uint healthStatus);
    // The Real AtoN tab switched between sea and inland mode.
    void OnUpdateInlandMode(bool inland);
};
