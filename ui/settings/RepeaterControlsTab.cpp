#include "ui/settings/RepeaterControlsTab.h"

#include "model/Model.h"

RepeaterControlsTab::RepeaterControlsTab(Model* model, QWidget* parent) : AtoNConfiguration(model, parent) {}

RepeaterControlsTab::~RepeaterControlsTab() = default;

bool RepeaterControlsTab::UpdateTabFromModel(Model* source)
{
    updating = true;
    if (source && source != model)
        *model->GetRepeater() = *source->GetRepeater();
    updating = false;
    return true;
}

bool RepeaterControlsTab::UpdateModelFromTab(Model* target)
{
    if (target && target != model)
        *target->GetRepeater() = *model->GetRepeater();
    return true;
}
