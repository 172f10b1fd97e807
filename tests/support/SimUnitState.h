#pragma once
// The whole state of the simulated AtoN unit, as the unit itself holds it: the field texts of the
// configuration sentences it was given (and answers queries with), its shell values, its sensor
// records and its logs. Fields are kept as the unit would put them on the wire, so a test can
// compare them with literal expected text.

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include "support/SimRemoteAtoN.h"

// One AtoN station of the unit: the real AtoN or one virtual AtoN.
struct SimStation
{
    QString mmsi;
    // ACF fields 2 to 14: EPFS, latitude, N/S, longitude, E/W, accuracy, channel 1, channel 2,
    // channel 1, channel 2, power, type of AtoN, station kind.
    QStringList acf;
    // ACE fields 2 to 8: inland type code, off-position threshold, acknowledgement procedure,
    // off-position check, sync-loss behaviour, name (escaped), dimensions.
    QStringList ace;
    // AAR entries, each fields 2 to 12: message, index, A hour, A minute, A slot, A increment,
    // mode, B hour, B minute, B slot, B increment.
    QList<QStringList> schedule;

    QString Name() const; // the name, escapes resolved
    // The schedule entry of a message and index, or an empty list.
    QStringList Entry(int message, int index) const;
};

struct SimLogLine
{
    QString date;
    QString time;
    QString text;
};

struct SimUnitState
{
    SimUnitState();

    SimStation real;
    QList<SimStation> virtuals; // enabled virtual AtoNs, in the order they were configured
    QString addressedMmsi = QStringLiteral("000000000");

    // MCR settings by code ("SBS", "LRC", "BIT", "PRX", "OFP", "LIS", "SRL", "MSS", "MSO", "MST",
    // "UPW"; the repeater rows as "RPT21", "RPT8", "RPT6"): the fields after the code.
    QMap<QString, QStringList> mcr;

    // VDL chaining.
    QString vdlFirstMmsi;     // empty: none
    QStringList chainedMmsis; // "C" records
    QStringList afb;          // AFB fields 2 to 7
    QStringList cop;          // COP fields 2 to 5
    QStringList broadcasts;   // "!AIBBM" sentences received, as sent
    // A station in VHF range that answers the broadcasts addressed to it (none while its MMSI is 0).
    SimRemoteAtoN remote;

    // Shell: the reply text of each query command ("appver", "vswr", ...).
    QMap<QString, QString> shellReplies;
    int gnssMode = 1;
    int gpsFilter = 0;
    // Console lines a sensor unit prints for "getdistates" and "sensorhealth" before its reply sentence
    // (line ends added on the wire).
    QStringList digitalInputLines;
    QStringList sensorHealthLines;
    // The last value of each setting command ("enablers422" -> "1"), as given.
    QMap<QString, QString> shellSettings;

    // Sensor configuration records of types 10 to 14: the values of fields 3 onwards.
    QMap<int, QList<int>> sensorRecords;

    QList<SimLogLine> faultLog;
    QList<SimLogLine> proximityLog;

    // Console of a sensor unit. "+++" opens the command shell and "exit" leaves it; in the shell
    // "getadccont n" and "getadccontscaled n" stream readings of ADC n until the escape character.
    // The wave meter output is switched by the shell-command sentence "wavemeterout 1" / "0".
    bool shellOpen = false;
    int adcStream = -1; // the ADC streaming, -1 none
    bool adcScaled = false;
    bool waveMeterOn = false;

    // The station of an MMSI (real or virtual), or null.
    SimStation* Station(const QString& mmsi);
    const SimStation* Station(const QString& mmsi) const;
    // Virtual AtoN k (1-based, in configuration order), or null.
    SimStation* Virtual(int k);

    // The first field in which two states differ, named with its path and both values
    // ("real.acf[3]: "S" against "N""); empty when the states are equal field by field. The shell
    // settings map is a record of the commands given, not a setting of its own (what they set is
    // compared in gnssMode, gpsFilter and the sensor records), so it is left out.
    QString FirstDifference(const SimUnitState& other) const;
};
