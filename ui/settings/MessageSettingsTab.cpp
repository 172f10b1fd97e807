#include "ui/settings/MessageSettingsTab.h"

#include "model/Model.h"

MessageSettingsTab::MessageSettingsTab(Model* model, QWidget* parent) : AtoNConfiguration(model, parent) {}

MessageSettingsTab::~MessageSettingsTab() = default;

bool MessageSettingsTab::UpdateTabFromModel(Model* source)
{
    updating = true;
    if (source && source != model)
        *model->GetMessageSettings() = *source->GetMessageSettings();
    updating = false;
    return true;
}

bool MessageSettingsTab::UpdateModelFromTab(Model* target)
{
    if (target && target != model)
        *target->GetMessageSettings() = *model->GetMessageSettings();
    return true;
}

void MessageSettingsTab::OnTabSelected()
{
    tabSelected = true;
}

void MessageSettingsTab::OnTabDeselected()
{
    tabSelected = false;
}
