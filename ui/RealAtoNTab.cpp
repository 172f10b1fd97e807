#include "ui/RealAtoNTab.h"

#include <cmath>
#include <new>

#include <QComboBox>
#include <QMessageBox>
#include <QPixmap>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStandardItemModel>

#include "decoders/GpsData.h"
#include "model/AtoN.h"
#include "model/GeoPosition.h"
#include "model/Model.h"
#include "ui/AisValidator.h"
#include "ui/AtoNFieldsCommon.h"
#include "ui/cAtonTypeManager.h"

#include "ui_RealAtoNTab.h"

namespace
{

const QString MmsiPattern = QStringLiteral("(?!000000000)([0-9]{9,9})");
const QString NoMMSI = QStringLiteral("000000000");

constexpr int SurveyedSystem = AtoNDef::GNSS_SURVEYED;
constexpr int ReferencePointType = AtoNDef::REFERENCE_POINT;
constexpr int InlandTypeOffset = 32;
constexpr int AtoNTypeCount = 32;
constexpr int OffPositionWarningBelow = 20;
constexpr int NameMaxCharacters = 34;
constexpr int NameMaxEncodedLength = 52;
constexpr int WarningIconSize = 16;

// Item flags of a combo box item as its standard item model holds them (role Qt::UserRole - 1).
constexpr int ItemFlagsRole = Qt::UserRole - 1;
constexpr int ItemEnabledFlags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;

// Check box states as the stateChanged signal reports them.
constexpr int CheckedState = Qt::Checked;

// Frequency of a VHF channel in kHz. Simplex channels of the 20nn block keep their 10nn frequency; the
// others are the duplex upper leg, 4.6 MHz above.
int ChannelFrequencyKHz(int channel)
{
    const int block = channel / 1000;
    const int nn = channel % 1000;
    int kHz = (nn < 60) ? 156050 + 50 * (nn - 1) : 156025 + 50 * (nn - 60);
    if (block == 2)
    {
        const bool simplex = nn == 6 || (nn >= 8 && nn <= 17) || (nn >= 67 && nn <= 77);
        if (!simplex)
        {
            kHz += 4600;
        }
    }
    return kHz;
}

// Decimal places of the position fields' tool tips.
constexpr int ToolTipDecimals = 6;

} // namespace

RealAtoNTab::RealAtoNTab(Model* model, QWidget* parent)
    : AtoNConfiguration(model, parent), ui(new Ui::RealAtoNTab), typeManager(nullptr), mmsiValidator(nullptr),
      addressMmsiValidator(nullptr), typeChangeBlocked(false), gnssChangeBlocked(false), extendedGnssList(false),
      averaging(false), sampleCount(0), latitudeSum(0.0), longitudeSum(0.0), firstLongitude(0.0)
{
    ui->setupUi(this);
    typeManager = new cAtonTypeManager(this);

    ui->radioButtonMode_sea->setChecked(true);

    FillComboBoxes();

    ui->labelOffPositionFeedback->hide();
    ui->labelOffPositionFeedback->raise();
    ui->labelOffPositionFeedback->setFixedSize(WarningIconSize, WarningIconSize);
    ui->labelOffPositionFeedback->setPixmap(QPixmap(QStringLiteral(":/Images/messagebox_warning.png")));
    ui->MMSIValidationWarningLabel->show();
    ui->comboPositionAccuracy->setEnabled(false);

    const QRegularExpression mmsiExpression(MmsiPattern);
    mmsiValidator = new QRegularExpressionValidator(mmsiExpression, this);
    addressMmsiValidator = new QRegularExpressionValidator(mmsiExpression, this);
    ui->lineMMSI->setValidator(mmsiValidator);
    ui->lineAddressMMSI->setValidator(addressMmsiValidator);
    ui->lineName->setValidator(new AisValidator(NameMaxCharacters, NameMaxEncodedLength, this));
    ui->checkBoxDeleteAddressedMMSI->setChecked(false);
    typeChangeBlocked = false;

    UpdateTabFromModel();
}

RealAtoNTab::~RealAtoNTab()
{
    // The widgets outlive this destructor (QWidget deletes them later); a focus change while they go
    // must not reach the slots once the form is gone.
    for (QObject* child : findChildren<QObject*>())
    {
        disconnect(child, nullptr, this, nullptr);
    }
    delete typeManager;
    typeManager = nullptr;
    delete ui;
}

