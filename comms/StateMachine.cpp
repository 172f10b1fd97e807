#include "comms/StateMachine.h"

#include <QMutexLocker>

#include <new>

#include "comms/Transport.h"
#include "model/Model.h"
#include "model/Names.h"

namespace
{

// The connect-time queries: the unit's MMSI, then its GNSS receiver.
constexpr int ConnectQueryDelay = 100;

template <typename T> T* Required(T* pointer)
{
    if (!pointer)
        throw std::bad_alloc();
    return pointer;
}

} // namespace

StateMachine::StateMachine(Model* tabModel, Model* transportModel, bool hasVirtualTab, QObject* parent)
    : QObject(parent), tabModel(Required(tabModel)), transportModel(Required(transportModel)),
      hasVirtualTab(hasVirtualTab), pollTimer(this)
{
    pollTimer.setInterval(VoltagePollInterval);
    pollTimer.setSingleShot(false);
    connect(&pollTimer, &QTimer::timeout, this, &StateMachine::OnVoltageTimeout);
}

// ---------------------------------------------------------------------------------------------
// Tab numbers, positions and states

int StateMachine::PositionOfTab(int number) const
{
    if (number < 0 || number >= AtoNTabCount)
        return -1;
    if (hasVirtualTab || number < VirtualAtoNsTab)
        return number;
    if (number == VirtualAtoNsTab)
        return -1;
    return number - 1;
}

int StateMachine::TabAtPosition(int position) const
{
    if (position < 0)
        return -1;
    const int number = (hasVirtualTab || position < VirtualAtoNsTab) ? position : position + 1;
    return number < AtoNTabCount ? number : -1;
}

int StateMachine::GetTabState(int number) const
{
    return (number >= 0 && number < AtoNTabCount) ? tabStates[size_t(number)] : TabNotConnected;
}

int StateMachine::GetSensorTabState(int number) const
{
    return (number >= 0 && number < SensorTabCount) ? sensorTabStates[size_t(number)] : TabNotConnected;
}

void StateMachine::SetTabState(int number, int state)
{
    const int position = PositionOfTab(number);
    if (position < 0)
        return;
    int& stored = tabStates[size_t(number)];
    // "Edited" only marks a tab that was in step; a tab never read or busy keeps its state.
    if (state == TabEdited && stored != TabInStep)
        return;
    if (state == stored)
        return;
    stored = state;
    Q_EMIT UpdateTabIcon(position, state);
    Q_EMIT EnableTab(position, state != TabBusy);
}

void StateMachine::SetSensorTabState(int number, int state)
{
    if (number < 0 || number >= SensorTabCount)
        return;
    int& stored = sensorTabStates[size_t(number)];
    if (state == TabEdited && stored != TabInStep)
        return;
    if (state == stored)
        return;
    stored = state;
    Q_EMIT UpdateTabIcon(number, state);
    Q_EMIT EnableTab(number, state != TabBusy);
}

void StateMachine::SetAllTabStates(int state)
{
    for (int number = 0; number < AtoNTabCount; ++number)
        SetTabState(number, state);
    for (int number = 0; number < SensorTabCount; ++number)
        SetSensorTabState(number, state);
}

void StateMachine::MarkBusy(int number)
{
    SetTabState(number, TabBusy);
}

void StateMachine::MarkSensorSetBusy()
{
    for (int number = 0; number < SensorTabCount; ++number)
        SetSensorTabState(number, TabBusy);
}

// ---------------------------------------------------------------------------------------------
// Connection

void StateMachine::Connected()
{
    connected = true;
    failureReported = false;
    retrieveAllDue = 0;
    unreadTabs.clear();
    SetAllTabStates(TabNotRead);
    if (inhibitGnssQueries || replay)
        return;
    Q_EMIT QueueJob(Names::RealMMSI, false, ConnectQueryDelay);
    Q_EMIT QueueJob(Names::GpsOn, false, ConnectQueryDelay);
    Q_EMIT QueueJob(Names::UbloxM8, false, ConnectQueryDelay);
    Q_EMIT QueueJob(Names::GetGnssMode, false, ConnectQueryDelay);
}

void StateMachine::Disconnecting()
{
    if (inhibitGnssQueries || replay)
        return;
    Q_EMIT QueueJob(Names::GpsOff, false);
}

void StateMachine::Disconnected()
{
    connected = false;
    SetAllTabStates(TabNotConnected);
    pollTimer.stop();
    // A transfer cut short by the disconnect leaves nothing behind for the next connection.
    if (progressActive)
        SetProgressBar(false);
    sendAll = false;
    progressBase = 0;
    rereadsDue = 0;
    retrieveAllDue = 0;
    failureReported = false;
}

