#pragma once

#include <QString>

#include "ui/AtoNConfiguration.h"

// Sensor-set tab 3: a summary of an AIS AtoN Sensor (its configuration, versions and serial numbers,
// digital input states and sensor health). It only displays: the store changes nothing.
class SystemInformationTab : public AtoNConfiguration
{
    Q_OBJECT

public:
    SystemInformationTab(Model* model, QWidget* parent = nullptr);
    ~SystemInformationTab() override;

    // With a source, its sensor, ADC and message settings records replace the own model's first; then the
    // summary shows the own records.
    bool UpdateTabFromModel(Model* source = nullptr) override;
    // Nothing to store; true.
    bool UpdateModelFromTab(Model* target = nullptr) override;

    // The sensor tab set tells the tab whether it is the current one.
    void OnTabSelected();
    void OnTabDeselected();
    bool IsActive() const { return active; }

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

private:
    bool active = false;
};