AtoN* RealAtoNTab::RealAtoN() const
{
    AtoN* aton = model->GetRealAtoN();
    if (aton == nullptr)
    {
        throw std::bad_alloc();
    }
    return aton;
}

void RealAtoNTab::MarkEdited()
{
    edited = true;
    Q_EMIT Edited(this);
}

void RealAtoNTab::StoreAndMarkEdited()
{
    UpdateModelFromTab();
    MarkEdited();
}

// ---------------------------------------------------------------------------------------------------
// Lists

void RealAtoNTab::FillComboBoxes()
{
    updating = true;
    cAtonTypeManager::FillIalaAtoNTypes(ui->comboTypeOfAtoN);
    updating = false;

    updating = true;
    FillGnssSystemCombo(true);

    AtoNFields::FillPositionAccuracies(ui->comboPositionAccuracy);

    FillChannelCombo(ui->comboChannel1);
    FillChannelCombo(ui->comboChannel2);

    AtoNFields::FillPowerLevels(ui->comboPowerLevel);
    updating = false;
}

void RealAtoNTab::FillChannelCombo(QComboBox* comboBox)
{
    const int ranges[][2] = {{1001, 1028}, {1060, 1088}, {2001, 2028}, {2060, 2088}};
    for (const auto& range : ranges)
    {
        for (int channel = range[0]; channel <= range[1]; ++channel)
        {
            const int kHz = ChannelFrequencyKHz(channel);
            const QString frequency = QStringLiteral("%1.%2").arg(kHz / 1000).arg(kHz % 1000, 3, 10, QLatin1Char('0'));
            QString text;
            if (channel == AtoNDef::CH_2087)
            {
                text = tr("CH%1 AIS1 ( %2MHz )").arg(channel).arg(frequency);
            }
            else if (channel == AtoNDef::CH_2088)
            {
                text = tr("CH%1 AIS2 ( %2MHz )").arg(channel).arg(frequency);
            }
            else
            {
                text = tr("CH%1 ( %2MHz )").arg(channel).arg(frequency);
            }
            comboBox->addItem(text, channel);
        }
    }
}

void RealAtoNTab::FillGnssSystemCombo(bool extended)
{
    QComboBox* combo = ui->comboTypeOfGnss;
    combo->clear();
    combo->addItem(tr("Undefined"), int(AtoNDef::GNSS_UNDEFINED));
    combo->addItem(tr("GPS"), int(AtoNDef::GNSS_GPS));
    combo->addItem(tr("Surveyed"), int(AtoNDef::GNSS_SURVEYED));
    if (extended)
    {
        combo->addItem(tr("GLONASS"), int(AtoNDef::GNSS_GLONASS));
        combo->addItem(tr("Galileo"), int(AtoNDef::GNSS_GALILEO));
        combo->addItem(tr("BeiDou"), int(AtoNDef::GNSS_BEIDOU));
        combo->addItem(tr("GPS/Galileo"), int(AtoNDef::GNSS_GPS_GALILEO));
        combo->addItem(tr("GPS/GLONASS/Galileo"), int(AtoNDef::GNSS_GPS_GALILEO_GLONASS));
        combo->addItem(tr("GPS/BeiDou/Galileo/"), int(AtoNDef::GNSS_GPS_GALILEO_BEIDOU));
        combo->addItem(tr("GPS/GLONASS"), int(AtoNDef::GNSS_GPS_GLONASS));
        combo->addItem(tr("GPS/BeiDou"), int(AtoNDef::GNSS_GPS_BEIDOU));
        combo->addItem(tr("GLONASS/Galileo"), int(AtoNDef::GNSS_GALILEO_GLONASS));
        combo->addItem(tr("BeiDou/Galileo"), int(AtoNDef::GNSS_GALILEO_BEIDOU));
        combo->addItem(tr("GLONASS/Beidou"), int(AtoNDef::GNSS_GLONASS_BEIDOU));
    }
    extendedGnssList = extended;
}

void RealAtoNTab::SetModeTypeList(bool inland)
{
    updating = true;
    AtoNFields::FillTypeList(ui->comboTypeOfAtoN, inland);
    updating = false;
}

int RealAtoNTab::CurrentData(const QComboBox* comboBox)
{
    return AtoNFields::CurrentData(comboBox);
}

