#pragma once

#include <QList>

#include "model/MessageSettingsModel.h"
#include "ui/settings/SensorSetTab.h"
#include "ui/settings/SettingsBinding.h"

class QCheckBox;

namespace Ui
{
class MessageSettingsTab;
}

// Sensor-set tab 2: the formats and identifiers of the messages 6 and 8 an AIS AtoN Sensor transmits, its
// battery threshold, voltage source, supply type and status bit inversion. Edits the message settings
// record of its model; the record is filled only from the unit.
class MessageSettingsTab : public SensorSetTab
{
    Q_OBJECT

public:
    MessageSettingsTab(Model* model, QWidget* parent = nullptr);
    ~MessageSettingsTab() override;

    // With a source, its record replaces the tab's own first; then the widgets follow the own record.
    bool UpdateTabFromModel(Model* source = nullptr) override;
    // Writes the tab into the record of the target, or of the tab's own model without one.
    bool UpdateModelFromTab(Model* target = nullptr) override;

    // Checks the check box of each bit of the mask that is set (bits 0 to 7) and unchecks the others.
    void SetStatusBits(int mask);

public Q_SLOTS:
    void on_zeniLiteFormatRadioButton_toggled(bool state);
    void on_GLAFormatRadioButton_toggled(bool state);
    void on_message6FISpinBox_valueChanged(int val);
    void on_message6DACSpinBox_valueChanged(int val);
    void on_message6SubIDSpinBox_valueChanged(int val);
    void on_voltageThresholdBatteryStatusDoubleSpinBox_valueChanged(double val);
    void on_internalVoltageADCRadioButton_toggled(bool state);
    void on_externalIsolatedADC1RadioButton_toggled(bool state);
    void on_ACRadioButton_toggled(bool state);
    void on_DCRadioButton_toggled(bool state);
    void on_FI11RadioButton_toggled(bool state);
    void on_FI31RadioButton_toggled(bool state);
    void statusBitControlSlot();

private:
    void Store();

    Ui::MessageSettingsTab* ui;
    QList<SettingsBinding::SpinField<MessageSettingsModel>> spinFields;
    // checkBox_bit_0 to checkBox_bit_7, by bit.
    QList<QCheckBox*> bitBoxes;
    bool loading = false;
    bool storedWhileLoading = false;
    // The record as the last load found it: values beyond the widgets go back as the unit had them.
    MessageSettingsModel loaded;
};
