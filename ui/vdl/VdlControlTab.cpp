#include "ui/vdl/VdlControlTab.h"

#include "model/Model.h"

VdlControlTab::VdlControlTab(Model* model, QWidget* parent) : AtoNConfiguration(model, parent) {}

VdlControlTab::~VdlControlTab() = default;

bool VdlControlTab::UpdateTabFromModel(Model* source)
{
    updating = true;
    if (source && source != model)
        *model->GetVdlModel() = *source->GetVdlModel();
    updating = false;
    return true;
}

bool VdlControlTab::UpdateModelFromTab(Model* target)
{
    if (target && target != model)
    {
        const VdlModel* own = model->GetVdlModel();
        VdlModel* vdl = target->GetVdlModel();
        vdl->useVdl = own->useVdl;
        vdl->targetMMSI = own->targetMMSI;
        vdl->sendDelay = own->sendDelay;
        vdl->responseTimeout = own->responseTimeout;
    }
    return true;
}

void VdlControlTab::OnVDLMessageSending(int functionID, int count)
{
    Q_UNUSED(functionID);
    Q_UNUSED(count);
}

void VdlControlTab::OnVDLMessageSent(int functionID, int count)
{
    Q_UNUSED(functionID);
    Q_UNUSED(count);
}

void VdlControlTab::On_Message6Received_Received(QBitArray* bitArray)
{
    Q_UNUSED(bitArray);
}
