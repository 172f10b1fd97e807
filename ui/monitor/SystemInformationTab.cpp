#include "ui/monitor/SystemInformationTab.h"

#include <QScrollArea>
#include <QTextEdit>

#include "model/ADCSettingsModel.h"
#include "model/MessageSettingsModel.h"
#include "model/Model.h"
#include "model/SensorSettingsModel.h"

#include "ui_SystemInformationTab.h"

namespace
{

constexpr int ZeniLiteFormat = 2;
// Lines of room beyond one a value: the summary's height measured before the tab is polished falls short
// of its shown height by about two lines, and the widest scaling wraps once at the least window size.
constexpr int WrappedLinesInView = 3;

} // namespace

// Fixed texts: no job waits for their replies, which the tab sorts out of the unit's traffic itself.
const QString SystemInformationTab::DigitalInputsSentence =
    QStringLiteral("$PKVX,0,0,0x5E1D0A47,1,getdistates,97*6A\n");
const QString SystemInformationTab::SensorHealthSentence =
    QStringLiteral("$PKVX,0,0,0x5E1D0A47,1,sensorhealth,96*1E\n");

SystemInformationTab::SystemInformationTab(Model* model, QWidget* parent)
    : AtoNConfiguration(model, parent), ui(std::make_unique<Ui::SystemInformationTab>()),
      sensorSettings(model->GetSensorSettings()), adcSettings(model->GetADCSettings()),
      messageSettings(model->GetMessageSettings())
{
    ui->setupUi(this);
    // The values are as wide as the unit's settings make them, and take the width the window gives. Rather
    // than widen the window for good (the tab sets share it), the long ones wrap between their words, and
    // the summary scrolls when the window is too small for it even so. Its height with a line a value,
    // and room for a few wrapped lines, is kept in view: a window of the least size shows it whole.
    const QList<QLabel*> scalings{ui->ISENSEScaleLabel, ui->alternativeISENSEScaleLabel, ui->internalVoltageScaleLabel,
                                  ui->externalVoltageScaleLabel};
    ui->scrollArea->setMinimumHeight(ui->scrollAreaContents->sizeHint().height() +
                                     WrappedLinesInView * fontMetrics().lineSpacing());
    // The two capture boxes hold short lines: they keep their least width and leave the rest to the values.
    ui->widget_status_frame->setMaximumWidth(ui->widget_status_frame->minimumSizeHint().width());
    for (QLabel* value : scalings)
        value->setWordWrap(true);
    ui->softwareVersionLabel->setWordWrap(true);
    ui->serialNumberLabel->setWordWrap(true);
    // The version and serial number stand in the column of the configuration values, not halfway across
    // the spare width: their labels' column is as wide as the configuration's labels and its inset.
    int labels = 0;
    for (int row = 0; row < ui->gridLayout_configuration->rowCount(); ++row)
        if (QLayoutItem* item = ui->gridLayout_configuration->itemAtPosition(row, 0))
            labels = qMax(labels, item->sizeHint().width());
    const int inset = ui->groupBox_current_configuration->contentsMargins().left() +
                      ui->gridLayout_configuration->contentsMargins().left();
    ui->gridLayout_versions->setColumnMinimumWidth(0, inset + labels +
                                                          ui->gridLayout_configuration->horizontalSpacing() -
                                                          ui->gridLayout_versions->horizontalSpacing());
    ui->gridLayout_versions->setColumnStretch(1, 1);
    // The summary lies on the page as the other tabs' contents do, not on a panel of the window's colour.
    ui->scrollArea->viewport()->setAutoFillBackground(false);
    ui->scrollAreaContents->setAutoFillBackground(false);
    // The capture boxes are display only (disabled), but their text is painted in the normal colour so
    // that it can be read.
    for (QTextEdit* box : {ui->diStateTextEdit, ui->sensorHealthTextEdit})
    {
        QPalette palette = box->palette();
        palette.setBrush(QPalette::Disabled, QPalette::Text, palette.brush(QPalette::Active, QPalette::Text));
        box->setPalette(palette);
    }
    digitalInputs = std::make_unique<TrafficDisplay>(ui->diStateTextEdit);
    sensorHealth = std::make_unique<TrafficDisplay>(ui->sensorHealthTextEdit);
}

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
    ShowConfiguration();
    RequestDigitalInputs();
    RequestSensorHealth();
    Q_EMIT SerialNumbers();
    return true;
}

