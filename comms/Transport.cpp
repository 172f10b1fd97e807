#include "comms/Transport.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <QTimer>

#include <new>

#include "comms/AtoNSentence.h"
#include "comms/JobTable.h"
#include "comms/McrSentence.h"
#include "comms/NmeaSentence.h"
#include "comms/NmeaShellCommand.h"
#include "comms/SerialController.h"
#include "model/AtoN.h"
#include "model/Model.h"
#include "model/Names.h"

Transport::Transport(Model* transportModel, QObject* parent) : QObject(parent), model(transportModel)
{
    if (!model)
        throw std::bad_alloc();
    // The model pointer crosses threads in queued calls (the rebuild requests of the state
    // machine); signals that name it by a forward declaration find it by this name.
    qRegisterMetaType<Model*>("Model*");
    controller = new SerialController(this);
    responseTimer = new QTimer(this);
    responseTimer->setSingleShot(false);
    responseTimer->setTimerType(Qt::PreciseTimer);
    responseTimer->setInterval(QueryIntervalMs);
    connect(responseTimer, &QTimer::timeout, this, &Transport::OnTimeout);
    {
        QMutexLocker locker(&ModelLock());
        jobs = std::make_unique<JobTable>(model);
    }
    ConnectRelays();
    ConnectLineFlow();
}

Transport::~Transport()
{
    // Queued runs hold shares of their jobs; let them go before the table.
    queue.clear();
    currentJob.reset();
    QMutexLocker locker(&ModelLock());
    jobs.reset();
}

QRecursiveMutex& Transport::ModelLock()
{
    static QRecursiveMutex lock;
    return lock;
}

void Transport::ConnectRelays()
{
    if (NmeaShellCommand* c = jobs->Command(QStringLiteral("appver")))
    {
        connect(c, &NmeaShellCommand::Version, this, &Transport::OnVersion);
        connect(c, &NmeaShellCommand::Variant, this, &Transport::OnVariant);
    }
    if (NmeaShellCommand* c = jobs->Command(QStringLiteral("bootver")))
        connect(c, &NmeaShellCommand::BootloaderVersion, this, &Transport::OnBootloaderVersion);
    if (NmeaShellCommand* c = jobs->Command(QStringLiteral("getpserno")))
        connect(c, &NmeaShellCommand::ProductSerialNumber, this, &Transport::OnProductSerialNumber);
    if (NmeaShellCommand* c = jobs->Command(QStringLiteral("getserno")))
        connect(c, &NmeaShellCommand::PCASerialNumber, this, &Transport::OnPCASerialNumber);
    if (NmeaShellCommand* c = jobs->Command(QStringLiteral("vswr")))
        connect(c, &NmeaShellCommand::VSWR, this, &Transport::OnVSWR);
    if (NmeaShellCommand* c = jobs->Command(QStringLiteral("vin")))
        connect(c, &NmeaShellCommand::VIN, this, &Transport::OnVIN);
    if (NmeaShellCommand* c = jobs->Command(QStringLiteral("getatontype")))
        connect(c, &NmeaShellCommand::AtoNType, this, &Transport::OnAtoNType);
    if (NmeaShellCommand* c = jobs->Command(QStringLiteral("getubtypem8")))
        connect(c, &NmeaShellCommand::ubloxM8Signal, this, &Transport::OnUbloxM8);
    if (NmeaShellCommand* c = jobs->Command(QStringLiteral("getgnss")))
        connect(c, &NmeaShellCommand::getGnssModeSignal, this, &Transport::onReceivedGnssMode);
    if (NmeaShellCommand* c = jobs->Command(QStringLiteral("setgnss")))
        connect(c, &NmeaShellCommand::gnssSetSignal, this, &Transport::onReceivedGnssMode);
    JobTable::ConnectLogRelays(*jobs, this);
}

QString Transport::GetLastError() const
{
    QMutexLocker locker(&stateMutex);
    return lastError;
}

void Transport::SetLastError(const QString& text)
{
    QMutexLocker locker(&stateMutex);
    lastError = text;
}

int Transport::ResponseTimeout() const
{
    return QueryIntervalMs;
}

int Transport::SendInterval() const
{
    return SendIntervalMs;
}

bool Transport::IsBusy() const
{
    QMutexLocker locker(&stateMutex);
    return busy;
}

void Transport::UpdateBusy()
{
    QMutexLocker locker(&stateMutex);
    busy = currentJob != nullptr || !queue.isEmpty();
}

SerialController* Transport::GetSerialController() const
{
    return controller;
}

QString Transport::PortDisplayName(QString port)
{
    return SerialController::PortDisplayName(port);
}

