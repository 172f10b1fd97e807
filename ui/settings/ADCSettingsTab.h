#pragma once

#include <QList>

#include "model/ADCSettingsModel.h"
#include "ui/settings/SensorSetTab.h"
#include "ui/settings/SettingsBinding.h"

namespace Ui
{
class ADCSettingsTab;
}

// Sensor-set tab 1: the light current sensing of an AIS AtoN Sensor, what sets its light "on" bit, the
// scaling of its four analogue inputs and the output unit sizes. Edits the ADC settings record of its
// model; the record is filled only from the unit.
class ADCSettingsTab : public SensorSetTab
{
    Q_OBJECT

public:
    ADCSettingsTab(Model* model, QWidget* parent = nullptr);
    ~ADCSettingsTab() override;

    // With a source, its record replaces the tab's own first; then the widgets follow the own record.
    bool UpdateTabFromModel(Model* source = nullptr) override;
    // Writes the tab into the record of the target, or of the tab's own model without one.
    bool UpdateModelFromTab(Model* target = nullptr) override;

public Q_SLOTS:
    void on_enableCurrentSenseCheckBox_toggled(bool state);
    void on_currentSenseThresholdSpinBox_valueChanged(int val);
    void on_internalISENSELoopRadioButton_toggled(bool state);
    void on_externalADC2RadioButton_toggled(bool state);
    void on_ISODI1RadioButton_toggled(bool state);
    void on_currentSenseRadioButton_toggled(bool state);
    void on_icssDividendSpinBox_valueChanged(int val);
    void on_icssDivisorSpinBox_valueChanged(int val);
    void on_icssKFactorSpinBox_valueChanged(int val);
    void on_icssOffsetSpinBox_valueChanged(int val);
    void on_ecssDividendSpinBox_valueChanged(int val);
    void on_ecssDivisorSpinBox_valueChanged(int val);
    void on_ecssKFactorSpinBox_valueChanged(int val);
    void on_ecssOffsetSpinBox_valueChanged(int val);
    void on_ivsDividendSpinBox_valueChanged(int val);
    void on_ivsDivisorSpinBox_valueChanged(int val);
    void on_ivsKFactorSpinBox_valueChanged(int val);
    void on_ivsOffsetSpinBox_valueChanged(int val);
    void on_evsDividendSpinBox_valueChanged(int val);
    void on_evsDivisorSpinBox_valueChanged(int val);
    void on_evsKFactorSpinBox_valueChanged(int val);
    void on_evsOffsetSpinBox_valueChanged(int val);
    void on_CurrentCountSpinBox_valueChanged(int val);
    void on_VoltageCountSpinBox_valueChanged(double val);

private:
    void Store();

    Ui::ADCSettingsTab* ui;
    // The threshold; then the sixteen scaling values and the current unit, in the order a load sets them.
    QList<SettingsBinding::SpinField<ADCSettingsModel>> thresholdField;
    QList<SettingsBinding::SpinField<ADCSettingsModel>> scalingFields;
    // The record as the last load found it: values beyond the boxes go back as the unit had them.
    ADCSettingsModel loaded;
};
