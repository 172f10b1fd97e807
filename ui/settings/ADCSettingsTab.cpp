#include "ui/settings/ADCSettingsTab.h"

#include "model/Model.h"

#include "ui_ADCSettingsTab.h"

ADCSettingsTab::ADCSettingsTab(Model* model, QWidget* parent) : SensorSetTab(model, parent), ui(new Ui::ADCSettingsTab)
{
    ui->setupUi(this);
    using R = ADCSettingsModel;
    thresholdField = {{ui->currentSenseThresholdSpinBox, &R::GetCurrentSenseThreshold, &R::SetCurrentSenseThreshold}};
    scalingFields = {
        {ui->icssDividendSpinBox, &R::GetInternalCurrentDividend, &R::SetInternalCurrentDividend},
        {ui->icssDivisorSpinBox, &R::GetInternalCurrentDivisor, &R::SetInternalCurrentDivisor},
        {ui->icssKFactorSpinBox, &R::GetInternalCurrentKFactor, &R::SetInternalCurrentKFactor},
        {ui->icssOffsetSpinBox, &R::GetInternalCurrentOffset, &R::SetInternalCurrentOffset},
        {ui->ecssDividendSpinBox, &R::GetExternalCurrentDividend, &R::SetExternalCurrentDividend},
        {ui->ecssDivisorSpinBox, &R::GetExternalCurrentDivisor, &R::SetExternalCurrentDivisor},
        {ui->ecssKFactorSpinBox, &R::GetExternalCurrentKFactor, &R::SetExternalCurrentKFactor},
        {ui->ecssOffsetSpinBox, &R::GetExternalCurrentOffset, &R::SetExternalCurrentOffset},
        {ui->ivsDividendSpinBox, &R::GetInternalVoltageDividend, &R::SetInternalVoltageDividend},
        {ui->ivsDivisorSpinBox, &R::GetInternalVoltageDivisor, &R::SetInternalVoltageDivisor},
        {ui->ivsKFactorSpinBox, &R::GetInternalVoltageKFactor, &R::SetInternalVoltageKFactor},
        {ui->ivsOffsetSpinBox, &R::GetInternalVoltageOffset, &R::SetInternalVoltageOffset},
        {ui->evsDividendSpinBox, &R::GetExternalVoltageDividend, &R::SetExternalVoltageDividend},
        {ui->evsDivisorSpinBox, &R::GetExternalVoltageDivisor, &R::SetExternalVoltageDivisor},
        {ui->evsKFactorSpinBox, &R::GetExternalVoltageKFactor, &R::SetExternalVoltageKFactor},
        {ui->evsOffsetSpinBox, &R::GetExternalVoltageOffset, &R::SetExternalVoltageOffset},
        {ui->CurrentCountSpinBox, &R::GetCurrentUnit, &R::SetCurrentUnit},
    };
}

ADCSettingsTab::~ADCSettingsTab()
{
    delete ui;
}

bool ADCSettingsTab::UpdateTabFromModel(Model* source)
{
    ADCSettingsModel* own = model->GetADCSettings();
    if (source && source != model)
        *own = *source->GetADCSettings();
    // Every widget change below stores all widgets into the own record: read it whole first.
    const ADCSettingsModel values(*own);
    loaded = values;
    SettingsBinding::ForgetMoves(this);

    ui->enableCurrentSenseCheckBox->setChecked(values.GetCurrentSensingEnabled());
    SettingsBinding::Show(thresholdField, values);
    SettingsBinding::CheckOneOf(ui->externalADC2RadioButton, ui->internalISENSELoopRadioButton,
                                values.GetCurrentSenseSource() != 0);
    SettingsBinding::CheckOneOf(ui->ISODI1RadioButton, ui->currentSenseRadioButton, values.GetLightOnSource() == 1);
    SettingsBinding::Show(scalingFields, values);
    SettingsBinding::ShowLoaded(ui->VoltageCountSpinBox, values.GetVoltageUnit());
    return true;
}

bool ADCSettingsTab::UpdateModelFromTab(Model* target)
{
    ADCSettingsModel* record = StoreTarget(target)->GetADCSettings();
    record->SetCurrentSensingEnabled(ui->enableCurrentSenseCheckBox->isChecked());
    SettingsBinding::Store(thresholdField, *record, loaded);
    record->SetCurrentSenseSource(ui->internalISENSELoopRadioButton->isChecked() ? 0 : 1);
    record->SetLightOnSource(ui->ISODI1RadioButton->isChecked() ? 1 : 0);
    SettingsBinding::Store(scalingFields, *record, loaded);
    record->SetVoltageUnit(SettingsBinding::Kept(ui->VoltageCountSpinBox, loaded.GetVoltageUnit()));
    return true;
}

void ADCSettingsTab::Store()
{
    UpdateModelFromTab();
}

void ADCSettingsTab::on_enableCurrentSenseCheckBox_toggled(bool state)
{
    // Without current sensing the light "on" status can come only from the digital input.
    if (!state)
        ui->ISODI1RadioButton->setChecked(true);
    Store();
}

void ADCSettingsTab::on_currentSenseThresholdSpinBox_valueChanged(int)
{
    Store();
}

void ADCSettingsTab::on_internalISENSELoopRadioButton_toggled(bool)
{
    Store();
}

void ADCSettingsTab::on_externalADC2RadioButton_toggled(bool)
{
    Store();
}

void ADCSettingsTab::on_ISODI1RadioButton_toggled(bool)
{
    Store();
}

void ADCSettingsTab::on_currentSenseRadioButton_toggled(bool)
{
    Store();
}

void ADCSettingsTab::on_icssDividendSpinBox_valueChanged(int)
{
    Store();
}

void ADCSettingsTab::on_icssDivisorSpinBox_valueChanged(int)
{
    Store();
}

void ADCSettingsTab::on_icssKFactorSpinBox_valueChanged(int)
{
    Store();
}

void ADCSettingsTab::on_icssOffsetSpinBox_valueChanged(int)
{
    Store();
}

void ADCSettingsTab::on_ecssDividendSpinBox_valueChanged(int)
{
    Store();
}

void ADCSettingsTab::on_ecssDivisorSpinBox_valueChanged(int)
{
    Store();
}

void ADCSettingsTab::on_ecssKFactorSpinBox_valueChanged(int)
{
    Store();
}

void ADCSettingsTab::on_ecssOffsetSpinBox_valueChanged(int)
{
    Store();
}

void ADCSettingsTab::on_ivsDividendSpinBox_valueChanged(int)
{
    Store();
}

void ADCSettingsTab::on_ivsDivisorSpinBox_valueChanged(int)
{
    Store();
}

void ADCSettingsTab::on_ivsKFactorSpinBox_valueChanged(int)
{
    Store();
}

void ADCSettingsTab::on_ivsOffsetSpinBox_valueChanged(int)
{
    Store();
}

void ADCSettingsTab::on_evsDividendSpinBox_valueChanged(int)
{
    Store();
}

void ADCSettingsTab::on_evsDivisorSpinBox_valueChanged(int)
{
    Store();
}

void ADCSettingsTab::on_evsKFactorSpinBox_valueChanged(int)
{
    Store();
}

void ADCSettingsTab::on_evsOffsetSpinBox_valueChanged(int)
{
    Store();
}

void ADCSettingsTab::on_CurrentCountSpinBox_valueChanged(int)
{
    Store();
}

void ADCSettingsTab::on_VoltageCountSpinBox_valueChanged(double)
{
    Store();
}