void RealAtoNTab::SelectData(QComboBox* comboBox, int data)
{
    AtoNFields::SelectData(comboBox, data);
}

int RealAtoNTab::ShownTypeOfAtoN() const
{
    const AtoN* aton = RealAtoN();
    return aton->IsInland() ? aton->GetInlandTypeCode() - InlandTypeOffset : aton->GetTypeOfAtoN();
}

// ---------------------------------------------------------------------------------------------------
// Load and store

bool RealAtoNTab::UpdateTabFromModel(Model* source)
{
    // A load replaces the nominal position: a running average must not write over it afterwards.
    if (averaging)
    {
        StopGnssPositionAveraging();
    }

    AtoN* aton = RealAtoN();
    if (source != nullptr && source != model)
    {
        AtoN* sourceAtoN = source->GetRealAtoN();
        if (sourceAtoN == nullptr)
        {
            throw std::bad_alloc();
        }
        *aton = *sourceAtoN;
    }

    const bool inland = aton->IsInland();
    typeChangeBlocked = true;
    SetModeTypeList(inland);
    Q_EMIT UpdateInlandMode(inland);
    typeChangeBlocked = false;

    updating = true;

    if (inland)
    {
        ui->radioButtonMode_inland->setChecked(true);
    }
    else
    {
        ui->radioButtonMode_sea->setChecked(true);
    }

    AtoNFields::ShowWhole(ui->lineMMSI, aton->GetAtoNMMSI()->GetMMSI());
    ui->lineName->setText(aton->GetName());

    const int type = ShownTypeOfAtoN();
    SelectData(ui->comboTypeOfAtoN, type);

    const int system = aton->GetGnssType();
    if (!extendedGnssList && system >= AtoNDef::GNSS_GLONASS && system <= AtoNDef::GNSS_GLONASS_BEIDOU)
    {
        FillGnssSystemCombo(true);
    }
    SelectData(ui->comboTypeOfGnss, system);
    Q_EMIT sendGnssType(static_cast<AtoNDef::eGnssSystem>(system));

    ShowLatitude();
    ShowLongitude();

    SelectData(ui->comboPositionAccuracy, aton->GetPositionAccuracy());
    SelectData(ui->comboChannel1, aton->GetChannel1());
    SelectData(ui->comboChannel2, aton->GetChannel2());
    SelectData(ui->comboPowerLevel, aton->GetPowerLevel());

    ui->checkBoxOffPositionCheck->setChecked(aton->GetOffPositionCheck() == 1);
    ui->spinBoxOffPositionThreshold->setValue(aton->GetOffPositionThreshold());
    ui->checkBoxAckProcedure->setChecked(aton->GetAckProcedure() == 0);
    AtoNFields::ShowWhole(ui->lineAddressMMSI, aton->GetAtoNMMSI()->GetAddressMMSI());
    ui->checkBoxDeleteAddressedMMSI->setChecked(false);
    aton->GetAtoNMMSI()->SetAuxFlag(false);

    // The panel first, so that each loaded dimension is limited only by the range of its own panel.
    ApplyDimensionPanel(type, inland);
    ui->spinBoxDimensionA->setValue(aton->GetDimensionA());
    ui->spinBoxDimensionB->setValue(aton->GetDimensionB());
    ui->spinBoxDimensionC->setValue(aton->GetDimensionC());
    ui->spinBoxDimensionD->setValue(aton->GetDimensionD());

    EnableFloatingTypes(system != SurveyedSystem);

    updating = false;
    averaging = false;
    sampleCount = 0;
    latitudeSum = 0.0;
    longitudeSum = 0.0;
    EnableDimensionsForType();
    EnablePositionAccuracyForSystem();
    return true;
}

