#include "ui/settings/SensorSettingsTab.h"

#include "model/Model.h"

#include "ui_SensorSettingsTab.h"

SensorSettingsTab::SensorSettingsTab(Model* model, QWidget* parent)
    : SensorSetTab(model, parent), ui(new Ui::SensorSettingsTab)
{
    ui->setupUi(this);
    spinFields = {
        {ui->surfaceCurrent1SpinBox, &SensorSettingsModel::GetSurfaceCell, &SensorSettingsModel::SetSurfaceCell},
        {ui->surfaceCurrent2SpinBox, &SensorSettingsModel::GetLevel2Cell, &SensorSettingsModel::SetLevel2Cell},
        {ui->surfaceCurrent3SpinBox, &SensorSettingsModel::GetLevel3Cell, &SensorSettingsModel::SetLevel3Cell},
        {ui->datumOffsetSpinBox, &SensorSettingsModel::GetDatumOffset, &SensorSettingsModel::SetDatumOffset},
    };
    RestoreBaselineLayout();
}

SensorSettingsTab::~SensorSettingsTab()
{
    delete ui;
}

bool SensorSettingsTab::HasWaveMeter(int configurationCode)
{
    return configurationCode >= 1 && configurationCode <= 4;
}

QRadioButton* SensorSettingsTab::OptionButton(int option) const
{
    QRadioButton* const buttons[] = {
        ui->sensorConfigurationOption0RadioButton, ui->sensorConfigurationOption1RadioButton,
        ui->sensorConfigurationOption2RadioButton, ui->sensorConfigurationOption3RadioButton,
        ui->sensorConfigurationOption4RadioButton};
    return buttons[option];
}

QList<QWidget*> SensorSettingsTab::RowLabels(int option) const
{
    switch (option)
    {
    case 0:
        return {ui->row1Col1Label, ui->row1Col2Label, ui->row1Col3Label};
    case 1:
        return {ui->row2Col1Label, ui->row2Col2Label, ui->row2Col3Label};
    case 2:
        return {ui->row3Col1Label, ui->row3Col2Label, ui->row3Col3Label};
    case 3:
        return {ui->row4Col1Label, ui->row4Col2Label, ui->row4Col3Label};
    default:
        return {ui->row5Col1Label, ui->row5Col2Label, ui->row5Col3Label};
    }
}

void SensorSettingsTab::RestoreBaselineLayout()
{
    for (QWidget* widget :
         {static_cast<QWidget*>(ui->groupBox_sensor), static_cast<QWidget*>(ui->groupBox_airmar),
          static_cast<QWidget*>(ui->groupBox_airmar_config), static_cast<QWidget*>(ui->groupBox_water_level),
          static_cast<QWidget*>(ui->label_fixed_configuration), static_cast<QWidget*>(ui->groupBoxGeneralControls),
          static_cast<QWidget*>(ui->groupBoxRS422)})
        widget->hide();
    ui->label_instruction->show();
    for (int option = 1; option <= 4; ++option)
    {
        OptionButton(option)->show();
        for (QWidget* label : RowLabels(option))
            label->show();
    }
    ui->sensorConfigurationOption1RadioButton->setCheckable(true);
}

void SensorSettingsTab::ShowSensorControls()
{
    ui->groupBox_sensor->show();
    ui->groupBox_airmar->show();
    ui->groupBox_airmar_config->show();
    ui->groupBox_water_level->show();
    ui->label_instruction->hide();
}

bool SensorSettingsTab::UpdateTabFromModel(Model* source)
{
    SensorSettingsModel* own = model->GetSensorSettings();
    if (source && source != model)
        *own = *source->GetSensorSettings();
    // Every widget change below stores all widgets into the own record: read it whole first.
    const SensorSettingsModel values(*own);
    const int code = values.GetConfigurationCode();

    loading = true;
    loaded = values;
    SettingsBinding::ForgetMoves(this);
    keepLoadedCode = code < 0 || code > 4;
    // A tab that showed one unit shows the next one's layout from a clean start: after an option-0-only
    // unit every option must be there again, and a fixed unit must not keep another unit's groups.
    RestoreBaselineLayout();
    ui->label_fixed_configuration->hide();
    bool waveMeter = false;
    if (HasWaveMeter(code))
    {
        ShowSensorControls();
        OptionButton(code)->setChecked(true);
        waveMeter = true;
    }
    else if (code == OptionZeroOnlyCode)
    {
        ShowSensorControls();
        ui->sensorConfigurationOption0RadioButton->setCheckable(true);
        ui->sensorConfigurationOption0RadioButton->setChecked(true);
        ui->groupBox_water_level->setEnabled(true);
        ui->groupBox_airmar->setEnabled(true);
        for (int option = 1; option <= 4; ++option)
        {
            OptionButton(option)->hide();
            for (QWidget* label : RowLabels(option))
                label->hide();
        }
        ui->sensorConfigurationOption1RadioButton->setCheckable(false);
        ui->groupBox_airmar_config->hide();
    }
    else if (code == FixedConfigurationCode)
    {
        ui->label_instruction->hide();
        ui->label_fixed_configuration->show();
    }
    else
    {
        ShowSensorControls();
        ui->sensorConfigurationOption0RadioButton->setChecked(true);
    }
    Q_EMIT EnableWaveMeterDataControls(waveMeter);

    SettingsBinding::Show(spinFields, values);
    SettingsBinding::CheckOneOf(ui->rs422RadioButton, ui->rs232RadioButton, values.GetAirmarPort() != 0);
    ui->groupBoxGeneralControls->show();
    ui->checkBoxRelay1->setChecked(values.GetRelay1());
    ui->checkBoxRelay2->setChecked(values.GetRelay2());
    ui->checkBoxEnableRS422->setChecked(values.GetRS422Enabled());
    ui->groupBoxRS422->setVisible(code == FixedConfigurationCode);
    loading = false;
    return true;
}

