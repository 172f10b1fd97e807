#pragma once

#include <QObject>

class QTimer;

// One satellite of the satellite table.
struct SatelliteInfo
{
    int prn = 0;
    int elevation = 0; // degrees
    int azimuth = 0;   // degrees
    int snr = 0;       // dB-Hz
    int system = 0;    // SatelliteData::System; 0 marks a free record
    bool sbas = false;
    bool snrPresent = false; // the GSV SNR field was there
    bool used = false;       // in the GSA used list at the last evaluation
    bool usedAged = false;
    int age = 0; // ageing periods since the last GSV report
};

// The satellites in view, per constellation, with the ones the receiver uses for its fix. Filled by
// the GNSS decoder from GSV (satellites) and GSA (used list). Satellites the receiver stops
// reporting age out by themselves: every 700 ms each record grows older, and a record not reported
// again for three periods is freed.
class SatelliteData : public QObject
{
    Q_OBJECT

public:
    // System codes of the records, by the talker of the GSV sentence.
    enum System
    {
        SystemNone = 0,
        SystemGps = 1,     // GP
        SystemGlonass = 2, // GL
        SystemGalileo = 3, // GA
        SystemBeidou = 4,  // GB
        SystemGnss = 5     // GN
    };

    static constexpr int MaxSatellites = 48;
    static constexpr int ExpiryInterval = 700; // ms

    explicit SatelliteData(QObject* parent = nullptr);

    // Updates the record of this system and PRN, or takes the first free one. False (satellite
    // dropped) when all records are in use. The used flags of the record are kept.
    bool AddSatellite(int system, int prn, int elevation, int azimuth, int snr, bool snrPresent);
    // Appends a PRN of the GSA used list; system 0 matches any system. When the list is full the
    // pair is dropped and the list starts again at its first entry.
    void AddUsed(int prn, int system);
    // Marks the records named in the used list. The next AddUsed starts a new list.
    void ApplyUsed();
    void ClearUsedList();
    void ClearUsedFlags();
    // Empties the table, the used list, the in-view counts and the fix mode.
    void Clear();

    void SetFixMode(int mode) { fixMode = mode; }
    void SetGpsInView(int count) { gpsInView = count; }
    void SetGlonassInView(int count) { glonassInView = count; }
    void SetBeidouInView(int count) { beidouInView = count; }
    void SetGalileoInView(int count) { galileoInView = count; }

    // 0 no fix, 1 2D, 2 3D.
    int GetFixMode() const { return fixMode; }
    int GetGpsInView() const { return gpsInView; }
    int GetGlonassInView() const { return glonassInView; }
    int GetBeidouInView() const { return beidouInView; }
    int GetGalileoInView() const { return galileoInView; }
    // Copies record i; false for an index outside the table.
    bool GetSatellite(int i, SatelliteInfo& out) const;
    // Records reported with a signal field and used in the fix.
    int CountUsed() const;
    // Records of SBAS satellites.
    int CountSbas() const;
    // The name the monitoring tabs know CountSbas by.
    int CountUsedInFix() const { return CountSbas(); }

    static bool IsSbas(int system, int prn);

private:
    void OnGsvExpiry();
    void OnGsaExpiry();

    struct UsedEntry
    {
        int prn = 0;
        int system = 0;
    };

    int fixMode = 0;
    int gpsInView = 0;
    int glonassInView = 0;
    int beidouInView = 0;
    int galileoInView = 0;
    SatelliteInfo satellites[MaxSatellites];
    UsedEntry usedList[MaxSatellites];
    int usedCount = 0;
    bool usedListEvaluated = false;
    QTimer* gsaExpiry;
    QTimer* gsvExpiry;
};