bool RealAtoNTab::UpdateModelFromTab(Model* destination)
{
    Model* target = destination != nullptr ? destination : model;
    AtoN* aton = target->GetRealAtoN();
    if (aton == nullptr)
    {
        throw std::bad_alloc();
    }
    // Read before the target is written: the target may be the tab's own record.
    const double latitude = TypedLatitude();
    const double longitude = TypedLongitude();

    AtoNMMSI* mmsi = aton->GetAtoNMMSI();
    mmsi->SetMMSI(ui->lineMMSI->text());
    mmsi->SetEnabled(true);
    aton->SetName(ui->lineName->text());
    aton->SetInland(ui->radioButtonMode_inland->isChecked());
    aton->SetTypeOfAtoN(CurrentData(ui->comboTypeOfAtoN));
    aton->SetGnssType(CurrentData(ui->comboTypeOfGnss));

    aton->GetPosition()->SetLatitude(latitude);
    aton->GetPosition()->SetLongitude(longitude);

    aton->SetPositionAccuracy(CurrentData(ui->comboPositionAccuracy));
    aton->SetChannel1(CurrentData(ui->comboChannel1));
    aton->SetChannel2(CurrentData(ui->comboChannel2));
    aton->SetPowerLevel(CurrentData(ui->comboPowerLevel));
    aton->SetOffPositionCheck(ui->checkBoxOffPositionCheck->isChecked() ? 1 : 0);
    aton->SetOffPositionThreshold(ui->spinBoxOffPositionThreshold->value());
    aton->SetAckProcedure(ui->checkBoxAckProcedure->isChecked() ? 0 : 1);
    mmsi->SetAddressMMSI(ui->lineAddressMMSI->text());
    mmsi->SetAuxFlag(ui->checkBoxDeleteAddressedMMSI->isChecked());
    aton->SetDimensionA(ui->spinBoxDimensionA->value());
    aton->SetDimensionB(ui->spinBoxDimensionB->value());
    aton->SetDimensionC(ui->spinBoxDimensionC->value());
    aton->SetDimensionD(ui->spinBoxDimensionD->value());
    return true;
}

// ---------------------------------------------------------------------------------------------------
// Operations of the main window

bool RealAtoNTab::IsConfigurationComplete() const
{
    // The MMSI text itself is judged, not whether its warning happens to be on screen: a send from
    // another tab or from a minimised window must not pass an invalid MMSI.
    const bool mmsiValid = AtoNFields::IsAcceptable(mmsiValidator, ui->lineMMSI->text());

    const AtoN* aton = RealAtoN();
    return mmsiValid && !ui->lineName->text().isEmpty() && aton->GetGnssType() != AtoNDef::GNSS_UNDEFINED &&
           aton->GetPosition()->GetLatitude() != GeoPosition::NotAvailableLatitude &&
           aton->GetPosition()->GetLongitude() != GeoPosition::NotAvailableLongitude;
}

void RealAtoNTab::ResetAddressedMMSI()
{
    ui->lineAddressMMSI->setText(NoMMSI);
    if (!updating && RealAtoN()->GetAtoNMMSI()->GetAddressMMSI() != NoMMSI)
    {
        StoreAndMarkEdited();
    }
    ui->checkBoxDeleteAddressedMMSI->setChecked(false);
}

void RealAtoNTab::DisableGetGnssPositionButton()
{
    ui->pushButtonGetGPSPosition->setEnabled(false);
}

// ---------------------------------------------------------------------------------------------------
// MMSIs

void RealAtoNTab::on_lineMMSI_textEdited(const QString& text)
{
    if (updating)
    {
        return;
    }
    EvalulateMMSIValidity(text);
    if (text != RealAtoN()->GetAtoNMMSI()->GetMMSI())
    {
        StoreAndMarkEdited();
    }
}

void RealAtoNTab::on_lineMMSI_textChanged(const QString& text)
{
    EvalulateMMSIValidity(text);
}

void RealAtoNTab::EvalulateMMSIValidity(const QString& text)
{
    ui->MMSIValidationWarningLabel->setVisible(!AtoNFields::IsAcceptable(mmsiValidator, text));
}

void RealAtoNTab::on_lineAddressMMSI_textEdited(const QString& text)
{
    if (updating)
    {
        return;
    }
    if (text != RealAtoN()->GetAtoNMMSI()->GetAddressMMSI())
    {
        StoreAndMarkEdited();
    }
}

void RealAtoNTab::on_checkBoxDeleteAddressedMMSI_stateChanged(int /*state*/)
{
    if (updating)
    {
        return;
    }
    StoreAndMarkEdited();
}

// ---------------------------------------------------------------------------------------------------
// Name, mode and type

void RealAtoNTab::on_lineName_textEdited(const QString& text)
{
    if (updating)
    {
        return;
    }
    const AtoN* aton = RealAtoN();
    const bool inland = aton->IsInland();
    if (AtoNFields::EditName(ui->lineName, text, aton->GetName(), *typeManager, inland,
                             inland ? CurrentData(ui->comboTypeOfAtoN) : 0))
    {
        StoreAndMarkEdited();
    }
}

