#include "ui/VirtualAtoNWidget.h"

#include <QBoxLayout>
#include <QEvent>
#include <QHeaderView>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <new>

#include "model/AtoNDef.h"
#include "model/GeoPosition.h"
#include "model/Model.h"
#include "ui/AisValidator.h"
#include "ui/AtoNFieldsCommon.h"
#include "ui/ScheduleTableCommon.h"
#include "ui/VirtualMessageScheduleDelegate.h"
#include "ui/VirtualMessageScheduleTableModel.h"
#include "ui/cAtonTypeManager.h"

#include "ui_VirtualAtoNWidget.h"

namespace
{

const QString MmsiPattern = QStringLiteral("(?!000000000)([0-9]{9,9})");
constexpr int NameMaxCharacters = 34;
constexpr int NameMaxEncodedLength = 52;
constexpr int ToolTipDecimals = 4;
// The record keeps an inland type as its code, the type number + 32.
constexpr int InlandTypeCodeOffset = 32;
constexpr int MmsiDigits = 9;
// Rows the schedule table shows at least, whatever else the page shows; more would make the window too
// high for a laptop screen, and the table scrolls.
constexpr int ScheduleRowsShown = 3;

// The text with every digit replaced by the digit that is widest in the font.
QString WithWidestDigits(QString text, const QFontMetrics& metrics)
{
    QChar widest = QLatin1Char('0');
    for (char digit = '1'; digit <= '9'; ++digit)
        if (metrics.horizontalAdvance(QLatin1Char(digit)) > metrics.horizontalAdvance(widest))
            widest = QLatin1Char(digit);
    for (QChar& c : text)
        if (c.isDigit())
            c = widest;
    return text;
}

// The width a line edit needs to show the widest of the texts whole: the text plus the field's frame and
// margins, which are what its own size hint adds to its room for 17 'x'.
int FieldWidthFor(const QLineEdit* field, const QStringList& texts)
{
    const QFontMetrics metrics = field->fontMetrics();
    int widest = 0;
    for (const QString& text : texts)
        widest = qMax(widest, metrics.horizontalAdvance(WithWidestDigits(text, metrics)));
    return widest + field->sizeHint().width() - 17 * metrics.horizontalAdvance(QLatin1Char('x'));
}

} // namespace

VirtualAtoNWidget::VirtualAtoNWidget(Model* model, VirtualAtoNModel* record, QBoxLayout* placeholder, QWidget* parent)
    : AtoNConfiguration(model, parent), ui(std::make_unique<Ui::VirtualAtoNWidget>()), record(record),
      tableModel(nullptr), typeManager(nullptr)
{
    if (!record || !placeholder)
        throw std::bad_alloc();
    tableModel = new VirtualMessageScheduleTableModel(record->GetMessageSchedule(), this);
    typeManager = new cAtonTypeManager(this);
    Initialise(placeholder);
    UpdateTabFromModel();
}

VirtualAtoNWidget::~VirtualAtoNWidget()
{
    // The form lives in the tab's placeholder, outside this object: it goes with its page, and no
    // signal of its widgets (a focus change while they go) may reach the slots once the page is going.
    if (form)
    {
        for (QObject* child : form->findChildren<QObject*>())
            disconnect(child, nullptr, this, nullptr);
        delete form.data();
    }
}

// ---------------------------------------------------------------------------------------------------
// Building

void VirtualAtoNWidget::Initialise(QBoxLayout* placeholder)
{
    form = new QWidget();
    ui->setupUi(form);
    placeholder->addWidget(form);

    PopulateComboBoxes();

    mmsiValidator = new QRegularExpressionValidator(QRegularExpression(MmsiPattern), this);
    ui->MMSILineEdit->setValidator(mmsiValidator);
    ui->nameLineEdit->setValidator(new AisValidator(NameMaxCharacters, NameMaxEncodedLength, this));
    ui->MMSIValidationWarningLabel->show();
    // The warning comes and goes as the MMSI is typed: its room stays, so the page never reflows.
    QSizePolicy warningPolicy = ui->MMSIValidationWarningLabel->sizePolicy();
    warningPolicy.setRetainSizeWhenHidden(true);
    ui->MMSIValidationWarningLabel->setSizePolicy(warningPolicy);

    SetUpScheduleTable();
    SizeFieldsToFont();
    for (QWidget* field : {ui->MMSILineEdit, ui->latitudeLineEdit, ui->longitudeLineEdit})
        field->installEventFilter(this);

    ui->enableCheckBox->setChecked(false);
    record->SetEnabled(false);

    delegate = new VirtualMessageScheduleDelegate(record->GetMessageSchedule(), this);
    ui->tableSchedules->setItemDelegate(delegate);

    Connect();
}

