#include "ui/settings/AlertMessagesTab.h"

#include "model/Model.h"

AlertMessagesTab::AlertMessagesTab(Model* model, QWidget* parent) : AtoNConfiguration(model, parent) {}

AlertMessagesTab::~AlertMessagesTab() = default;

bool AlertMessagesTab::UpdateTabFromModel(Model* source)
{
    updating = true;
    if (source && source != model)
        *model->GetAlertMessages() = *source->GetAlertMessages();
    updating = false;
    return true;
}

bool AlertMessagesTab::UpdateModelFromTab(Model* target)
{
    if (target && target != model)
        *target->GetAlertMessages() = *model->GetAlertMessages();
    return true;
}
