#pragma once
// The fixed texts shared by the whole program: job names (the job table is keyed by them and they
// are compared by exact text), status-colour style sheets and a few status texts.

#include <QString>

namespace Names
{

// Device jobs.
inline const QString AdrMMSI = QStringLiteral("Adr MMSI");
inline const QString AlertMessages = QStringLiteral("Alert Messages");
inline const QString GetAlertMessages = QStringLiteral("Get Alert Messages");
inline const QString FaultLog = QStringLiteral("Fault Log");
inline const QString ProximityAlertLog = QStringLiteral("Proximity Alert Log");
inline const QString GetGnssMode = QStringLiteral("Get GNSS Mode");
inline const QString SetGnssMode = QStringLiteral("Set GNSS Mode");
inline const QString GpsOff = QStringLiteral("GPS OFF");
inline const QString GpsOn = QStringLiteral("GPS ON");
inline const QString UbloxM8 = QStringLiteral("uBloxM8");
inline const QString MessageSchedule = QStringLiteral("Message Schedule");
inline const QString RealAtoN = QStringLiteral("Real AtoN");
inline const QString RealMMSI = QStringLiteral("Real MMSI");
inline const QString Repeater = QStringLiteral("Repeater");
inline const QString SensorConfigurationCommand = QStringLiteral("Sensor Configuration Command");
inline const QString SensorConfigurationQuery = QStringLiteral("Sensor Configuration Query");
inline const QString SensorVersion = QStringLiteral("Sensor Version");
inline const QString StatusInputConfiguration = QStringLiteral("Status Input Configuration");
inline const QString VdlChaining = QStringLiteral("VDL Chaining");
inline const QString Version = QStringLiteral("Version");
inline const QString VswrSupplyVoltage = QStringLiteral("VSWR & Supply Voltage");
inline const QString VirtualAtoN01 = QStringLiteral("Virtual AtoN 01");
inline const QString VirtualAtoN02 = QStringLiteral("Virtual AtoN 02");
inline const QString VirtualAtoN03 = QStringLiteral("Virtual AtoN 03");
inline const QString VirtualAtoN04 = QStringLiteral("Virtual AtoN 04");
inline const QString VirtualAtoN05 = QStringLiteral("Virtual AtoN 05");
inline const QString VirtualAtoN06 = QStringLiteral("Virtual AtoN 06");
inline const QString VirtualAtoN07 = QStringLiteral("Virtual AtoN 07");
inline const QString VirtualAtoN08 = QStringLiteral("Virtual AtoN 08");
inline const QString VirtualAtoN09 = QStringLiteral("Virtual AtoN 09");
inline const QString VirtualAtoN10 = QStringLiteral("Virtual AtoN 10");
inline const QString VirtualAtoN01MessageSchedule = QStringLiteral("Virtual AtoN 01 Message Schedule");
inline const QString VirtualAtoN02MessageSchedule = QStringLiteral("Virtual AtoN 02 Message Schedule");
inline const QString VirtualAtoN03MessageSchedule = QStringLiteral("Virtual AtoN 03 Message Schedule");
inline const QString VirtualAtoN04MessageSchedule = QStringLiteral("Virtual AtoN 04 Message Schedule");
inline const QString VirtualAtoN05MessageSchedule = QStringLiteral("Virtual AtoN 05 Message Schedule");
inline const QString VirtualAtoN06MessageSchedule = QStringLiteral("Virtual AtoN 06 Message Schedule");
inline const QString VirtualAtoN07MessageSchedule = QStringLiteral("Virtual AtoN 07 Message Schedule");
inline const QString VirtualAtoN08MessageSchedule = QStringLiteral("Virtual AtoN 08 Message Schedule");
inline const QString VirtualAtoN09MessageSchedule = QStringLiteral("Virtual AtoN 09 Message Schedule");
inline const QString VirtualAtoN10MessageSchedule = QStringLiteral("Virtual AtoN 10 Message Schedule");
inline const QString VirtualAtoNReceiver = QStringLiteral("Virtual AtoN Receiver");
inline const QString VirtualAtoNMessageScheduleReceiver = QStringLiteral("Virtual AtoN Message Schedule Receiver");

// VDL remote-configuration jobs.
inline const QString VdlAidConfiguration = QStringLiteral("VDL_MESSAGE_AID_CONFIGURATION");
inline const QString VdlAidRequest = QStringLiteral("VDL_MESSAGE_AID_REQUEST");
inline const QString VdlAceAcfConfiguration = QStringLiteral("VDL_MESSAGE_ACE_ACF_CONFIGURATION");
inline const QString VdlAceAcfConfigurationPart1 = QStringLiteral("VDL_MESSAGE_ACE_ACF_CONFIGURATION_PART_1");
inline const QString VdlAceAcfConfigurationPart2 = QStringLiteral("VDL_MESSAGE_ACE_ACF_CONFIGURATION_PART_2");
inline const QString VdlAceAcfConfigurationPart3 = QStringLiteral("VDL_MESSAGE_ACE_ACF_CONFIGURATION_PART_3");
inline const QString VdlAceAcfConfigurationPart456 = QStringLiteral("VDL_MESSAGE_ACE_ACF_CONFIGURATION_PART_456");
inline const QString VdlAceAcfConfigurationPart4 = QStringLiteral("VDL_MESSAGE_ACE_ACF_CONFIGURATION_PART_4");
inline const QString VdlAceAcfConfigurationPart5 = QStringLiteral("VDL_MESSAGE_ACE_ACF_CONFIGURATION_PART_5");
inline const QString VdlAceAcfConfigurationPart6 = QStringLiteral("VDL_MESSAGE_ACE_ACF_CONFIGURATION_PART_6");
inline const QString VdlAceAcfRequest = QStringLiteral("VDL_MESSAGE_ACE_ACF_REQUEST");
inline const QString VdlAarConfiguration = QStringLiteral("VDL_MESSAGE_AAR_CONFIGURATION");
inline const QString VdlAarRequest = QStringLiteral("VDL_MESSAGE_AAR_REQUEST");
inline const QString VdlArwRequest = QStringLiteral("VDL_MESSAGE_ARW_REQUEST");
inline const QString VdlCopConfiguration = QStringLiteral("VDL_MESSAGE_COP_CONFIGURATION");
inline const QString VdlAarFatdmaConfiguration = QStringLiteral("VDL_MESSAGE_AAR_FATDMA_CONFIGURATION");
inline const QString VdlAarRatdmaConfiguration = QStringLiteral("VDL_MESSAGE_AAR_RATDMA_CONFIGURATION");
inline const QString VdlMessage = QStringLiteral("VDL Message");

// Status colours of the VDL control page.
inline const QString StyleAmber = QStringLiteral("background-color: rgb( 255, 194, 0 );");
inline const QString StyleBlue = QStringLiteral("background-color: rgb( 0, 0, 255 );");
inline const QString StyleGreen = QStringLiteral("background-color: rgb( 0, 255, 0 );");
inline const QString StyleRed = QStringLiteral("background-color: rgb( 255, 0, 0 );");
inline const QString StyleGrey = QStringLiteral("background-color: rgb( 200, 200, 200 );");

// Status texts of the diagnostics tab.
inline const QString Type1 = QStringLiteral("Type 1");
inline const QString Type3 = QStringLiteral("Type 3");
inline const QString Unknown = QStringLiteral("Unknown");

// Job names of virtual AtoN k (1 to 10) and of its message schedule; empty outside that range.
QString VirtualAtoNJob(int k);
QString VirtualAtoNScheduleJob(int k);

} // namespace Names
