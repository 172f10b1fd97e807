// The job table: every job by name with its steps in order, described as text so that one row of
// data states one job. Shell steps read "S <command> <level>/<type>/<id>", sentence steps
// "Q <formatter>[ <type>] <count>/<expected replies>/<application id>".

#include "comms/AtoNSentence.h"
#include "comms/AtoNSentenceBBM.h"
#include "comms/JobTable.h"
#include "comms/McrSentence.h"
#include "comms/NmeaShellCommand.h"
#include "comms/ProprietarySentence.h"
#include "model/ADCSettingsModel.h"
#include "model/MessageSettingsModel.h"
#include "model/Model.h"
#include "model/Names.h"
#include "model/SensorSettingsModel.h"
#include "support/TestMain.h"

namespace
{
QString Describe(const TransportStep& s)
{
    if (s.command)
        return QStringLiteral("S %1 %2/%3/%4")
            .arg(NmeaSentence::Unescaped(s.command->GetCommand()))
            .arg(s.command->GetAccessLevel())
            .arg(s.command->GetCommandType())
            .arg(s.command->GetId());
    QString text = QStringLiteral("Q ") + s.sentence->GetFormatter();
    if (auto* mcr = qobject_cast<AtoNSentenceMCR*>(s.sentence))
        text += QLatin1Char(' ') + QString::number(mcr->GetType());
    if (auto* pkvx = qobject_cast<AtoNSentencePKVX*>(s.sentence))
        text += QLatin1Char(' ') + QString::number(pkvx->GetType());
    if (auto* bbm = qobject_cast<AtoNSentenceBBM*>(s.sentence))
        text += QLatin1Char(' ') + QString::number(bbm->GetKind());
    return text + QStringLiteral(" %1/%2/%3").arg(s.count).arg(s.expectedReplies).arg(s.appId);
}
} // namespace

class TestJobTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namesInConstructionOrder()
    {
        Model model;
        JobTable table(&model);
        QStringList expected = {Names::GpsOn,
                                Names::Version,
                                Names::SensorVersion,
                                Names::FaultLog,
                                Names::ProximityAlertLog,
                                Names::SensorConfigurationQuery,
                                Names::SensorConfigurationCommand,
                                Names::UbloxM8,
                                Names::GetGnssMode,
                                Names::SetGnssMode,
                                Names::VswrSupplyVoltage,
                                Names::RealMMSI,
                                Names::AdrMMSI,
                                Names::RealAtoN,
                                Names::MessageSchedule};
        for (int k = 1; k <= 10; ++k)
            expected << Names::VirtualAtoNJob(k) << Names::VirtualAtoNJob(k) + QStringLiteral(" Message Schedule");
        expected << Names::VirtualAtoNReceiver << Names::VirtualAtoNMessageScheduleReceiver
                 << Names::StatusInputConfiguration << Names::AlertMessages << Names::GetAlertMessages
                 << Names::Repeater << Names::VdlChaining << Names::GpsOff << Names::VdlAceAcfConfigurationPart1
                 << Names::VdlAceAcfConfigurationPart2 << Names::VdlAceAcfConfigurationPart3
                 << Names::VdlAceAcfConfigurationPart4 << Names::VdlAceAcfConfigurationPart5
                 << Names::VdlAceAcfConfigurationPart6 << Names::VdlAceAcfConfigurationPart456
                 << Names::VdlAceAcfConfiguration << Names::VdlAceAcfRequest << Names::VdlAidConfiguration
                 << Names::VdlAidRequest << Names::VdlCopConfiguration << Names::VdlArwRequest
                 << Names::VdlAarConfiguration << Names::VdlAarRequest;
        QCOMPARE(table.Names(), expected);
        QCOMPARE(table.Size(), 58);
        for (const QString& name : expected)
            QCOMPARE(table.Find(name)->timeout, -1);
    }

    void steps_data()
    {
        QTest::addColumn<QString>("job");
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("GPS ON") << Names::GpsOn << QStringList{QStringLiteral("S gpsfilt 49 0/0/0")};
        QTest::newRow("Version") << Names::Version
                                 << QStringList{
                                        QStringLiteral("S appver 0/2/1"),     QStringLiteral("S bootver 0/2/2"),
                                        QStringLiteral("S getpserno 0/2/3"),  QStringLiteral("S getserno 0/2/4"),
                                        QStringLiteral("S vswr 0/1/5"),       QStringLiteral("S vin 0/1/6"),
                                        QStringLiteral("S getatontype 0/1/7")};
        QTest::newRow("Sensor Version") << Names::SensorVersion
                                        << QStringList{QStringLiteral("S appver 0/2/1"),
                                                       QStringLiteral("S getpserno 0/2/3"),
                                                       QStringLiteral("S getserno 0/2/4")};
        QTest::newRow("Fault Log") << Names::FaultLog << QStringList{QStringLiteral("Q KVX 7 1/0/37")};
        QTest::newRow("Proximity Alert Log")
            << Names::ProximityAlertLog << QStringList{QStringLiteral("Q KVX 8 1/0/37")};
        QTest::newRow("Sensor Configuration Query")
            << Names::SensorConfigurationQuery << QStringList{QStringLiteral("Q KVX 1 1/0/37")};
        QTest::newRow("uBloxM8") << Names::UbloxM8 << QStringList{QStringLiteral("S getubtypem8 3/1/8")};
        QTest::newRow("Get GNSS Mode") << Names::GetGnssMode << QStringList{QStringLiteral("S getgnss 3/1/9")};
        QTest::newRow("Set GNSS Mode") << Names::SetGnssMode << QStringList{QStringLiteral("S setgnss 3/1/10")};
        QTest::newRow("VSWR & Supply Voltage")
            << Names::VswrSupplyVoltage << QStringList{QStringLiteral("S vswr 0/1/5"), QStringLiteral("S vin 0/1/6")};
        QTest::newRow("Real MMSI") << Names::RealMMSI << QStringList{QStringLiteral("Q AID 1/0/37")};
        QTest::newRow("Adr MMSI") << Names::AdrMMSI << QStringList{QStringLiteral("Q AID 1/0/37")};
        QTest::newRow("Real AtoN") << Names::RealAtoN
                                   << QStringList{QStringLiteral("Q ACF 1/1/37"), QStringLiteral("Q ACE 1/0/37"),
                                                  QStringLiteral("Q MCR 0 1/0/37")};
        QTest::newRow("Message Schedule") << Names::MessageSchedule << QStringList{QStringLiteral("Q AAR 18/0/37")};
        QTest::newRow("Virtual AtoN 07") << Names::VirtualAtoN07
                                         << QStringList{QStringLiteral("Q AID 1/0/37"), QStringLiteral("Q ACF 1/1/37"),
                                                        QStringLiteral("Q ACE 1/1/37")};
        QTest::newRow("Virtual AtoN 07 Message Schedule")
            << Names::VirtualAtoN07MessageSchedule << QStringList{QStringLiteral("Q AAR 1/0/37")};
        QTest::newRow("Virtual AtoN Receiver")
            << Names::VirtualAtoNReceiver
            << QStringList{QStringLiteral("Q AID 1/0/37"), QStringLiteral("Q ACF 1/0/37"),
                           QStringLiteral("Q ACE 1/0/37")};
        QTest::newRow("Status Input Configuration")
            << Names::StatusInputConfiguration
            << QStringList{QStringLiteral("Q MCR 0 1/0/37"), QStringLiteral("Q MCR 1 1/0/37"),
                           QStringLiteral("Q MCR 5 1/0/37"), QStringLiteral("Q MCR 7 1/0/37"),
                           QStringLiteral("Q MCR 8 1/0/37"), QStringLiteral("Q MCR 10 1/0/37"),
                           QStringLiteral("Q MCR 11 1/0/37")};
        QTest::newRow("Alert Messages") << Names::AlertMessages
                                        << QStringList{QStringLiteral("Q MCR 2 1/0/37"),
                                                       QStringLiteral("Q MCR 3 1/0/37"),
                                                       QStringLiteral("Q MCR 4 1/0/37")};
        QTest::newRow("Repeater") << Names::Repeater
                                  << QStringList{QStringLiteral("Q MCR 6 1/0/37"), QStringLiteral("Q MCR 9 3/0/37")};
        QTest::newRow("VDL Chaining") << Names::VdlChaining
                                      << QStringList{QStringLiteral("Q AID 1/0/37"), QStringLiteral("Q AFB 1/0/37"),
                                                     QStringLiteral("Q COP 1/0/37")};
        QTest::newRow("GPS OFF") << Names::GpsOff << QStringList{QStringLiteral("S gpsfilt 0 0/0/11")};
        QTest::newRow("ACE/ACF part 456")
            << Names::VdlAceAcfConfigurationPart456
            << QStringList{QStringLiteral("Q BBM 6 1/0/6"), QStringLiteral("Q BBM 7 1/0/7"),
                           QStringLiteral("Q BBM 8 1/0/8")};
        QTest::newRow("ACE/ACF request") << Names::VdlAceAcfRequest
                                         << QStringList{QStringLiteral("Q BBM 9 1/0/9"),
                                                        QStringLiteral("Q BBM 9 1/0/9")};
        QTest::newRow("AAR configuration")
            << Names::VdlAarConfiguration << QStringList{QStringLiteral("Q BBM 14 1/0/13")};
        QTest::newRow("COP configuration")
            << Names::VdlCopConfiguration << QStringList{QStringLiteral("Q BBM 35 1/0/35")};
    }

    void steps()
    {
        QFETCH(QString, job);
        QFETCH(QStringList, steps);
        Model model;
        JobTable table(&model);
        QStringList described;
        for (const TransportStep& s : table.Find(job)->steps)
            described << Describe(s);
        QCOMPARE(described, steps);
    }

    void sharedObjects()
    {
        Model model;
        JobTable table(&model);
        const auto version = table.Find(Names::Version);
        QCOMPARE(table.Find(Names::VswrSupplyVoltage)->steps.at(0).command, version->steps.at(4).command);
        QCOMPARE(table.Find(Names::SensorVersion)->steps.at(0).command, version->steps.at(0).command);
        const auto request = table.Find(Names::VdlAceAcfRequest);
        QCOMPARE(request->steps.at(0).sentence, request->steps.at(1).sentence);
        QCOMPARE(table.Find(Names::VdlAceAcfConfiguration)->steps.at(3).sentence,
                 table.Find(Names::VdlAceAcfConfigurationPart4)->steps.at(0).sentence);
        // "Get Alert Messages" has objects of its own.
        QVERIFY(table.Find(Names::GetAlertMessages)->steps.at(0).sentence !=
                table.Find(Names::AlertMessages)->steps.at(0).sentence);
    }

    void sensorCommands_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("airmarOnRS422");
        QTest::addColumn<bool>("rs422");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fixed configuration") << 99 << true << false << QStringLiteral("enablers422 0");
        QTest::newRow("airmar on RS422") << 2 << true << false << QStringLiteral("enablers422 1");
        QTest::newRow("RS422 enabled") << 99 << false << true << QStringLiteral("enablers422 1");
    }

    void sensorCommands()
    {
        QFETCH(int, code);
        QFETCH(bool, airmarOnRS422);
        QFETCH(bool, rs422);
        QFETCH(QString, expected);
        Model model;
        model.GetSensorSettings()->SetConfigurationCode(code);
        model.GetSensorSettings()->SetAirmarOnRS422(airmarOnRS422);
        model.GetSensorSettings()->SetRS422Enabled(rs422);
        model.GetMessageSettings()->SetBatteryVoltageThreshold(12.46);
        model.GetADCSettings()->SetVoltageUnit(0.3);
        const QStringList texts = JobTable::SensorCommandTexts(&model);
        QCOMPARE(texts.size(), 26);
        QCOMPARE(texts.at(0), expected);
        QCOMPARE(texts.at(2), QStringLiteral("setrelay 1,0"));
        QCOMPARE(texts.at(6), QStringLiteral("voltthresh 124"));
        QCOMPARE(texts.at(7), QStringLiteral("voltthreshunit 3"));
        QCOMPARE(texts.at(15), QStringLiteral("cellstouse 0,0,0"));
        QCOMPARE(texts.at(21), QStringLiteral("setisensescale 5000,4095,0,12"));
        QCOMPARE(texts.at(24), QStringLiteral("setaltvoltscale 1,42,0,0"));
        QCOMPARE(texts.at(25), QStringLiteral("option %1").arg(code));

        JobTable table(&model);
        const auto job = table.Find(Names::SensorConfigurationCommand);
        QCOMPARE(job->steps.size(), 26);
        QCOMPARE(Describe(job->steps.at(2)), QStringLiteral("S setrelay 1,0 0/1/52"));
        QCOMPARE(job->steps.at(2).command->GetCommand(), QStringLiteral("setrelay 1^2C0"));
        QCOMPARE(Describe(job->steps.at(25)), QStringLiteral("S option %1 0/1/75").arg(code));
    }
};

KELVANE_TEST_MAIN(TestJobTable)
#include "tst_JobTable.moc"