void VirtualAtoNWidget::PopulateComboBoxes()
{
    AtoNFields::FillPositionAccuracies(ui->positionAccuracyComboBox);
    AtoNFields::FillTypeList(ui->AtoNTypeComboBox, record->IsInland());
    ui->AtoNTypeComboBox->setCurrentIndex(0);
    AtoNFields::FillPowerLevels(ui->comboVPowerLevel);
}

void VirtualAtoNWidget::SetUpScheduleTable()
{
    ScheduleTable::SetUpView(ui->tableSchedules, tableModel);
    ui->tableSchedules->resizeColumnsToContents();
    ui->tableSchedules->resizeRowsToContents();
}

void VirtualAtoNWidget::SizeFieldsToFont()
{
    // The fields are as wide as the widest text they can hold in their font: a position with every digit
    // place taken, both hemispheres and the no-position text, or nine digits of MMSI.
    GeoPosition widest;
    QStringList latitudes{widest.LatitudeToDMS()};
    QStringList longitudes{widest.LongitudeToDMS()};
    for (double sign : {1.0, -1.0})
    {
        widest.SetLatitude(sign * 88.88888);
        widest.SetLongitude(sign * 178.88888);
        latitudes << widest.LatitudeToDMS();
        longitudes << widest.LongitudeToDMS();
    }
    ui->latitudeLineEdit->setFixedWidth(FieldWidthFor(ui->latitudeLineEdit, latitudes));
    ui->longitudeLineEdit->setFixedWidth(FieldWidthFor(ui->longitudeLineEdit, longitudes));
    ui->MMSILineEdit->setMinimumWidth(FieldWidthFor(ui->MMSILineEdit, {QString(MmsiDigits, QLatin1Char('0'))}));

    QTableView* table = ui->tableSchedules;
    table->setMinimumHeight(table->horizontalHeader()->sizeHint().height() +
                            ScheduleRowsShown * table->verticalHeader()->defaultSectionSize() +
                            2 * table->frameWidth());
}

bool VirtualAtoNWidget::eventFilter(QObject* watched, QEvent* event)
{
    // A style sheet of the window reaches the fields only when they are polished, on first show.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange || event->type() == QEvent::Polish)
        SizeFieldsToFont();
    return AtoNConfiguration::eventFilter(watched, event);
}