void StateMachine::SensorPortSelected(bool selected)
{
    sensorMode = selected;
}

void StateMachine::onInhibitGpsFiltAndTypeQuery(bool inhibit)
{
    inhibitGnssQueries = inhibit;
}

void StateMachine::SetReplay(bool replaying)
{
    replay = replaying;
}

// ---------------------------------------------------------------------------------------------
// Failures

void StateMachine::ReportFailure(const QString& text, const QString& informativeText)
{
    // A retrieve of all tabs cut short leaves some tabs with the unit's values and the others with
    // what they held before, which looks whole: the message names the tabs it did not read.
    QList<int> unread;
    for (int number = 0; number < AtoNTabCount; ++number)
        if (retrieveAllDue & (1u << number) && PositionOfTab(number) >= 0)
            unread << PositionOfTab(number);
    if (retrieveAllDue & SensorSetBit)
        for (int position = 0; position < SensorRecordTabs; ++position)
            unread << position;
    retrieveAllDue = 0;
    // Disconnect before the (modal) message, so that nothing else of this connection runs on while
    // the user reads it, and show only the first failure: the ones that follow are its echoes.
    Q_EMIT Disconnect();
    if (failureReported)
        return;
    failureReported = true;
    unreadTabs = unread;
    Q_EMIT DisplayError(text, informativeText);
}

void StateMachine::ConnectError(QString error)
{
    // A failed open is a connection attempt of its own.
    if (!connected)
        failureReported = false;
    ReportFailure(tr("Error connecting to the AtoN"), error);
}

void StateMachine::CommandError(QString command)
{
    ReportFailure(tr("Error sending a command to the AtoN"), command);
}

void StateMachine::AtoNSentenceError(QString formatter)
{
    ReportFailure(tr("The application software is not fully compatible with this version of Kelvane."
                     "                            "
                     "Please request a software update from your dealer."),
                  tr("NMEA sentence: ") + formatter);
}

void StateMachine::Timeout(QString jobName)
{
    if (jobName == Names::GpsOn)
        return;
    if (jobName == Names::UbloxM8)
    {
        Q_EMIT signalUbloxM8Timeout(0);
        return;
    }
    if (jobName == Names::GetGnssMode)
    {
        Q_EMIT signalGnssTypeTimeout(1);
        return;
    }
    ReportFailure(tr("Error communicating with the AtoN"), tr("A timeout occurred"));
}

// ---------------------------------------------------------------------------------------------
// Edits

void StateMachine::FileLoad()
{
    if (!connected)
        return;
    SetAllTabStates(TabEdited);
}

void StateMachine::Edited(int tab)
{
    if (!connected || sensorMode)
        return;
    SetTabState(TabAtPosition(tab), TabEdited);
}

// ---------------------------------------------------------------------------------------------
// Retrieve

void StateMachine::GetTab(int tab)
{
    if (sensorMode)
    {
        if (tab == 0)
            RetrieveSensorSet();
        return;
    }
    RetrieveTabNumber(TabAtPosition(tab));
}

void StateMachine::GetAllTabs()
{
    if (!connected)
        return;
    sendAll = false;
    progressBase = 0;
    if (sensorMode)
    {
        SetProgressBar(false);
        RetrieveSensorSet();
        retrieveAllDue = SensorSetBit;
        return;
    }
    SetProgressBar(true, RetrieveAllSteps);
    retrieveAllDue = 0;
    for (int number = 0; number < AtoNTabCount; ++number)
    {
        RetrieveTabNumber(number);
        if (tabStates[size_t(number)] == TabBusy)
            retrieveAllDue |= 1u << number;
    }
}

