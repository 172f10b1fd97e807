#include "ui/vdl/VdlCopTab.h"

#include "model/Model.h"
#include "ui/settings/SettingsBinding.h"
#include "ui_VdlCopTab.h"

namespace
{
constexpr int SpecifiedOnTime = 1;
constexpr int AlwaysOn = 2;
constexpr int SecondsPerMinute = 60;
constexpr int WholeDayMinutes = 1440;
constexpr int WholeDaySeconds = WholeDayMinutes * SecondsPerMinute;
} // namespace

VdlCopTab::VdlCopTab(Model* model, QWidget* parent)
    : AtoNConfiguration(model, parent), ui(std::make_unique<Ui::VdlCopTab>())
{
    ui->setupUi(this);
    UpdateTabFromModel();
}

VdlCopTab::~VdlCopTab() = default;

void VdlCopTab::PopulateComboBoxes()
{
    struct Interval
    {
        const char* text;
        int seconds;
    };
    static const Interval intervals[] = {
        {QT_TR_NOOP(" 0 minutes"), 0},   {QT_TR_NOOP(" 1 minute "), 60},   {QT_TR_NOOP(" 2 minutes"), 120},
        {QT_TR_NOOP(" 3 minutes"), 180}, {QT_TR_NOOP(" 4 minutes"), 240},  {QT_TR_NOOP(" 5 minutes"), 300},
        {QT_TR_NOOP(" 6 minutes"), 360}, {QT_TR_NOOP("10 minutes"), 600},  {QT_TR_NOOP("12 minutes"), 720},
        {QT_TR_NOOP("15 minutes"), 900}, {QT_TR_NOOP("20 minutes"), 1200}, {QT_TR_NOOP("30 minutes"), 1800},
        {QT_TR_NOOP(" 1 hour"), 3600},   {QT_TR_NOOP(" 2 hours"), 7200},   {QT_TR_NOOP(" 3 hours"), 10800},
        {QT_TR_NOOP(" 4 hours"), 14400}, {QT_TR_NOOP(" 6 hours"), 21600},  {QT_TR_NOOP(" 8 hours"), 28800},
        {QT_TR_NOOP("12 hours"), 43200}, {QT_TR_NOOP("24 hours"), 86400},
    };
    ui->IntervalcomboBox->clear();
    for (const Interval& interval : intervals)
        ui->IntervalcomboBox->addItem(tr(interval.text), interval.seconds);

    static const char* const modes[] = {QT_TR_NOOP("Use device schedule"), QT_TR_NOOP("Specify receiver on time"),
                                        QT_TR_NOOP("Receivers always on")};
    ui->comboBoxMode->clear();
    for (int i = 0; i < 3; ++i)
        ui->comboBoxMode->addItem(tr(modes[i]), i);
}

void VdlCopTab::SetIntervalGreyed(bool greyed)
{
    ui->IntervalcomboBox->setStyleSheet(greyed ? QStringLiteral("background-color: rgb(220, 220, 220);")
                                               : QStringLiteral("background-color: rgb(255, 255, 255);"));
}

void VdlCopTab::ApplyEnablingRule(int mode)
{
    const bool specified = mode == SpecifiedOnTime;
    ui->spinBoxUtcHour->setEnabled(specified);
    ui->spinBoxUtcMinute->setEnabled(specified);
    ui->IntervalcomboBox->setEnabled(specified);
    ui->spinBoxDuration->setEnabled(specified);
    SetIntervalGreyed(!specified);
}

void VdlCopTab::SelectInterval(int seconds)
{
    ui->IntervalcomboBox->setCurrentIndex(ui->IntervalcomboBox->findData(seconds));
}

