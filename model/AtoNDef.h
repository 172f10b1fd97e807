#pragma once
// Coded values held by the AtoN records, sent in the sentences and offered by the tabs. They are
// registered with the meta-object system so that each key's name can be shown, and so that they can
// travel in signals; records store them as plain 32-bit integers.

#include <QMetaType>
#include <QObject>

namespace AtoNDef
{
Q_NAMESPACE

enum TypeOfEPFS
{
    EPFS_UNDEFINED = 0,
    EPFS_GPS = 1,
    EPFS_GLONASS = 2,
    EPFS_COMBINED_GPS_GLONASS = 3,
    EPFS_LORAN_C = 4,
    EPFS_CHAYKA = 5,
    EPFS_INTEGRATED_NAVIGATION_SYSTEM = 6,
    EPFS_SURVEYED = 7,
    EPFS_GALILEO = 8,
    EPFS_INTERNAL_GNSS = 15
};
Q_ENUM_NS(TypeOfEPFS)

enum eGnssSystem
{
    GNSS_UNDEFINED = 0,
    GNSS_GPS = 1,
    GNSS_GLONASS = 2,
    GNSS_GALILEO = 3,
    GNSS_BEIDOU = 4,
    GNSS_GPS_GALILEO = 5,
    GNSS_GPS_GALILEO_GLONASS = 6,
    GNSS_GPS_GALILEO_BEIDOU = 7,
    GNSS_GPS_GLONASS = 8,
    GNSS_GPS_BEIDOU = 9,
    GNSS_GALILEO_GLONASS = 10,
    GNSS_GALILEO_BEIDOU = 11,
    GNSS_GLONASS_BEIDOU = 12,
    GNSS_SURVEYED = 13
};
Q_ENUM_NS(eGnssSystem)

enum PositionAccuracy
{
    LOW = 0,
    HIGH = 1
};
Q_ENUM_NS(PositionAccuracy)

enum ChannelNumber
{
    CH_1001 = 1001,
    CH_1002 = 1002,
    CH_1003 = 1003,
    CH_1004 = 1004,
    CH_1005 = 1005,
    CH_1006 = 1006,
    CH_1007 = 1007,
    CH_1008 = 1008,
    CH_1009 = 1009,
    CH_1010 = 1010,
    CH_1011 = 1011,
    CH_1012 = 1012,
    CH_1013 = 1013,
    CH_1014 = 1014,
    CH_1015 = 1015,
    CH_1016 = 1016,
    CH_1017 = 1017,
    CH_1018 = 1018,
    CH_1019 = 1019,
    CH_1020 = 1020,
    CH_1021 = 1021,
    CH_1022 = 1022,
    CH_1023 = 1023,
    CH_1024 = 1024,
    CH_1025 = 1025,
    CH_1026 = 1026,
    CH_1027 = 1027,
    CH_1028 = 1028,
    CH_1060 = 1060,
    CH_1061 = 1061,
    CH_1062 = 1062,
    CH_1063 = 1063,
    CH_1064 = 1064,
    CH_1065 = 1065,
    CH_1066 = 1066,
    CH_1067 = 1067,
    CH_1068 = 1068,
    CH_1069 = 1069,
    CH_1070 = 1070,
    CH_1071 = 1071,
    CH_1072 = 1072,
    CH_1073 = 1073,
    CH_1074 = 1074,
    CH_1075 = 1075,
    CH_1076 = 1076,
    CH_1077 = 1077,
    CH_1078 = 1078,
    CH_1079 = 1079,
    CH_1080 = 1080,
    CH_1081 = 1081,
    CH_1082 = 1082,
    CH_1083 = 1083,
    CH_1084 = 1084,
    CH_1085 = 1085,
    CH_1086 = 1086,
    CH_1087 = 1087,
    CH_1088 = 1088,
    CH_2001 = 2001,
    CH_2002 = 2002,
    CH_2003 = 2003,
    CH_2004 = 2004,
    CH_2005 = 2005,
    CH_2006 = 2006,
    CH_2007 = 2007,
    CH_2008 = 2008,
    CH_2009 = 2009,
    CH_2010 = 2010,
    CH_2011 = 2011,
    CH_2012 = 2012,
    CH_2013 = 2013,
    CH_2014 = 2014,
    CH_2015 = 2015,
    CH_2016 = 2016,
    CH_2017 = 2017,
    CH_2018 = 2018,
    CH_2019 = 2019,
    CH_2020 = 2020,
    CH_2021 = 2021,
    CH_2022 = 2022,
    CH_2023 = 2023,
    CH_2024 = 2024,
    CH_2025 = 2025,
    CH_2026 = 2026,
    CH_2027 = 2027,
    CH_2028 = 2028,
    CH_2060 = 2060,
    CH_2061 = 2061,
    CH_2062 = 2062,
    CH_2063 = 2063,
    CH_2064 = 2064,
    CH_2065 = 2065,
    CH_2066 = 2066,
    CH_2067 = 2067,
    CH_2068 = 2068,
    CH_2069 = 2069,
    CH_2070 = 2070,
    CH_2071 = 2071,
    CH_2072 = 2072,
    CH_2073 = 2073,
    CH_2074 = 2074,
    CH_2075 = 2075,
    CH_2076 = 2076,
    CH_2077 = 2077,
    CH_2078 = 2078,
    CH_2079 = 2079,
    CH_2080 = 2080,
    CH_2081 = 2081,
    CH_2082 = 2082,
    CH_2083 = 2083,
    CH_2084 = 2084,
    CH_2085 = 2085,
    CH_2086 = 2086,
    CH_2087 = 2087,
    CH_2088 = 2088
};
Q_ENUM_NS(ChannelNumber)

enum PowerLevel
{
    W_12_5 = 0,
    W_1 = 1,
    W_2 = 2,
    W_5 = 5
};
Q_ENUM_NS(PowerLevel)

enum TypeOfAtoN
{
    DEFAULT = 0,
    REFERENCE_POINT = 1,
    RACON = 2,
    FIXED_STRUCTURE = 3,
    EMERGENCY_WRECK_MARKING_BUOY = 4,
    LIGHT_WITHOUT_SECTORS = 5,
    LIGHT_WITH_SECTORS = 6,
    LEADING_LIGHT_FRONT = 7,
    LEADING_LIGHT_REAR = 8,
    BEACON_CARDINAL_N = 9,
    BEACON_CARDINAL_E = 10,
    BEACON_CARDINAL_S = 11,
    BEACON_CARDINAL_W = 12,
    BEACON_PORT_HAND = 13,
    BEACON_STARBOARD_HAND = 14,
    BEACON_PREFERRED_CHANNEL_PORT_HAND = 15,
    BEACON_PREFERRED_CHANNEL_STARBOARD_HAND = 16,
    BEACON_ISOLATED_DANGER = 17,
    BEACON_SAFE_WATER = 18,
    BEACON_SPECIAL_MARK = 19,
    CARDINAL_MARK_N = 20,
    CARDINAL_MARK_E = 21,
    CARDINAL_MARK_S = 22,
    CARDINAL_MARK_W = 23,
    PORT_HAND_MARK = 24,
    STARBOARD_HAND_MARK = 25,
    PREFERRED_CHANNEL_PORT_HAND = 26,
    PREFERRED_CHANNEL_STARBOARD_HAND = 27,
    ISOLATED_DANGER = 28,
    SAFE_WATER = 29,
    SPECIAL_MARK = 30,
    LIGHT_VESSEL = 31
};
Q_ENUM_NS(TypeOfAtoN)

enum VirtualAtoNFlag
{
    REAL = 0,
    VIRTUAL = 1,
    SYNTHETIC = 2
};
Q_ENUM_NS(VirtualAtoNFlag)

enum OffPositionBehaviour
{
    MAINTAINE_SCHEDULE = 0,
    USE_NEW_AAR_INTERVAL = 1
};
Q_ENUM_NS(OffPositionBehaviour)

enum SyncLostBehaviour
{
    SILENT = 0,
    CONTINUE = 1
};
Q_ENUM_NS(SyncLostBehaviour)

// Registers the enumerations as meta types so that queued signals can carry them.
void RegisterMetaTypes();

} // namespace AtoNDef
