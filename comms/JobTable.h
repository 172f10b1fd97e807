#pragma once
// The job table: every job the system can queue, by name, with its steps in order, built over the
// transport model. The names are the shared job names (model/Names.h).

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

#include "comms/TransportJob.h"

class Model;
class VirtualAtoNModel;
class NmeaShellCommand;
class AtoNSentence;

class JobTable
{
public:
    // Builds the whole table over the transport model.
    explicit JobTable(Model* model);
    ~JobTable();

    JobTable(const JobTable&) = delete;
    JobTable& operator=(const JobTable&) = delete;

    std::shared_ptr<TransportJob> Find(const QString& name) const;
    // The job names in construction order.
    QStringList Names() const { return order; }
    int Size() const { return int(jobs.size()); }

    // Replace the jobs of these names. A run that still holds the old record keeps it intact.
    void BuildSensorConfigurationJob();
    // carryFrom: a run of the old record still waiting to be sent; the removed MMSIs it would have
    // sent are carried into the new record (they are no longer in the model).
    void BuildVdlChainingJob(Model* source, const TransportJob* carryFrom = nullptr);
    void BuildVirtualAtoNJobs(const QString& name, VirtualAtoNModel* virtualAtoN);

    // The objects whose reply signals the transport relays.
    NmeaShellCommand* Command(const QString& text) const;
    AtoNSentence* FaultLogSentence() const { return faultLog; }
    AtoNSentence* ProximityAlertLogSentence() const { return proximityLog; }

    // Connects the log sentences' signals to the transport's relays.
    static void ConnectLogRelays(JobTable& table, class Transport* transport);

    // The commands of "Sensor Configuration Command" for the transport model's records, in order
    // (ids 50 to 75), unescaped.
    static QStringList SensorCommandTexts(Model* model);

private:
    void Build();
    // Jobs 4 to 6 (the proprietary queries), jobs 12 to 42 (the configuration sentences) and the
    // VDL broadcast jobs, in construction order.
    void BuildSentenceJobsPart1();
    void BuildSentenceJobsPart2();
    void BuildVdlBroadcastJobs();
    void Store(const std::shared_ptr<TransportJob>& job);
    TransportStep ShellStep(const QString& text, int level, int type, int id);
    TransportStep ShellStep(const std::shared_ptr<NmeaShellCommand>& command);
    static TransportStep SentenceStep(const std::shared_ptr<AtoNSentence>& sentence, int count = 1,
                                      int expectedReplies = 0, int appId = TransportStep::NoAppId);
    std::shared_ptr<TransportJob> NewJob(const QString& name);

    Model* model = nullptr;
    QHash<QString, std::shared_ptr<TransportJob>> jobs;
    QStringList order;
    QHash<QString, NmeaShellCommand*> commands; // the fixed shell commands by text
    AtoNSentence* faultLog = nullptr;
    AtoNSentence* proximityLog = nullptr;
};
