#include "ui/vdl/VdlCopTab.h"

#include "model/Model.h"

VdlCopTab::VdlCopTab(Model* model, QWidget* parent) : AtoNConfiguration(model, parent) {}

VdlCopTab::~VdlCopTab() = default;

bool VdlCopTab::UpdateTabFromModel(Model* source)
{
    updating = true;
    if (source && source != model)
        *model->GetVdlModel() = *source->GetVdlModel();
    updating = false;
    return true;
}

bool VdlCopTab::UpdateModelFromTab(Model* target)
{
    if (target && target != model)
    {
        const VdlModel* own = model->GetVdlModel();
        VdlModel* vdl = target->GetVdlModel();
        vdl->receiverMode = own->receiverMode;
        vdl->receiverHour = own->receiverHour;
        vdl->receiverMinute = own->receiverMinute;
        vdl->receiverInterval = own->receiverInterval;
        vdl->receiverDuration = own->receiverDuration;
    }
    return true;
}
