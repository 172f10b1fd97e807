#include "ui/settings/AlertMessagesTab.h"

#include <algorithm>

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QSpinBox>

#include "model/AlertMessagesModel.h"
#include "model/Model.h"
#include "ui/AisValidator.h"

#include "ui_AlertMessagesTab.h"

namespace
{

// What the line edits admit: the longer of the two messages, counted both in characters and in the
// length the text takes on the wire. The proximity text, only ever message 12, goes out beside a radius
// of up to five digits, so its length on the wire is bounded by message 12's characters.
constexpr int TextMaxCharacters = AlertMessagesTab::Message14TextLimit;
constexpr int TextMaxEncodedLength = AlertMessagesTab::Message14TextLimit;
constexpr int ProximityMaxEncodedLength = AlertMessagesTab::Message12TextLimit;
// Whatever the editors hold, its line fits with a valid MMSI, and a configuration file keeps it whole.
static_assert(TextMaxEncodedLength <= FieldText::Room(AlertMessagesModel::AlertLineTaken + FieldText::MmsiDigits));
static_assert(ProximityMaxEncodedLength <=
              FieldText::Room(AlertMessagesModel::ProximityLineTaken + FieldText::MmsiDigits +
                              FieldText::NumberWidth(AlertMessagesModel::ProximityRadiusRange.most)));

constexpr int NoMessage = 0;
constexpr int Message12 = 1;
constexpr int Message14 = 2;

void ShowIcon(QLabel* label, bool show)
{
    label->setEnabled(show);
    label->setVisible(show);
}

} // namespace

AlertMessagesTab::AlertMessagesTab(Model* model, QWidget* parent)
    : AtoNConfiguration(model, parent), ui(new Ui::AlertMessages), biitValidator(nullptr),
      offPositionValidator(nullptr), proximityValidator(nullptr)
{
    ui->setupUi(this);

    const QPixmap warning(QStringLiteral(":/Images/messagebox_warning.png"));
    for (QLabel* label : {ui->labelBITFailureWarning, ui->labelOffPositionWarning, ui->labelNoBIITData,
                          ui->labelNoOffPositionData, ui->labelNoVesselProximityData})
    {
        label->setPixmap(warning);
        label->hide();
    }

    biitValidator = new AisValidator(TextMaxCharacters, TextMaxEncodedLength, this);
    offPositionValidator = new AisValidator(TextMaxCharacters, TextMaxEncodedLength, this);
    proximityValidator = new AisValidator(TextMaxCharacters, ProximityMaxEncodedLength, this);
    ui->BITFailureActionsMessageTextLineEdit->setValidator(biitValidator);
    ui->offPositionTextAlertMessageTextLineEdit->setValidator(offPositionValidator);
    ui->vesselProximityAlertMessageTextLineEdit->setValidator(proximityValidator);

    using Tab = AlertMessagesTab;
    connect(ui->noActionIndex1RadioButton, &QRadioButton::toggled, this, &Tab::On_NoActionIndex1RadioButton_Clicked);
    connect(ui->transmitMessage12Index1RadioButton, &QRadioButton::toggled, this,
            &Tab::On_TransmitMessage12Index1RadioButton_Clicked);
    connect(ui->transmitMessage14Index1RadioButton, &QRadioButton::toggled, this,
            &Tab::On_TransmitMessage14Index1RadioButton_Clicked);
    connect(ui->disableMessage12Index2RadioButton, &QRadioButton::toggled, this,
            &Tab::On_DisableMessage12Index2RadioButton_Clicked);
    connect(ui->enableMessage12Index2RadioButton, &QRadioButton::toggled, this,
            &Tab::On_EnableMessage12Index2RadioButton_Clicked);
    connect(ui->disabledIndex3RadioButton, &QRadioButton::toggled, this, &Tab::On_DisabledIndex3RadioButton_Clicked);
    connect(ui->transmitMessage12Index3RadioButton, &QRadioButton::toggled, this,
            &Tab::On_TransmitMessage12Index3RadioButton_Clicked);
    connect(ui->transmitMessage14Index3RadioButton, &QRadioButton::toggled, this,
            &Tab::On_TransmitMessage14Index3RadioButton_Clicked);
    connect(ui->BITFailureActionsMessageTextLineEdit, &QLineEdit::textEdited, this,
            &Tab::On_BITFailureActionsMessageTextLineEdit_TextEdited);
    connect(ui->vesselProximityAlertMessageTextLineEdit, &QLineEdit::textEdited, this,
            &Tab::On_VesselProximityAlertMessageTextLineEdit_TextEdited);
    connect(ui->offPositionTextAlertMessageTextLineEdit, &QLineEdit::textEdited, this,
            &Tab::On_OffPositionTextAlertMessageTextLineEdit_TextEdited);
    connect(ui->vesselProximityAlertRadiusSpinBox, &QSpinBox::valueChanged, this,
            &Tab::On_VesselProximityAlertRadiusSpinBox_ValueChanged);
}

