#include "ui/settings/SensorSetTab.h"

SensorSetTab::SensorSetTab(Model* model, QWidget* parent) : AtoNConfiguration(model, parent) {}

SensorSetTab::~SensorSetTab() = default;

void SensorSetTab::OnTabSelected()
{
    tabSelected = true;
}

void SensorSetTab::OnTabDeselected()
{
    tabSelected = false;
}