void SystemInformationTab::ShowConfiguration()
{
    const auto number = [](int value) { return QString::number(value); };
    const QString na = QStringLiteral("NA");
    const bool zeniLite = messageSettings->GetMessage6Format() == ZeniLiteFormat;

    ui->message6VersionLabel->setText(zeniLite ? tr("Zeni Lite Format") : tr("GLA Format"));
    ui->message6DACLabel->setText(zeniLite ? number(messageSettings->GetMessage6DAC()) : QStringLiteral("235"));
    ui->message6FILabel->setText(zeniLite ? number(messageSettings->GetMessage6FI()) : QStringLiteral("10"));
    ui->message6SubApplicationIDLabel->setText(zeniLite ? number(messageSettings->GetMessage6SubId()) : na);
    ui->message6PowerSupplyTypeLabel->setText(
        zeniLite ? (messageSettings->GetPowerSupplyType() == 0 ? QStringLiteral("AC") : QStringLiteral("DC")) : na);
    ui->message6BatteryHealthThresholdLabel->setText(
        zeniLite ? QString::number(messageSettings->GetBatteryVoltageThreshold(), 'g', 6) : na);
    ui->message6VoltageSourceLabel->setText(
        zeniLite ? (messageSettings->GetVoltageSource() == 1 ? tr("Internal Voltage") : tr("External Isolated")) : na);
    ui->msg_6_ext_status_bit_inversion_map->setText(zeniLite ? na
                                                             : number(messageSettings->GetStatusBitInversionMask()));
    ui->message8VersionLabel->setText(messageSettings->GetMessage8Format() == 1 ? QStringLiteral("FI11")
                                                                                : QStringLiteral("FI31"));
    ui->chartDatumLabel->setText(number(sensorSettings->GetDatumOffset()));
    ui->ISENSEEnabledLabel->setText(adcSettings->GetCurrentSensingEnabled() ? tr("Enabled") : tr("Disabled"));
    ui->ISENSEThresholdLabel->setText(number(adcSettings->GetCurrentSenseThreshold()));
    ui->ISENSESourceLabel->setText(adcSettings->GetCurrentSenseSource() == 0 ? tr("Internal ISENSE Loop")
                                                                             : tr("External"));
    ui->lightStatusBitSourceLabel->setText(adcSettings->GetLightOnSource() == 1 ? tr("DI") : tr("Current Sense"));

    const QString scale = tr("Dividend: %1, Divisor: %2, K Factor: %3, Offset: %4");
    const auto scaling = [&](int dividend, int divisor, int kFactor, int offset)
    { return scale.arg(number(dividend), number(divisor), number(kFactor), number(offset)); };
    ui->ISENSEScaleLabel->setText(
        scaling(adcSettings->GetInternalCurrentDividend(), adcSettings->GetInternalCurrentDivisor(),
                adcSettings->GetInternalCurrentKFactor(), adcSettings->GetInternalCurrentOffset()));
    ui->alternativeISENSEScaleLabel->setText(
        scaling(adcSettings->GetExternalCurrentDividend(), adcSettings->GetExternalCurrentDivisor(),
                adcSettings->GetExternalCurrentKFactor(), adcSettings->GetExternalCurrentOffset()));
    ui->internalVoltageScaleLabel->setText(
        scaling(adcSettings->GetInternalVoltageDividend(), adcSettings->GetInternalVoltageDivisor(),
                adcSettings->GetInternalVoltageKFactor(), adcSettings->GetInternalVoltageOffset()));
    ui->externalVoltageScaleLabel->setText(
        scaling(adcSettings->GetExternalVoltageDividend(), adcSettings->GetExternalVoltageDivisor(),
                adcSettings->GetExternalVoltageKFactor(), adcSettings->GetExternalVoltageOffset()));

    ui->aquadoppCellUsedForSufaceLabel->setText(number(sensorSettings->GetSurfaceCell()));
    ui->aquadoppCellUsedForLevel2Label->setText(number(sensorSettings->GetLevel2Cell()));
    ui->aquadoppCellUsedForLevel3Label->setText(number(sensorSettings->GetLevel3Cell()));
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

void SystemInformationTab::RequestDigitalInputs()
{
    ui->diStateTextEdit->clear();
    Q_EMIT Send(DigitalInputsSentence);
}

void SystemInformationTab::RequestSensorHealth()
{
    ui->sensorHealthTextEdit->clear();
    sensorHealthCapture = true;
    Q_EMIT Send(SensorHealthSentence);
}

void SystemInformationTab::on_refreshDIStatesPushButton_clicked()
{
    RequestDigitalInputs();
}

void SystemInformationTab::on_refreshSensorHealthPushButton_clicked()
{
    RequestSensorHealth();
}

void SystemInformationTab::OnVersion(QString version)
{
    ui->softwareVersionLabel->setText(version);
}

void SystemInformationTab::OnPCASerialNumber(QString version)
{
    ui->serialNumberLabel->setText(version);
}

void SystemInformationTab::OnProductSerialNumber(QString version)
{
    // Shown by the Diagnostics tab only.
    Q_UNUSED(version);
}

void SystemInformationTab::OnReceived(QString received)
{
    if (!active)
        return;
    if (received.split(QLatin1Char(' ')).size() == 2 && received.contains(QLatin1String("DIG_IO")))
    {
        digitalInputs->Append(received);
        return;
    }
    if (!sensorHealthCapture)
        return;
    if (received.contains(QLatin1String("Return:")))
    {
        sensorHealthCapture = false;
        return;
    }
    if (received.contains(QLatin1String("OK")) || received.contains(QLatin1String("Option")))
        sensorHealth->Append(received.trimmed() + QLatin1Char('\n'));
}
