#include "ui/settings/RepeaterControlsTab.h"

#include "model/Model.h"

#include "ui_RepeaterControlsTab.h"

RepeaterControlsTab::RepeaterControlsTab(Model* model, QWidget* parent)
    : AtoNConfiguration(model, parent), ui(new Ui::RepeaterControls)
{
    ui->setupUi(this);
    comboFields = {
        {ui->comboBox_SartControls, &RepeaterModel::GetSartRepeat, &RepeaterModel::SetSartRepeat},
        {ui->comboBox_message_21_RI, &RepeaterModel::GetMsg21Repeat, &RepeaterModel::SetMsg21Repeat},
        {ui->comboBox_message_8_RI, &RepeaterModel::GetMsg8Repeat, &RepeaterModel::SetMsg8Repeat},
        {ui->comboBox_message_6_RI, &RepeaterModel::GetMsg6Repeat, &RepeaterModel::SetMsg6Repeat},
    };
    spinFields = {
        {ui->spinBox_21_timeout, &RepeaterModel::GetMsg21GuardTime, &RepeaterModel::SetMsg21GuardTime},
        {ui->spinBox_8_timeout, &RepeaterModel::GetMsg8GuardTime, &RepeaterModel::SetMsg8GuardTime},
        {ui->spinBox_6_timeout, &RepeaterModel::GetMsg6GuardTime, &RepeaterModel::SetMsg6GuardTime},
    };
    FillComboBoxes();
    UpdateTabFromModel();
}

RepeaterControlsTab::~RepeaterControlsTab()
{
    delete ui;
}

void RepeaterControlsTab::FillComboBoxes()
{
    updating = true;
    const QStringList texts = {tr(" Off"), tr(" Repeat RI 0"), tr(" Repeat up to RI 1"), tr(" Repeat up to RI 2")};
    for (QComboBox* combo :
         {ui->comboBox_message_21_RI, ui->comboBox_message_8_RI, ui->comboBox_message_6_RI, ui->comboBox_SartControls})
        for (int code = 0; code < texts.size(); ++code)
            combo->addItem(texts.at(code), code);
    updating = false;
}

bool RepeaterControlsTab::UpdateTabFromModel(Model* source)
{
    RepeaterModel* own = model->GetRepeater();
    if (source && source != model)
        *own = *source->GetRepeater();
    loaded = *own;
    SettingsBinding::ForgetMoves(this);
    updating = true;
    SettingsBinding::Show(comboFields, *own);
    SettingsBinding::Show(spinFields, *own);
    SettingsBinding::ShowLoaded(ui->doubleSpinBox_message_21_range, own->GetMsg21Range() / 10.0);
    updating = false;
    return true;
}

bool RepeaterControlsTab::UpdateModelFromTab(Model* target)
{
    RepeaterModel* record = (target ? target : model)->GetRepeater();
    SettingsBinding::Store(comboFields, *record, loaded);
    SettingsBinding::Store(spinFields, *record, loaded);
    record->SetMsg21Range(SettingsBinding::Tenths(
        SettingsBinding::Kept(ui->doubleSpinBox_message_21_range, loaded.GetMsg21Range() / 10.0)));
    return true;
}

void RepeaterControlsTab::OnEdit(int shown, int (RepeaterModel::*stored)() const)
{
    if (updating || shown == (model->GetRepeater()->*stored)())
        return;
    CommitUserEdit();
}

void RepeaterControlsTab::on_comboBox_SartControls_currentIndexChanged(int index)
{
    OnEdit(index, &RepeaterModel::GetSartRepeat);
}

void RepeaterControlsTab::on_comboBox_message_21_RI_currentIndexChanged(int index)
{
    OnEdit(index, &RepeaterModel::GetMsg21Repeat);
}

void RepeaterControlsTab::on_comboBox_message_8_RI_currentIndexChanged(int index)
{
    OnEdit(index, &RepeaterModel::GetMsg8Repeat);
}

void RepeaterControlsTab::on_comboBox_message_6_RI_currentIndexChanged(int index)
{
    OnEdit(index, &RepeaterModel::GetMsg6Repeat);
}

void RepeaterControlsTab::on_spinBox_21_timeout_valueChanged(int value)
{
    OnEdit(value, &RepeaterModel::GetMsg21GuardTime);
}

void RepeaterControlsTab::on_spinBox_8_timeout_valueChanged(int value)
{
    OnEdit(value, &RepeaterModel::GetMsg8GuardTime);
}

void RepeaterControlsTab::on_spinBox_6_timeout_valueChanged(int value)
{
    OnEdit(value, &RepeaterModel::GetMsg6GuardTime);
}

void RepeaterControlsTab::on_doubleSpinBox_message_21_range_valueChanged(double value)
{
    OnEdit(SettingsBinding::Tenths(value), &RepeaterModel::GetMsg21Range);
}