void StateMachine::RetrieveTabNumber(int number)
{
    if (!connected || number < 0 || number >= AtoNTabCount)
        return;
    if (number == VirtualAtoNsTab && !hasVirtualTab)
        return;
    // A busy tab's jobs may still be writing its records in the worker: leave them alone and only
    // queue again (the transport drops a duplicate that is still waiting).
    const bool clear = tabStates[size_t(number)] != TabBusy;
    Model& transport = *transportModel;
    QMutexLocker lock(&Transport::ModelLock());
    switch (number)
    {
    case RealAtoNTab:
        Q_EMIT QueueJob(Names::RealMMSI, false);
        Q_EMIT QueueJob(Names::AdrMMSI, false);
        Q_EMIT QueueJob(Names::GetGnssMode, false);
        Q_EMIT QueueJob(Names::RealAtoN, false);
        break;
    case MessageScheduleTab:
        if (clear)
            transport.GetMessageSchedule()->Clear();
        Q_EMIT QueueJob(Names::MessageSchedule, false);
        break;
    case VirtualAtoNsTab:
        if (clear)
        {
            transport.GetVirtualAtoNReceiver()->Clear();
            for (int k = 1; k <= 10; ++k)
                Required(transport.GetVirtualAtoN(k))->Clear();
        }
        Q_EMIT QueueJob(Names::VirtualAtoNReceiver, false);
        Q_EMIT QueueJob(Names::VirtualAtoNMessageScheduleReceiver, false);
        break;
    case StatusInputsTab:
        if (clear)
            transport.GetStatusInputConfiguration()->Clear();
        Q_EMIT QueueJob(Names::StatusInputConfiguration, false);
        break;
    case AlertMessagesTab:
        if (clear)
            transport.GetAlertMessages()->Clear();
        Q_EMIT QueueJob(Names::GetAlertMessages, false);
        break;
    case RepeaterTab:
        if (clear)
            transport.GetRepeater()->Clear();
        Q_EMIT QueueJob(Names::Repeater, false);
        break;
    case VdlTab:
        if (clear)
            transport.GetVdlModel()->Clear();
        Q_EMIT QueueJob(Names::VdlChaining, false);
        break;
    }
    MarkBusy(number);
}

void StateMachine::RetrieveSensorSet()
{
    if (!connected)
        return;
    if (sensorTabStates[0] != TabBusy)
    {
        QMutexLocker lock(&Transport::ModelLock());
        transportModel->GetSensorSettings()->Clear();
        transportModel->GetADCSettings()->Clear();
        transportModel->GetMessageSettings()->Clear();
    }
    Q_EMIT QueueJob(Names::SensorConfigurationQuery, false);
    MarkSensorSetBusy();
}

// ---------------------------------------------------------------------------------------------
// Send

void StateMachine::SendTab(int tab)
{
    if (!connected)
        return;
    if (sensorMode)
    {
        if (tab == 0)
            SendSensorSet();
        return;
    }
    SendTabNumber(TabAtPosition(tab));
}

void StateMachine::SendAllTabs()
{
    if (!connected)
        return;
    sendAll = true;
    progressBase = 0;
    if (sensorMode)
    {
        SetProgressBar(false);
        SendSensorSet();
        return;
    }
    SetProgressBar(true, SendAllSteps);
    for (int number = 0; number < AtoNTabCount; ++number)
        SendTabNumber(number);
}

void StateMachine::SendTabNumber(int number)
{
    if (!connected || number < 0 || number >= AtoNTabCount)
        return;
    if (number == VirtualAtoNsTab && !hasVirtualTab)
        return;
    rereadsDue |= 1u << number;
    switch (number)
    {
    case RealAtoNTab:
    {
        CopyRealAtoNUIModelToTransportModel();
        QString mmsiText;
        QString currentMMSI;
        QString addressed;
        {
            // The worker may be decoding an MMSI reply into this record (a connect-time query).
            QMutexLocker lock(&Transport::ModelLock());
            const AtoNMMSI* mmsi = transportModel->GetRealAtoN()->GetAtoNMMSI();
            mmsiText = mmsi->GetMMSI();
            currentMMSI = mmsi->GetCurrentMMSI();
            addressed = mmsi->GetAddressMMSI();
        }
        if (mmsiText != currentMMSI)
            Q_EMIT QueueJob(Names::RealMMSI, true);
        bool isNumber = false;
        const qlonglong addressedValue = addressed.toLongLong(&isNumber, 10);
        if (!addressed.isEmpty() && isNumber && addressedValue > 0)
            Q_EMIT QueueJob(Names::AdrMMSI, true);
        Q_EMIT QueueJob(Names::SetGnssMode, true);
        Q_EMIT QueueJob(Names::RealAtoN, true);
        break;
    }
    case MessageScheduleTab:
        CopyRealAtoNMessageScheduleUIModelToTransportModel();
        Q_EMIT QueueJob(Names::MessageSchedule, true);
        break;
    case VirtualAtoNsTab:
        SendAllVAtoNModelsToTransportModel();
        break;
    case StatusInputsTab:
        CopyStatusInputConfigurationUIModelToTransportModel();
        Q_EMIT QueueJob(Names::StatusInputConfiguration, true);
        break;
    case AlertMessagesTab:
        CopyAlertMessagesModelToTransportModel();
        Q_EMIT QueueJob(Names::AlertMessages, true);
        break;
    case RepeaterTab:
        CopyRepeaterModelToTransportModel();
        Q_EMIT QueueJob(Names::Repeater, true);
        break;
    case VdlTab:
        CopyVDLUIModelToTransportModel();
        Q_EMIT QueueJob(Names::VdlChaining, true);
        break;
    }
    MarkBusy(number);
}