void SensorSettingsTab::ShowNotRetrieved()
{
    UpdateTabFromModel();
    RestoreBaselineLayout();
}

bool SensorSettingsTab::UpdateModelFromTab(Model* target)
{
    SensorSettingsModel* record = StoreTarget(target)->GetSensorSettings();
    int code = FixedConfigurationCode;
    for (int option : {1, 2, 3, 4, 0})
    {
        if (OptionButton(option)->isChecked())
        {
            code = option;
            break;
        }
    }
    record->SetConfigurationCode(keepLoadedCode ? loaded.GetConfigurationCode() : code);
    SettingsBinding::Store(spinFields, *record, loaded);
    const bool onRS422 = !ui->rs232RadioButton->isChecked();
    const int loadedPort = loaded.GetAirmarPort();
    record->SetAirmarPort(onRS422 ? (loadedPort != 0 ? loadedPort : 1) : 0);
    // Moving the Airmar to RS422 switches RS422 on with it. A unit that already has its Airmar there with
    // RS422 off keeps RS422 off.
    record->SetAirmarOnRS422(onRS422 && (loadedPort == 0 || ui->checkBoxEnableRS422->isChecked()));
    record->SetRS422Enabled(ui->checkBoxEnableRS422->isChecked());
    record->SetRelay1(ui->checkBoxRelay1->isChecked());
    record->SetRelay2(ui->checkBoxRelay2->isChecked());
    return true;
}

void SensorSettingsTab::Store()
{
    UpdateModelFromTab();
}

void SensorSettingsTab::OnOptionToggled(bool state)
{
    if (state && !loading)
        keepLoadedCode = false;
    Store();
}

void SensorSettingsTab::on_sensorConfigurationOption0RadioButton_toggled(bool state)
{
    OnOptionToggled(state);
    Q_EMIT EnableWaveMeterDataControls(!state);
}

void SensorSettingsTab::on_sensorConfigurationOption1RadioButton_toggled(bool state)
{
    OnOptionToggled(state);
    Q_EMIT EnableWaveMeterDataControls(state);
}

void SensorSettingsTab::on_sensorConfigurationOption2RadioButton_toggled(bool state)
{
    OnOptionToggled(state);
    Q_EMIT EnableWaveMeterDataControls(state);
}

void SensorSettingsTab::on_sensorConfigurationOption3RadioButton_toggled(bool state)
{
    OnOptionToggled(state);
    Q_EMIT EnableWaveMeterDataControls(state);
}

void SensorSettingsTab::on_sensorConfigurationOption4RadioButton_toggled(bool state)
{
    OnOptionToggled(state);
    Q_EMIT EnableWaveMeterDataControls(state);
}

void SensorSettingsTab::on_surfaceCurrent1SpinBox_valueChanged(int)
{
    Store();
}

void SensorSettingsTab::on_surfaceCurrent2SpinBox_valueChanged(int)
{
    Store();
}

void SensorSettingsTab::on_surfaceCurrent3SpinBox_valueChanged(int)
{
    Store();
}

void SensorSettingsTab::on_datumOffsetSpinBox_valueChanged(int)
{
    Store();
}

void SensorSettingsTab::on_rs232RadioButton_toggled(bool)
{
    Store();
}

void SensorSettingsTab::on_rs422RadioButton_toggled(bool)
{
    Store();
}

void SensorSettingsTab::on_checkBoxEnableRS422_toggled(bool)
{
    Store();
}

void SensorSettingsTab::on_checkBoxRelay1_toggled(bool)
{
    Store();
}

void SensorSettingsTab::on_checkBoxRelay2_toggled(bool)
{
    Store();
}