QList<QPair<QString, QString>> Transport::ListPorts()
{
    return SerialController::ListPorts();
}

bool Transport::IsPortBusy(QString port)
{
    return SerialController::IsPortBusy(port);
}

std::shared_ptr<Transport::Job> Transport::GetJob(const QString& name) const
{
    return jobs->Find(name);
}

QStringList Transport::JobNames() const
{
    return jobs->Names();
}

QString Transport::CurrentJobName() const
{
    return currentJob ? currentJob->name : QString();
}

bool Transport::CurrentRunIsSend() const
{
    return currentJob && currentSend;
}

int Transport::QueuedRuns() const
{
    return int(queue.size());
}

int Transport::ResponseTimerInterval() const
{
    return responseTimer->interval();
}

bool Transport::IsResponseTimerActive() const
{
    return responseTimer->isActive();
}

void Transport::QueueJob(QString name, bool send)
{
    // The chaining list changes with every edit of the VDL tab: a send carries what the transport
    // model holds now, not what it held when the job was last built.
    if (send && name == Names::VdlChaining)
    {
        const TransportJob* waiting = nullptr;
        for (const QueueEntry& entry : std::as_const(queue))
            if (entry.send && entry.job->name == name)
                waiting = entry.job.get();
        QMutexLocker locker(&ModelLock());
        jobs->BuildVdlChainingJob(model, waiting);
    }
    std::shared_ptr<Job> job = jobs->Find(name);
    if (!job)
        return;
    QueueEntry entry{job, send};
    for (QueueEntry& waiting : queue)
    {
        if (waiting.job->name == name && waiting.send == send)
        {
            waiting.job = job; // a rebuilt job replaces the waiting one
            return;
        }
    }
    queue.append(entry);
    UpdateBusy();
    if (!currentJob)
        StartNextJob();
}

void Transport::QueueJob(QString name, bool send, int delay)
{
    std::shared_ptr<Job> job = jobs->Find(name);
    if (!job)
        return;
    // The delay paces the sentence steps of send runs. A query run has no use for it: keeping it
    // would make every later send of the job wait that long per sentence.
    if (send)
        job->timeout = delay;
    QueueJob(name, send);
}

void Transport::QueueJob(Job* job, bool send)
{
    if (!job)
        return;
    std::shared_ptr<Job> record = jobs->Find(job->name);
    if (!record || record.get() != job)
        return; // a record the table no longer holds
    QueueJob(job->name, send);
}

void Transport::StartNextJob()
{
    step = -1;
    stepRepeat = 0;
    for (;;)
    {
        if (queue.isEmpty())
        {
            currentJob.reset();
            UpdateBusy();
            Q_EMIT AllJobsComplete();
            return;
        }
        QueueEntry entry = queue.takeFirst();
        currentJob = entry.job;
        currentSend = entry.send;
        StartLogRun(currentSend ? QString() : currentJob->name);
        UpdateBusy();
        step = 0;
        stepRepeat = 0;
        runAnswered = false;
        if (currentSend)
        {
            // Each send run encodes from the counts the table gave; an encoder raises them again
            // when this run's data needs more sentences.
            for (Step& s : currentJob->steps)
                s.count = s.builtCount;
        }
        if (currentJob->steps.isEmpty())
        {
            step = -1;
            const QString name = currentJob->name;
            Q_EMIT JobComplete(name, currentSend);
            step = -1;
            stepRepeat = 0;
            continue;
        }
        SendStep();
        ++stepRepeat;
        return;
    }
}

Transport::Step* Transport::CurrentStepRecord()
{
    if (!currentJob || step < 0 || step >= currentJob->steps.size())
        return nullptr;
    return &currentJob->steps[step];
}

