#include "ui/vdl/VdlControlTab.h"

#include <QBitArray>
#include <QBoxLayout>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTimer>

#include "app/KelvaneApplication.h"
#include "model/Model.h"
#include "model/Names.h"
#include "model/vdl/VDLCodecModel.h"
#include "ui/Prompts.h"
#include "ui/vdl/cVdlAceAcfRequestWarning.h"
#include "ui_VdlControlTab.h"

namespace
{
// "0" stands for any station; "000000000" is no MMSI at all.
const QString TargetPattern = QStringLiteral("(0)|(?!000000000)([0-9]{9,9})");
const QString NoMMSI = QStringLiteral("000000000");

bool IsAcceptedTarget(const QString& text)
{
    static const QRegularExpression whole(QRegularExpression::anchoredPattern(TargetPattern));
    return whole.match(text).hasMatch();
}

void Paint(QWidget* indicator, const QString& style)
{
    indicator->setStyleSheet(style);
}

// The row captions stand in a column of their own beside the request groups, whose rows lie inside group
// boxes: the column starts as far down as the first box's first row (a layout puts no gap beside a spacer),
// each caption is as high as its row and the gaps are the rows' own. The groups keep their natural height, so this
// holds at any page size.
void LevelCaptions(QBoxLayout* column, const QGroupBox* box, const QList<QLabel*>& captions)
{
    const auto* rows = static_cast<const QGridLayout*>(box->layout());
    column->setSpacing(rows->verticalSpacing());
    if (QSpacerItem* top = column->itemAt(0)->spacerItem())
        top->changeSize(0, box->contentsMargins().top() + rows->contentsMargins().top(), QSizePolicy::Minimum,
                        QSizePolicy::Fixed);
    for (int row = 0; row < int(captions.size()); ++row)
    {
        int height = 0;
        for (int c = 0; c < rows->columnCount(); ++c)
            if (QLayoutItem* item = rows->itemAtPosition(row, c))
                height = qMax(height, item->sizeHint().height());
        captions.at(row)->setFixedHeight(height);
    }
    column->invalidate();
}

// One reply of a multi-part query. The first reply of a sequence announces how many parts are still to
// come and each later one counts down; true when a further query is due. A reply nobody here asked for
// ends the sequence with what came: no further part will be asked for.
bool NextPartDue(bool asked, int announced, int& remaining, bool& multiPart)
{
    if (!asked)
    {
        remaining = 0;
        multiPart = false;
        return false;
    }
    if (!multiPart)
    {
        remaining = announced;
        multiPart = true;
    }
    if (remaining >= 1)
    {
        --remaining;
        return true;
    }
    multiPart = false;
    return false;
}
} // namespace

