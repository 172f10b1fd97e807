#include "ui/settings/StatusInputConfigurationTab.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

#include "model/MessageSchedule.h"
#include "model/Model.h"
#include "model/StatusInputConfigurationModel.h"

#include "ui_StatusInputConfigurationTab.h"

namespace
{

constexpr int FirstIndex = 1;
constexpr int LastIndex = 4;
constexpr int NoIndex = -1;

// What the spin boxes show for a record index of "none".
constexpr int DefaultMessage6Index = 1;
constexpr int DefaultOnPositionIndex = 2;
constexpr int DefaultOffPositionIndex = 3;

constexpr int SourceSensor = 0;
constexpr int SourceTransceiver = 1;

constexpr int StatusBitsFromAce = 0;
constexpr int StatusBitsFromTransceiver = 1;
constexpr int StatusBitsFromSensor = 2;

int CheckedValue(int state)
{
    return state == Qt::Checked ? 1 : 0;
}

} // namespace

StatusInputConfigurationTab::StatusInputConfigurationTab(Model* model, QWidget* parent)
    : AtoNConfiguration(model, parent), ui(new Ui::StatusInputConfiguration)
{
    ui->setupUi(this);

    using Tab = StatusInputConfigurationTab;
    connect(ui->lampFittedCheckBox, &QCheckBox::stateChanged, this, &Tab::On_LampFittedCheckBox_Checked);
    connect(ui->RACONFittedCheckBox, &QCheckBox::stateChanged, this, &Tab::On_RACONFittedCheckBox_Checked);
    connect(ui->RACONMonitoredCheckBox, &QCheckBox::stateChanged, this, &Tab::On_RACONMonitoredCheckBox_Checked);
    connect(ui->ACESentenceRadioButton, &QRadioButton::toggled, this, &Tab::On_ACESentenceRadioButton_Clicked);
    connect(ui->transceiverModuleRadioButton, &QRadioButton::toggled, this,
            &Tab::On_TransceiverModuleRadioButton_Clicked);
    connect(ui->sensorModuleRadioButton, &QRadioButton::toggled, this, &Tab::On_SensorModuleRadioButton_Clicked);
    connect(ui->checkBoxLightOnOfActiveHigh, &QCheckBox::stateChanged, this,
            &Tab::On_checkBoxLightOnOfActiveHigh_Checked);
    connect(ui->checkBoxLightHealthActiveHigh, &QCheckBox::stateChanged, this,
            &Tab::On_checkBoxLightHelathActiveHigh_Checked);
    connect(ui->checkBoxRaconHealthActiveHigh, &QCheckBox::stateChanged, this,
            &Tab::On_checkBoxRaconHelathActiveHigh_Checked);
    connect(ui->message6SourceSensorRadioButton, &QRadioButton::toggled, this,
            &Tab::On_message6SourceSensorRadioButton_Toggled);
    connect(ui->message6IndexspinBox, &QSpinBox::valueChanged, this, &Tab::On_message6IndexspinBox_Changed);
    connect(ui->checkBoxTH_enable_reporting, &QCheckBox::stateChanged, this,
            &Tab::On_checkBoxTH_enable_reporting_Checked);
    connect(ui->spinBox_TH_on_position_index, &QSpinBox::valueChanged, this,
            &Tab::On_spinBox_TH_on_position_index_Changed);
    connect(ui->spinBox_TH_off_position_index, &QSpinBox::valueChanged, this,
            &Tab::On_spinBox_TH_off_position_index_Changed);
    connect(ui->radioButton_msg_6_isense_version, &QRadioButton::toggled, this,
            &Tab::On_radioButton_msg_6_isense_version_Toggled);
    connect(ui->checkBoxUserPower, &QCheckBox::toggled, this, &Tab::On_checkBoxUserPower_Toggled);

    ui->lampStatusLabel->setText(tr("Unknown"));
    ui->RACONStatusLabel->setText(tr("Unknown"));

    // The record's defaults; the first load comes from the main window.
    ui->lampFittedCheckBox->setChecked(false);
    ui->RACONFittedCheckBox->setChecked(false);
    ui->RACONMonitoredCheckBox->setChecked(false);
    ui->ACESentenceRadioButton->setChecked(true);
    ui->transceiverModuleRadioButton->setChecked(false);
    ui->sensorModuleRadioButton->setChecked(false);
    ui->statusBitLogicGroupBox->setEnabled(false);
    ui->checkBoxLightOnOfActiveHigh->setChecked(true);
    ui->checkBoxLightHealthActiveHigh->setChecked(true);
    ui->checkBoxRaconHealthActiveHigh->setChecked(true);
    ui->message6IndexspinBox->setValue(DefaultMessage6Index);
    ui->message6IndexspinBox->setEnabled(false);
    ui->message6SourceSensorRadioButton->setChecked(true);
    ui->message6SourceTransceiverRadioButton->setChecked(false);
    ui->messge6Warninglabel->hide();
    ui->checkBoxTH_enable_reporting->setChecked(false);
    ui->spinBox_TH_on_position_index->setValue(DefaultOnPositionIndex);
    ui->Warninglabel_TH_on_position->hide();
    ui->spinBox_TH_off_position_index->setValue(DefaultOffPositionIndex);
    ui->Warninglabel_TH_off_position->hide();
}

