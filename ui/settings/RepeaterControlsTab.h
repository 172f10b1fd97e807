#pragma once

#include <QList>

#include "model/RepeaterModel.h"
#include "ui/AtoNConfiguration.h"
#include "ui/settings/SettingsBinding.h"

namespace Ui
{
class RepeaterControls;
}

// The "Repeater" tab: how the unit repeats SART, message 21, 8 and 6 traffic (repeat indicator, guard
// time, and for message 21 the range to the source). It edits the repeater record of its model; every
// user change is stored at once and announced with Edited(this).
class RepeaterControlsTab : public AtoNConfiguration
{
    Q_OBJECT

public:
    RepeaterControlsTab(Model* model, QWidget* parent = nullptr);
    ~RepeaterControlsTab() override;

    // With a source, its record replaces the tab's own first; then the widgets follow the own record.
    bool UpdateTabFromModel(Model* source = nullptr) override;
    // Writes the tab into the record of the target, or of the tab's own model without one.
    bool UpdateModelFromTab(Model* target = nullptr) override;

public Q_SLOTS:
    void on_comboBox_SartControls_currentIndexChanged(int index);
    void on_comboBox_message_21_RI_currentIndexChanged(int index);
    void on_comboBox_message_8_RI_currentIndexChanged(int index);
    void on_comboBox_message_6_RI_currentIndexChanged(int index);
    void on_spinBox_21_timeout_valueChanged(int value);
    void on_spinBox_8_timeout_valueChanged(int value);
    void on_spinBox_6_timeout_valueChanged(int value);
    void on_doubleSpinBox_message_21_range_valueChanged(double value);

private:
    void FillComboBoxes();
    // Steps 1 and 2 of the edit road: a change from loading, or to the value already held, stores nothing.
    void OnEdit(int shown, int (RepeaterModel::*stored)() const);

    Ui::RepeaterControls* ui;
    QList<SettingsBinding::ComboField<RepeaterModel>> comboFields;
    QList<SettingsBinding::SpinField<RepeaterModel>> spinFields;
    // The record as the last load found it: settings beyond the widgets go back as the unit had them.
    RepeaterModel loaded;
};
