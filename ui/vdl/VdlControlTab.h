#pragma once

#include <QList>
#include <memory>

#include "model/vdl/VdlApplicationID.h"
#include "ui/AtoNConfiguration.h"

class QBitArray;
class QPushButton;
class QRegularExpressionValidator;
class QTimer;
class VDLCodecModel;

namespace Ui
{
class VdlControlTab;
}

// The "Control" page of the VDL tab: requests and configuration messages to a remote unit over the VHF
// data link, and the matching of its replies. It edits the page settings of the VDL record of its model
// (use VDL, target MMSI, send delay, reply timeout).
//
// Each request kind shows its progress with coloured squares: blue idle or answered, amber under way,
// green sent or received, red when the reply did not come within the time-out. Replies arrive as
// message 6 (DAC 990), are decoded into the page's own codec, applied to the tab model, and the main
// window is asked to reload the tab that shows them. AID and AAR replies may come in several parts;
// the page asks for the further parts itself, but only for a query the user started here.
class VdlControlTab : public AtoNConfiguration
{
    Q_OBJECT

public:
    // Function identifiers of the replies (DAC 990).
    static constexpr int AidReplyFI = 2;
    static constexpr int AceAcfReplyPart1FI = 10;
    static constexpr int AceAcfReplyPart2FI = 11;
    static constexpr int AarReplyFI = 15;
    static constexpr int CopReplyFI = 36;
    // Bits of the message 6 header in front of the application data.
    static constexpr int Message6HeaderBits = 72;

    VdlControlTab(Model* model, QWidget* parent = nullptr);
    ~VdlControlTab() override;

    // With a source (other than the own model), its whole VDL record replaces the own one first.
    bool UpdateTabFromModel(Model* source = nullptr) override;
    // Writes the page settings into the VDL record of the target, or of the own model without one.
    bool UpdateModelFromTab(Model* target = nullptr) override;

Q_SIGNALS:
    // The "use VDL" switch changed (true: on).
    void ToggleVDLMode(bool mode);
    // One request to the remote unit; delay in seconds.
    void SendVDLMessage(VDL::VdlApplicationID functionID, int delay);
    // A reply changed the tab model: the main window reloads that tab.
    void UpdateTabFromVDL(int tab);
    // A line for the unit.
    void Send(QString line);

public Q_SLOTS:
    void on_pushButtonRetryAid_clicked();
    void on_pushButtonRetryAidQuery_clicked();
    void on_pushButtonRetryAcPt1_clicked();
    void on_pushButtonRetryAcPt2_clicked();
    void on_pushButtonRetryAcPt3_clicked();
    void on_pushButtonRetryAcPt456_clicked();
    void on_pushButtonRetryAceAcfQuery_clicked();
    void on_pushButtonRetryAar_clicked();
    void on_pushButtonRetryAarQuery_clicked();
    void on_pushButtonRetryCopQuery_clicked();
    void on_pushButtonRetryCop_clicked();
    void on_checkBoxUseVdl_stateChanged(int state);
    void on_comboBoxTargetMMSI_editTextChanged(const QString& mmsiString);
    void on_spinBoxSendDelay_valueChanged(int value);
    void on_spinBoxResponseTimeout_valueChanged(int value);
    void DetectVirtualAtoNMMSI();
    // The ACE/ACF query, once the user has read the notice.
    void OnAceAcfQueryRequested();

    // Progress of a VDL step, from the transport.
    void OnVDLMessageSending(int functionID, int count);
    void OnVDLMessageSent(int functionID, int count);
    // A received message 6, lent for the call only.
    void On_Message6Received_Received(QBitArray* bitArray);

    void OnAIDResponseTimeout();
    void OnAARResponseTimeout();
    void OnACEACFPart1ResponseTimeout();
    void OnACEACFPart2ResponseTimeout();
    void OnCopResponseTimeout();

private:
    void OnAidResponse(const QBitArray& payload, int fi, const QString& mmsi);
    void OnAarResponse(const QBitArray& payload, int fi, const QString& mmsi);
    void OnAceAcfResponse(const QBitArray& payload, int fi, const QString& mmsi);
    void OnCopResponse(const QBitArray& payload, int fi, const QString& mmsi);
    // The indicator a progress report of this identifier paints; null for identifiers not shown here.
    QWidget* SentIndicatorOf(int functionID) const;
    void SendAidQuery();
    void SendAarQuery();
    void Request(VDL::VdlApplicationID id);
    void StartTimer(QTimer* timer, int factorMs);
    // Switches into or out of VDL mode: the window, the indicators, the target list.
    void ApplyVdlMode(bool on);
    void PopulateTargetMMSIList();
    void ValidateTargetMMSI();
    void EndUserEdit();
    QString OwnMMSI() const;
    // The tab number of the VDL tab in the main window's AtoN tab set.
    int VdlTabNumber() const { return vatonEnabled ? 6 : 5; }

    void SetButtonsEnabled(QWidget* except, bool on);
    void SetQueryGroupsEnabled(bool on);
    void SetSendGroupsEnabled(bool on);
    void ResetSentIndicators();
    void ResetQueryIndicators();
    void ClearSendCounts();
    void ClearQueryCounts();

    QList<QWidget*> queryButtons;
    QList<QWidget*> sentIndicators;
    QList<QWidget*> queryIndicators;
    QList<QWidget*> responseIndicators;
    QList<QPushButton*> sendCountButtons;
    QList<QPushButton*> queryCountButtons;
    bool aidReceived = false;
    bool aarReceived = false;
    bool aceAcfPart1Received = false;
    bool aceAcfPart2Received = false;
    QTimer* aidResponseTimer = nullptr;
    QTimer* aarResponseTimer = nullptr;
    QTimer* aceAcfPart1ResponseTimer = nullptr;
    QTimer* aceAcfPart2ResponseTimer = nullptr;
    QTimer* copResponseTimer = nullptr;
    int aarRemaining = 0;
    int aarSentCount = 0;
    bool aarMultiPart = false;
    int aidRemaining = 0;
    bool aidMultiPart = false;
    bool copReceived = false;
    // The user started a query of this kind on this page, and its sequence has not ended since: not
    // with its last reply, nor by leaving VDL mode. A time-out does not end it. Only then does the
    // page transmit the further queries of a multi-part reply: a reply heard from any other station
    // must never make the tool talk on the data link by itself.
    bool aidPending = false;
    bool aarPending = false;
    std::unique_ptr<Ui::VdlControlTab> ui;
    std::unique_ptr<VDLCodecModel> codec;
    QRegularExpressionValidator* targetValidator = nullptr;
    bool vatonEnabled = true;
};
