#pragma once

#include <QList>

#include "model/SensorSettingsModel.h"
#include "ui/settings/SensorSetTab.h"
#include "ui/settings/SettingsBinding.h"

class QRadioButton;

namespace Ui
{
class SensorSettingsTab;
}

// Sensor-set tab 0: the sensor configuration option of an AIS AtoN Sensor (which sensors are fitted and
// how they are wired), its current-profiler cells, water level datum, Airmar port, RS422 enable and
// relays. Edits the sensor settings record of its model; the record is filled only from the unit. Until
// the first retrieve the tab shows only an instruction to retrieve the configuration.
class SensorSettingsTab : public SensorSetTab
{
    Q_OBJECT

public:
    // Configuration codes besides the options 0 to 4.
    static constexpr int OptionZeroOnlyCode = 98;
    static constexpr int FixedConfigurationCode = 99;

    SensorSettingsTab(Model* model, QWidget* parent = nullptr);
    ~SensorSettingsTab() override;

    // With a source, its sensor record replaces the tab's own first. The layout follows the configuration
    // code. Every load tells the Live Data tab whether the loaded option has a wave meter.
    bool UpdateTabFromModel(Model* source = nullptr) override;
    // Writes the tab into the sensor record of the target, or of the tab's own model without one.
    bool UpdateModelFromTab(Model* target = nullptr) override;

    // Back to the view of a tab that has read nothing yet (after New): the widgets take the own record and
    // only the instruction to retrieve the configuration shows.
    void ShowNotRetrieved();

    // Shows the sensor option group and the three setting groups, and hides the instruction.
    void ShowSensorControls();

    // Options 1 to 4 are the configurations with a wave meter.
    static bool HasWaveMeter(int configurationCode);

Q_SIGNALS:
    // Whether the option just selected or loaded has a wave meter.
    void EnableWaveMeterDataControls(bool enable);

public Q_SLOTS:
    void on_sensorConfigurationOption0RadioButton_toggled(bool state);
    void on_sensorConfigurationOption1RadioButton_toggled(bool state);
    void on_sensorConfigurationOption2RadioButton_toggled(bool state);
    void on_sensorConfigurationOption3RadioButton_toggled(bool state);
    void on_sensorConfigurationOption4RadioButton_toggled(bool state);
    void on_surfaceCurrent1SpinBox_valueChanged(int val);
    void on_surfaceCurrent2SpinBox_valueChanged(int val);
    void on_surfaceCurrent3SpinBox_valueChanged(int val);
    void on_datumOffsetSpinBox_valueChanged(int val);
    void on_rs232RadioButton_toggled(bool state);
    void on_rs422RadioButton_toggled(bool state);
    void on_checkBoxEnableRS422_toggled(bool tick);
    void on_checkBoxRelay1_toggled(bool tick);
    void on_checkBoxRelay2_toggled(bool tick);

private:
    // The layout of a newly built tab: only the instruction shows, and every option row is back (a unit
    // offering option 0 only hides the others).
    void RestoreBaselineLayout();
    // The option radio buttons 0 to 4 and the three port labels of each option's row.
    QRadioButton* OptionButton(int option) const;
    QList<QWidget*> RowLabels(int option) const;
    void OnOptionToggled(bool state);
    void Store();

    Ui::SensorSettingsTab* ui;
    QList<SettingsBinding::SpinField<SensorSettingsModel>> spinFields;
    // The record as the last load found it. The store keeps the unit's values that the widgets cannot show
    // until the user changes them: a retrieve followed by a send leaves the unit as it was.
    SensorSettingsModel loaded;
    // A code that no option button stands for (a fixed configuration, a unit offering option 0 only, a code
    // this tool does not know) is sent back as such until the user chooses an option, rather than
    // reconfiguring the unit to the option the tab happens to check.
    bool keepLoadedCode = false;
    // Set while a load sets the widgets: the option slots then report the unit's choice, not the user's.
    bool loading = false;
};
