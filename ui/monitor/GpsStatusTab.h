#pragma once

#include <QWidget>

#include "model/AtoNDef.h"

class GpsData;
class SatelliteData;

// The "GNSS" tab: the unit's fix, time and position and its satellites as a signal histogram. It has no
// model; it shows what the GNSS decoder delivers while a connection is open.
class GpsStatusTab : public QWidget
{
    Q_OBJECT

public:
    explicit GpsStatusTab(QWidget* parent = nullptr);
    ~GpsStatusTab() override;

    // The AtoN tab set tells the tab whether it is the current one.
    void OnTabSelected();
    void OnTabDeselected();

    bool IsActive() const { return active; }
    bool IsPaused() const { return paused; }
    bool IsUbloxM8() const { return m8; }
    int GetGnssMode() const { return gnssMode; }

public Q_SLOTS:
    // Decoded data, lent for the call; ignored while paused.
    void OnGpsDataReceived(GpsData* gpsData);
    void OnSatelliteDataReceived(SatelliteData* satelliteData);
    void onGnssType(AtoNDef::eGnssSystem mode);
    // The unit's GNSS mode (an AtoNDef::eGnssSystem value; above 13 ignored).
    void onReceivedGnssMode(int mode);
    // While a configuration is being sent the display holds still.
    void onPauseGNSS(bool pause);
    // Non-zero: the receiver is of the extended type.
    void onUbloxM8(int m8);

private:
    bool active = false;
    bool paused = false;
    bool m8 = false;
    int gnssMode = AtoNDef::GNSS_UNDEFINED;
};
