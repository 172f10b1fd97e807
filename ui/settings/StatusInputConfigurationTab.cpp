#include "ui/settings/StatusInputConfigurationTab.h"

#include "model/Model.h"

StatusInputConfigurationTab::StatusInputConfigurationTab(Model* model, QWidget* parent)
    : AtoNConfiguration(model, parent)
{
}

StatusInputConfigurationTab::~StatusInputConfigurationTab() = default;

bool StatusInputConfigurationTab::UpdateTabFromModel(Model* source)
{
    updating = true;
    if (source && source != model)
        *model->GetStatusInputConfiguration() = *source->GetStatusInputConfiguration();
    updating = false;
    return true;
}

bool StatusInputConfigurationTab::UpdateModelFromTab(Model* target)
{
    if (target && target != model)
        *target->GetStatusInputConfiguration() = *model->GetStatusInputConfiguration();
    return true;
}

void StatusInputConfigurationTab::On_messageScheduleChange() {}

void StatusInputConfigurationTab::On_Message21RACONStatus_Received(uint RACONStatus)
{
    Q_UNUSED(RACONStatus);
}

void StatusInputConfigurationTab::On_Message21LightStatus_Received(uint LightStatus)
{
    Q_UNUSED(LightStatus);
}

void StatusInputConfigurationTab::On_Message21HealthStatus_Received(uint healthStatus)
{
    // The health bit is not shown.
    Q_UNUSED(healthStatus);
}

void StatusInputConfigurationTab::OnUpdateInlandMode(bool inland)
{
    Q_UNUSED(inland);
}
