#include "ui/monitor/SystemInformationTab.h"

#include "model/Model.h"

SystemInformationTab::SystemInformationTab(Model* model, QWidget* parent) : AtoNConfiguration(model, parent) {}

SystemInformationTab::~SystemInformationTab() = default;

bool SystemInformationTab::UpdateTabFromModel(Model* source)
{
    // Loaded last after a retrieve: the unit's three records, whole, replace what the configuration tabs
    // stored into the tab model during their own loads.
    if (source && source != model)
    {
        *model->GetSensorSettings() = *source->GetSensorSettings();
        *model->GetADCSettings() = *source->GetADCSettings();
        *model->GetMessageSettings() = *source->GetMessageSettings();
    }
    updating = true;
    updating = false;
    return true;
}

bool SystemInformationTab::UpdateModelFromTab(Model* target)
{
    Q_UNUSED(target);
    return true;
}

void SystemInformationTab::OnTabSelected()
{
    active = true;
}

void SystemInformationTab::OnTabDeselected()
{
    active = false;
}

void SystemInformationTab::OnVersion(QString version)
{
    Q_UNUSED(version);
}

void SystemInformationTab::OnPCASerialNumber(QString version)
{
    Q_UNUSED(version);
}

void SystemInformationTab::OnProductSerialNumber(QString version)
{
    // Shown by the Diagnostics tab only.
    Q_UNUSED(version);
}

void SystemInformationTab::OnReceived(QString received)
{
    Q_UNUSED(received);
}
