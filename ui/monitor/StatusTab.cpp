#include "ui/monitor/StatusTab.h"

StatusTab::StatusTab(QWidget* parent) : QWidget(parent) {}

StatusTab::~StatusTab() = default;

void StatusTab::ClearStatus() {}

void StatusTab::ClearReportLabel() {}

void StatusTab::OnVSWR(double ratio)
{
    Q_UNUSED(ratio);
}

void StatusTab::OnVIN(double voltage)
{
    Q_UNUSED(voltage);
}

void StatusTab::OnVersion(QString version)
{
    Q_UNUSED(version);
}

void StatusTab::OnVariant(QString variant)
{
    // The variant is not shown.
    Q_UNUSED(variant);
}

void StatusTab::OnBootloaderVersion(QString version)
{
    Q_UNUSED(version);
}

void StatusTab::OnPCASerialNumber(QString version)
{
    // The board serial number is not shown here.
    Q_UNUSED(version);
}

void StatusTab::OnProductSerialNumber(QString version)
{
    Q_UNUSED(version);
}

void StatusTab::OnTextMessageReceived(QString message)
{
    Q_UNUSED(message);
}

void StatusTab::OnAlarmReceived(AlarmData* alarmData)
{
    Q_UNUSED(alarmData);
}

void StatusTab::OnAtoNType(int atonType)
{
    Q_UNUSED(atonType);
}

void StatusTab::OnFaultMessageReceived(QString date, QString time, QString description)
{
    Q_UNUSED(date);
    Q_UNUSED(time);
    Q_UNUSED(description);
}

void StatusTab::OnFaultMessageLogComplete() {}

void StatusTab::OnProximityAlertMessageReceived(QString date, QString time, QString description)
{
    Q_UNUSED(date);
    Q_UNUSED(time);
    Q_UNUSED(description);
}

void StatusTab::OnProximityAlertLogComplete() {}