void RealAtoNTab::on_radioButtonMode_sea_clicked(bool isChecked)
{
    if (updating || !isChecked)
    {
        return;
    }
    SwitchMode(false);
}

void RealAtoNTab::on_radioButtonMode_inland_clicked(bool isChecked)
{
    if (updating || !isChecked)
    {
        return;
    }
    SwitchMode(true);
}

void RealAtoNTab::SwitchMode(bool inland)
{
    // A click on the mode already shown changes nothing: rebuilding the list would silently reset
    // the type to its first item.
    if (RealAtoN()->IsInland() == inland)
    {
        return;
    }
    // Clearing the list runs the type rule with no current item (type 0): it strips a direction of
    // impact from the name and stores the type when the stored one was not 0.
    SetModeTypeList(inland);
    ui->comboTypeOfAtoN->setCurrentIndex(0);
    UpdateModelFromTab();
    // The new list offers every type again; "Surveyed" still rules out the floating ones.
    EnableFloatingTypes(CurrentData(ui->comboTypeOfGnss) != SurveyedSystem);
    EnableDimensionsForType();
    // The mode is the user's edit whatever the type was.
    MarkEdited();
    Q_EMIT UpdateInlandMode(inland);
}

void RealAtoNTab::on_comboTypeOfAtoN_currentIndexChanged(int index)
{
    if (updating || typeChangeBlocked)
    {
        return;
    }
    AtoN* aton = RealAtoN();
    const bool inland = aton->IsInland();
    const int newType = index < 0 ? 0 : ui->comboTypeOfAtoN->itemData(index).toInt();

    if (newType != aton->GetTypeOfAtoN())
    {
        if (AtoNFields::ChangeTypeName(ui->lineName, *typeManager, inland, inland ? newType : 0))
        {
            StoreAndMarkEdited();
        }
        else
        {
            // Cancelled: the list goes back to its first type, which runs this rule for that type.
            ui->comboTypeOfAtoN->setCurrentIndex(0);
            return;
        }
    }

    ApplyDimensionPanel(newType, inland);
    EnableDimensionsForType();
}

void RealAtoNTab::enableComboBoxItem(QComboBox* comboBox, const QVariant& findItem, bool enableFlag)
{
    if (comboBox == nullptr)
    {
        return;
    }
    const int row = comboBox->findData(findItem, Qt::UserRole, Qt::MatchExactly);
    if (row < 0)
    {
        return;
    }
    comboBox->setItemData(row, enableFlag ? ItemEnabledFlags : 0, ItemFlagsRole);
}

void RealAtoNTab::EnableSurveyedItem(bool enable)
{
    gnssChangeBlocked = true;
    enableComboBoxItem(ui->comboTypeOfGnss, SurveyedSystem, enable);
    gnssChangeBlocked = false;
}

void RealAtoNTab::EnableFloatingTypes(bool enable)
{
    const bool inland = RealAtoN()->IsInland();
    for (int type = 0; type < AtoNTypeCount; ++type)
    {
        if (!cAtonTypeManager::IsFixedAtoNType(type, inland))
        {
            typeChangeBlocked = true;
            enableComboBoxItem(ui->comboTypeOfAtoN, type, enable);
            typeChangeBlocked = false;
        }
    }
}

// ---------------------------------------------------------------------------------------------------
// GNSS system and accuracy

void RealAtoNTab::on_comboTypeOfGnss_currentIndexChanged(int index)
{
    if (updating || gnssChangeBlocked)
    {
        return;
    }
    const int system = index < 0 ? 0 : ui->comboTypeOfGnss->itemData(index).toInt();
    if (system != RealAtoN()->GetGnssType())
    {
        StoreAndMarkEdited();
    }
    // A surveyed position belongs to a fixed AtoN only: "Surveyed" and the floating types exclude
    // each other.
    EnableFloatingTypes(system != SurveyedSystem);
    EnablePositionAccuracyForSystem();
}

void RealAtoNTab::EnablePositionAccuracyForSystem()
{
    // One rule wherever it is applied: the accuracy is chosen by hand only for a surveyed position,
    // and never while an averaging run sets it from the fix.
    ui->comboPositionAccuracy->setEnabled(CurrentData(ui->comboTypeOfGnss) == SurveyedSystem && !averaging);
}