VdlControlTab::VdlControlTab(Model* model, QWidget* parent)
    : AtoNConfiguration(model, parent), ui(std::make_unique<Ui::VdlControlTab>())
{
    ui->setupUi(this);
    LevelCaptions(ui->verticalLayoutConfigurationLabels, ui->groupBox_AID, {ui->label, ui->label_2, ui->label_4});
    LevelCaptions(ui->verticalLayoutQueryLabels, ui->groupBox_AID_Query,
                  {ui->label_25, ui->label_26, ui->label_27, ui->label_28});
    // Without the application object (a page on its own) the virtual AtoN tab is taken to exist.
    if (auto* app = qobject_cast<KelvaneApplication*>(QCoreApplication::instance()))
        vatonEnabled = app->GetVAtoNEnabled();
    codec = std::make_unique<VDLCodecModel>();

    aidResponseTimer = new QTimer(this);
    aarResponseTimer = new QTimer(this);
    aceAcfPart1ResponseTimer = new QTimer(this);
    aceAcfPart2ResponseTimer = new QTimer(this);
    copResponseTimer = new QTimer(this);
    for (QTimer* timer :
         {aidResponseTimer, aarResponseTimer, aceAcfPart1ResponseTimer, aceAcfPart2ResponseTimer, copResponseTimer})
        timer->setSingleShot(true);

    queryButtons = {ui->pushButtonRetryAidQuery, ui->pushButtonRetryCopQuery, ui->pushButtonRetryAarQuery,
                    ui->pushButtonRetryAceAcfQuery};
    sentIndicators = {ui->widgetAarSent, ui->widgetAc1Sent, ui->widgetAc2Sent, ui->widgetAc3Sent, ui->widgetAc4Sent,
                      ui->widgetAc5Sent, ui->widgetAc6Sent, ui->widgetAidSent, ui->widgetCopSent};
    queryIndicators = {ui->widgetAarQuery, ui->widgetAceAcfQuery, ui->widgetAidQuery, ui->widgetCopQuery};
    responseIndicators = {ui->widgetAarResponse, ui->widgetAceAcfResponsePt1, ui->widgetAceAcfResponsePt2,
                          ui->widgetAidResponse, ui->widgetCopResponse};
    sendCountButtons = {ui->pushButtonRetryAar,   ui->pushButtonRetryAcPt1,   ui->pushButtonRetryAcPt2,
                        ui->pushButtonRetryAcPt3, ui->pushButtonRetryAcPt456, ui->pushButtonRetryAid,
                        ui->pushButtonRetryCop};
    queryCountButtons = {ui->pushButtonRetryAarQuery, ui->pushButtonRetryAceAcfQuery, ui->pushButtonRetryAidQuery,
                         ui->pushButtonRetryCopQuery};

    ResetSentIndicators();
    ResetQueryIndicators();
    ClearSendCounts();
    ClearQueryCounts();

    connect(aidResponseTimer, &QTimer::timeout, this, &VdlControlTab::OnAIDResponseTimeout);
    connect(aarResponseTimer, &QTimer::timeout, this, &VdlControlTab::OnAARResponseTimeout);
    connect(aceAcfPart1ResponseTimer, &QTimer::timeout, this, &VdlControlTab::OnACEACFPart1ResponseTimeout);
    connect(aceAcfPart2ResponseTimer, &QTimer::timeout, this, &VdlControlTab::OnACEACFPart2ResponseTimeout);
    connect(copResponseTimer, &QTimer::timeout, this, &VdlControlTab::OnCopResponseTimeout);

    SetQueryGroupsEnabled(false);
    SetSendGroupsEnabled(false);

    targetValidator = new QRegularExpressionValidator(QRegularExpression(TargetPattern), this);
    ui->comboBoxTargetMMSI->setValidator(targetValidator);
}

VdlControlTab::~VdlControlTab() = default;

// ---------------------------------------------------------------------------------------------------
// Load and store

bool VdlControlTab::UpdateTabFromModel(Model* source)
{
    VdlModel* vdl = model->GetVdlModel();
    if (source && source != model)
        *vdl = *source->GetVdlModel();
    // Read everything first: setting a widget must never store half-loaded values over the record.
    const bool useVdl = vdl->useVdl;
    const QString target = vdl->targetMMSI;
    const int sendDelay = vdl->sendDelay;
    const int responseTimeout = vdl->responseTimeout;

    const bool wasOn = ui->checkBoxUseVdl->isChecked();
    updating = true;
    ui->checkBoxUseVdl->setChecked(useVdl);
    ui->spinBoxSendDelay->setValue(sendDelay);
    ui->spinBoxResponseTimeout->setValue(responseTimeout);
    // The window and the target list follow the loaded mode; a load stores nothing and marks nothing.
    if (useVdl != wasOn)
        ApplyVdlMode(useVdl);
    ui->comboBoxTargetMMSI->setCurrentIndex(
        ui->comboBoxTargetMMSI->findText(target, Qt::MatchExactly | Qt::MatchCaseSensitive));
    updating = false;
    return true;
}

bool VdlControlTab::UpdateModelFromTab(Model* target)
{
    VdlModel* vdl = (target ? target : model)->GetVdlModel();
    vdl->useVdl = ui->checkBoxUseVdl->isChecked();
    vdl->targetMMSI = ui->comboBoxTargetMMSI->currentText();
    vdl->sendDelay = ui->spinBoxSendDelay->value();
    vdl->responseTimeout = ui->spinBoxResponseTimeout->value();
    return true;
}

void VdlControlTab::EndUserEdit()
{
    if (updating)
        return;
    CommitUserEdit();
}

