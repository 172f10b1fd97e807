#pragma once
// Turns the main window's tab-level requests (retrieve or send one tab or all tabs, send one VDL
// message) into named jobs for the worker-thread transport, keeps the state of every configuration
// tab, and turns the transport's completions, errors and time-outs into tab icons, progress steps,
// reload requests and error messages.
//
// The state machine lives in the GUI thread and talks to the transport only through signals. It
// writes a part of the transport model (copy or clear) only before it queues the jobs that use that
// part, and reads it back only after the last of those jobs has completed.

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>

#include "model/vdl/VdlApplicationID.h"

class Model;
class VirtualAtoNModel;

class StateMachine : public QObject
{
    Q_OBJECT

public:
    // State of one configuration tab; the same numbers are the icon codes of UpdateTabIcon.
    enum TabState
    {
        TabNotConnected = 0,
        TabEdited = 1,
        TabNotRead = 2,
        TabBusy = 3,
        TabInStep = 4
    };

    // The state machine's own numbers of the AtoN tabs. Every tab argument exchanged with the main
    // window is a position in the shown tab set instead: without the virtual AtoN tab, numbers 3 to 6
    // sit at positions 2 to 5.
    enum AtoNTab
    {
        RealAtoNTab = 0,
        MessageScheduleTab = 1,
        VirtualAtoNsTab = 2,
        StatusInputsTab = 3,
        AlertMessagesTab = 4,
        RepeaterTab = 5,
        VdlTab = 6
    };
    static constexpr int AtoNTabCount = 7;
    static constexpr int SensorTabCount = 5;
    // The sensor tabs at positions 0 to 2 show the records the sensor set's query reads.
    static constexpr int SensorRecordTabs = 3;
    // Steps of the progress bar for retrieving all AtoN tabs; sending all counts twice as many
    // (the sends, then the re-reads).
    static constexpr int RetrieveAllSteps = 7;
    static constexpr int SendAllSteps = 14;
    static constexpr int VoltagePollInterval = 5000; // ms

    // Both models are required; a null model is answered with std::bad_alloc.
    StateMachine(Model* tabModel, Model* transportModel, bool hasVirtualTab, QObject* parent = nullptr);

    // Diagnostics polling, called by the main window when the Diagnostics tab becomes current
    // (while connected) and when any other tab does.
    void RequestVersion();
    void StopVoltageTimer();

    // A raw-log replay answers no query: the connect-time and disconnect-time GNSS queries are left
    // out while it runs. Set by the application object around a replay.
    void SetReplay(bool replay);

    bool IsConnected() const { return connected; }
    bool HasVirtualTab() const { return hasVirtualTab; }
    bool IsSensorMode() const { return sensorMode; }
    // State of AtoN tab number n (0-6) or sensor tab n (0-4); 0 outside the range.
    int GetTabState(int number) const;
    int GetSensorTabState(int number) const;

    // Position in the AtoN tab set of tab number n, or -1 when the tab is not shown.
    int PositionOfTab(int number) const;
    // Tab number shown at a position of the AtoN tab set, or -1 for a position that holds no
    // configuration tab.
    int TabAtPosition(int position) const;

    // The tabs that a retrieve of all tabs had not read yet when the failure last reported (by
    // DisplayError) ended the connection, as positions in the shown tab set; empty when no such
    // retrieve was cut short. The tabs read before it hold the unit's values, these what they held.
    QList<int> UnreadTabPositions() const { return unreadTabs; }