void RealAtoNTab::OnComboEdit(const QComboBox* comboBox, int index, int stored)
{
    if (updating)
    {
        return;
    }
    const int value = index < 0 ? 0 : comboBox->itemData(index).toInt();
    if (value != stored)
    {
        StoreAndMarkEdited();
    }
}

void RealAtoNTab::on_comboPositionAccuracy_currentIndexChanged(int index)
{
    OnComboEdit(ui->comboPositionAccuracy, index, RealAtoN()->GetPositionAccuracy());
}

void RealAtoNTab::on_comboChannel1_currentIndexChanged(int index)
{
    OnComboEdit(ui->comboChannel1, index, RealAtoN()->GetChannel1());
}

void RealAtoNTab::on_comboChannel2_currentIndexChanged(int index)
{
    OnComboEdit(ui->comboChannel2, index, RealAtoN()->GetChannel2());
}

void RealAtoNTab::on_comboPowerLevel_currentIndexChanged(int index)
{
    OnComboEdit(ui->comboPowerLevel, index, RealAtoN()->GetPowerLevel());
}

void RealAtoNTab::onUbloxM8(int m8)
{
    const bool extended = m8 != 0;
    if (extended == extendedGnssList)
    {
        return;
    }
    const int remembered = ui->comboTypeOfGnss->currentIndex();

    // The list is rebuilt quietly: only the final selection is compared with the stored system, so a
    // system that both lists offer is kept without marking the tab edited.
    gnssChangeBlocked = true;
    FillGnssSystemCombo(extended);
    if (remembered >= 0 && remembered < ui->comboTypeOfGnss->count())
    {
        ui->comboTypeOfGnss->setCurrentIndex(remembered);
    }
    else
    {
        SelectData(ui->comboTypeOfGnss, AtoNDef::GNSS_GPS);
    }
    gnssChangeBlocked = false;

    // The new list has every item enabled again; a floating type still rules out "Surveyed".
    if (!cAtonTypeManager::IsFixedAtoNType(CurrentData(ui->comboTypeOfAtoN), RealAtoN()->IsInland()))
    {
        EnableSurveyedItem(false);
    }
    on_comboTypeOfGnss_currentIndexChanged(ui->comboTypeOfGnss->currentIndex());
}

void RealAtoNTab::onReceivedGnssMode(int mode)
{
    SelectData(ui->comboTypeOfGnss, mode);
}

// ---------------------------------------------------------------------------------------------------
// Dimensions

void RealAtoNTab::ShowFixedDimensions()
{
    AtoNFields::ShowDimensionKind(ui->groupBoxAtoNDimensions, ui->labelDimensionsDrawing, ui->spinBoxDimensionA, true);
    ui->label_dimA->setVisible(true);
    ui->label_dimB->setVisible(true);
    ui->label_dimC->setVisible(true);
    ui->label_dimD->setVisible(true);
    ui->spinBoxDimensionA->setVisible(true);
    ui->spinBoxDimensionB->setVisible(true);
    ui->spinBoxDimensionC->setVisible(true);
    ui->spinBoxDimensionD->setVisible(true);
}

void RealAtoNTab::ShowFloatingDimensions()
{
    AtoNFields::ShowDimensionKind(ui->groupBoxAtoNDimensions, ui->labelDimensionsDrawing, ui->spinBoxDimensionA, false);
    ui->label_dimA->setVisible(true);
    ui->spinBoxDimensionA->setVisible(true);
    ui->label_dimB->setVisible(false);
    ui->label_dimC->setVisible(false);
    ui->label_dimD->setVisible(false);
    ui->spinBoxDimensionB->setVisible(false);
    ui->spinBoxDimensionC->setVisible(false);
    ui->spinBoxDimensionD->setVisible(false);
}

void RealAtoNTab::ApplyDimensionPanel(int type, bool inland)
{
    const bool fixed = cAtonTypeManager::IsFixedAtoNType(type, inland);
    EnableSurveyedItem(fixed);
    if (fixed)
    {
        ShowFixedDimensions();
    }
    else
    {
        ShowFloatingDimensions();
    }
}