// ---------------------------------------------------------------------------------------------------
// Target and VDL mode

QString VdlControlTab::OwnMMSI() const
{
    return model->GetRealAtoN()->GetAtoNMMSI()->GetMMSI();
}

void VdlControlTab::on_checkBoxUseVdl_stateChanged(int state)
{
    if (updating)
        return;
    ApplyVdlMode(state == Qt::Checked);
    EndUserEdit();
}

void VdlControlTab::ApplyVdlMode(bool on)
{
    if (!on)
    {
        // The form closes these only on a click of the box: a load that ends VDL mode (New, Open, a
        // port change) must close them too, or a target typed in would open remote requests with the
        // mode off. A load never opens them: only a click does.
        for (QWidget* group : {static_cast<QWidget*>(ui->groupBox_4), static_cast<QWidget*>(ui->groupBox),
                               static_cast<QWidget*>(ui->groupBox_3)})
            group->setEnabled(false);
        Q_EMIT ToggleVDLMode(false);
        ResetSentIndicators();
        ResetQueryIndicators();
        ClearSendCounts();
        ClearQueryCounts();
        SetQueryGroupsEnabled(false);
        SetSendGroupsEnabled(false);
        ui->comboBoxTargetMMSI->clear();
        // Out of VDL mode no further part of a reply may be asked for.
        aidPending = false;
        aarPending = false;
    }
    else
    {
        Q_EMIT ToggleVDLMode(true);
        PopulateTargetMMSIList();
    }
    DetectVirtualAtoNMMSI();
}

void VdlControlTab::PopulateTargetMMSIList()
{
    for (const AtoNMMSI* record : model->GetEnabledMMSIs())
        ui->comboBoxTargetMMSI->addItem(record->GetMMSI());
    ValidateTargetMMSI();
    DetectVirtualAtoNMMSI();
}

