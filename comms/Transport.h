#pragma once
// The job engine: the only road by which configuration reaches the unit and comes back. It holds
// the table of named jobs (JobTable), runs one queued job at a time, one step at a time, matches
// the unit's replies against the current step, paces and guards each step with one response
// timer, and reports the end of each run, the end of the queue, time-outs and errors as signals.
//
// Transport is abstract; SerialTransport binds it to a SerialController. The application creates
// one SerialTransport per connection, moves it into the worker thread and talks to it only through
// queued signals. The transport, its controller, the job table, the queue and the timer live there.
//
// The transport model is shared with the GUI thread. Every piece of model work of the worker
// (encoding, decoding, building queries, rebuilding jobs) runs under ModelLock(); the GUI thread
// takes the same lock around its copies into and clears of the transport model.

#include <QList>
#include <QMutex>
#include <QObject>
#include <QPair>
#include <QRecursiveMutex>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

#include "comms/TransportJob.h"

class Model;
class NmeaSentence;
class SerialController;
class QTimer;
class JobTable;

class Transport : public QObject
{
    Q_OBJECT

public:
    using Job = TransportJob;
    using Step = TransportStep;

    struct QueueEntry
    {
        // Shared with the job table: a job rebuilt while this run waits or runs stays intact.
        std::shared_ptr<Job> job;
        bool send = false;
    };

    // Interval of a sentence step of a query run.
    static constexpr int QueryIntervalMs = 2000;
    // Interval of a sentence step of a send run whose job has no delay (timeout below 1).
    static constexpr int SendIntervalMs = 200;
    // Least wait of a shell step for the unit's reply.
    static constexpr int ShellIntervalMs = 2000;
    // Received lines sent on to the window's thread and not yet taken there. Beyond this the
    // window is not keeping up with the unit (a USB port is not held to the baud rate): further
    // lines are dropped for the window, never for the job engine, and the drop is reported.
    static constexpr int MaxLinesInFlight = 4096;
    // At most one report of dropped lines in this time.
    static constexpr int DroppedNoticeMs = 1000;
    // The most lines a fault or proximity-alert log may bring. A log ends at the number of lines its
    // first line announces, and never beyond this: a unit that keeps sending must not be gathered for
    // ever.
    static constexpr int MaxLogLines = 10000;

    // model is the transport model; null is a fatal error (std::bad_alloc).
    explicit Transport(Model* model, QObject* parent = nullptr);
    ~Transport() override;

    virtual bool IsConnected() const = 0;
    virtual QString ConnectionDescription() const = 0;
    // The text of the last failure. Safe from any thread.
    virtual QString GetLastError() const;
    // The interval of a sentence step in a query run.
    virtual int ResponseTimeout() const;
    // The pace of a sentence step in a send run of a job without a delay.
    virtual int SendInterval() const;

    // Direct calls from the GUI thread.
    bool IsBusy() const;
    // The controller of this transport; it lives as long as the transport, so the GUI thread can
    // stop the raw log through it at any time.
    SerialController* GetSerialController() const;
    static QString PortDisplayName(QString port);
    static QList<QPair<QString, QString>> ListPorts();
    static bool IsPortBusy(QString port);

    // The lock of the transport model (see above).
    static QRecursiveMutex& ModelLock();

    // Queues a run of a job record (as the name overload does, after its lookup).
    void QueueJob(Job* job, bool send);

    // Inspection (tests, diagnostics), from the transport's own thread.
    std::shared_ptr<Job> GetJob(const QString& name) const;
    QStringList JobNames() const;
    QString CurrentJobName() const;
    bool CurrentRunIsSend() const;
    int CurrentStep() const { return step; }
    int QueuedRuns() const;
    int ResponseTimerInterval() const;
    // Received lines on their way to the application's thread (see MaxLinesInFlight).
    int LinesInFlight() const;
    bool IsResponseTimerActive() const;
    Model* GetModel() const { return model; }

public Q_SLOTS:
    virtual void Connect(QString connection) = 0;
    virtual void Send(QString send) = 0;
    virtual void Disconnect() = 0;
    virtual void SerialSent(QString sent) = 0;
    virtual void SerialSendError() = 0;
    virtual void SerialReceived(QString received) = 0;
    virtual void SerialClosed() = 0;

    void QueueJob(QString name, bool send);
    void QueueJob(QString name, bool send, int delay);
    void OnTimeout();

