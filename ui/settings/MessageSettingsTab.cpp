#include "ui/settings/MessageSettingsTab.h"

#include "model/Model.h"

#include "ui_MessageSettingsTab.h"

MessageSettingsTab::MessageSettingsTab(Model* model, QWidget* parent)
    : SensorSetTab(model, parent), ui(new Ui::MessageSettingsTab)
{
    ui->setupUi(this);
    spinFields = {
        {ui->message6SubIDSpinBox, &MessageSettingsModel::GetMessage6SubId, &MessageSettingsModel::SetMessage6SubId},
        {ui->message6DACSpinBox, &MessageSettingsModel::GetMessage6DAC, &MessageSettingsModel::SetMessage6DAC},
        {ui->message6FISpinBox, &MessageSettingsModel::GetMessage6FI, &MessageSettingsModel::SetMessage6FI},
    };
    bitBoxes = {ui->checkBox_bit_0, ui->checkBox_bit_1, ui->checkBox_bit_2, ui->checkBox_bit_3,
                ui->checkBox_bit_4, ui->checkBox_bit_5, ui->checkBox_bit_6, ui->checkBox_bit_7};
    // clicked() comes from the user only: a load that sets the bits stores through the other widgets.
    for (QCheckBox* box : std::as_const(bitBoxes))
        connect(box, &QCheckBox::clicked, this, &MessageSettingsTab::statusBitControlSlot);
}

MessageSettingsTab::~MessageSettingsTab()
{
    delete ui;
}

void MessageSettingsTab::SetStatusBits(int mask)
{
    for (int bit = 0; bit < bitBoxes.size(); ++bit)
        bitBoxes.at(bit)->setChecked((mask >> bit) & 1);
}

bool MessageSettingsTab::UpdateTabFromModel(Model* source)
{
    MessageSettingsModel* own = model->GetMessageSettings();
    if (source && source != model)
        *own = *source->GetMessageSettings();
    // Every widget change below stores all widgets into the own record: read it whole first.
    const MessageSettingsModel values(*own);
    loaded = values;
    SettingsBinding::ForgetMoves(this);
    loading = true;
    storedWhileLoading = false;

    // A format the tab does not know leaves the choice as it is.
    if (values.GetMessage6Format() == 1)
        ui->GLAFormatRadioButton->setChecked(true);
    else if (values.GetMessage6Format() == 2)
        ui->zeniLiteFormatRadioButton->setChecked(true);
    SettingsBinding::Show(spinFields, values);
    ui->voltageThresholdBatteryStatusDoubleSpinBox->setValue(values.GetBatteryVoltageThreshold());
    SettingsBinding::CheckOneOf(ui->internalVoltageADCRadioButton, ui->externalIsolatedADC1RadioButton,
                                values.GetVoltageSource() == 1);
    SettingsBinding::CheckOneOf(ui->ACRadioButton, ui->DCRadioButton, values.GetPowerSupplyType() == 0);
    SetStatusBits(values.GetStatusBitInversionMask());
    SettingsBinding::CheckOneOf(ui->FI11RadioButton, ui->FI31RadioButton, values.GetMessage8Format() == 1);
    loading = false;
    // The bit check boxes store only when clicked: a store made earlier in this load took the previous
    // unit's bits, and the record would keep them while the tab shows the new ones (and a send would write
    // them). Once a store has run, the record must end equal to the widgets.
    if (storedWhileLoading)
        Store();
    return true;
}

bool MessageSettingsTab::UpdateModelFromTab(Model* target)
{
    MessageSettingsModel* record = StoreTarget(target)->GetMessageSettings();
    if (ui->zeniLiteFormatRadioButton->isChecked())
        record->SetMessage6Format(2);
    else if (ui->GLAFormatRadioButton->isChecked())
        record->SetMessage6Format(1);
    SettingsBinding::Store(spinFields, *record, loaded);
    // The threshold is never kept beyond the box: the unit takes 0 to 36 V, and the record's default of
    // 100 V must reach it as the 36.0 the box shows.
    record->SetBatteryVoltageThreshold(ui->voltageThresholdBatteryStatusDoubleSpinBox->value());
    record->SetVoltageSource(ui->internalVoltageADCRadioButton->isChecked() ? 1 : 2);
    record->SetPowerSupplyType(ui->ACRadioButton->isChecked() ? 0 : 1);
    // Bits beyond the eight check boxes stay as the unit had them.
    int mask = loaded.GetStatusBitInversionMask() & ~((1 << bitBoxes.size()) - 1);
    for (int bit = 0; bit < bitBoxes.size(); ++bit)
        if (bitBoxes.at(bit)->isChecked())
            mask |= 1 << bit;
    record->SetStatusBitInversionMask(mask);
    record->SetMessage8Format(ui->FI11RadioButton->isChecked() ? 1 : 2);
    return true;
}

void MessageSettingsTab::Store()
{
    if (loading)
        storedWhileLoading = true;
    UpdateModelFromTab();
}

void MessageSettingsTab::on_zeniLiteFormatRadioButton_toggled(bool)
{
    Store();
}

void MessageSettingsTab::on_GLAFormatRadioButton_toggled(bool)
{
    Store();
}

void MessageSettingsTab::on_message6FISpinBox_valueChanged(int)
{
    Store();
}

void MessageSettingsTab::on_message6DACSpinBox_valueChanged(int)
{
    Store();
}

void MessageSettingsTab::on_message6SubIDSpinBox_valueChanged(int)
{
    Store();
}

void MessageSettingsTab::on_voltageThresholdBatteryStatusDoubleSpinBox_valueChanged(double)
{
    Store();
}

void MessageSettingsTab::on_internalVoltageADCRadioButton_toggled(bool)
{
    Store();
}

void MessageSettingsTab::on_externalIsolatedADC1RadioButton_toggled(bool)
{
    Store();
}

void MessageSettingsTab::on_ACRadioButton_toggled(bool)
{
    Store();
}

void MessageSettingsTab::on_DCRadioButton_toggled(bool)
{
    Store();
}

void MessageSettingsTab::on_FI11RadioButton_toggled(bool)
{
    Store();
}

void MessageSettingsTab::on_FI31RadioButton_toggled(bool)
{
    Store();
}

void MessageSettingsTab::statusBitControlSlot()
{
    Store();
}
