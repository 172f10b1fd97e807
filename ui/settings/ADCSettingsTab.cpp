#include "ui/settings/ADCSettingsTab.h"

#include "model/Model.h"

ADCSettingsTab::ADCSettingsTab(Model* model, QWidget* parent) : AtoNConfiguration(model, parent) {}

ADCSettingsTab::~ADCSettingsTab() = default;

bool ADCSettingsTab::UpdateTabFromModel(Model* source)
{
    updating = true;
    if (source && source != model)
        *model->GetADCSettings() = *source->GetADCSettings();
    updating = false;
    return true;
}

bool ADCSettingsTab::UpdateModelFromTab(Model* target)
{
    if (target && target != model)
        *target->GetADCSettings() = *model->GetADCSettings();
    return true;
}

void ADCSettingsTab::OnTabSelected()
{
    tabSelected = true;
}

void ADCSettingsTab::OnTabDeselected()
{
    tabSelected = false;
}