bool VdlCopTab::UpdateTabFromModel(Model* source)
{
    VdlModel* vdl = model->GetVdlModel();
    if (source && source != model)
        *vdl = *source->GetVdlModel();
    // Every value is read before the first widget is set: no slot may run on half-loaded widgets.
    const int mode = vdl->receiverMode;
    const int hour = vdl->receiverHour;
    const int minute = vdl->receiverMinute;
    const int interval = vdl->receiverInterval;
    const int duration = vdl->receiverDuration;

    loadedHour = hour;
    loadedMinute = minute;
    SettingsBinding::ForgetMoves(this);
    updating = true;
    ApplyEnablingRule(mode);
    SettingsBinding::ShowLoaded(ui->spinBoxUtcHour, hour);
    SettingsBinding::ShowLoaded(ui->spinBoxUtcMinute, minute);
    ui->spinBoxDuration->setValue(duration / SecondsPerMinute);
    PopulateComboBoxes();
    SelectInterval(interval);
    ui->comboBoxMode->setCurrentIndex(mode >= 0 && mode <= AlwaysOn ? mode : -1);
    updating = false;
    return true;
}

bool VdlCopTab::UpdateModelFromTab(Model* target)
{
    VdlModel* vdl = (target ? target : model)->GetVdlModel();
    vdl->receiverMode = ui->comboBoxMode->currentIndex();
    // A start time beyond the boxes (the unit's "not available" 24:60) goes back as loaded until either box
    // moves. The two make one time: once one moved, both go as shown, never a kept hour with a new minute.
    const bool moved = SettingsBinding::Moved(ui->spinBoxUtcHour) || SettingsBinding::Moved(ui->spinBoxUtcMinute);
    vdl->receiverHour = SettingsBinding::Kept(ui->spinBoxUtcHour, loadedHour, moved);
    vdl->receiverMinute = SettingsBinding::Kept(ui->spinBoxUtcMinute, loadedMinute, moved);
    if (ui->IntervalcomboBox->currentIndex() >= 0)
        vdl->receiverInterval = ui->IntervalcomboBox->currentData().toInt();
    else if (target && target != model)
        vdl->receiverInterval = model->GetVdlModel()->receiverInterval;
    // With no interval item current (a value the list does not hold, such as one a remote unit
    // reported), the stored interval stays: an edit of another field must not turn it into 0.
    vdl->receiverDuration = ui->spinBoxDuration->value() * SecondsPerMinute;
    return true;
}

void VdlCopTab::EndUserEdit()
{
    if (updating)
        return;
    CommitUserEdit();
}

void VdlCopTab::on_comboBoxMode_currentIndexChanged(int index)
{
    if (updating)
        return;
    ApplyEnablingRule(index);
    if (index == AlwaysOn)
        ui->spinBoxDuration->setValue(WholeDayMinutes);
    else if (index == 0 || index == SpecifiedOnTime)
        ui->spinBoxDuration->setValue(0);
    ui->IntervalcomboBox->setCurrentIndex(0);
    ui->spinBoxUtcHour->setValue(0);
    ui->spinBoxUtcMinute->setValue(0);
    EndUserEdit();
}

void VdlCopTab::on_spinBoxUtcHour_valueChanged()
{
    EndUserEdit();
}

void VdlCopTab::on_spinBoxUtcMinute_valueChanged()
{
    EndUserEdit();
}

void VdlCopTab::on_IntervalcomboBox_currentIndexChanged()
{
    if (updating)
        return;
    const VdlModel* vdl = model->GetVdlModel();
    const int storedDuration = vdl->receiverDuration;
    const int interval = ui->IntervalcomboBox->currentData().toInt();
    if (ui->comboBoxMode->currentIndex() == SpecifiedOnTime && interval < storedDuration)
    {
        updating = true;
        SelectInterval(vdl->receiverInterval);
        updating = false;
    }
    EndUserEdit();
}

void VdlCopTab::on_spinBoxDuration_valueChanged()
{
    if (updating)
        return;
    const VdlModel* vdl = model->GetVdlModel();
    if (ui->comboBoxMode->currentIndex() == SpecifiedOnTime)
    {
        const int seconds = ui->spinBoxDuration->value() * SecondsPerMinute;
        if (seconds == WholeDaySeconds || seconds > vdl->receiverInterval)
        {
            updating = true;
            ui->spinBoxDuration->setValue(vdl->receiverDuration / SecondsPerMinute);
            updating = false;
        }
    }
    EndUserEdit();
}