void Transport::SendStep()
{
    Step* s = CurrentStepRecord();
    if (!s)
        return;
    stepAnswered = false;
    stepAnsweredOtherwise = false;
    QString text;
    if (s->command)
    {
        {
            QMutexLocker locker(&ModelLock()); // "setgnss" reads the GNSS mode of the model
            text = s->command->BuildSentence();
        }
        // A shell command waits at least as long as the unit needs to answer, whatever interval
        // the sentence steps before it used.
        responseTimer->setInterval(qMax(responseTimer->interval(), ShellIntervalMs));
        if (text.isEmpty())
        {
            // The command cannot be sent (it does not fit its field): say so and go on.
            const QString command = s->command->GetCommand();
            SetLastError(tr("Error checking response of command: ") + command);
            Q_EMIT CommandError(command);
            QMetaObject::invokeMethod(this, &Transport::EndStep, Qt::QueuedConnection);
            return;
        }
    }
    else if (!currentSend)
    {
        const QString name = currentJob->name;
        QMutexLocker locker(&ModelLock());
        if (name == Names::FaultLog || name == Names::ProximityAlertLog || name == Names::SensorConfigurationQuery)
        {
            int n = 0;
            text = s->sentence->Encode(stepRepeat, &n);
        }
        else
        {
            text = s->sentence->BuildQuery();
        }
        responseTimer->setInterval(ResponseTimeout());
    }
    else
    {
        int n = 0;
        {
            QMutexLocker locker(&ModelLock());
            text = s->sentence->Encode(stepRepeat, &n);
        }
        if (n > 0)
            s->count = n + 1;
        const int timeout = currentJob->timeout;
        responseTimer->setInterval(timeout >= 1 ? timeout * 1000 : SendInterval());
    }

    // An encoder with nothing to say (an alert without its text) gives an empty sentence: nothing
    // is written, the step still takes its turn.
    if (!text.isEmpty())
    {
        sendFailed = false;
        Send(text);
        if (s->appId != Step::NoAppId)
        {
            const int k = stepRepeat + 1;
            if (k == s->count)
                Q_EMIT VDLMessageSent(s->appId, k);
            else
                Q_EMIT VDLMessageSending(s->appId, k);
        }
        if (!sendFailed)
            Q_EMIT Sent(text);
    }
    responseTimer->start();
}

void Transport::NoteSendFailure()
{
    sendFailed = true;
}

bool Transport::NextStep()
{
    if (!currentJob)
        return false;
    if (currentSend && step >= 0 && step < currentJob->steps.size() && stepRepeat < currentJob->steps[step].count)
    {
        SendStep();
        ++stepRepeat;
        return true;
    }
    ++step;
    stepRepeat = 0;
    if (step >= currentJob->steps.size())
    {
        step = -1;
        Q_EMIT JobComplete(currentJob->name, currentSend);
        return false;
    }
    SendStep();
    ++stepRepeat;
    return true;
}

void Transport::EndStep()
{
    responseTimer->stop();
    if (!currentJob)
        return;
    if (!NextStep())
        StartNextJob();
}

bool Transport::IsShellReply(const NmeaSentence& sentence)
{
    int field1 = 0;
    return sentence.IsValid() && sentence.Talker() == QLatin1String("P") && sentence.GetInt(1, field1) && field1 == 255;
}

void Transport::ProcessSentence(const NmeaSentence& sentence)
{
    Step* s = CurrentStepRecord();
    if (!s)
        return;

    if (s->command)
    {
        const QString command = s->command->GetCommand();
        const bool option = command.contains(QLatin1String("option "));
        // Only the unit's shell replies concern a shell step; GNSS, alarms and log records that
        // happen to arrive meanwhile do not. The "option " command restarts the unit, which
        // answers with whatever it sends first.
        if (!option && !IsShellReply(sentence))
            return;
        const int result = s->command->CheckResponse(sentence);
        if (result == 0 || result == 1)
            runAnswered = true;
        if (result == 1)
        {
            EndStep();
        }
        else if (result == 0)
        {
            SetLastError(tr("Error checking response of command: ") + command);
            Q_EMIT CommandError(command);
            EndStep();
        }
        else if (result >= -6 && result <= -1)
        {
            if (option)
                EndStep();
        }
        return;
    }

    if (currentSend)
        return; // send steps end only by their timer

    const QString formatter = s->sentence->GetFormatter();
    if (sentence.Formatter() != formatter)
        return;
    // A proprietary query takes the unit's data records, never its shell replies.
    if (formatter == QLatin1String("KVX") && IsShellReply(sentence))
        return;

    int result = 0;
    {
        QMutexLocker locker(&ModelLock());
        result = s->sentence->Decode(sentence);
    }
    // The decoder may have emitted a signal whose receiver changed the run: look again.
    s = CurrentStepRecord();
    if (!s || !s->sentence)
        return;
    if (result <= 0 && result >= -6)
    {
        if (IsOwnReply(*s, sentence))
            stepAnswered = runAnswered = true;
        else
            stepAnsweredOtherwise = true;
    }
    switch (result)
    {
    case 0:
    case -2:
    case -3:
    case -4:
    case -5:
        if (s->expectedReplies == 1)
            EndStep();
        else
            responseTimer->start();
        return;
    case -1:
        SetLastError(tr("Error parsing the response for: ") + formatter);
        Q_EMIT AtoNSentenceError(formatter);
        if (s->expectedReplies == 1)
            responseTimer->stop(); // the state machine ends the connection on this error
        else
            responseTimer->start();
        return;
    default:
        // A reply of a type the decoder does not handle (an MCR the firmware added) still shows the
        // unit answering: an open-ended step waits on for more.
        if (s->expectedReplies == 0)
            responseTimer->start();
        return;
    }
}