void RealAtoNTab::EnableDimensionsForType()
{
    // A reference point at sea is a position, not a structure: it has no dimensions.
    const bool enable = !(CurrentData(ui->comboTypeOfAtoN) == ReferencePointType && !RealAtoN()->IsInland());
    ui->spinBoxDimensionA->setEnabled(enable);
    ui->spinBoxDimensionB->setEnabled(enable);
    ui->spinBoxDimensionC->setEnabled(enable);
    ui->spinBoxDimensionD->setEnabled(enable);
}

void RealAtoNTab::OnDimensionEdit(int value, int stored)
{
    if (updating)
    {
        return;
    }
    if (value != stored)
    {
        StoreAndMarkEdited();
    }
}

void RealAtoNTab::on_spinBoxDimensionA_valueChanged(int i)
{
    OnDimensionEdit(i, RealAtoN()->GetDimensionA());
}

void RealAtoNTab::on_spinBoxDimensionB_valueChanged(int i)
{
    OnDimensionEdit(i, RealAtoN()->GetDimensionB());
}

void RealAtoNTab::on_spinBoxDimensionC_valueChanged(int i)
{
    OnDimensionEdit(i, RealAtoN()->GetDimensionC());
}

void RealAtoNTab::on_spinBoxDimensionD_valueChanged(int i)
{
    OnDimensionEdit(i, RealAtoN()->GetDimensionD());
}

// ---------------------------------------------------------------------------------------------------
// Nominal position

void RealAtoNTab::ShowLatitude()
{
    AtoNFields::ShowLatitude(ui->lineLatitude, *RealAtoN()->GetPosition(), ToolTipDecimals);
}

void RealAtoNTab::ShowLongitude()
{
    AtoNFields::ShowLongitude(ui->lineLongitude, *RealAtoN()->GetPosition(), ToolTipDecimals);
}

double RealAtoNTab::TypedLatitude() const
{
    return AtoNFields::TypedLatitude(ui->lineLatitude->text(), *RealAtoN()->GetPosition());
}

double RealAtoNTab::TypedLongitude() const
{
    return AtoNFields::TypedLongitude(ui->lineLongitude->text(), *RealAtoN()->GetPosition());
}

void RealAtoNTab::ParseLatitudeText()
{
    const double latitude = TypedLatitude();
    GeoPosition* stored = RealAtoN()->GetPosition();
    if (latitude != stored->GetLatitude())
    {
        stored->SetLatitude(latitude);
    }
}

void RealAtoNTab::ParseLongitudeText()
{
    const double longitude = TypedLongitude();
    GeoPosition* stored = RealAtoN()->GetPosition();
    if (longitude != stored->GetLongitude())
    {
        stored->SetLongitude(longitude);
    }
}

void RealAtoNTab::on_lineLatitude_textEdited(const QString& /*text*/)
{
    if (updating)
    {
        return;
    }
    ParseLatitudeText();
    StoreAndMarkEdited();
}

void RealAtoNTab::on_lineLatitude_editingFinished()
{
    if (updating)
    {
        return;
    }
    ParseLatitudeText();
    ShowLatitude();
    UpdateModelFromTab();
}

void RealAtoNTab::on_lineLongitude_textEdited(const QString& /*text*/)
{
    if (updating)
    {
        return;
    }
    ParseLongitudeText();
    StoreAndMarkEdited();
}

void RealAtoNTab::on_lineLongitude_editingFinished()
{
    if (updating)
    {
        return;
    }
    ParseLongitudeText();
    ShowLongitude();
    UpdateModelFromTab();
}

// ---------------------------------------------------------------------------------------------------
// Off-position check, acknowledgement

void RealAtoNTab::on_checkBoxOffPositionCheck_stateChanged(int state)
{
    if (updating)
    {
        return;
    }
    const bool checked = state == CheckedState;
    const int stored = RealAtoN()->GetOffPositionCheck();
    if (checked ? stored == 1 : stored == 0)
    {
        return;
    }
    StoreAndMarkEdited();
    if (checked && isVisible())
    {
        QMessageBox::information(this, tr("Real AtoN"),
                                 tr("Please ensure that Message 21 (Index 2) \nis configured correctly on the Message "
                                    "\nSchedule Tab"));
    }
    Q_EMIT offPositionSelection(checked);
}

void RealAtoNTab::OnCheckBoxOffPositionCheckTicked(bool ticked)
{
    ui->checkBoxOffPositionCheck->setChecked(ticked);
}

