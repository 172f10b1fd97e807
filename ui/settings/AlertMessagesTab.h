#pragma once

#include "ui/AtoNConfiguration.h"

class AlertMessagesModel;
class AisValidator;
class QLabel;
class QLineEdit;

namespace Ui
{
class AlertMessages;
}

// The "Alert Messages" tab: what the unit transmits on a BIIT failure, a vessel too close and an
// off-position alarm. It edits the alert-messages record of its model.
//
// A message 12 carries at most 41 characters of text and a message 14 at most 45; the tab lets the
// user type up to 45 (41 for the proximity alert, which only message 12 carries) and raises a warning
// icon for a text too long for the chosen message, or an empty text the unit would not send.
class AlertMessagesTab : public AtoNConfiguration
{
    Q_OBJECT

public:
    // Text limits of the two safety messages, in characters.
    static constexpr int Message12TextLimit = 41;
    static constexpr int Message14TextLimit = 45;

    AlertMessagesTab(Model* model, QWidget* parent = nullptr);
    ~AlertMessagesTab() override;

    // With a source, its record replaces the tab's own first; then the widgets follow the own record.
    bool UpdateTabFromModel(Model* source = nullptr) override;
    // Every edit is already in the tab's own record; with a target the record is copied there.
    bool UpdateModelFromTab(Model* target = nullptr) override;

public Q_SLOTS:
    void On_NoActionIndex1RadioButton_Clicked(bool state);
    void On_TransmitMessage12Index1RadioButton_Clicked(bool state);
    void EvaluateBITFailureWarningMessage();
    void On_TransmitMessage14Index1RadioButton_Clicked(bool state);
    void On_DisableMessage12Index2RadioButton_Clicked(bool state);
    void On_EnableMessage12Index2RadioButton_Clicked(bool state);
    void On_DisabledIndex3RadioButton_Clicked(bool state);
    void On_TransmitMessage12Index3RadioButton_Clicked(bool state);
    void EvaluateOffPositionAlertWarningMessage();
    void On_TransmitMessage14Index3RadioButton_Clicked(bool state);
    void On_BITFailureActionsMessageTextLineEdit_TextEdited(QString value);
    void On_VesselProximityAlertMessageTextLineEdit_TextEdited(QString value);
    void On_OffPositionTextAlertMessageTextLineEdit_TextEdited(QString value);
    void On_VesselProximityAlertRadiusSpinBox_ValueChanged(int value);
    void EvaluateVesselProximityWarningMessage();

private:
    using TextGetter = QString (AlertMessagesModel::*)() const;
    using TextSetter = void (AlertMessagesModel::*)(const QString&);
    using ActionGetter = int (AlertMessagesModel::*)() const;
    using ActionSetter = void (AlertMessagesModel::*)(int);

    AlertMessagesModel* Record() const;
    using ShowAction = bool (AlertMessagesTab::*)(int action, bool keepText);
    // A user's choice of a group's action: stores it, shows the group for it, and commits what changed.
    void ChooseAction(ActionGetter get, ActionSetter set, ShowAction show, int action);
    // Gives the line edit a new maximum length. From a user's choice a text it cuts is stored as cut,
    // so the unit is never sent text the user cannot see (true then); a load keeps the whole text.
    bool LimitText(QLineEdit* edit, int limit, bool keepText, TextGetter get, TextSetter set);
    // Tooltips, maximum length and icons of a group for its action; true when the stored text changed.
    bool ShowBiitAction(int action, bool keepText);
    bool ShowOffPositionAction(int action, bool keepText);
    bool ShowProximityAction(int action, bool keepText);
    void StoreText(QLineEdit* edit, const QString& value, TextGetter get, TextSetter set,
                   void (AlertMessagesTab::*evaluate)());

    Ui::AlertMessages* ui;
    AisValidator* biitValidator;
    AisValidator* offPositionValidator;
    AisValidator* proximityValidator;
};
