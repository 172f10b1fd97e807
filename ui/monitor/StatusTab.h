#pragma once

#include <QString>
#include <QWidget>

class AlarmData;

// The "Diagnostics" tab: the unit's details (versions, serial number, supply voltage, VSWR, AtoN type),
// its active alarms and text messages, and the fault and proximity-alert logs written as XML reports.
// It has no model; it shows what the transport and the message decoder deliver while connected.
class StatusTab : public QWidget
{
    Q_OBJECT

public:
    explicit StatusTab(QWidget* parent = nullptr);
    ~StatusTab() override;

    // Back to "Unknown", tables empty, report label cleared: on a user disconnect and on close.
    void ClearStatus();
    // Empties the report label: on every change of the current AtoN tab.
    void ClearReportLabel();

Q_SIGNALS:
    // The user chose the report file: ask the unit for its log.
    void FaultLogRequest();
    void PrxLogRequest();

public Q_SLOTS:
    void OnVSWR(double ratio);
    void OnVIN(double voltage);
    void OnVersion(QString version);
    void OnVariant(QString variant);
    void OnBootloaderVersion(QString version);
    void OnPCASerialNumber(QString version);
    void OnProductSerialNumber(QString version);
    void OnTextMessageReceived(QString message);
    void OnAlarmReceived(AlarmData* alarmData);
    void OnAtoNType(int atonType);
    void OnFaultMessageReceived(QString date, QString time, QString description);
    void OnFaultMessageLogComplete();
    void OnProximityAlertMessageReceived(QString date, QString time, QString description);
    void OnProximityAlertLogComplete();
};