StatusInputConfigurationTab::~StatusInputConfigurationTab()
{
    // The widgets outlive the form object; nothing they emit while going may reach the slots.
    for (QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
    delete ui;
}

StatusInputConfigurationModel* StatusInputConfigurationTab::Record() const
{
    return model->GetStatusInputConfiguration();
}

int StatusInputConfigurationTab::FindFreeIndex(int value, bool up, int a, int b)
{
    int candidate = value;
    for (int tried = 0; tried < LastIndex; ++tried)
    {
        candidate += up ? 1 : -1;
        if (candidate > LastIndex)
            candidate = FirstIndex;
        if (candidate < FirstIndex)
            candidate = LastIndex;
        if (candidate != a && candidate != b)
            return candidate;
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------------
// Load and store

bool StatusInputConfigurationTab::UpdateTabFromModel(Model* source)
{
    if (source && source != model)
        *Record() = *source->GetStatusInputConfiguration();
    const StatusInputConfigurationModel* r = Record();

    updating = true;
    ui->lampFittedCheckBox->setChecked(r->GetLightFitted() == 1);
    ui->RACONFittedCheckBox->setChecked(r->GetRaconFitted() == 1);
    ui->RACONMonitoredCheckBox->setChecked(r->GetRaconMonitored() == 1);

    // An exclusive button is not unchecked by setChecked(false): a value outside the list keeps the
    // previous choice on screen.
    ui->ACESentenceRadioButton->setChecked(r->GetStatusBitSource() == StatusBitsFromAce);
    ui->transceiverModuleRadioButton->setChecked(r->GetStatusBitSource() == StatusBitsFromTransceiver);
    ui->sensorModuleRadioButton->setChecked(r->GetStatusBitSource() == StatusBitsFromSensor);

    ui->checkBoxLightOnOfActiveHigh->setChecked(r->GetLightOnOffActiveHigh() == 1);
    ui->checkBoxLightHealthActiveHigh->setChecked(r->GetLightHealthActiveHigh() == 1);
    ui->checkBoxRaconHealthActiveHigh->setChecked(r->GetRaconHealthActiveHigh() == 1);

    ui->message6SourceSensorRadioButton->setChecked(r->GetMessage6Source() == SourceSensor);
    ui->message6SourceTransceiverRadioButton->setChecked(r->GetMessage6Source() == SourceTransceiver);

    ui->radioButton_msg_6_GLA_standard->setChecked(r->GetMessage6Format() == 0);
    ui->radioButton_msg_6_isense_version->setChecked(r->GetMessage6Format() == 1);

    ui->checkBoxUserPower->setChecked(r->GetUserPower());

    ui->message6IndexspinBox->setValue(r->GetMessage6Index() == NoIndex ? DefaultMessage6Index : r->GetMessage6Index());
    // The index widgets and the format group follow the loaded source, not the last click on it.
    ApplyMessage6SourceEnables(r->GetMessage6Source() != SourceTransceiver);
    ui->groupBox_GLA_msg_6_type->setEnabled(r->GetMessage6Source() == SourceSensor);

    const bool reporting = r->GetPositionReportEnabled() == 1;
    ui->checkBoxTH_enable_reporting->setChecked(reporting);
    ui->spinBox_TH_on_position_index->setValue(r->GetOnPositionIndex() == NoIndex ? DefaultOnPositionIndex
                                                                                  : r->GetOnPositionIndex());
    ui->spinBox_TH_off_position_index->setValue(r->GetOffPositionIndex() == NoIndex ? DefaultOffPositionIndex
                                                                                    : r->GetOffPositionIndex());
    ui->spinBox_TH_on_position_index->setEnabled(reporting);
    ui->spinBox_TH_off_position_index->setEnabled(reporting);

    // With the flag still set these move only what the idle spin boxes show; the record keeps its values.
    ResolveMessage6IndexCollision();
    ResolvePositionIndexCollisions();
    updating = false;

    UpdateMessage6Warning();
    UpdatePositionReportWarnings();
    return true;
}

bool StatusInputConfigurationTab::UpdateModelFromTab(Model* target)
{
    if (target && target != model)
        *target->GetStatusInputConfiguration() = *Record();
    return true;
}

// ---------------------------------------------------------------------------------------------------
// Check boxes and status bit source

void StatusInputConfigurationTab::StoreCheckBox(int state, int (StatusInputConfigurationModel::*get)() const,
                                                void (StatusInputConfigurationModel::*set)(int))
{
    if (updating)
        return;
    const int value = CheckedValue(state);
    if ((Record()->*get)() == value)
        return;
    (Record()->*set)(value);
    CommitUserEdit();
}

void StatusInputConfigurationTab::On_LampFittedCheckBox_Checked(int state)
{
    StoreCheckBox(state, &StatusInputConfigurationModel::GetLightFitted,
                  &StatusInputConfigurationModel::SetLightFitted);
}

void StatusInputConfigurationTab::On_RACONFittedCheckBox_Checked(int state)
{
    StoreCheckBox(state, &StatusInputConfigurationModel::GetRaconFitted,
                  &StatusInputConfigurationModel::SetRaconFitted);
}

void StatusInputConfigurationTab::On_RACONMonitoredCheckBox_Checked(int state)
{
    StoreCheckBox(state, &StatusInputConfigurationModel::GetRaconMonitored,
                  &StatusInputConfigurationModel::SetRaconMonitored);
}

void StatusInputConfigurationTab::On_checkBoxLightOnOfActiveHigh_Checked(int state)
{
    StoreCheckBox(state, &StatusInputConfigurationModel::GetLightOnOffActiveHigh,
                  &StatusInputConfigurationModel::SetLightOnOffActiveHigh);
}

void StatusInputConfigurationTab::On_checkBoxLightHelathActiveHigh_Checked(int state)
{
    StoreCheckBox(state, &StatusInputConfigurationModel::GetLightHealthActiveHigh,
                  &StatusInputConfigurationModel::SetLightHealthActiveHigh);
}

void StatusInputConfigurationTab::On_checkBoxRaconHelathActiveHigh_Checked(int state)
{
    StoreCheckBox(state, &StatusInputConfigurationModel::GetRaconHealthActiveHigh,
                  &StatusInputConfigurationModel::SetRaconHealthActiveHigh);
}

void StatusInputConfigurationTab::StoreStatusBitSource(bool state, int value)
{
    // The logic sense only matters for status bits read from a module's inputs; this step runs during
    // loads too, so the group always matches the selected source.
    ui->statusBitLogicGroupBox->setEnabled(value != StatusBitsFromAce);
    if (updating)
        return;
    if (!state || Record()->GetStatusBitSource() == value)
        return;
    Record()->SetStatusBitSource(value);
    CommitUserEdit();
}

void StatusInputConfigurationTab::On_ACESentenceRadioButton_Clicked(bool state)
{
    StoreStatusBitSource(state, StatusBitsFromAce);
}

void StatusInputConfigurationTab::On_TransceiverModuleRadioButton_Clicked(bool state)
{
    StoreStatusBitSource(state, StatusBitsFromTransceiver);
}

void StatusInputConfigurationTab::On_SensorModuleRadioButton_Clicked(bool state)
{
    StoreStatusBitSource(state, StatusBitsFromSensor);
}

// ---------------------------------------------------------------------------------------------------
// Message 6 format and user power

void StatusInputConfigurationTab::On_radioButton_msg_6_isense_version_Toggled(bool state)
{
    if (updating)
        return;
    const int format = state ? 1 : 0;
    if (Record()->GetMessage6Format() == format)
        return;
    Record()->SetMessage6Format(format);
    CommitUserEdit();
}

void StatusInputConfigurationTab::On_checkBoxUserPower_Toggled(bool state)
{
    if (updating || Record()->GetUserPower() == state)
        return;
    Record()->SetUserPower(state);
    CommitUserEdit();
}

// ---------------------------------------------------------------------------------------------------
// Message 6 source and indices

void StatusInputConfigurationTab::ApplyMessage6SourceEnables(bool sensor)
{
    ui->message6IndexspinBox->setEnabled(!sensor);
    ui->groupBox_transciever_message_6_index->setEnabled(!sensor);
}

void StatusInputConfigurationTab::On_message6SourceSensorRadioButton_Toggled(bool state)
{
    if (updating)
        return;
    if (state)
    {
        Record()->SetMessage6Source(SourceSensor);
        Record()->SetMessage6Index(NoIndex);
    }
    else
    {
        Record()->SetMessage6Source(SourceTransceiver);
        Record()->SetMessage6Index(ui->message6IndexspinBox->value());
    }
    ApplyMessage6SourceEnables(state);
    // The sensor module alone builds the formatted message 6.
    ui->groupBox_GLA_msg_6_type->setEnabled(state);
    CommitUserEdit();
    UpdateMessage6Warning();
}

void StatusInputConfigurationTab::On_message6IndexspinBox_Changed(int value)
{
    if (updating)
        return;
    if (ui->checkBoxTH_enable_reporting->isChecked())
    {
        const int on = ui->spinBox_TH_on_position_index->value();
        const int off = ui->spinBox_TH_off_position_index->value();
        if (value == on || value == off)
        {
            // Signed on purpose: from "none" (-1) the search goes up.
            const bool up = value > Record()->GetMessage6Index();
            ui->message6IndexspinBox->setValue(FindFreeIndex(value, up, on, off));
            value = ui->message6IndexspinBox->value();
        }
    }
    Record()->SetMessage6Index(value);
    ResolvePositionIndexCollisions();
    UpdateMessage6Warning();
    CommitUserEdit();
}

void StatusInputConfigurationTab::OnPositionIndexChanged(int value, QSpinBox* own, QSpinBox* other,
                                                         int (StatusInputConfigurationModel::*get)() const,
                                                         void (StatusInputConfigurationModel::*set)(int))
{
    if (updating)
        return;
    const int otherValue = other->value();
    const int message6 =
        ui->message6SourceTransceiverRadioButton->isChecked() ? ui->message6IndexspinBox->value() : NoIndex;
    if (value == otherValue || value == message6)
    {
        const bool up = value > (Record()->*get)();
        own->setValue(FindFreeIndex(value, up, otherValue, message6));
        value = own->value();
    }
    (Record()->*set)(value);
    ResolveMessage6IndexCollision();
    UpdatePositionReportWarnings();
    CommitUserEdit();
}

void StatusInputConfigurationTab::On_spinBox_TH_on_position_index_Changed(int value)
{
    OnPositionIndexChanged(value, ui->spinBox_TH_on_position_index, ui->spinBox_TH_off_position_index,
                           &StatusInputConfigurationModel::GetOnPositionIndex,
                           &StatusInputConfigurationModel::SetOnPositionIndex);
}

void StatusInputConfigurationTab::On_spinBox_TH_off_position_index_Changed(int value)
{
    OnPositionIndexChanged(value, ui->spinBox_TH_off_position_index, ui->spinBox_TH_on_position_index,
                           &StatusInputConfigurationModel::GetOffPositionIndex,
                           &StatusInputConfigurationModel::SetOffPositionIndex);
}

void StatusInputConfigurationTab::On_checkBoxTH_enable_reporting_Checked(int state)
{
    if (updating)
        return;
    StatusInputConfigurationModel* r = Record();
    QSpinBox* onBox = ui->spinBox_TH_on_position_index;
    QSpinBox* offBox = ui->spinBox_TH_off_position_index;
    if (state != 0)
    {
        r->SetPositionReportEnabled(1);
        // The report is sent with the indices the user sees: make them distinct from each other and from
        // the transceiver's own index, then write them even where the spin box did not move (its rule
        // runs only on a change, and an untick left the record at "none").
        const int message6 =
            ui->message6SourceTransceiverRadioButton->isChecked() ? ui->message6IndexspinBox->value() : NoIndex;
        if (onBox->value() == message6)
            onBox->setValue(FindFreeIndex(onBox->value(), true, offBox->value(), message6));
        if (offBox->value() == onBox->value() || offBox->value() == message6)
            offBox->setValue(FindFreeIndex(offBox->value(), true, onBox->value(), message6));
        r->SetOnPositionIndex(onBox->value());
        r->SetOffPositionIndex(offBox->value());
        onBox->setEnabled(true);
        offBox->setEnabled(true);
        // The idle transceiver index must stay clear of the indices now in use.
        ResolveMessage6IndexCollision();
    }
    else
    {
        r->SetPositionReportEnabled(0);
        r->SetOnPositionIndex(NoIndex);
        r->SetOffPositionIndex(NoIndex);
        onBox->setEnabled(false);
        offBox->setEnabled(false);
    }
    UpdatePositionReportWarnings();
    CommitUserEdit();
}

void StatusInputConfigurationTab::ResolveMessage6IndexCollision()
{
    if (!ui->message6SourceSensorRadioButton->isChecked())
        return;
    const int index = ui->message6IndexspinBox->value();
    const int on = ui->spinBox_TH_on_position_index->value();
    const int off = ui->spinBox_TH_off_position_index->value();
    if (index == on || index == off)
        ui->message6IndexspinBox->setValue(FindFreeIndex(index, true, on, off));
}

void StatusInputConfigurationTab::ResolvePositionIndexCollisions()
{
    if (ui->checkBoxTH_enable_reporting->isChecked())
        return;
    const int index = ui->message6IndexspinBox->value();
    const int on = ui->spinBox_TH_on_position_index->value();
    const int off = ui->spinBox_TH_off_position_index->value();
    if (on == index)
        ui->spinBox_TH_on_position_index->setValue(FindFreeIndex(on, true, index, off));
    if (off == index)
        ui->spinBox_TH_off_position_index->setValue(FindFreeIndex(off, true, index, on));
}

// ---------------------------------------------------------------------------------------------------
// Warnings against the real AtoN's schedule

void StatusInputConfigurationTab::UpdateMessage6Warning()
{
    const MessageSchedule* schedule = model->GetMessageSchedule();
    const bool scheduled = schedule->IsMessage6Enabled(ui->message6IndexspinBox->value());
    ui->messge6Warninglabel->setVisible(!scheduled && !ui->message6SourceSensorRadioButton->isChecked());
}

void StatusInputConfigurationTab::UpdatePositionReportWarnings()
{
    const MessageSchedule* schedule = model->GetMessageSchedule();
    const bool reporting = ui->checkBoxTH_enable_reporting->isChecked();
    ui->Warninglabel_TH_on_position->setVisible(
        reporting && !schedule->IsMessage6Enabled(ui->spinBox_TH_on_position_index->value()));
    ui->Warninglabel_TH_off_position->setVisible(
        reporting && !schedule->IsMessage6Enabled(ui->spinBox_TH_off_position_index->value()));
}

void StatusInputConfigurationTab::On_messageScheduleChange()
{
    UpdateMessage6Warning();
    UpdatePositionReportWarnings();
}

// ---------------------------------------------------------------------------------------------------
// What the unit reports, and the real AtoN's mode

void StatusInputConfigurationTab::On_Message21RACONStatus_Received(uint RACONStatus)
{
    switch (RACONStatus)
    {
    case 0:
        ui->RACONStatusLabel->setText(tr("No RACON installed"));
        break;
    case 1:
        ui->RACONStatusLabel->setText(tr("RACON installed but not monitored"));
        break;
    case 2:
        ui->RACONStatusLabel->setText(tr("RACON operational"));
        break;
    case 3:
        ui->RACONStatusLabel->setText(tr("RACON error"));
        break;
    default:
        break;
    }
}

void StatusInputConfigurationTab::On_Message21LightStatus_Received(uint LightStatus)
{
    switch (LightStatus)
    {
    case 0:
        ui->lampStatusLabel->setText(tr("No light or no monitoring"));
        break;
    case 1:
        ui->lampStatusLabel->setText(tr("Light on"));
        break;
    case 2:
        ui->lampStatusLabel->setText(tr("Light off"));
        break;
    case 3:
        ui->lampStatusLabel->setText(tr("Light fail or at reduced range"));
        break;
    default:
        break;
    }
}

void StatusInputConfigurationTab::On_Message21HealthStatus_Received(uint healthStatus)
{
    // The health bit is not shown.
    Q_UNUSED(healthStatus);
}

void StatusInputConfigurationTab::OnUpdateInlandMode(bool inland)
{
    // Inland, the unit takes its status bits from the ACE sentence whatever is chosen here, and its
    // message 21 status is not reported to us: show the choice as unavailable and the status as unknown.
    ui->ACESentenceRadioButton->setEnabled(!inland);
    ui->transceiverModuleRadioButton->setEnabled(!inland);
    ui->sensorModuleRadioButton->setEnabled(!inland);
    if (inland)
    {
        ui->lampStatusLabel->setText(tr("Unknown"));
        ui->RACONStatusLabel->setText(tr("Unknown"));
    }
}