bool Transport::IsOwnReply(const Step& step, const NmeaSentence& sentence)
{
    const auto* mcr = qobject_cast<const AtoNSentenceMCR*>(step.sentence);
    return !mcr || sentence.FieldView(2) == AtoNSentenceMCR::TypeCode(mcr->GetType());
}

bool Transport::IsToleratedTimeout(const QString& jobName)
{
    return jobName == Names::GpsOn || jobName == Names::UbloxM8 || jobName == Names::GetGnssMode;
}

void Transport::OnTimeout()
{
    responseTimer->stop();
    Step* s = CurrentStepRecord();
    if (!s)
        return;
    if (s->sentence && currentSend)
    {
        EndStep();
        return;
    }
    // An open-ended query step ends with its timer. Only when the run's last step ends so and no
    // step of the run heard its own reply has the unit gone silent: the job would "complete" on
    // cleared records and load defaults into the tab as if the unit held them, so that is a
    // time-out. So is a step that heard only replies to other questions: the unit is there, but
    // what it holds for this step is unknown, and the cleared values must not pass for it.
    const bool lastStep = step == int(currentJob->steps.size()) - 1;
    const bool answeredOtherwise = stepAnsweredOtherwise && !stepAnswered;
    if (s->sentence && s->expectedReplies == 0 && !answeredOtherwise && (stepAnswered || runAnswered || !lastStep))
    {
        // A log whose lines stopped before its last one: the request ends with what came.
        EndLogRunIncomplete();
        EndStep();
        return;
    }
    if (s->command && s->command->GetCommand().contains(QLatin1String("option ")))
        return; // ends with the next sentence the unit sends, however long that takes
    if (s->sentence)
        SetLastError(tr("Timeout waiting for response for: ") + s->sentence->GetFormatter());
    else
        SetLastError(tr("Timeout waiting for response to command: ") + s->command->GetCommand());
    if (!IsConnected())
        return;
    const QString name = currentJob->name;
    currentJob.reset();
    step = -1;
    stepRepeat = 0;
    UpdateBusy();
    Q_EMIT Timeout(name);
    // These queries may go unanswered by units without the feature; the connection stays, so the
    // queue must not stall behind them.
    if (IsToleratedTimeout(name) && !currentJob)
        StartNextJob();
}

void Transport::OnVSWR(double ratio)
{
    Q_EMIT VSWR(ratio);
}

void Transport::OnVIN(double voltage)
{
    Q_EMIT VIN(voltage);
}

void Transport::OnVersion(QString version)
{
    Q_EMIT Version(version);
}

void Transport::OnVariant(QString variant)
{
    Q_EMIT Variant(variant);
}

void Transport::OnBootloaderVersion(QString version)
{
    Q_EMIT BootloaderVersion(version);
}

void Transport::OnPCASerialNumber(QString version)
{
    Q_EMIT PCASerialNumber(version);
}

void Transport::OnProductSerialNumber(QString version)
{
    Q_EMIT ProductSerialNumber(version);
}

void Transport::OnAtoNType(int atonType)
{
    Q_EMIT AtoNType(atonType);
}

void Transport::OnUbloxM8(int m8)
{
    Q_EMIT signalUbloxM8(m8);
}

void Transport::StartLogRun(const QString& jobName)
{
    const int run = logRun.run + 1;
    logRun = LogRun();
    logRun.run = run;
    logRun.active = jobName == Names::FaultLog || jobName == Names::ProximityAlertLog;
    logRun.proximity = jobName == Names::ProximityAlertLog;
}

bool Transport::TakeLogLine(bool proximity, int sentenceNumber, int totalNumberOfSentences)
{
    if (!logRun.active || logRun.ended || logRun.proximity != proximity)
        return false;
    // Lines past the length, until the end takes its turn, are no part of the log.
    if (logRun.lines > 0 && logRun.lines >= logRun.limit)
        return false;
    // The first line announces the length of the log; a count the unit changes later cannot stretch it.
    if (logRun.lines == 0)
        logRun.limit = qBound(1, totalNumberOfSentences, MaxLogLines);
    ++logRun.lines;
    // With this line the unit ends its log itself (its completion follows from the sentence); a log that
    // reaches its length without saying so is ended here once the line is relayed.
    if (logRun.lines >= logRun.limit && sentenceNumber < totalNumberOfSentences)
    {
        const int run = logRun.run;
        QMetaObject::invokeMethod(
            this,
            [this, run]
            {
                if (logRun.run == run)
                    EndLogRunIncomplete();
            },
            Qt::QueuedConnection);
    }
    return true;
}