void StateMachine::SendSensorSet()
{
    if (!connected)
        return;
    rereadsDue |= SensorSetBit;
    CopySensorUIModelToTransportModel();
    Q_EMIT QueueJob(Names::SensorConfigurationCommand, true);
    MarkSensorSetBusy();
}

// ---------------------------------------------------------------------------------------------
// Copies from the tab model into the transport model

void StateMachine::CopySensorUIModelToTransportModel()
{
    QMutexLocker lock(&Transport::ModelLock());
    *transportModel->GetSensorSettings() = *tabModel->GetSensorSettings();
    *transportModel->GetADCSettings() = *tabModel->GetADCSettings();
    *transportModel->GetMessageSettings() = *tabModel->GetMessageSettings();
    Q_EMIT UpdateSensorCommands(transportModel);
}

void StateMachine::CopyVDLUIModelToTransportModel()
{
    QMutexLocker lock(&Transport::ModelLock());
    *transportModel->GetVdlModel() = *tabModel->GetVdlModel();
    // Assignment leaves the removed chaining MMSIs behind; without this hand-over a removal made on
    // the tab would never reach the unit.
    tabModel->GetVdlModel()->MoveRemovedMmsisTo(*transportModel->GetVdlModel());
}

void StateMachine::CopyAlertMessagesModelToTransportModel()
{
    QMutexLocker lock(&Transport::ModelLock());
    *transportModel->GetAlertMessages() = *tabModel->GetAlertMessages();
}

void StateMachine::CopyRepeaterModelToTransportModel()
{
    QMutexLocker lock(&Transport::ModelLock());
    *transportModel->GetRepeater() = *tabModel->GetRepeater();
}

void StateMachine::CopyStatusInputConfigurationUIModelToTransportModel()
{
    QMutexLocker lock(&Transport::ModelLock());
    *transportModel->GetStatusInputConfiguration() = *tabModel->GetStatusInputConfiguration();
}

void StateMachine::CopyAllVAtoNModelsToTransportModel()
{
    for (int k = 1; k <= 10; ++k)
        CopyVAtoNUIModelToTransportModel(transportModel->GetVirtualAtoN(k), tabModel->GetVirtualAtoN(k));
}

void StateMachine::SendAllVAtoNModelsToTransportModel()
{
    for (int k = 1; k <= 10; ++k)
        SendVirtualAtoNJob(transportModel->GetVirtualAtoN(k), tabModel->GetVirtualAtoN(k), Names::VirtualAtoNJob(k));
}

void StateMachine::CopyRealAtoNMessageScheduleUIModelToTransportModel()
{
    QMutexLocker lock(&Transport::ModelLock());
    *transportModel->GetMessageSchedule() = *tabModel->GetMessageSchedule();
}

void StateMachine::CopyRealAtoNUIModelToTransportModel()
{
    QMutexLocker lock(&Transport::ModelLock());
    // The current MMSI is what the unit answered with last; the user's record must not overwrite
    // it, or "Real MMSI" would never be sent for a changed MMSI.
    AtoN* transport = transportModel->GetRealAtoN();
    const QString currentMMSI = transport->GetAtoNMMSI()->GetCurrentMMSI();
    *transport = *tabModel->GetRealAtoN();
    transport->GetAtoNMMSI()->SetCurrentMMSI(currentMMSI);
}

void StateMachine::SendVirtualAtoNJob(VirtualAtoNModel* transportVirtualAtonModel, VirtualAtoNModel* uiVirtualAtonModel,
                                      QString jobName)
{
    CopyVAtoNUIModelToTransportModel(transportVirtualAtonModel, uiVirtualAtonModel);
    Q_EMIT QueueJob(jobName, true);
    Q_EMIT QueueJob(jobName + QStringLiteral(" ") + Names::MessageSchedule, true);
}

