#pragma once

#include <QPointer>
#include <memory>

#include "ui/AtoNConfiguration.h"

class QBoxLayout;
class QRegularExpressionValidator;
class VirtualAtoNModel;
class VirtualMessageScheduleDelegate;
class VirtualMessageScheduleTableModel;
class cAtonTypeManager;

namespace Ui
{
class VirtualAtoNWidget;
}

// The editor of one virtual or synthetic AtoN: one of the ten virtual AtoN records of the tab model.
// The Virtual AtoN tab creates ten of them. The page object itself shows nothing: it builds its form on
// a plain widget in the placeholder layout the tab hands over, and drives that form. It always loads
// from, and stores into, its own record; every accepted edit is stored at once and announced with
// Edited(this).
class VirtualAtoNWidget : public AtoNConfiguration
{
    Q_OBJECT

public:
    // record: the tab model's record of this page (not owned; null is std::bad_alloc). placeholder: the
    // layout the page's form goes into.
    VirtualAtoNWidget(Model* model, VirtualAtoNModel* record, QBoxLayout* placeholder, QWidget* parent);
    ~VirtualAtoNWidget() override;

    // Both ignore their argument: the page's data is its own record.
    bool UpdateTabFromModel(Model* source = nullptr) override;
    bool UpdateModelFromTab(Model* target = nullptr) override;

    // Takes over a record (the unit's, after a retrieve; a file's) and reloads.
    void SetModel(VirtualAtoNModel* source);

    // Whether the page may be sent: a page without Enable always; an enabled one needs an acceptable
    // MMSI, a name and a position. The MMSI text itself is judged, not whether its warning happens to be
    // on screen, so a page that is not shown is judged like the shown one.
    bool IsValid() const;

    VirtualAtoNModel* GetRecord() const { return record; }
    // The plain widget the form is built on (its widgets carry the form's object names).
    QWidget* GetForm() const { return form; }

protected:
    // Sizes the fields again when their font or style changes.
    bool eventFilter(QObject* watched, QEvent* event) override;

public Q_SLOTS:
    void on_enableCheckBox_toggled(bool b);
    void on_syntheticRadioButton_toggled(bool b);
    void on_MMSILineEdit_textEdited(const QString& text);
    void on_MMSILineEdit_textChanged(const QString& text);
    void EvalulateMMSIValidity(const QString& text);
    void on_nameLineEdit_textEdited(const QString& text);
    void on_AtoNTypeComboBox_currentIndexChanged(int index);
    void on_comboVPowerLevel_currentIndexChanged(int index);
    void on_latitudeLineEdit_textEdited(const QString& text);
    void on_latitudeLineEdit_editingFinished();
    void on_positionAccuracyComboBox_currentIndexChanged(int index);
    void on_longitudeLineEdit_textEdited(const QString& text);
    void on_longitudeLineEdit_editingFinished();
    void on_spinBoxDimensionA_valueChanged(int i);
    void on_spinBoxDimensionB_valueChanged(int i);
    void on_spinBoxDimensionC_valueChanged(int i);
    void on_spinBoxDimensionD_valueChanged(int i);
    void OnDelegateEdited();
    void on_radioButton_modeInland_toggled(bool isChecked);

private:
    void Initialise(QBoxLayout* placeholder);
    void PopulateComboBoxes();
    void SetUpScheduleTable();
    // The MMSI and position fields wide enough for their widest text, the schedule table high enough
    // for several rows.
    void SizeFieldsToFont();
    void Connect();
    void LoadWidgets();
    void SaveWidgets();
    // The MMSI field is editable until it holds an MMSI the validator accepts.
    void SetMMSIEditable(const QString& mmsi);
    void UpdateDimensionsEnabled();
    void ApplyDimensionLayout(int type);
    void ShowFixedDimensions();
    void ShowFloatingDimensions();
    // The type the list shows for the record: the inland number inland, the sea type at sea.
    int ShownType() const;
    // Store and mark edited when a widget's value differs from the stored one.
    void OnValueEdit(int value, int stored);
    // The latitude (true) or longitude field's text into the record; false while loading.
    bool TakePosition(bool latitude);
    void OnPositionEdited(bool latitude);
    void OnPositionFinished(bool latitude);

    std::unique_ptr<Ui::VirtualAtoNWidget> ui;
    QPointer<QWidget> form;
    VirtualAtoNModel* record;
    VirtualMessageScheduleTableModel* tableModel;
    VirtualMessageScheduleDelegate* delegate = nullptr;
    cAtonTypeManager* typeManager;
    QRegularExpressionValidator* mmsiValidator = nullptr;
};
