#include "comms/JobTable.h"

#include <cmath>

#include "comms/AtoNSentence.h"
#include "comms/NmeaShellCommand.h"
#include "comms/Transport.h"
#include "model/ADCSettingsModel.h"
#include "model/MessageSettingsModel.h"
#include "model/Model.h"
#include "model/Names.h"
#include "model/SensorSettingsModel.h"

namespace {
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

template <typename T>
std::shared_ptr<T> Shared(T* object)
{
    return std::shared_ptr<T>(object);
}
}  // namespace

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
    if (!jobs.contains(job->name))
        order.append(job->name);
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
    auto keep = [this](const QString& text, int level, int type, int id) {
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

void JobTable::BuildSentenceJobsPart1()
{
}

void JobTable::BuildSentenceJobsPart2()
{
}

void JobTable::BuildVdlBroadcastJobs()
{
}

void JobTable::BuildVdlChainingJob(Model* source)
{
    Q_UNUSED(source);
}

void JobTable::BuildVirtualAtoNJobs(const QString& name, VirtualAtoNModel* virtualAtoN)
{
    Q_UNUSED(name);
    Q_UNUSED(virtualAtoN);
}

void JobTable::ConnectLogRelays(JobTable& table, Transport* transport)
{
    Q_UNUSED(table);
    Q_UNUSED(transport);
}
