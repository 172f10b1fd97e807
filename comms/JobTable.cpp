#include "comms/JobTable.h"

#include <cmath>

#include "comms/AarSentence.h"
#include "comms/AceSentence.h"
#include "comms/AcfSentence.h"
#include "comms/AfbSentence.h"
#include "comms/AidSentence.h"
#include "comms/AtoNSentence.h"
#include "comms/AtoNSentenceBBM.h"
#include "comms/CopSentence.h"
#include "comms/McrSentence.h"
#include "comms/NmeaShellCommand.h"
#include "comms/ProprietarySentence.h"
#include "comms/Transport.h"
#include "model/ADCSettingsModel.h"
#include "model/MessageSchedule.h"
#include "model/MessageSettingsModel.h"
#include "model/Model.h"
#include "model/Names.h"
#include "model/SensorSettingsModel.h"
#include "model/VdlModel.h"
#include "model/VirtualAtoNModel.h"

namespace
{
// A setting held as a double with one decimal, sent in tenths. The value is truncated toward zero;
// the small nudge keeps 12.3 (stored as 12.2999...) at 123 rather than 122.
int Tenths(double value)
{
    const double scaled = value * 10.0;
    return int(std::trunc(scaled + (scaled >= 0 ? 1e-7 : -1e-7)));
}

QString Flag(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString Join(std::initializer_list<int> values)
{
    QStringList parts;
    for (int v : values)
        parts << QString::number(v, 10);
    return parts.join(QLatin1Char(','));
}

template <typename T> std::shared_ptr<T> Shared(T* object)
{
    return std::shared_ptr<T>(object);
}
} // namespace

JobTable::JobTable(Model* transportModel) : model(transportModel)
{
    Build();
}

JobTable::~JobTable() = default;

std::shared_ptr<TransportJob> JobTable::Find(const QString& name) const
{
    return jobs.value(name);
}

void JobTable::Store(const std::shared_ptr<TransportJob>& job)
{
    const auto previous = jobs.constFind(job->name);
    if (previous == jobs.constEnd())
        order.append(job->name);
    else
        job->timeout = previous.value()->timeout; // a rebuilt job keeps the pace it was given
    jobs.insert(job->name, job);
}

std::shared_ptr<TransportJob> JobTable::NewJob(const QString& name)
{
    auto job = std::make_shared<TransportJob>();
    job->name = name;
    return job;
}

TransportStep JobTable::ShellStep(const std::shared_ptr<NmeaShellCommand>& command)
{
    TransportStep s;
    s.command = command.get();
    s.object = command;
    s.count = s.builtCount = 1;
    s.expectedReplies = 1;
    s.appId = TransportStep::NoAppId;
    return s;
}

TransportStep JobTable::ShellStep(const QString& text, int level, int type, int id)
{
    return ShellStep(Shared(new NmeaShellCommand(text, level, type, id, static_cast<QObject*>(nullptr))));
}

TransportStep JobTable::SentenceStep(const std::shared_ptr<AtoNSentence>& sentence, int count, int expectedReplies,
                                     int appId)
{
    TransportStep s;
    s.sentence = sentence.get();
    s.object = sentence;
    s.count = s.builtCount = count;
    s.expectedReplies = expectedReplies;
    s.appId = appId;
    return s;
}

NmeaShellCommand* JobTable::Command(const QString& text) const
{
    return commands.value(text);
}

void JobTable::Build()
{
    auto keep = [this](const QString& text, int level, int type, int id)
    {
        auto command = Shared(new NmeaShellCommand(text, level, type, id, static_cast<QObject*>(nullptr)));
        commands.insert(text, command.get());
        return ShellStep(command);
    };

    auto gpsOn = NewJob(Names::GpsOn);
    gpsOn->steps << keep(QStringLiteral("gpsfilt 49"), 0, 0, 0);
    Store(gpsOn);

    auto version = NewJob(Names::Version);
    const TransportStep appver = keep(QStringLiteral("appver"), 0, 2, 1);
    const TransportStep bootver = keep(QStringLiteral("bootver"), 0, 2, 2);
    const TransportStep getpserno = keep(QStringLiteral("getpserno"), 0, 2, 3);
    const TransportStep getserno = keep(QStringLiteral("getserno"), 0, 2, 4);
    const TransportStep vswr = keep(QStringLiteral("vswr"), 0, 1, 5);
    const TransportStep vin = keep(QStringLiteral("vin"), 0, 1, 6);
    const TransportStep atonType = keep(QStringLiteral("getatontype"), 0, 1, 7);
    version->steps << appver << bootver << getpserno << getserno << vswr << vin << atonType;
    Store(version);

    auto sensorVersion = NewJob(Names::SensorVersion);
    sensorVersion->steps << appver << getpserno << getserno;
    Store(sensorVersion);

    BuildSentenceJobsPart1();

    BuildSensorConfigurationJob();

    auto m8 = NewJob(Names::UbloxM8);
    m8->steps << keep(QStringLiteral("getubtypem8"), 3, 1, 8);
    Store(m8);

    auto getGnss = NewJob(Names::GetGnssMode);
    getGnss->steps << keep(QStringLiteral("getgnss"), 3, 1, 9);
    Store(getGnss);

    auto setGnss = NewJob(Names::SetGnssMode);
    {
        auto command = Shared(new NmeaShellCommand(QStringLiteral("setgnss"), 3, 1, 10, model->GetRealAtoN(), nullptr));
        commands.insert(QStringLiteral("setgnss"), command.get());
        setGnss->steps << ShellStep(command);
    }
    Store(setGnss);

    auto vswrVin = NewJob(Names::VswrSupplyVoltage);
    vswrVin->steps << vswr << vin;
    Store(vswrVin);

    BuildSentenceJobsPart2();

    auto gpsOff = NewJob(Names::GpsOff);
    gpsOff->steps << keep(QStringLiteral("gpsfilt 0"), 0, 0, 11);
    Store(gpsOff);

    BuildVdlBroadcastJobs();
}

QStringList JobTable::SensorCommandTexts(Model* model)
{
    const SensorSettingsModel* sensor = model->GetSensorSettings();
    const MessageSettingsModel* message = model->GetMessageSettings();
    const ADCSettingsModel* adc = model->GetADCSettings();
    // An Airmar sensor on the RS422 port needs the port, unless the unit's configuration is fixed.
    const bool rs422Value =
        (sensor->GetAirmarOnRS422() && sensor->GetConfigurationCode() != 99) || sensor->GetRS422Enabled();
    QStringList texts;
    texts << QStringLiteral("enablers422 ") + Flag(rs422Value)
          << QStringLiteral("configairmarport ") + QString::number(sensor->GetAirmarPort())
          << QStringLiteral("setrelay 1,") + Flag(sensor->GetRelay1())
          << QStringLiteral("setrelay 2,") + Flag(sensor->GetRelay2())
          << QStringLiteral("msg6ver ") + QString::number(message->GetMessage6Format())
          << QStringLiteral("pwrtype ") + QString::number(message->GetPowerSupplyType())
          << QStringLiteral("voltthresh ") + QString::number(Tenths(message->GetBatteryVoltageThreshold()))
          << QStringLiteral("voltthreshunit ") + QString::number(Tenths(adc->GetVoltageUnit()))
          << QStringLiteral("voltsource ") + QString::number(message->GetVoltageSource())
          << QStringLiteral("msg6subid ") + QString::number(message->GetMessage6SubId())
          << QStringLiteral("msg6dac ") + QString::number(message->GetMessage6DAC())
          << QStringLiteral("msg6fi ") + QString::number(message->GetMessage6FI())
          << QStringLiteral("bitinv ") + QString::number(message->GetStatusBitInversionMask())
          << QStringLiteral("msg8ver ") + QString::number(message->GetMessage8Format())
          << QStringLiteral("datum ") + QString::number(sensor->GetDatumOffset())
          << QStringLiteral("cellstouse ") +
                 Join({sensor->GetSurfaceCell(), sensor->GetLevel2Cell(), sensor->GetLevel3Cell()})
          << QStringLiteral("enableisense ") + Flag(adc->GetCurrentSensingEnabled())
          << QStringLiteral("altisource ") + QString::number(adc->GetCurrentSenseSource())
          << QStringLiteral("isensethresh ") + QString::number(adc->GetCurrentSenseThreshold())
          << QStringLiteral("isensethreshunit ") + QString::number(adc->GetCurrentUnit())
          << QStringLiteral("lightonsource ") + QString::number(adc->GetLightOnSource())
          << QStringLiteral("setisensescale ") +
                 Join({adc->GetInternalCurrentDividend(), adc->GetInternalCurrentDivisor(),
                       adc->GetInternalCurrentKFactor(), adc->GetInternalCurrentOffset()})
          << QStringLiteral("setaltisensescale ") +
                 Join({adc->GetExternalCurrentDividend(), adc->GetExternalCurrentDivisor(),
                       adc->GetExternalCurrentKFactor(), adc->GetExternalCurrentOffset()})
          << QStringLiteral("setvoltscale ") +
                 Join({adc->GetInternalVoltageDividend(), adc->GetInternalVoltageDivisor(),
                       adc->GetInternalVoltageKFactor(), adc->GetInternalVoltageOffset()})
          << QStringLiteral("setaltvoltscale ") +
                 Join({adc->GetExternalVoltageDividend(), adc->GetExternalVoltageDivisor(),
                       adc->GetExternalVoltageKFactor(), adc->GetExternalVoltageOffset()})
          << QStringLiteral("option ") + QString::number(sensor->GetConfigurationCode());
    return texts;
}

void JobTable::BuildSensorConfigurationJob()
{
    auto job = NewJob(Names::SensorConfigurationCommand);
    const QStringList texts = SensorCommandTexts(model);
    for (int i = 0; i < texts.size(); ++i)
        job->steps << ShellStep(texts.at(i), 0, 1, 50 + i);
    Store(job);
}

namespace
{
// The sentence classes make the owner model their parent; the job table owns its objects itself
// (they live as long as the jobs that use them, in the transport's thread).
template <typename T> std::shared_ptr<AtoNSentence> Own(T* sentence)
{
    sentence->setParent(nullptr);
    return std::shared_ptr<AtoNSentence>(sentence);
}
} // namespace

void JobTable::BuildSentenceJobsPart1()
{
    AtoN* real = model->GetRealAtoN();

    auto faultLogSentence = Own(new AtoNSentencePKVX(real, model, 7));
    faultLog = faultLogSentence.get();
    auto fault = NewJob(Names::FaultLog);
    fault->steps << SentenceStep(faultLogSentence);
    Store(fault);

    auto proximityLogSentence = Own(new AtoNSentencePKVX(real, model, 8));
    proximityLog = proximityLogSentence.get();
    auto proximity = NewJob(Names::ProximityAlertLog);
    proximity->steps << SentenceStep(proximityLogSentence);
    Store(proximity);

    auto query = NewJob(Names::SensorConfigurationQuery);
    query->steps << SentenceStep(Own(new AtoNSentencePKVX(real, model, 1)));
    Store(query);
}

void JobTable::BuildSentenceJobsPart2()
{
    AtoN* real = model->GetRealAtoN();

    auto realMmsi = NewJob(Names::RealMMSI);
    realMmsi->steps << SentenceStep(Own(new AtoNSentenceAID(real->GetAtoNMMSI(), model)));
    Store(realMmsi);

    auto adrMmsi = NewJob(Names::AdrMMSI);
    adrMmsi->steps << SentenceStep(Own(new AtoNSentenceAIDaddress(real->GetAtoNMMSI(), model)));
    Store(adrMmsi);

    auto realAtoN = NewJob(Names::RealAtoN);
    realAtoN->steps << SentenceStep(Own(new AtoNSentenceACF(real, model)), 1, 1)
                    << SentenceStep(Own(new AtoNSentenceACE(real, model)))
                    << SentenceStep(Own(new AtoNSentenceMCR(real, model, 0)));
    Store(realAtoN);

    // The real AtoN's schedule sentence is given the model too: a reply for message 0 belongs to
    // the VDL model's receiver schedule, which only the owner can reach.
    MessageSchedule* schedule = model->GetMessageSchedule();
    auto messageSchedule = NewJob(Names::MessageSchedule);
    messageSchedule->steps << SentenceStep(Own(new AtoNSentenceAAR(schedule, model)), schedule->Count());
    Store(messageSchedule);

    for (int k = 1; k <= 10; ++k)
        BuildVirtualAtoNJobs(Names::VirtualAtoNJob(k), model->GetVirtualAtoN(k));

    VirtualAtoNModel* receiver = model->GetVirtualAtoNReceiver();
    auto receiverJob = NewJob(Names::VirtualAtoNReceiver);
    receiverJob->steps << SentenceStep(Own(new AtoNSentenceAID(receiver->GetAtoNMmsi(), model)))
                       << SentenceStep(Own(new AtoNSentenceACF(receiver->GetAtoN(), model)))
                       << SentenceStep(Own(new AtoNSentenceACE(receiver->GetAtoN(), model)));
    Store(receiverJob);

    auto receiverSchedule = NewJob(Names::VirtualAtoNMessageScheduleReceiver);
    receiverSchedule->steps << SentenceStep(Own(new AtoNSentenceAAR(receiver->GetMessageSchedule(), model)),
                                            receiver->GetMessageSchedule()->Count());
    Store(receiverSchedule);

    auto status = NewJob(Names::StatusInputConfiguration);
    for (int type : {0, 1, 5, 7, 8, 10, 11})
        status->steps << SentenceStep(Own(new AtoNSentenceMCR(real, model, type)));
    Store(status);

    auto alerts = NewJob(Names::AlertMessages);
    for (int type : {2, 3, 4})
        alerts->steps << SentenceStep(Own(new AtoNSentenceMCR(real, model, type)));
    Store(alerts);

    auto getAlerts = NewJob(Names::GetAlertMessages);
    for (int type : {2, 3, 4})
        getAlerts->steps << SentenceStep(Own(new AtoNSentenceMCR(real, model, type)));
    Store(getAlerts);

    auto repeater = NewJob(Names::Repeater);
    repeater->steps << SentenceStep(Own(new AtoNSentenceMCR(real, model, 6)))
                    << SentenceStep(Own(new AtoNSentenceMCR(real, model, 9)), 3);
    Store(repeater);

    BuildVdlChainingJob(model);
}

void JobTable::BuildVdlBroadcastJobs()
{
    auto bbm = [this](int kind) { return std::shared_ptr<AtoNSentence>(new AtoNSentenceBBM(model, kind, nullptr)); };
    auto single = [this](const QString& name, const TransportStep& step)
    {
        auto job = NewJob(name);
        job->steps << step;
        Store(job);
        return step;
    };
    const TransportStep part1 = single(Names::VdlAceAcfConfigurationPart1, SentenceStep(bbm(3), 1, 0, 3));
    const TransportStep part2 = single(Names::VdlAceAcfConfigurationPart2, SentenceStep(bbm(4), 1, 0, 4));
    const TransportStep part3 = single(Names::VdlAceAcfConfigurationPart3, SentenceStep(bbm(5), 1, 0, 5));
    const TransportStep part4 = single(Names::VdlAceAcfConfigurationPart4, SentenceStep(bbm(6), 1, 0, 6));
    const TransportStep part5 = single(Names::VdlAceAcfConfigurationPart5, SentenceStep(bbm(7), 1, 0, 7));
    const TransportStep part6 = single(Names::VdlAceAcfConfigurationPart6, SentenceStep(bbm(8), 1, 0, 8));

    auto part456 = NewJob(Names::VdlAceAcfConfigurationPart456);
    part456->steps << part4 << part5 << part6;
    Store(part456);

    auto whole = NewJob(Names::VdlAceAcfConfiguration);
    whole->steps << part1 << part2 << part3 << part4 << part5 << part6;
    Store(whole);

    // The request goes out twice: two steps over one object.
    const TransportStep request = SentenceStep(bbm(9), 1, 0, 9);
    auto requestJob = NewJob(Names::VdlAceAcfRequest);
    requestJob->steps << request << request;
    Store(requestJob);

    single(Names::VdlAidConfiguration, SentenceStep(bbm(0), 1, 0, 0));
    single(Names::VdlAidRequest, SentenceStep(bbm(1), 1, 0, 1));
    single(Names::VdlCopConfiguration, SentenceStep(bbm(35), 1, 0, 35));
    single(Names::VdlArwRequest, SentenceStep(bbm(19), 1, 0, 19));
    // Kind 14 selects the AAR configuration encoder; 13 is the application identifier reported.
    single(Names::VdlAarConfiguration, SentenceStep(bbm(AtoNSentenceBBM::AarConfigurationKind), 1, 0, 13));
    single(Names::VdlAarRequest, SentenceStep(bbm(15), 1, 0, 15));
}

void JobTable::BuildVdlChainingJob(Model* source, const TransportJob* carryFrom)
{
    if (!source)
        source = model;
    VdlModel* vdl = source->GetVdlModel();
    auto job = NewJob(Names::VdlChaining);
    job->steps << SentenceStep(Own(new AtoNSentenceAID(vdl->GetFirstMmsi(), source)));
    QStringList removed;
    auto addRecord = [&job, &removed, source](std::unique_ptr<AtoNMMSI> record)
    {
        if (!record->IsEnabled())
        {
            if (removed.contains(record->GetMMSI()))
                return;
            removed << record->GetMMSI();
        }
        AtoNMMSI* raw = record.release();
        job->records.push_back(std::shared_ptr<QObject>(raw));
        job->steps << SentenceStep(Own(new AtoNSentenceAID(raw, source)));
    };
    for (int row = 0; row < vdl->GetChainingMmsiCount(); ++row)
        if (auto record = vdl->GetMmsiAt(row))
            addRecord(std::move(record));
    // The removed MMSIs go out once, as disabled records, and are then forgotten. One that was
    // added again since is chained: removing it after the list went out would undo the user's edit.
    while (vdl->GetMmsiCount() > 0)
        if (auto record = vdl->TakeMmsiAt(0))
            if (!vdl->ContainsMmsi(record->GetMMSI()))
                addRecord(std::move(record));
    if (carryFrom)
    {
        for (const std::shared_ptr<QObject>& object : carryFrom->records)
        {
            const auto* old = qobject_cast<const AtoNMMSI*>(object.get());
            if (old && !old->IsEnabled() && !vdl->ContainsMmsi(old->GetMMSI()))
                addRecord(std::make_unique<AtoNMMSI>(*old));
        }
    }
    job->steps << SentenceStep(Own(new AtoNSentenceAFB(vdl, source)))
               << SentenceStep(Own(new AtoNSentenceCOP(vdl, source)));
    Store(job);
}

void JobTable::BuildVirtualAtoNJobs(const QString& name, VirtualAtoNModel* virtualAtoN)
{
    if (!virtualAtoN)
        return;
    auto job = NewJob(name);
    job->steps << SentenceStep(Own(new AtoNSentenceAID(virtualAtoN->GetAtoNMmsi(), model)))
               << SentenceStep(Own(new AtoNSentenceACF(virtualAtoN->GetAtoN(), model)), 1, 1)
               << SentenceStep(Own(new AtoNSentenceACE(virtualAtoN->GetAtoN(), model)), 1, 1);
    Store(job);

    MessageSchedule* schedule = virtualAtoN->GetMessageSchedule();
    auto scheduleJob = NewJob(name + QLatin1Char(' ') + Names::MessageSchedule);
    scheduleJob->steps << SentenceStep(Own(new AtoNSentenceAAR(schedule, model)), schedule->Count());
    Store(scheduleJob);
}

void JobTable::ConnectLogRelays(JobTable& table, Transport* transport)
{
    if (auto* fault = qobject_cast<AtoNSentencePKVX*>(table.faultLog))
    {
        QObject::connect(fault, &AtoNSentencePKVX::FaultLogMessage, transport, &Transport::OnFaultLogMessage);
        QObject::connect(fault, &AtoNSentencePKVX::FaultLogRequestComplete, transport,
                         &Transport::OnFaultLogRequestComplete);
    }
    if (auto* proximity = qobject_cast<AtoNSentencePKVX*>(table.proximityLog))
    {
        QObject::connect(proximity, &AtoNSentencePKVX::ProximityAlertLogMessage, transport,
                         &Transport::OnProximityAlertLogMessage);
        QObject::connect(proximity, &AtoNSentencePKVX::ProximityAlertLogRequestComplete, transport,
                         &Transport::OnProximityAlertLogRequestComplete);
    }
}