void RealAtoNTab::on_spinBoxOffPositionThreshold_valueChanged(int i)
{
    EvaluateOffPositionThresholdValidity(i);
    if (updating)
    {
        return;
    }
    if (i != RealAtoN()->GetOffPositionThreshold())
    {
        StoreAndMarkEdited();
    }
}

void RealAtoNTab::EvaluateOffPositionThresholdValidity(int i)
{
    ui->labelOffPositionFeedback->setVisible(i < OffPositionWarningBelow);
}

void RealAtoNTab::on_checkBoxAckProcedure_stateChanged(int state)
{
    if (updating)
    {
        return;
    }
    const int stored = RealAtoN()->GetAckProcedure();
    const bool checked = state == CheckedState;
    // Ticked means field 0, unticked field 1; any other pairing is a change.
    if ((checked && stored == 0) || (!checked && stored == 1))
    {
        return;
    }
    StoreAndMarkEdited();
}

// ---------------------------------------------------------------------------------------------------
// Position averaging

void RealAtoNTab::on_pushButtonGetGPSPosition_clicked()
{
    if (updating)
    {
        return;
    }
    if (averaging)
    {
        StopGnssPositionAveraging();
        return;
    }
    ui->pushButtonGetGPSPosition->setChecked(true);
    sampleCount = 0;
    latitudeSum = 0.0;
    longitudeSum = 0.0;
    firstLongitude = 0.0;
    averaging = true;
    ui->lineLatitude->setEnabled(false);
    ui->lineLongitude->setEnabled(false);
    ui->comboPositionAccuracy->setEnabled(false);
}

void RealAtoNTab::OnGpsDataReceived(GpsData* gpsData)
{
    constexpr int NoFixMode = 5;
    if (gpsData == nullptr || gpsData->GetMode() == NoFixMode)
    {
        StopGnssPositionAveraging();
        return;
    }
    if (!averaging)
    {
        ui->pushButtonGetGPSPosition->setEnabled(true);
        return;
    }

    const GeoPosition* sample = gpsData->GetPosition();
    if (sample == nullptr || !(std::fabs(sample->GetLatitude()) <= 90.0) ||
        !(std::fabs(sample->GetLongitude()) <= 180.0))
    {
        // A fix without a usable position adds nothing to the mean.
        return;
    }

    ++sampleCount;
    latitudeSum += sample->GetLatitude();
    double longitude = sample->GetLongitude();
    if (sampleCount == 1)
    {
        firstLongitude = longitude;
    }
    else
    {
        longitude = firstLongitude + std::remainder(longitude - firstLongitude, 360.0);
    }
    longitudeSum += longitude;

    AtoN* aton = RealAtoN();
    GeoPosition* stored = aton->GetPosition();
    const double latitudeBefore = stored->GetLatitude();
    const double longitudeBefore = stored->GetLongitude();

    stored->SetLatitude(latitudeSum / sampleCount);
    ShowLatitude();
    stored->SetLongitude(std::remainder(longitudeSum / sampleCount, 360.0));
    ShowLongitude();

    ui->pushButtonGetGPSPosition->setText(
        tr("Averaging\n position...\n %1 secs").arg(AveragingSampleCount - sampleCount));

    SelectData(ui->comboPositionAccuracy, gpsData->IsHighAccuracy() ? AtoNDef::HIGH : AtoNDef::LOW);

    if (sampleCount >= AveragingSampleCount)
    {
        StopGnssPositionAveraging();
    }

    UpdateModelFromTab();
    // The averaged position is the user's edit: it must count as unsaved work.
    if (stored->GetLatitude() != latitudeBefore || stored->GetLongitude() != longitudeBefore)
    {
        MarkEdited();
    }
}

void RealAtoNTab::StopGnssPositionAveraging()
{
    ui->pushButtonGetGPSPosition->setChecked(false);
    ui->pushButtonGetGPSPosition->setEnabled(true);
    ui->lineLatitude->setEnabled(true);
    ui->lineLongitude->setEnabled(true);
    ui->pushButtonGetGPSPosition->setText(tr("Get GNSS\nPosition"));
    averaging = false;
    sampleCount = 0;
    latitudeSum = 0.0;
    longitudeSum = 0.0;
    firstLongitude = 0.0;
    EnablePositionAccuracyForSystem();
}