void StateMachine::CopyVAtoNUIModelToTransportModel(VirtualAtoNModel* transportVirtualAtonModel,
                                                    VirtualAtoNModel* uiVirtualAtonModel)
{
    VirtualAtoNModel* transport = Required(transportVirtualAtonModel);
    const VirtualAtoNModel* ui = Required(uiVirtualAtonModel);
    QMutexLocker lock(&Transport::ModelLock());
    // The record's own enabled and synthetic flags stay: their effect lives in the embedded AtoN.
    AtoN* transportAtoN = transport->GetAtoN();
    const QString currentMMSI = transportAtoN->GetAtoNMMSI()->GetCurrentMMSI();
    *transportAtoN = *ui->GetAtoN();
    transportAtoN->GetAtoNMMSI()->SetCurrentMMSI(currentMMSI);
    *transport->GetMessageSchedule() = *ui->GetMessageSchedule();
}

// ---------------------------------------------------------------------------------------------
// Completion

void StateMachine::CompleteTab(int number, bool send, int progressStep)
{
    if (!send)
        Q_EMIT UpdateTabFromTransportModel(PositionOfTab(number));
    SetTabState(number, TabInStep);
    if (number == MessageScheduleTab)
        Q_EMIT updateAarFlag(0);
    else if (number == VirtualAtoNsTab)
        Q_EMIT updateAarFlag(1);
    Q_EMIT UpdateProgressBar(progressBase + progressStep);
}

void StateMachine::JobComplete(QString name, bool send)
{
    int completed = -1; // AtoN tab number whose transfer ended
    bool sensorSet = false;

    if (name == Names::RealAtoN)
        completed = RealAtoNTab;
    else if (name == Names::MessageSchedule)
        completed = MessageScheduleTab;
    // The virtual AtoN tab is complete only after its last job: "Virtual AtoN Receiver" is followed
    // by the schedules' job, which is still writing the records when the first one ends.
    else if (hasVirtualTab && (name == Names::VirtualAtoNJob(10) + QStringLiteral(" ") + Names::MessageSchedule ||
                               name == Names::VirtualAtoNMessageScheduleReceiver))
        completed = VirtualAtoNsTab;
    else if (name == Names::StatusInputConfiguration)
        completed = StatusInputsTab;
    else if (name == Names::AlertMessages || name == Names::GetAlertMessages)
        completed = AlertMessagesTab;
    else if (name == Names::Repeater)
        completed = RepeaterTab;
    else if (name == Names::VdlChaining)
        completed = VdlTab;
    else if (name.contains(QStringLiteral("VDL_MESSAGE_")))
        SetTabState(VdlTab, TabInStep);
    else if (name == Names::SensorConfigurationCommand || name == Names::SensorConfigurationQuery)
        sensorSet = true;
    else if ((name == Names::FaultLog || name == Names::ProximityAlertLog) && logProgressShown)
    {
        SetProgressBar(false);
        logProgressShown = false;
    }

    if (completed >= 0)
    {
        CompleteTab(completed, send, completed + 1);
        if (completed == VdlTab)
        {
            // The last tab of a transfer of all tabs: a send-all goes on with its re-reads (steps 8
            // to 14); anything else is finished.
            if (sendAll)
            {
                progressBase = RetrieveAllSteps;
                sendAll = false;
            }
            else
            {
                SetProgressBar(false);
            }
        }
    }
    else if (sensorSet)
    {
        for (int number = 0; number < SensorTabCount; ++number)
            SetSensorTabState(number, TabInStep);
        // After a send the tabs are reloaded by the re-read that follows, from what the unit holds.
        if (!send)
            Q_EMIT UpdateTabFromTransportModel(0);
        Q_EMIT UpdateProgressBar(1);
    }

    // A send's completion owes its tab a re-read (again: an earlier retrieve of the same tab may
    // have ended while the send was waiting); the re-read's own completion settles it. A late
    // completion after the link closed queues no re-read and must leave nothing owed.
    const unsigned bit = completed >= 0 ? 1u << completed : sensorSet ? SensorSetBit : 0u;
    if (send)
    {
        if (connected)
            rereadsDue |= bit;
        if (completed >= 0)
            RetrieveTabNumber(completed);
        else if (sensorSet)
            RetrieveSensorSet();
    }
    else
    {
        rereadsDue &= ~bit;
        retrieveAllDue &= ~bit;
    }
}

void StateMachine::AllJobsComplete()
{
    if (rereadsDue == 0)
        Q_EMIT Update();
}

// ---------------------------------------------------------------------------------------------
// Progress bar