    void OnVSWR(double ratio);
    void OnVIN(double voltage);
    void OnVersion(QString version);
    void OnVariant(QString variant);
    void OnBootloaderVersion(QString version);
    void OnPCASerialNumber(QString version);
    void OnProductSerialNumber(QString version);
    void OnAtoNType(int atonType);
    void OnUbloxM8(int m8);
    void OnFaultLogRequestComplete();
    void OnProximityAlertLogRequestComplete();
    void OnFaultLogMessage(int sentenceNumber, int totalNumberOfSentnces, QString dateString, QString timeString,
                           QString faultDescritionString);
    void OnProximityAlertLogMessage(int sentenceNumber, int totalNumberOfSentnces, QString dateString,
                                    QString timeString, QString faultDescritionString);
    void onReceivedGnssMode(int mode);
    void OnVDLChainingChanged(Model* model);
    void OnSensorConfigurationUpdate(Model* model);

Q_SIGNALS:
    void Connected();
    void ConnectError(QString error);
    void Sent(QString sent);
    void SendError();
    void Received(QString received);
    void Disconnected();
    void DisconnectedCleanUp();
    void VSWR(double ratio);
    void VIN(double voltage);
    void Version(QString version);
    void Variant(QString variant);
    void BootloaderVersion(QString version);
    void PCASerialNumber(QString version);
    void ProductSerialNumber(QString version);
    void FaultLogMessage(QString dateString, QString timeString, QString faultLogMessage);
    void ProximityAlertLogMessage(QString dateString, QString timeString, QString LogMessage);
    void FaultLogMessageCount(int sentenceNumber, int totalNumberOfSentnces);
    void prxLogMessageCount(int sentenceNumber, int totalNumberOfSentnces);
    void FaultLogRequestComplete();
    void ProximityAlertLogRequestComplete();
    void SerialSend(QString send);
    void CommandError(QString command);
    void AtoNSentenceError(QString formatter);
    void JobComplete(QString name, bool send);
    void AllJobsComplete();
    void Timeout(QString jobName);
    void AtoNType(int atonType);
    void signalUbloxM8(int m8);
    void signalGnssModeReceived(int mode);
    void VDLMessageSent(int appID, int count);
    void VDLMessageSending(int appID, int count);
    // count received lines were not passed on since the last report: they came faster than the
    // application's thread took them. The connection goes on.
    void LinesDropped(int count);
    // The log was ended here rather than by the unit: its lines went on past the number it announced
    // (or MaxLogLines), or they stopped before its last line. The completion follows.
    void FaultLogIncomplete();
    void ProximityAlertLogIncomplete();

protected:
    // The reply matching of the current step, for every valid received sentence.
    virtual void ProcessSentence(const NmeaSentence& sentence);

    void StartNextJob();
    void SendStep();
    bool NextStep();
    // The current step is over: advance, or start the next run.
    void EndStep();
    void SetLastError(const QString& text);
    // A write of the current step failed (called by the binding while Send runs).
    void NoteSendFailure();
    // Emits Received(line) for the application, within MaxLinesInFlight.
    void DeliverReceived(const QString& line);

    Model* model = nullptr;
    SerialController* controller = nullptr;
    std::unique_ptr<JobTable> jobs;
    QList<QueueEntry> queue;
    std::shared_ptr<Job> currentJob;
    bool currentSend = false;
    int step = -1;
    int stepRepeat = 0;
    // Whether the unit answered the current step, and any step of the current run. An open-ended
    // query step that hears nothing is an empty answer (no broadcast rows, an empty log, a type the
    // firmware does not know); only a run that heard nothing at all is a silent unit. A step is
    // answered only by a reply of its own kind: an MCR reply of another code (a unit that mixes up
    // its types) answers another question and leaves this step's values unknown.
    bool stepAnswered = false;
    bool stepAnsweredOtherwise = false;
    bool runAnswered = false;
    QTimer* responseTimer = nullptr;

private:
    void ConnectRelays();
    Step* CurrentStepRecord();
    static bool IsShellReply(const NmeaSentence& sentence);
    // A reply that carries what the step asked for: for an MCR step, one of its own code.
    static bool IsOwnReply(const Step& step, const NmeaSentence& sentence);
    static bool IsToleratedTimeout(const QString& jobName);

    mutable QMutex stateMutex; // guards lastError and the busy snapshot read by the GUI thread
    QString lastError;
    bool busy = false;
    bool sendFailed = false;
    void UpdateBusy();

    // The flow bound of received lines (DeliverReceived): counted up here, down in the thread of
    // the application object as each line arrives there; shared, as the last of those arrivals
    // may come after this transport is gone.
    void ConnectLineFlow();
    void ReportDroppedLines();
    std::shared_ptr<std::atomic<int>> linesInFlight;
    bool lineFlowBound = false;
    int linesDropped = 0;
    QTimer* droppedNoticeTimer = nullptr;

    // The log request of the current run, if it is one. Its lines are relayed until the unit ends the
    // log or the log reaches its bound; whatever follows is not part of it.
    struct LogRun
    {
        bool active = false;
        bool proximity = false;
        bool ended = false;
        int lines = 0;
        int limit = 0;
        int run = 0; // counts the log requests, so that a late end step never ends a later run
    };
    void StartLogRun(const QString& jobName);
    // A line of the log: false when it falls outside the request (nothing is relayed).
    bool TakeLogLine(bool proximity, int sentenceNumber, int totalNumberOfSentences);
    // Ends the request here, with the notice and the completion the unit did not give.
    void EndLogRunIncomplete();
    // Says the log is complete and ends its step.
    void EmitLogComplete(bool proximity);
    LogRun logRun;
};