AlertMessagesTab::~AlertMessagesTab()
{
    // The widgets outlive the form object; a focus change while they go must not reach the slots.
    for (QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
    delete ui;
}

AlertMessagesModel* AlertMessagesTab::Record() const
{
    return model->GetAlertMessages();
}

// ---------------------------------------------------------------------------------------------------
// Load and store

bool AlertMessagesTab::UpdateTabFromModel(Model* source)
{
    if (source && source != model)
        *Record() = *source->GetAlertMessages();
    const AlertMessagesModel* r = Record();

    updating = true;
    // An exclusive button is not unchecked by setChecked(false): an action outside the list keeps the
    // group's previous choice on screen.
    ui->noActionIndex1RadioButton->setChecked(r->GetBiitAction() == NoMessage);
    ui->transmitMessage12Index1RadioButton->setChecked(r->GetBiitAction() == Message12);
    ui->transmitMessage14Index1RadioButton->setChecked(r->GetBiitAction() == Message14);
    ui->disableMessage12Index2RadioButton->setChecked(r->GetProximityAction() == NoMessage);
    ui->enableMessage12Index2RadioButton->setChecked(r->GetProximityAction() == Message12);
    ui->disabledIndex3RadioButton->setChecked(r->GetOffPositionAction() == NoMessage);
    ui->transmitMessage12Index3RadioButton->setChecked(r->GetOffPositionAction() == Message12);
    ui->transmitMessage14Index3RadioButton->setChecked(r->GetOffPositionAction() == Message14);

    // The unit keeps texts longer than the editors allow (one reply line bounds them); a maximum
    // length left from an earlier choice must not cut what was read, or the record would hold text the
    // user cannot see. A configuration file's texts come cut to what their lines carry already.
    const auto setText = [](QLineEdit* edit, const QString& text)
    {
        if (edit->maxLength() < text.size())
            edit->setMaxLength(int(text.size()));
        edit->setText(text);
    };
    setText(ui->BITFailureActionsMessageTextLineEdit, r->GetBiitText());
    setText(ui->vesselProximityAlertMessageTextLineEdit, r->GetProximityText());
    setText(ui->offPositionTextAlertMessageTextLineEdit, r->GetOffPositionText());
    ui->vesselProximityAlertRadiusSpinBox->setValue(r->GetProximityRadius());
    updating = false;

    // The tooltips, limits and icons of the previous configuration would be wrong for this one; what
    // the groups now show is evaluated again, without touching the record.
    const int biit = ui->transmitMessage12Index1RadioButton->isChecked()   ? Message12
                     : ui->transmitMessage14Index1RadioButton->isChecked() ? Message14
                                                                           : NoMessage;
    const int offPosition = ui->transmitMessage12Index3RadioButton->isChecked()   ? Message12
                            : ui->transmitMessage14Index3RadioButton->isChecked() ? Message14
                                                                                  : NoMessage;
    const int proximity = ui->enableMessage12Index2RadioButton->isChecked() ? Message12 : NoMessage;
    ShowBiitAction(biit, true);
    ShowOffPositionAction(offPosition, true);
    ShowProximityAction(proximity, true);
    return true;
}

bool AlertMessagesTab::UpdateModelFromTab(Model* target)
{
    if (target && target != model)
        *target->GetAlertMessages() = *Record();
    return true;
}

// ---------------------------------------------------------------------------------------------------
// Group display

void AlertMessagesTab::ChooseAction(ActionGetter get, ActionSetter set, ShowAction show, int action)
{
    bool changed = (Record()->*get)() != action;
    if (changed)
        (Record()->*set)(action);
    changed |= (this->*show)(action, false);
    if (changed)
        CommitUserEdit();
}

bool AlertMessagesTab::LimitText(QLineEdit* edit, int limit, bool keepText, TextGetter get, TextSetter set)
{
    edit->setMaxLength(keepText ? std::max(limit, int(edit->text().size())) : limit);
    if ((Record()->*get)() == edit->text())
        return false;
    (Record()->*set)(edit->text());
    return true;
}

bool AlertMessagesTab::ShowBiitAction(int action, bool keepText)
{
    QLineEdit* edit = ui->BITFailureActionsMessageTextLineEdit;
    if (action == NoMessage)
    {
        edit->setToolTip(tr("Message editing not allowed for the currently selected option"));
        ShowIcon(ui->labelBITFailureWarning, false);
        ShowIcon(ui->labelNoBIITData, false);
        return false;
    }
    edit->setToolTip(tr("Maximum number of characters allowed is %1")
                         .arg(action == Message12 ? Message12TextLimit : Message14TextLimit));
    const bool cut = LimitText(edit, Message14TextLimit, keepText, &AlertMessagesModel::GetBiitText,
                               &AlertMessagesModel::SetBiitText);
    EvaluateBITFailureWarningMessage();
    return cut;
}

bool AlertMessagesTab::ShowOffPositionAction(int action, bool keepText)
{
    QLineEdit* edit = ui->offPositionTextAlertMessageTextLineEdit;
    if (action == NoMessage)
    {
        edit->setToolTip(tr("Message editing not allowed for the currently selected option"));
        ShowIcon(ui->labelOffPositionWarning, false);
        ShowIcon(ui->labelNoOffPositionData, false);
        return false;
    }
    edit->setToolTip(tr("Maximum number of characters allowed is %1")
                         .arg(action == Message12 ? Message12TextLimit : Message14TextLimit));
    const bool cut = LimitText(edit, Message14TextLimit, keepText, &AlertMessagesModel::GetOffPositionText,
                               &AlertMessagesModel::SetOffPositionText);
    if (action == Message14)
        ShowIcon(ui->labelOffPositionWarning, false);
    EvaluateOffPositionAlertWarningMessage();
    return cut;
}

bool AlertMessagesTab::ShowProximityAction(int action, bool keepText)
{
    QLineEdit* edit = ui->vesselProximityAlertMessageTextLineEdit;
    if (action == NoMessage)
    {
        edit->setToolTip(tr("Message editing not allowed for the currently selected option"));
        ui->vesselProximityAlertRadiusSpinBox->setToolTip(
            tr("Radius editing not allowed for currently selected option"));
        ShowIcon(ui->labelNoVesselProximityData, false);
        return false;
    }
    edit->setToolTip(tr("Maximum number of characters allowed is %1").arg(Message12TextLimit));
    ui->vesselProximityAlertRadiusSpinBox->setToolTip(tr("Valid range is 0 to 30km in 10m steps"));
    const bool cut = LimitText(edit, Message12TextLimit, keepText, &AlertMessagesModel::GetProximityText,
                               &AlertMessagesModel::SetProximityText);
    EvaluateVesselProximityWarningMessage();
    return cut;
}

// ---------------------------------------------------------------------------------------------------
// Radio buttons

void AlertMessagesTab::On_NoActionIndex1RadioButton_Clicked(bool state)
{
    if (updating || !state)
        return;
    ChooseAction(&AlertMessagesModel::GetBiitAction, &AlertMessagesModel::SetBiitAction,
                 &AlertMessagesTab::ShowBiitAction, NoMessage);
}

void AlertMessagesTab::On_TransmitMessage12Index1RadioButton_Clicked(bool state)
{
    if (updating || !state)
        return;
    ChooseAction(&AlertMessagesModel::GetBiitAction, &AlertMessagesModel::SetBiitAction,
                 &AlertMessagesTab::ShowBiitAction, Message12);
}

void AlertMessagesTab::On_TransmitMessage14Index1RadioButton_Clicked(bool state)
{
    if (updating || !state)
        return;
    ChooseAction(&AlertMessagesModel::GetBiitAction, &AlertMessagesModel::SetBiitAction,
                 &AlertMessagesTab::ShowBiitAction, Message14);
}

void AlertMessagesTab::On_DisableMessage12Index2RadioButton_Clicked(bool state)
{
    if (updating)
        return;
    if (!state)
    {
        ShowIcon(ui->labelNoVesselProximityData, false);
        return;
    }
    ChooseAction(&AlertMessagesModel::GetProximityAction, &AlertMessagesModel::SetProximityAction,
                 &AlertMessagesTab::ShowProximityAction, NoMessage);
}

void AlertMessagesTab::On_EnableMessage12Index2RadioButton_Clicked(bool state)
{
    if (updating)
        return;
    if (!state)
    {
        EvaluateVesselProximityWarningMessage();
        return;
    }
    ChooseAction(&AlertMessagesModel::GetProximityAction, &AlertMessagesModel::SetProximityAction,
                 &AlertMessagesTab::ShowProximityAction, Message12);
}

void AlertMessagesTab::On_DisabledIndex3RadioButton_Clicked(bool state)
{
    if (updating || !state)
        return;
    ChooseAction(&AlertMessagesModel::GetOffPositionAction, &AlertMessagesModel::SetOffPositionAction,
                 &AlertMessagesTab::ShowOffPositionAction, NoMessage);
}

void AlertMessagesTab::On_TransmitMessage12Index3RadioButton_Clicked(bool state)
{
    if (updating || !state)
        return;
    ChooseAction(&AlertMessagesModel::GetOffPositionAction, &AlertMessagesModel::SetOffPositionAction,
                 &AlertMessagesTab::ShowOffPositionAction, Message12);
}

void AlertMessagesTab::On_TransmitMessage14Index3RadioButton_Clicked(bool state)
{
    if (updating)
        return;
    if (!state)
    {
        EvaluateOffPositionAlertWarningMessage();
        return;
    }
    ChooseAction(&AlertMessagesModel::GetOffPositionAction, &AlertMessagesModel::SetOffPositionAction,
                 &AlertMessagesTab::ShowOffPositionAction, Message14);
}

// ---------------------------------------------------------------------------------------------------
// Warnings

void AlertMessagesTab::EvaluateBITFailureWarningMessage()
{
    const bool message12 = ui->transmitMessage12Index1RadioButton->isChecked();
    const bool message14 = ui->transmitMessage14Index1RadioButton->isChecked();
    if (!message12 && !message14)
        return;
    const int n = int(ui->BITFailureActionsMessageTextLineEdit->text().size());
    ShowIcon(ui->labelNoBIITData, n == 0);
    ShowIcon(ui->labelBITFailureWarning,
             (message12 && n > Message12TextLimit) || (message14 && n > Message14TextLimit));
}

void AlertMessagesTab::EvaluateOffPositionAlertWarningMessage()
{
    const bool message12 = ui->transmitMessage12Index3RadioButton->isChecked();
    const bool message14 = ui->transmitMessage14Index3RadioButton->isChecked();
    if (!message12 && !message14)
        return;
    const int n = int(ui->offPositionTextAlertMessageTextLineEdit->text().size());
    ShowIcon(ui->labelNoOffPositionData, n == 0);
    ShowIcon(ui->labelOffPositionWarning,
             (message12 && n > Message12TextLimit) || (message14 && n > Message14TextLimit));
}

void AlertMessagesTab::EvaluateVesselProximityWarningMessage()
{
    if (!ui->enableMessage12Index2RadioButton->isChecked())
        return;
    ShowIcon(ui->labelNoVesselProximityData, ui->vesselProximityAlertMessageTextLineEdit->text().isEmpty());
}

// ---------------------------------------------------------------------------------------------------
// Texts and radius

void AlertMessagesTab::StoreText(QLineEdit* edit, const QString& value, TextGetter get, TextSetter set,
                                 void (AlertMessagesTab::*evaluate)())
{
    if (updating)
        return;
    const bool changed = (Record()->*get)() != value;
    if (changed)
        (Record()->*set)(value);
    (this->*evaluate)();
    edit->clearFocus();
    edit->setFocus(Qt::OtherFocusReason);
    if (changed)
        CommitUserEdit();
}

void AlertMessagesTab::On_BITFailureActionsMessageTextLineEdit_TextEdited(QString value)
{
    StoreText(ui->BITFailureActionsMessageTextLineEdit, value, &AlertMessagesModel::GetBiitText,
              &AlertMessagesModel::SetBiitText, &AlertMessagesTab::EvaluateBITFailureWarningMessage);
}

void AlertMessagesTab::On_VesselProximityAlertMessageTextLineEdit_TextEdited(QString value)
{
    StoreText(ui->vesselProximityAlertMessageTextLineEdit, value, &AlertMessagesModel::GetProximityText,
              &AlertMessagesModel::SetProximityText, &AlertMessagesTab::EvaluateVesselProximityWarningMessage);
}

void AlertMessagesTab::On_OffPositionTextAlertMessageTextLineEdit_TextEdited(QString value)
{
    StoreText(ui->offPositionTextAlertMessageTextLineEdit, value, &AlertMessagesModel::GetOffPositionText,
              &AlertMessagesModel::SetOffPositionText, &AlertMessagesTab::EvaluateOffPositionAlertWarningMessage);
}

void AlertMessagesTab::On_VesselProximityAlertRadiusSpinBox_ValueChanged(int value)
{
    if (updating)
        return;
    const bool changed = Record()->GetProximityRadius() != value;
    if (changed)
        Record()->SetProximityRadius(value);
    EvaluateVesselProximityWarningMessage();
    if (changed)
        CommitUserEdit();
}