void VdlControlTab::ValidateTargetMMSI()
{
    QComboBox* box = ui->comboBoxTargetMMSI;
    const QString text = box->currentText();
    if (!IsAcceptedTarget(text))
    {
        ui->labelTargetMMSIInvalidMessage->show();
        return;
    }
    ui->labelTargetMMSIInvalidMessage->hide();
    if (box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        box->addItem(text);
    const int index = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (box->currentIndex() != index)
        box->setCurrentIndex(index);
    DetectVirtualAtoNMMSI();
}

void VdlControlTab::on_comboBoxTargetMMSI_editTextChanged(const QString& mmsiString)
{
    Q_UNUSED(mmsiString);
    ValidateTargetMMSI();
    DetectVirtualAtoNMMSI();
    EndUserEdit();
}

void VdlControlTab::DetectVirtualAtoNMMSI()
{
    const QList<QWidget*> ownRequests = {ui->pushButtonRetryAid, ui->pushButtonRetryAidQuery, ui->pushButtonRetryCop,
                                         ui->pushButtonRetryCopQuery};
    // The label's own flag, not its visibility on screen: the page may be hidden behind another tab.
    if (!ui->labelTargetMMSIInvalidMessage->isHidden())
    {
        for (QWidget* widget : ownRequests)
            widget->setEnabled(false);
        SetQueryGroupsEnabled(false);
        SetSendGroupsEnabled(false);
        return;
    }
    const QString own = OwnMMSI();
    if (own == NoMMSI || ui->comboBoxTargetMMSI->currentText() == own)
    {
        for (QWidget* widget : ownRequests)
            widget->setEnabled(true);
        return;
    }
    for (QWidget* widget : ownRequests)
        widget->setEnabled(false);
    SetQueryGroupsEnabled(true);
    SetSendGroupsEnabled(true);
}

void VdlControlTab::on_spinBoxSendDelay_valueChanged(int value)
{
    Q_UNUSED(value);
    EndUserEdit();
}

void VdlControlTab::on_spinBoxResponseTimeout_valueChanged(int value)
{
    Q_UNUSED(value);
    EndUserEdit();
}

// ---------------------------------------------------------------------------------------------------
// Widget groups

void VdlControlTab::SetButtonsEnabled(QWidget* except, bool on)
{
    for (QWidget* button : std::as_const(queryButtons))
    {
        if (button != except)
            button->setEnabled(on);
    }
}

void VdlControlTab::SetQueryGroupsEnabled(bool on)
{
    ui->groupBox_ACE_ACF_Query->setEnabled(on);
    ui->groupBox_ARW_AAR_Query->setEnabled(on);
}

void VdlControlTab::SetSendGroupsEnabled(bool on)
{
    ui->groupBox_ACE_ACF->setEnabled(on);
    ui->groupBox_ARW_AAR->setEnabled(on);
}

void VdlControlTab::ResetSentIndicators()
{
    for (QWidget* indicator : std::as_const(sentIndicators))
        Paint(indicator, Names::StyleBlue);
}

void VdlControlTab::ResetQueryIndicators()
{
    for (QWidget* indicator : std::as_const(queryIndicators))
        Paint(indicator, Names::StyleBlue);
    for (QWidget* indicator : std::as_const(responseIndicators))
        Paint(indicator, Names::StyleBlue);
}

void VdlControlTab::ClearSendCounts()
{
    for (QPushButton* button : std::as_const(sendCountButtons))
        button->setText(QString());
}

void VdlControlTab::ClearQueryCounts()
{
    for (QPushButton* button : std::as_const(queryCountButtons))
        button->setText(QString());
}

// ---------------------------------------------------------------------------------------------------
// Requests

void VdlControlTab::Request(VDL::VdlApplicationID id)
{
    Q_EMIT SendVDLMessage(id, ui->spinBoxSendDelay->value());
}

void VdlControlTab::StartTimer(QTimer* timer, int factorMs)
{
    timer->start(ui->spinBoxResponseTimeout->value() * factorMs);
}

void VdlControlTab::on_pushButtonRetryAid_clicked()
{
    SetButtonsEnabled(ui->pushButtonRetryAid, false);
    Paint(ui->widgetAidSent, Names::StyleAmber);
    ui->pushButtonRetryAid->setText(QStringLiteral("0"));
    Request(VDL::AID_CONFIGURATION);
}

void VdlControlTab::on_pushButtonRetryAidQuery_clicked()
{
    aidMultiPart = false;
    aidPending = true;
    SendAidQuery();
}

void VdlControlTab::SendAidQuery()
{
    Paint(ui->widgetAidQuery, Names::StyleAmber);
    Paint(ui->widgetAidResponse, Names::StyleAmber);
    aidReceived = false;
    StartTimer(aidResponseTimer, 1000);
    Request(VDL::AID_REQUEST);
    SetButtonsEnabled(ui->pushButtonRetryAidQuery, false);
    ui->groupBox_ACE_ACF->setEnabled(false);
    ui->groupBox_ARW_AAR->setEnabled(false);
    ui->pushButtonRetryAid->setEnabled(false);
}

void VdlControlTab::on_pushButtonRetryAcPt1_clicked()
{
    Paint(ui->widgetAc1Sent, Names::StyleAmber);
    Request(VDL::ACE_ACF_CONFIGURATION_PART_1);
}

void VdlControlTab::on_pushButtonRetryAcPt2_clicked()
{
    Paint(ui->widgetAc2Sent, Names::StyleAmber);
    Request(VDL::ACE_ACF_CONFIGURATION_PART_2);
}

void VdlControlTab::on_pushButtonRetryAcPt3_clicked()
{
    Paint(ui->widgetAc3Sent, Names::StyleAmber);
    Request(VDL::ACE_ACF_CONFIGURATION_PART_3);
}

void VdlControlTab::on_pushButtonRetryAcPt456_clicked()
{
    Paint(ui->widgetAc4Sent, Names::StyleAmber);
    Paint(ui->widgetAc5Sent, Names::StyleAmber);
    Paint(ui->widgetAc6Sent, Names::StyleAmber);
    Request(VDL::ACE_ACF_CONFIGURATION_PART_4);
}

void VdlControlTab::on_pushButtonRetryAceAcfQuery_clicked()
{
    // Made for this one question and gone with it; Continue reaches OnAceAcfQueryRequested().
    cVdlAceAcfRequestWarning notice(this);
    Prompts::Current().Run(&notice);
}

void VdlControlTab::OnAceAcfQueryRequested()
{
    Paint(ui->widgetAceAcfQuery, Names::StyleAmber);
    Paint(ui->widgetAceAcfResponsePt1, Names::StyleAmber);
    Paint(ui->widgetAceAcfResponsePt2, Names::StyleAmber);
    aceAcfPart1Received = false;
    aceAcfPart2Received = false;
    StartTimer(aceAcfPart1ResponseTimer, 2000);
    StartTimer(aceAcfPart2ResponseTimer, 2000);
    Request(VDL::ACE_ACF_REQUEST);
    SetButtonsEnabled(ui->pushButtonRetryAceAcfQuery, false);
}

void VdlControlTab::on_pushButtonRetryAar_clicked()
{
    Paint(ui->widgetAarSent, Names::StyleAmber);
    ui->pushButtonRetryAar->setText(QStringLiteral("0"));
    aarSentCount = 0;
    Request(VDL::AAR_CONFIGURATION);
}

void VdlControlTab::on_pushButtonRetryAarQuery_clicked()
{
    aarMultiPart = false;
    aarPending = true;
    model->ClearReceivedSchedule();
    SendAarQuery();
}

void VdlControlTab::SendAarQuery()
{
    Paint(ui->widgetAarQuery, Names::StyleAmber);
    Paint(ui->widgetAarResponse, Names::StyleAmber);
    aarReceived = false;
    StartTimer(aarResponseTimer, 1000);
    Request(VDL::AAR_REQUEST);
    SetButtonsEnabled(ui->pushButtonRetryAarQuery, false);
}

void VdlControlTab::on_pushButtonRetryCopQuery_clicked()
{
    Paint(ui->widgetCopQuery, Names::StyleAmber);
    Paint(ui->widgetCopResponse, Names::StyleAmber);
    copReceived = false;
    StartTimer(copResponseTimer, 1000);
    Request(VDL::COP_REQUEST);
    SetButtonsEnabled(ui->pushButtonRetryCopQuery, false);
}

void VdlControlTab::on_pushButtonRetryCop_clicked()
{
    Paint(ui->widgetCopSent, Names::StyleAmber);
    Request(VDL::COP_CONFIGURATION);
}

// ---------------------------------------------------------------------------------------------------
// Progress

void VdlControlTab::OnVDLMessageSending(int functionID, int count)
{
    QWidget* indicator = SentIndicatorOf(functionID);
    if (!indicator)
        return;
    Paint(indicator, Names::StyleAmber);
    if (functionID == VDL::AID_CONFIGURATION)
        ui->pushButtonRetryAid->setText(QString::number(count));
    else if (functionID == VDL::AAR_CONFIGURATION)
        ui->pushButtonRetryAar->setText(QString::number(++aarSentCount));
}

void VdlControlTab::OnVDLMessageSent(int functionID, int count)
{
    QWidget* indicator = SentIndicatorOf(functionID);
    if (!indicator)
        return;
    Paint(indicator, Names::StyleGreen);
    if (functionID == VDL::AID_CONFIGURATION)
    {
        ui->pushButtonRetryAid->setText(QString::number(count));
        SetSendGroupsEnabled(true);
        SetButtonsEnabled(ui->pushButtonRetryAid, true);
    }
    else if (functionID == VDL::AAR_CONFIGURATION)
    {
        ui->pushButtonRetryAar->setText(QString::number(++aarSentCount));
    }
}

QWidget* VdlControlTab::SentIndicatorOf(int functionID) const
{
    switch (functionID)
    {
    case VDL::AID_CONFIGURATION:
        return ui->widgetAidSent;
    case VDL::AID_REQUEST:
        return ui->widgetAidQuery;
    case VDL::ACE_ACF_CONFIGURATION_PART_1:
        return ui->widgetAc1Sent;
    case VDL::ACE_ACF_CONFIGURATION_PART_2:
        return ui->widgetAc2Sent;
    case VDL::ACE_ACF_CONFIGURATION_PART_3:
        return ui->widgetAc3Sent;
    case VDL::ACE_ACF_CONFIGURATION_PART_4:
        return ui->widgetAc4Sent;
    case VDL::ACE_ACF_CONFIGURATION_PART_5:
        return ui->widgetAc5Sent;
    case VDL::ACE_ACF_CONFIGURATION_PART_6:
        return ui->widgetAc6Sent;
    case VDL::ACE_ACF_REQUEST:
        return ui->widgetAceAcfQuery;
    case VDL::AAR_CONFIGURATION:
        return ui->widgetAarSent;
    case VDL::AAR_REQUEST:
        return ui->widgetAarQuery;
    case VDL::COP_REQUEST:
        return ui->widgetCopQuery;
    case VDL::COP_CONFIGURATION:
        return ui->widgetCopSent;
    default:
        return nullptr;
    }
}

// ---------------------------------------------------------------------------------------------------
// Replies

void VdlControlTab::On_Message6Received_Received(QBitArray* bitArray)
{
    if (!bitArray)
        return;
    const int length = bitArray->size() - Message6HeaderBits;
    // Less than a DAC and FI: nothing to match, and nothing may be read past the end.
    if (length < VDLModelObject::IdentifierBits)
        return;
    QBitArray payload(length);
    for (int i = 0; i < length; ++i)
        payload.setBit(i, bitArray->testBit(Message6HeaderBits + i));

    int at = 0;
    const int fi =
        int(VDLModelObject::GetBits(VDLModelObject::IdentifierBits, payload, at)) - VDLModelObject::IdentifierBase;
    // Shorter application data cannot carry a whole reply frame, nor its station.
    const QString mmsi = length >= VDLModelObject::FrameBits
                             ? QString::number(VDLModelObject::GetBits(VDLModelObject::MmsiBits, payload, at))
                             : QStringLiteral("0");
    switch (fi)
    {
    case AidReplyFI:
        OnAidResponse(payload, fi, mmsi);
        break;
    case AarReplyFI:
        OnAarResponse(payload, fi, mmsi);
        break;
    case CopReplyFI:
        OnCopResponse(payload, fi, mmsi);
        break;
    case AceAcfReplyPart1FI:
    case AceAcfReplyPart2FI:
        OnAceAcfResponse(payload, fi, mmsi);
        break;
    default:
        break;
    }
}

// Every handler decodes first: a reply the codec cannot read (too short, another identifier) is dropped
// whole. Applying it would write the codec's stale contents into the configuration.

void VdlControlTab::OnAidResponse(const QBitArray& payload, int fi, const QString& mmsi)
{
    AID* aid = codec->GetAid();
    if (!aid->DecodeResponse(payload))
        return;
    aidResponseTimer->stop();
    aidReceived = true;
    Paint(ui->widgetAidQuery, Names::StyleBlue);
    Paint(ui->widgetAidResponse, Names::StyleGreen);
    model->ApplyVdlMessage(codec.get(), fi, mmsi);

    // Each reply carries two MMSIs. A count of 0 or 1 is a reply complete in itself.
    const int count = aid->GetCount();
    if (NextPartDue(aidPending, count > 1 ? count / 2 : 0, aidRemaining, aidMultiPart))
        SendAidQuery();
    ui->pushButtonRetryAidQuery->setText(QString::number(aidRemaining));

    if (aidRemaining == 0 && !aidMultiPart)
    {
        aidPending = false;
        Q_EMIT UpdateTabFromVDL(0);
        if (vatonEnabled)
            Q_EMIT UpdateTabFromVDL(2);
        ui->groupBox_ACE_ACF_Query->setEnabled(true);
        ui->groupBox_ARW_AAR_Query->setEnabled(true);
        ui->pushButtonRetryAid->setEnabled(true);
        SetButtonsEnabled(ui->pushButtonRetryAidQuery, true);
    }
}

void VdlControlTab::OnAarResponse(const QBitArray& payload, int fi, const QString& mmsi)
{
    AAR* aar = codec->GetAar();
    if (!aar->DecodeResponse(payload))
        return;
    aarResponseTimer->stop();
    aarReceived = true;
    Paint(ui->widgetAarQuery, Names::StyleBlue);
    Paint(ui->widgetAarResponse, Names::StyleGreen);
    model->ApplyVdlMessage(codec.get(), fi, mmsi);

    // A reply nobody here asked for that announces further entries holds only part of a schedule, and
    // no further part will be asked for: applied, it would stand as the AtoN's whole schedule.
    const bool partial = !aarPending && aar->numberOfMessages > 0;
    if (NextPartDue(aarPending, aar->numberOfMessages, aarRemaining, aarMultiPart))
        SendAarQuery();
    ui->pushButtonRetryAarQuery->setText(QString::number(aarRemaining));

    if (aarRemaining == 0 && !aarMultiPart)
    {
        aarPending = false;
        if (!partial)
        {
            model->ApplyReceivedSchedule(mmsi);
            Q_EMIT UpdateTabFromVDL(1);
            // The schedule may have been a virtual AtoN's: that tab shows it.
            if (vatonEnabled)
                Q_EMIT UpdateTabFromVDL(2);
        }
        SetButtonsEnabled(ui->pushButtonRetryAarQuery, true);
    }
}

void VdlControlTab::OnAceAcfResponse(const QBitArray& payload, int fi, const QString& mmsi)
{
    ACE_ACF* aceAcf = codec->GetAceAcf();
    const bool part1 = fi == AceAcfReplyPart1FI;
    if (!(part1 ? aceAcf->DecodeResponsePart1(payload) : aceAcf->DecodeResponsePart2(payload)))
        return;
    if (part1)
    {
        aceAcfPart1ResponseTimer->stop();
        aceAcfPart1Received = true;
        Paint(ui->widgetAceAcfResponsePt1, Names::StyleGreen);
    }
    else
    {
        aceAcfPart2ResponseTimer->stop();
        aceAcfPart2Received = true;
        Paint(ui->widgetAceAcfResponsePt2, Names::StyleGreen);
    }
    if (aceAcfPart1Received && aceAcfPart2Received)
        Paint(ui->widgetAceAcfQuery, Names::StyleBlue);
    model->ApplyVdlMessage(codec.get(), fi, mmsi);
    Q_EMIT UpdateTabFromVDL(0);
    if (vatonEnabled)
        Q_EMIT UpdateTabFromVDL(2);
    SetButtonsEnabled(ui->pushButtonRetryAceAcfQuery, true);
}

void VdlControlTab::OnCopResponse(const QBitArray& payload, int fi, const QString& mmsi)
{
    if (!codec->GetCop()->DecodeResponse(payload))
        return;
    copResponseTimer->stop();
    copReceived = true;
    Paint(ui->widgetCopQuery, Names::StyleBlue);
    Paint(ui->widgetCopResponse, Names::StyleGreen);
    model->ApplyVdlMessage(codec.get(), fi, mmsi);
    Q_EMIT UpdateTabFromVDL(VdlTabNumber());
    SetButtonsEnabled(ui->pushButtonRetryCopQuery, true);
}

// ---------------------------------------------------------------------------------------------------
// Time-outs: a reply that came in time leaves everything as it is. One that did not only shows red: the
// radio link is slow, and a reply may still come. A multi-part sequence therefore waits where it
// stands, and a late reply carries it on (its count, the further queries) as one in time would; ending
// it here would take that reply for one nobody asked for and leave the list half collected.

void VdlControlTab::OnAIDResponseTimeout()
{
    if (aidReceived)
        return;
    Paint(ui->widgetAidResponse, Names::StyleRed);
}

void VdlControlTab::OnAARResponseTimeout()
{
    if (aarReceived)
        return;
    Paint(ui->widgetAarResponse, Names::StyleRed);
}

void VdlControlTab::OnACEACFPart1ResponseTimeout()
{
    if (!aceAcfPart1Received)
        Paint(ui->widgetAceAcfResponsePt1, Names::StyleRed);
}

void VdlControlTab::OnACEACFPart2ResponseTimeout()
{
    if (!aceAcfPart2Received)
        Paint(ui->widgetAceAcfResponsePt2, Names::StyleRed);
}

void VdlControlTab::OnCopResponseTimeout()
{
    if (!copReceived)
        Paint(ui->widgetCopResponse, Names::StyleRed);
}