void VirtualAtoNWidget::Connect()
{
    connect(ui->enableCheckBox, &QCheckBox::toggled, this, &VirtualAtoNWidget::on_enableCheckBox_toggled);
    connect(ui->syntheticRadioButton, &QRadioButton::toggled, this,
            &VirtualAtoNWidget::on_syntheticRadioButton_toggled);
    connect(ui->virtualRadioButton, &QRadioButton::toggled, this, &VirtualAtoNWidget::on_syntheticRadioButton_toggled);
    connect(ui->MMSILineEdit, &QLineEdit::textEdited, this, &VirtualAtoNWidget::on_MMSILineEdit_textEdited);
    connect(ui->MMSILineEdit, &QLineEdit::textChanged, this, &VirtualAtoNWidget::on_MMSILineEdit_textChanged);
    connect(ui->nameLineEdit, &QLineEdit::textEdited, this, &VirtualAtoNWidget::on_nameLineEdit_textEdited);
    connect(ui->AtoNTypeComboBox, &QComboBox::currentIndexChanged, this,
            &VirtualAtoNWidget::on_AtoNTypeComboBox_currentIndexChanged);
    connect(ui->comboVPowerLevel, &QComboBox::currentIndexChanged, this,
            &VirtualAtoNWidget::on_comboVPowerLevel_currentIndexChanged);
    connect(ui->latitudeLineEdit, &QLineEdit::textEdited, this, &VirtualAtoNWidget::on_latitudeLineEdit_textEdited);
    connect(ui->latitudeLineEdit, &QLineEdit::editingFinished, this,
            &VirtualAtoNWidget::on_latitudeLineEdit_editingFinished);
    connect(ui->positionAccuracyComboBox, &QComboBox::currentIndexChanged, this,
            &VirtualAtoNWidget::on_positionAccuracyComboBox_currentIndexChanged);
    connect(ui->longitudeLineEdit, &QLineEdit::textEdited, this, &VirtualAtoNWidget::on_longitudeLineEdit_textEdited);
    connect(ui->longitudeLineEdit, &QLineEdit::editingFinished, this,
            &VirtualAtoNWidget::on_longitudeLineEdit_editingFinished);
    connect(ui->spinBoxDimensionA, &QSpinBox::valueChanged, this,
            &VirtualAtoNWidget::on_spinBoxDimensionA_valueChanged);
    connect(ui->spinBoxDimensionB, &QSpinBox::valueChanged, this,
            &VirtualAtoNWidget::on_spinBoxDimensionB_valueChanged);
    connect(ui->spinBoxDimensionC, &QSpinBox::valueChanged, this,
            &VirtualAtoNWidget::on_spinBoxDimensionC_valueChanged);
    connect(ui->spinBoxDimensionD, &QSpinBox::valueChanged, this,
            &VirtualAtoNWidget::on_spinBoxDimensionD_valueChanged);
    connect(delegate, &VirtualMessageScheduleDelegate::DelegateEdited, this, &VirtualAtoNWidget::OnDelegateEdited);
    connect(ui->radioButton_modeInland, &QRadioButton::toggled, this,
            &VirtualAtoNWidget::on_radioButton_modeInland_toggled);
}

// ---------------------------------------------------------------------------------------------------
// Load and store

bool VirtualAtoNWidget::UpdateTabFromModel(Model* source)
{
    Q_UNUSED(source);
    updating = true;
    LoadWidgets();
    updating = false;
    return true;
}

bool VirtualAtoNWidget::UpdateModelFromTab(Model* target)
{
    Q_UNUSED(target);
    SaveWidgets();
    return true;
}

void VirtualAtoNWidget::SetModel(VirtualAtoNModel* source)
{
    if (source && source != record)
        *record = *source;
    UpdateTabFromModel();
}

int VirtualAtoNWidget::ShownType() const
{
    return record->IsInland() ? record->GetInlandTypeCode() - InlandTypeCodeOffset : record->GetTypeOfAtoN();
}

void VirtualAtoNWidget::LoadWidgets()
{
    const bool inland = record->IsInland();
    AtoNFields::FillTypeList(ui->AtoNTypeComboBox, inland);
    ui->AtoNTypeComboBox->setCurrentIndex(0);
    if (inland)
        ui->radioButton_modeInland->setChecked(true);
    else
        ui->radioButton_modeSea->setChecked(true);

    ui->enableCheckBox->setChecked(record->GetAtoNMmsi()->IsEnabled());
    const int kind = record->GetAtoN()->GetStationKind();
    if (kind == AtoNDef::VIRTUAL)
        ui->virtualRadioButton->setChecked(true);
    else if (kind == AtoNDef::SYNTHETIC)
        ui->syntheticRadioButton->setChecked(true);

    const QString mmsi = record->GetAtoNMmsi()->GetMMSI();
    AtoNFields::ShowWhole(ui->MMSILineEdit, mmsi);
    SetMMSIEditable(mmsi);
    ui->nameLineEdit->setText(record->GetAtoNName());

    const int type = ShownType();
    AtoNFields::SelectData(ui->AtoNTypeComboBox, type);

    AtoNFields::ShowLatitude(ui->latitudeLineEdit, *record->GetPosition(), ToolTipDecimals);
    AtoNFields::ShowLongitude(ui->longitudeLineEdit, *record->GetPosition(), ToolTipDecimals);
    AtoNFields::SelectData(ui->positionAccuracyComboBox, record->GetPositionAccuracy());
    AtoNFields::SelectData(ui->comboVPowerLevel, record->GetPowerLevel());

    // The layout first: it sets dimension A's range, and a value loaded under the other layout's range
    // would be clipped and the clipped value stored by the next edit.
    ApplyDimensionLayout(type);
    ui->spinBoxDimensionA->setValue(record->GetDimensionA());
    ui->spinBoxDimensionB->setValue(record->GetDimensionB());
    ui->spinBoxDimensionC->setValue(record->GetDimensionC());
    ui->spinBoxDimensionD->setValue(record->GetDimensionD());
    UpdateDimensionsEnabled();

    tableModel->Reset();
}

