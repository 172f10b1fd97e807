#include "ui/settings/SensorSettingsTab.h"

#include "model/Model.h"

SensorSettingsTab::SensorSettingsTab(Model* model, QWidget* parent) : AtoNConfiguration(model, parent) {}

SensorSettingsTab::~SensorSettingsTab() = default;

bool SensorSettingsTab::HasWaveMeter(int configurationCode)
{
    return configurationCode >= 1 && configurationCode <= 4;
}

bool SensorSettingsTab::UpdateTabFromModel(Model* source)
{
    updating = true;
    if (source && source != model)
        *model->GetSensorSettings() = *source->GetSensorSettings();
    updating = false;
    Q_EMIT EnableWaveMeterDataControls(HasWaveMeter(model->GetSensorSettings()->GetConfigurationCode()));
    return true;
}

bool SensorSettingsTab::UpdateModelFromTab(Model* target)
{
    if (target && target != model)
        *target->GetSensorSettings() = *model->GetSensorSettings();
    return true;
}

void SensorSettingsTab::OnTabSelected()
{
    tabSelected = true;
}

void SensorSettingsTab::OnTabDeselected()
{
    tabSelected = false;
}
