#pragma once

#include <QString>

#include <memory>

#include "ui/AtoNConfiguration.h"
#include "ui/monitor/TrafficDisplay.h"

class ADCSettingsModel;
class MessageSettingsModel;
class SensorSettingsModel;

namespace Ui
{
class SystemInformationTab;
}

// Sensor-set tab 3: a summary of an AIS AtoN Sensor (its configuration, versions and serial numbers,
// digital input states and sensor health). It only displays: the store changes nothing.
class SystemInformationTab : public AtoNConfiguration
{
    Q_OBJECT

public:
    // The two shell commands the tab sends itself, complete with checksum and line end.
    static const QString DigitalInputsSentence;
    static const QString SensorHealthSentence;
    // The two capture boxes hold what a unit keeps sending while the tab is open: they are bounded
    // traffic displays like the monitor tabs', dropping the oldest a block at a time.
    static constexpr int MaxCaptureCharacters = TrafficDisplay::MaxCharacters;
    static constexpr int TrimCharacters = TrafficDisplay::TrimCharacters;

    SystemInformationTab(Model* model, QWidget* parent = nullptr);
    ~SystemInformationTab() override;

    // With a source, its sensor, ADC and message settings records replace the own model's first; then the
    // summary shows the own records and asks the unit for its inputs, health and serial numbers.
    bool UpdateTabFromModel(Model* source = nullptr) override;
    // Nothing to store; true.
    bool UpdateModelFromTab(Model* target = nullptr) override;

    // The sensor tab set tells the tab whether it is the current one.
    void OnTabSelected();
    void OnTabDeselected();
    bool IsActive() const { return active; }
    // True from a sensor health request until the unit's "Return:" line.
    bool IsCapturingSensorHealth() const { return sensorHealthCapture; }

Q_SIGNALS:
    // A complete sentence for the unit.
    void Send(QString line);
    // Asks for the unit's versions and serial numbers.
    void SerialNumbers();

public Q_SLOTS:
    void OnVersion(QString version);
    void OnPCASerialNumber(QString version);
    void OnProductSerialNumber(QString version);
    void OnReceived(QString received);
    void on_refreshDIStatesPushButton_clicked();
    void on_refreshSensorHealthPushButton_clicked();

private:
    void ShowConfiguration();
    void RequestDigitalInputs();
    void RequestSensorHealth();

    std::unique_ptr<Ui::SystemInformationTab> ui;
    std::unique_ptr<TrafficDisplay> digitalInputs;
    std::unique_ptr<TrafficDisplay> sensorHealth;
    SensorSettingsModel* sensorSettings;
    ADCSettingsModel* adcSettings;
    MessageSettingsModel* messageSettings;
    bool active = false;
    bool sensorHealthCapture = false;
};