void VirtualAtoNWidget::SaveWidgets()
{
    // Read before the record is written: the position texts are judged against the stored position.
    const double latitude = AtoNFields::TypedLatitude(ui->latitudeLineEdit->text(), *record->GetPosition());
    const double longitude = AtoNFields::TypedLongitude(ui->longitudeLineEdit->text(), *record->GetPosition());

    record->SetEnabled(ui->enableCheckBox->isChecked());
    record->SetSynthetic(ui->syntheticRadioButton->isChecked());
    record->SetInland(ui->radioButton_modeInland->isChecked());
    record->GetAtoNMmsi()->SetMMSI(ui->MMSILineEdit->text());
    record->SetAtoNName(ui->nameLineEdit->text());
    record->SetTypeOfAtoN(AtoNFields::CurrentData(ui->AtoNTypeComboBox));
    record->GetPosition()->SetLatitude(latitude);
    record->GetPosition()->SetLongitude(longitude);
    record->SetPositionAccuracy(AtoNFields::CurrentData(ui->positionAccuracyComboBox));
    record->SetPowerLevel(AtoNFields::CurrentData(ui->comboVPowerLevel));
    record->SetDimensionA(ui->spinBoxDimensionA->value());
    record->SetDimensionB(ui->spinBoxDimensionB->value());
    record->SetDimensionC(ui->spinBoxDimensionC->value());
    record->SetDimensionD(ui->spinBoxDimensionD->value());
}

bool VirtualAtoNWidget::IsValid() const
{
    if (!ui->enableCheckBox->isChecked())
        return true;
    const GeoPosition* position = record->GetPosition();
    return AtoNFields::IsAcceptable(mmsiValidator, ui->MMSILineEdit->text()) && !ui->nameLineEdit->text().isEmpty() &&
           position->GetLatitude() != GeoPosition::NotAvailableLatitude &&
           position->GetLongitude() != GeoPosition::NotAvailableLongitude;
}

// ---------------------------------------------------------------------------------------------------
// Enable, kind, mode and MMSI

void VirtualAtoNWidget::SetMMSIEditable(const QString& mmsi)
{
    // Only a complete MMSI is locked: a partly typed one must stay open, or the page could never be
    // completed.
    const bool locked = AtoNFields::IsAcceptable(mmsiValidator, mmsi);
    ui->MMSILineEdit->setEnabled(!locked);
    ui->MMSILineEdit->setToolTip(locked ? tr("Once configured the MMSI cannot be edited. Please delete the "
                                             "Virtual AtoN entry")
                                        : tr("Enter the Virtual AtoN MMSI, 9 digits in length"));
}

void VirtualAtoNWidget::on_enableCheckBox_toggled(bool b)
{
    if (updating)
        return;
    if (b != record->GetAtoNMmsi()->IsEnabled())
        CommitUserEdit();
    // The MMSI field sits beside Enable, which never disables it: it follows only the MMSI rule, so an
    // MMSI typed while the page was off locks as soon as it is stored.
    SetMMSIEditable(record->GetAtoNMmsi()->GetMMSI());
    UpdateDimensionsEnabled();
}

void VirtualAtoNWidget::on_syntheticRadioButton_toggled(bool /*b*/)
{
    if (updating)
        return;
    // Serves both kind buttons: the synthetic button's state is the kind either way. It is judged
    // against the station kind the page shows and the unit is sent: a load brings the kind with the
    // station but leaves the record's own synthetic flag, so after a retrieve that flag may still
    // hold the other kind, and the user's choice would then never be stored.
    const bool storedSynthetic = record->GetAtoN()->GetStationKind() == AtoNDef::SYNTHETIC;
    if (ui->syntheticRadioButton->isChecked() != storedSynthetic)
        CommitUserEdit();
    UpdateDimensionsEnabled();
}

