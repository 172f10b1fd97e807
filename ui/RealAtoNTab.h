#pragma once

#include <QVariant>

#include "model/AtoNDef.h"
#include "ui/AtoNConfiguration.h"

class QComboBox;
class QRegularExpressionValidator;
class AtoN;
class GpsData;
class Model;
class cAtonTypeManager;

namespace Ui
{
class RealAtoNTab;
}

// The Real AtoN page: edits the real AtoN of its model (MMSIs, name, mode and type, GNSS system,
// dimensions, nominal position, off-position check, addressed MMSI, channels and power). Every user
// change is written at once into the model and announced with Edited(this).
//
// It also averages the unit's reported GNSS position into the nominal position on request, and keeps
// the GNSS system list in step with the receiver the connected unit reports.
class RealAtoNTab : public AtoNConfiguration
{
    Q_OBJECT

public:
    // Samples taken by one averaging run.
    static constexpr int AveragingSampleCount = 300;

    RealAtoNTab(Model* model, QWidget* parent = nullptr);
    ~RealAtoNTab() override;

    bool UpdateTabFromModel(Model* source = nullptr) override;
    bool UpdateModelFromTab(Model* destination = nullptr) override;

    // True when the tab holds what the unit needs before a send: an acceptable MMSI, a name, a GNSS
    // system and a nominal position.
    bool IsConfigurationComplete() const;

    // Before a retrieve: the addressed MMSI goes back to "000000000" and "Delete?" is cleared.
    void ResetAddressedMMSI();
    // On disconnect: no GNSS data can arrive any more.
    void DisableGetGnssPositionButton();
    // Ends a running averaging run and restores the widgets; the position already stored stays.
    void StopGnssPositionAveraging();

    bool IsAveraging() const { return averaging; }
    bool HasExtendedGnssList() const { return extendedGnssList; }

public Q_SLOTS:
    void on_lineMMSI_textEdited(const QString& text);
    void on_lineMMSI_textChanged(const QString& text);
    void EvalulateMMSIValidity(const QString& text);
    void on_lineAddressMMSI_textEdited(const QString& text);
    void on_checkBoxDeleteAddressedMMSI_stateChanged(int state);
    void on_lineName_textEdited(const QString& text);
    void on_comboTypeOfAtoN_currentIndexChanged(int index);
    void enableComboBoxItem(QComboBox* comboBox, const QVariant& findItem, bool enableFlag);
    void on_comboTypeOfGnss_currentIndexChanged(int index);
    void on_lineLatitude_textEdited(const QString& text);
    void on_lineLatitude_editingFinished();
    void on_lineLongitude_textEdited(const QString& text);
    void on_lineLongitude_editingFinished();
    void on_comboPositionAccuracy_currentIndexChanged(int index);
    void on_pushButtonGetGPSPosition_clicked();
    void on_comboChannel1_currentIndexChanged(int index);
    void on_comboChannel2_currentIndexChanged(int index);
    void on_comboPowerLevel_currentIndexChanged(int index);
    void on_checkBoxOffPositionCheck_stateChanged(int state);
    void on_spinBoxOffPositionThreshold_valueChanged(int i);
    void OnCheckBoxOffPositionCheckTicked(bool ticked);
    void EvaluateOffPositionThresholdValidity(int i);
    void on_checkBoxAckProcedure_stateChanged(int state);
    void on_spinBoxDimensionA_valueChanged(int i);
    void on_spinBoxDimensionB_valueChanged(int i);
    void on_spinBoxDimensionC_valueChanged(int i);
    void on_spinBoxDimensionD_valueChanged(int i);
    void OnGpsDataReceived(GpsData* gpsData);
    void on_radioButtonMode_sea_clicked(bool isChecked);
    void on_radioButtonMode_inland_clicked(bool isChecked);
    void onUbloxM8(int m8);
    void onReceivedGnssMode(int mode);

Q_SIGNALS:
    void offPositionSelection(bool selected);
    void UpdateInlandMode(bool inland);
    void sendGnssType(AtoNDef::eGnssSystem type);

private:
    AtoN* RealAtoN() const;
    void MarkEdited();
    void StoreAndMarkEdited();

    void FillComboBoxes();
    void FillGnssSystemCombo(bool extended);
    void FillChannelCombo(QComboBox* comboBox);
    void SetModeTypeList(bool inland);
    void SwitchMode(bool inland);

    // The type shown in the type list: the inland type code less 32 inland, the sea type at sea.
    int ShownTypeOfAtoN() const;
    // Data of the current item, 0 when the combo has no current item.
    static int CurrentData(const QComboBox* comboBox);
    static void SelectData(QComboBox* comboBox, int data);

    void ShowFixedDimensions();
    void ShowFloatingDimensions();
    void ApplyDimensionPanel(int type, bool inland);
    void EnableDimensionsForType();
    void EnableSurveyedItem(bool enable);
    void EnableFloatingTypes(bool enable);
    void EnablePositionAccuracyForSystem();

    void ShowLatitude();
    void ShowLongitude();
    double TypedLatitude() const;
    double TypedLongitude() const;
    void ParseLatitudeText();
    void ParseLongitudeText();
    void OnComboEdit(const QComboBox* comboBox, int index, int stored);
    void OnDimensionEdit(int value, int stored);

    Ui::RealAtoNTab* ui;
    cAtonTypeManager* typeManager;
    QRegularExpressionValidator* mmsiValidator;
    QRegularExpressionValidator* addressMmsiValidator;

    bool typeChangeBlocked;
    bool gnssChangeBlocked;
    bool extendedGnssList;

    bool averaging;
    int sampleCount;
    double latitudeSum;
    double longitudeSum;
    // Longitudes are summed unwrapped around the run's first sample, so that a run across the
    // antimeridian averages on the right side of the world.
    double firstLongitude;
};