void Transport::EndLogRunIncomplete()
{
    if (!logRun.active || logRun.ended)
        return;
    if (logRun.proximity)
        Q_EMIT ProximityAlertLogIncomplete();
    else
        Q_EMIT FaultLogIncomplete();
    EmitLogComplete(logRun.proximity);
}

void Transport::EmitLogComplete(bool proximity)
{
    logRun.ended = true;
    if (proximity)
        Q_EMIT ProximityAlertLogRequestComplete();
    else
        Q_EMIT FaultLogRequestComplete();
    // The request is over: its step ends now, so that lines the unit keeps sending cannot hold the queue
    // (each one would restart the step's timer). Not from inside the reply matching, which goes on with
    // the step it started with.
    const int run = logRun.run;
    QMetaObject::invokeMethod(
        this,
        [this, run]
        {
            const Step* s = CurrentStepRecord();
            if (logRun.run == run && logRun.active && s && s->sentence && !currentSend)
                EndStep();
        },
        Qt::QueuedConnection);
}

void Transport::OnFaultLogRequestComplete()
{
    if (logRun.active && !logRun.ended && !logRun.proximity)
        EmitLogComplete(false);
}

void Transport::OnProximityAlertLogRequestComplete()
{
    if (logRun.active && !logRun.ended && logRun.proximity)
        EmitLogComplete(true);
}

void Transport::OnFaultLogMessage(int sentenceNumber, int totalNumberOfSentnces, QString dateString, QString timeString,
                                  QString faultDescritionString)
{
    if (!TakeLogLine(false, sentenceNumber, totalNumberOfSentnces))
        return;
    Q_EMIT FaultLogMessage(dateString, timeString, faultDescritionString);
    Q_EMIT FaultLogMessageCount(sentenceNumber, totalNumberOfSentnces);
}

void Transport::OnProximityAlertLogMessage(int sentenceNumber, int totalNumberOfSentnces, QString dateString,
                                           QString timeString, QString faultDescritionString)
{
    if (!TakeLogLine(true, sentenceNumber, totalNumberOfSentnces))
        return;
    Q_EMIT ProximityAlertLogMessage(dateString, timeString, faultDescritionString);
    Q_EMIT prxLogMessageCount(sentenceNumber, totalNumberOfSentnces);
}

void Transport::onReceivedGnssMode(int mode)
{
    {
        QMutexLocker locker(&ModelLock());
        model->GetRealAtoN()->SetGnssType(mode);
    }
    Q_EMIT signalGnssModeReceived(mode);
}

void Transport::OnVDLChainingChanged(Model* source)
{
    QMutexLocker locker(&ModelLock());
    jobs->BuildVdlChainingJob(source ? source : model);
}

void Transport::OnSensorConfigurationUpdate(Model* source)
{
    Q_UNUSED(source); // always built from the transport's own model
    QMutexLocker locker(&ModelLock());
    jobs->BuildSensorConfigurationJob();
}

// ---------------------------------------------------------------------------------------------
// The flow of received lines to the application's thread

void Transport::ConnectLineFlow()
{
    linesInFlight = std::make_shared<std::atomic<int>>(0);
    droppedNoticeTimer = new QTimer(this);
    droppedNoticeTimer->setSingleShot(true);
    droppedNoticeTimer->setInterval(DroppedNoticeMs);
    connect(droppedNoticeTimer, &QTimer::timeout, this, &Transport::ReportDroppedLines);
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return;
    // Connected first, so each line is counted off as its turn comes in the application's event
    // queue; queued only while this transport runs in another thread.
    lineFlowBound = true;
    connect(this, &Transport::Received, application, [inFlight = linesInFlight](const QString&) { --*inFlight; });
}

void Transport::DeliverReceived(const QString& line)
{
    if (lineFlowBound && linesInFlight->load() >= MaxLinesInFlight)
    {
        ++linesDropped;
        if (!droppedNoticeTimer->isActive())
            droppedNoticeTimer->start();
        return;
    }
    if (lineFlowBound)
        ++*linesInFlight;
    Q_EMIT Received(line);
}

void Transport::ReportDroppedLines()
{
    const int count = linesDropped;
    linesDropped = 0;
    if (count > 0)
        Q_EMIT LinesDropped(count);
}

int Transport::LinesInFlight() const
{
    return linesInFlight->load();
}