void VirtualAtoNWidget::on_radioButton_modeInland_toggled(bool isChecked)
{
    if (updating)
        return;
    // Emptying the list runs the type rule with no type (0): a direction of impact leaves the name.
    AtoNFields::FillTypeList(ui->AtoNTypeComboBox, isChecked);
    ui->AtoNTypeComboBox->setCurrentIndex(0);
    // The mode is the user's edit whatever the type was, or a change of mode alone would never count
    // as unsaved work.
    if (record->IsInland() != isChecked)
        CommitUserEdit();
    else
        UpdateModelFromTab();
    ApplyDimensionLayout(AtoNFields::CurrentData(ui->AtoNTypeComboBox));
    UpdateDimensionsEnabled();
}

void VirtualAtoNWidget::on_MMSILineEdit_textChanged(const QString& text)
{
    EvalulateMMSIValidity(text);
}

void VirtualAtoNWidget::on_MMSILineEdit_textEdited(const QString& text)
{
    if (updating)
        return;
    EvalulateMMSIValidity(text);
    if (text != record->GetAtoNMmsi()->GetMMSI())
        CommitUserEdit();
}

void VirtualAtoNWidget::EvalulateMMSIValidity(const QString& text)
{
    ui->MMSIValidationWarningLabel->setVisible(!AtoNFields::IsAcceptable(mmsiValidator, text));
}

// ---------------------------------------------------------------------------------------------------
// Name and type

void VirtualAtoNWidget::on_nameLineEdit_textEdited(const QString& text)
{
    if (updating)
        return;
    const bool inland = record->IsInland();
    if (AtoNFields::EditName(ui->nameLineEdit, text, record->GetAtoNName(), *typeManager, inland,
                             inland ? AtoNFields::CurrentData(ui->AtoNTypeComboBox) : 0))
        CommitUserEdit();
}

void VirtualAtoNWidget::on_AtoNTypeComboBox_currentIndexChanged(int index)
{
    if (updating)
        return;
    const int newType = index < 0 ? 0 : ui->AtoNTypeComboBox->itemData(index).toInt();
    if (newType != record->GetTypeOfAtoN())
    {
        const bool inland = record->IsInland();
        if (!AtoNFields::ChangeTypeName(ui->nameLineEdit, *typeManager, inland,
                                        inland ? AtoNFields::CurrentData(ui->AtoNTypeComboBox) : 0))
        {
            // No direction given: back to the first type, which runs this rule for that type.
            ui->AtoNTypeComboBox->setCurrentIndex(0);
            return;
        }
        CommitUserEdit();
    }
    ApplyDimensionLayout(newType);
    UpdateDimensionsEnabled();
}

// ---------------------------------------------------------------------------------------------------
// Position, accuracy, power

bool VirtualAtoNWidget::TakePosition(bool latitude)
{
    if (updating)
        return false;
    GeoPosition* stored = record->GetPosition();
    if (latitude)
    {
        const double value = AtoNFields::TypedLatitude(ui->latitudeLineEdit->text(), *stored);
        if (value != stored->GetLatitude())
            stored->SetLatitude(value);
    }
    else
    {
        const double value = AtoNFields::TypedLongitude(ui->longitudeLineEdit->text(), *stored);
        if (value != stored->GetLongitude())
            stored->SetLongitude(value);
    }
    return true;
}

void VirtualAtoNWidget::OnPositionEdited(bool latitude)
{
    // Every keystroke counts as an edit, even one that leaves the position as it was.
    if (TakePosition(latitude))
        CommitUserEdit();
}

void VirtualAtoNWidget::OnPositionFinished(bool latitude)
{
    if (!TakePosition(latitude))
        return;
    if (latitude)
        AtoNFields::ShowLatitude(ui->latitudeLineEdit, *record->GetPosition(), ToolTipDecimals);
    else
        AtoNFields::ShowLongitude(ui->longitudeLineEdit, *record->GetPosition(), ToolTipDecimals);
    UpdateModelFromTab();
}