void StateMachine::SetProgressBar(bool activate, int maxSize)
{
    progressActive = activate;
    Q_EMIT ActivateProgressBar(activate, maxSize);
}

void StateMachine::LogProgress(int sentenceNumber, int totalNumberOfSentences)
{
    if (sentenceNumber == 1 && totalNumberOfSentences > 1)
    {
        SetProgressBar(true, totalNumberOfSentences);
        logProgressShown = true;
        Q_EMIT UpdateProgressBar(1);
        return;
    }
    if (sentenceNumber > totalNumberOfSentences)
        return;
    Q_EMIT UpdateProgressBar(sentenceNumber);
    if (sentenceNumber == totalNumberOfSentences)
    {
        SetProgressBar(false);
        logProgressShown = false;
    }
}

void StateMachine::OnFaultLogMessageCount(int sentenceNumber, int totalNumberOfSentences)
{
    LogProgress(sentenceNumber, totalNumberOfSentences);
}

void StateMachine::OnPrxLogMessageCount(int sentenceNumber, int totalNumberOfSentences)
{
    LogProgress(sentenceNumber, totalNumberOfSentences);
}

// ---------------------------------------------------------------------------------------------
// Diagnostics, logs, sensor version

void StateMachine::RequestVersion()
{
    if (!connected)
        return;
    Q_EMIT QueueJob(Names::Version, false);
    pollTimer.start();
}

void StateMachine::StopVoltageTimer()
{
    pollTimer.stop();
}

void StateMachine::OnVoltageTimeout()
{
    Q_EMIT QueueJob(Names::VswrSupplyVoltage, false);
}

void StateMachine::OnFaultLogRequest()
{
    Q_EMIT QueueJob(Names::FaultLog, false);
}

void StateMachine::OnProximityLogRequest()
{
    Q_EMIT QueueJob(Names::ProximityAlertLog, false);
}

void StateMachine::OnSerialNumbers()
{
    Q_EMIT QueueJob(Names::SensorVersion, false);
}

// ---------------------------------------------------------------------------------------------
// VDL messages

QString StateMachine::VdlJobName(int applicationId)
{
    switch (applicationId)
    {
    case VDL::AID_CONFIGURATION:
        return Names::VdlAidConfiguration;
    case VDL::AID_REQUEST:
        return Names::VdlAidRequest;
    case VDL::ACE_ACF_CONFIGURATION_PART_1:
        return Names::VdlAceAcfConfigurationPart1;
    case VDL::ACE_ACF_CONFIGURATION_PART_2:
        return Names::VdlAceAcfConfigurationPart2;
    case VDL::ACE_ACF_CONFIGURATION_PART_3:
        return Names::VdlAceAcfConfigurationPart3;
    case VDL::ACE_ACF_CONFIGURATION_PART_4:
    case VDL::ACE_ACF_CONFIGURATION_PART_5:
    case VDL::ACE_ACF_CONFIGURATION_PART_6:
        return Names::VdlAceAcfConfigurationPart456;
    case VDL::ACE_ACF_REQUEST:
        return Names::VdlAceAcfRequest;
    case VDL::AAR_CONFIGURATION:
        return Names::VdlAarConfiguration;
    case VDL::AAR_REQUEST:
        return Names::VdlAarRequest;
    case VDL::COP_REQUEST:
        return Names::VdlArwRequest;
    case VDL::COP_CONFIGURATION:
        return Names::VdlCopConfiguration;
    default:
        return QString();
    }
}

void StateMachine::SendVDLMessage(VDL::VdlApplicationID appID, int delay)
{
    if (!connected)
        return;
    const QString job = VdlJobName(int(appID));
    // An identifier without a job leaves the tab as it is: nothing would ever bring it back.
    if (job.isEmpty())
        return;
    CopyRealAtoNUIModelToTransportModel();
    CopyRealAtoNMessageScheduleUIModelToTransportModel();
    CopyAllVAtoNModelsToTransportModel();
    CopyStatusInputConfigurationUIModelToTransportModel();
    CopyAlertMessagesModelToTransportModel();
    {
        // The VDL frames need the tab's settings, not its removed chaining MMSIs: those stay with
        // the tab until the VDL tab itself is sent. Moved now, a reconnect or a retrieve before that
        // send would lose them, and the unit would keep the MMSIs the user removed.
        QMutexLocker lock(&Transport::ModelLock());
        *transportModel->GetVdlModel() = *tabModel->GetVdlModel();
    }
    Q_EMIT QueueJob(job, true, delay);
    MarkBusy(VdlTab);
}