    // Job queued for a VDL application identifier, or an empty text for one that has no job.
    static QString VdlJobName(int applicationId);

Q_SIGNALS:
    void QueueJob(QString name, bool send);
    void QueueJob(QString name, bool send, int delay);
    void Update();
    void UpdateTabFromTransportModel(int tab);
    void UpdateTransportModelFromTab(int tab);
    void UpdateTabIcon(int tab, int icon);
    void EnableTab(int tab, bool enable);
    void DisplayError(QString text, QString informativeText);
    void Disconnect();
    void ActivateProgressBar(bool activate, int maxSize = 1);
    void UpdateProgressBar(int updateValue);
    void UpdateSensorCommands(Model* transportModel);
    void updateAarFlag(int scenario);
    void signalUbloxM8Timeout(int m8);
    void signalGnssTypeTimeout(int mode);

public Q_SLOTS:
    void Connected();
    void SensorPortSelected(bool selected);
    void onInhibitGpsFiltAndTypeQuery(bool inhibit);
    void ConnectError(QString error);
    void CommandError(QString command);
    void AtoNSentenceError(QString formatter);
    void JobComplete(QString name, bool send);
    void AllJobsComplete();
    void Timeout(QString jobName);
    void Disconnected();
    void Disconnecting();
    void FileLoad();
    void Edited(int tab);
    void SendTab(int tab);
    void CopySensorUIModelToTransportModel();
    void CopyVDLUIModelToTransportModel();
    void CopyAlertMessagesModelToTransportModel();
    void CopyRepeaterModelToTransportModel();
    void CopyStatusInputConfigurationUIModelToTransportModel();
    void CopyAllVAtoNModelsToTransportModel();
    void SendAllVAtoNModelsToTransportModel();
    void CopyRealAtoNMessageScheduleUIModelToTransportModel();
    void CopyRealAtoNUIModelToTransportModel();
    void SendVirtualAtoNJob(VirtualAtoNModel* transportVirtualAtonModel, VirtualAtoNModel* uiVirtualAtonModel,
                            QString jobName);
    void CopyVAtoNUIModelToTransportModel(VirtualAtoNModel* transportVirtualAtonModel,
                                          VirtualAtoNModel* uiVirtualAtonModel);
    void SendAllTabs();
    void GetTab(int tab);
    void GetAllTabs();
    void OnVoltageTimeout();
    void OnFaultLogRequest();
    void OnFaultLogMessageCount(int sentenceNumber, int totalNumberOfSentences);
    void OnProximityLogRequest();
    void OnPrxLogMessageCount(int sentenceNumber, int totalNumberOfSentences);
    void SendVDLMessage(VDL::VdlApplicationID appID, int delay);
    void OnSerialNumbers();

private:
    // Requests by the state machine's own tab numbers; the loops of "all tabs" and the re-read after
    // a send use these, so that positions are converted once, at the boundary.
    void RetrieveTabNumber(int number);
    void SendTabNumber(int number);
    void RetrieveSensorSet();
    void SendSensorSet();

    void SetTabState(int number, int state);
    void SetSensorTabState(int number, int state);
    void SetAllTabStates(int state);
    void MarkBusy(int number);
    void MarkSensorSetBusy();
    // Ends the transfer of one tab: reload (retrieves only), in step, progress step.
    void CompleteTab(int number, bool send, int progressStep);
    void SetProgressBar(bool activate, int maxSize = 1);
    void LogProgress(int sentenceNumber, int totalNumberOfSentences);
    // Every failure ends the connection first and tells the user once per connection.
    void ReportFailure(const QString& text, const QString& informativeText);

    Model* tabModel;
    Model* transportModel;
    bool hasVirtualTab;
    bool connected = false;
    bool sensorMode = false;
    bool inhibitGnssQueries = false;
    bool replay = false;
    bool sendAll = false;
    int progressBase = 0;
    // Tabs sent whose re-read has not completed yet: bit n for AtoN tab n, SensorSetBit for the
    // sensor set. Only the completion of that tab's own re-read clears its bit; any other query
    // (a version request, the voltage poll) ending in between must not release the window while a
    // re-read is still to come and would reload the tabs over the user's next edits.
    static constexpr unsigned SensorSetBit = 1u << AtoNTabCount;
    unsigned rereadsDue = 0;
    // Tabs of the current retrieve of all tabs whose read has not completed (same bits).
    unsigned retrieveAllDue = 0;
    QList<int> unreadTabs;
    bool progressActive = false;
    // The bar shows a log's progress: a log cut short by the transport never reaches its last line, and
    // its job's end takes the bar away instead.
    bool logProgressShown = false;
    bool failureReported = false;
    std::array<int, AtoNTabCount> tabStates{};
    std::array<int, SensorTabCount> sensorTabStates{};
    QTimer pollTimer;
};