void VirtualAtoNWidget::on_latitudeLineEdit_textEdited(const QString& /*text*/)
{
    OnPositionEdited(true);
}

void VirtualAtoNWidget::on_latitudeLineEdit_editingFinished()
{
    OnPositionFinished(true);
}

void VirtualAtoNWidget::on_longitudeLineEdit_textEdited(const QString& /*text*/)
{
    OnPositionEdited(false);
}

void VirtualAtoNWidget::on_longitudeLineEdit_editingFinished()
{
    OnPositionFinished(false);
}

void VirtualAtoNWidget::OnValueEdit(int value, int stored)
{
    if (!updating && value != stored)
        CommitUserEdit();
}

void VirtualAtoNWidget::on_positionAccuracyComboBox_currentIndexChanged(int index)
{
    OnValueEdit(index < 0 ? 0 : ui->positionAccuracyComboBox->itemData(index).toInt(), record->GetPositionAccuracy());
}

void VirtualAtoNWidget::on_comboVPowerLevel_currentIndexChanged(int index)
{
    OnValueEdit(index < 0 ? 0 : ui->comboVPowerLevel->itemData(index).toInt(), record->GetPowerLevel());
}

// ---------------------------------------------------------------------------------------------------
// Dimensions and schedule

void VirtualAtoNWidget::on_spinBoxDimensionA_valueChanged(int i)
{
    OnValueEdit(i, record->GetDimensionA());
}

void VirtualAtoNWidget::on_spinBoxDimensionB_valueChanged(int i)
{
    OnValueEdit(i, record->GetDimensionB());
}

void VirtualAtoNWidget::on_spinBoxDimensionC_valueChanged(int i)
{
    OnValueEdit(i, record->GetDimensionC());
}

void VirtualAtoNWidget::on_spinBoxDimensionD_valueChanged(int i)
{
    OnValueEdit(i, record->GetDimensionD());
}

void VirtualAtoNWidget::OnDelegateEdited()
{
    // The table has already written the edit into the record's schedule.
    CommitUserEdit();
}

void VirtualAtoNWidget::UpdateDimensionsEnabled()
{
    // A virtual AtoN is no structure at all, and a reference point at sea is a position only: neither
    // has dimensions.
    const bool none =
        ui->virtualRadioButton->isChecked() ||
        (AtoNFields::CurrentData(ui->AtoNTypeComboBox) == AtoNDef::REFERENCE_POINT && !record->IsInland());
    for (QSpinBox* spin : {ui->spinBoxDimensionA, ui->spinBoxDimensionB, ui->spinBoxDimensionC, ui->spinBoxDimensionD})
        spin->setEnabled(!none);
}

void VirtualAtoNWidget::ApplyDimensionLayout(int type)
{
    if (cAtonTypeManager::IsFixedAtoNType(type, record->IsInland()))
        ShowFixedDimensions();
    else
        ShowFloatingDimensions();
}

void VirtualAtoNWidget::ShowFixedDimensions()
{
    AtoNFields::ShowDimensionKind(ui->dimensionsGroupBox, ui->labelDimensionsDrawing, ui->spinBoxDimensionA, true);
    // The drawing takes back its own size too: the floating drawing is larger.
    ui->labelDimensionsDrawing->setGeometry(60, 10, 141, 171);
    ui->spinBoxDimensionA->move(15, 55);
    for (QSpinBox* spin : {ui->spinBoxDimensionA, ui->spinBoxDimensionB, ui->spinBoxDimensionC, ui->spinBoxDimensionD})
    {
        spin->show();
        spin->raise();
    }
}

void VirtualAtoNWidget::ShowFloatingDimensions()
{
    AtoNFields::ShowDimensionKind(ui->dimensionsGroupBox, ui->labelDimensionsDrawing, ui->spinBoxDimensionA, false);
    ui->labelDimensionsDrawing->setGeometry(20, 20, 181, 181);
    ui->spinBoxDimensionA->move(40, 82);
    ui->spinBoxDimensionA->show();
    ui->spinBoxDimensionA->raise();
    ui->spinBoxDimensionB->hide();
    ui->spinBoxDimensionC->hide();
    ui->spinBoxDimensionD->hide();
}
