#pragma once

#include "decoders/GpsData.h"
#include "decoders/SatelliteData.h"

#include <QObject>
#include <QString>

class NmeaSentence;
class QTimer;

// Reads the GNSS sentences the unit passes through from its receiver (RMC, GSA, GSV and TXT, from
// any talker) out of the received lines. It keeps the latest fix in a GpsData and the satellites in
// view in a SatelliteData, both its own children, and announces them. Three watchdogs withdraw the
// data when its sentence stops arriving. Lives in the GUI thread.
class GPSDecoder : public QObject
{
    Q_OBJECT

public:
    static constexpr int WatchdogInterval = 2000; // ms
    static constexpr int TextBufferCount = 100;   // TXT identifiers 0-99
    // A TXT text holds at most 99 sentences; a buffer beyond this lost its last sentence.
    static constexpr int MaxTextLength = 8192;

    explicit GPSDecoder(QObject* parent = nullptr);

    // Empties the satellite table and resets the fix; no signal. Used when a connection opens or
    // closes.
    void Reset();

    // Null until the first RMC (GSA or GSV respectively).
    GpsData* GetGpsData() const { return gpsData; }
    SatelliteData* GetSatelliteData() const { return satelliteData; }

Q_SIGNALS:
    // After every RMC; null when no RMC came for the watchdog interval.
    void GpsDataReceived(GpsData* gpsData);
    // After a GSV that completes the groups of all constellations and when the GSA watchdog expires
    // (null if no satellite data exists yet); null when no GSV came for the watchdog interval.
    void SatelliteDataReceived(SatelliteData* satelliteData);
    // The whole text of a (multi-sentence) TXT message.
    void GPSTextMessageReceived(QString message);

public Q_SLOTS:
    void OnReceived(QString received);
    void OnRMCTimeout();
    void OnGSATimeout();
    void OnGSVTimeout();

private:
    void DecodeRMC(const NmeaSentence& sentence);
    void DecodeGSA(const NmeaSentence& sentence);
    void DecodeGSV(const NmeaSentence& sentence, QStringView talker);
    void DecodeTXT(const NmeaSentence& sentence);
    GpsData* EnsureGpsData();
    SatelliteData* EnsureSatelliteData();

    QTimer* rmcWatchdog;
    QTimer* gsaWatchdog;
    QTimer* gsvWatchdog;
    GpsData* gpsData = nullptr;
    SatelliteData* satelliteData = nullptr;
    QString textBuffers[TextBufferCount];
    // Per constellation (GPS, GLONASS, BeiDou, Galileo): the last GSV seen was the last of its group.
    // A constellation that never reports keeps true and holds nothing back.
    bool gpsGroupComplete = true;
    bool glonassGroupComplete = true;
    bool beidouGroupComplete = true;
    bool galileoGroupComplete = true;
};
