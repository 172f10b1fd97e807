#pragma once

#include "model/vdl/VdlApplicationID.h"
#include "ui/AtoNConfiguration.h"

class QBitArray;

// The "Control" page of the VDL tab: requests and configuration messages to a remote unit over the VHF
// data link, and the matching of its replies. It edits the page settings of the VDL record of its model
// (use VDL, target MMSI, send delay, reply timeout).
class VdlControlTab : public AtoNConfiguration
{
    Q_OBJECT

public:
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
    // Progress of a VDL step, from the transport.
    void OnVDLMessageSending(int functionID, int count);
    void OnVDLMessageSent(int functionID, int count);
    // A received message 6, lent for the call only.
    void On_Message6Received_Received(QBitArray* bitArray);
};
