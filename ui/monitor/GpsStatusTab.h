#pragma once

#include <QWidget>

#include <memory>

#include "model/AtoNDef.h"

class GpsData;
class SatelliteData;
class cHistogram;
namespace Ui
{
class GpsStatusTab;
}

// The "GNSS" tab: the unit's fix, time and position and its satellites as a signal histogram. It has no
// model; it shows what the GNSS decoder delivers while a connection is open. The unit's GNSS mode
// decides which constellations are counted and charted and how many satellite records are looked at.
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
    // How many satellite records, from the start of the decoder's list, the chart looks at.
    int GetBars() const { return bars; }
    cHistogram* GetHistogram() const { return histogram; }

public Q_SLOTS:
    // Decoded data, lent for the call only; ignored while paused. Null: the decoder's watchdog expired.
    void OnGpsDataReceived(GpsData* gpsData);
    void OnSatelliteDataReceived(SatelliteData* satelliteData);
    void onGnssType(AtoNDef::eGnssSystem mode);
    // The unit's GNSS mode (an AtoNDef::eGnssSystem value).
    void onReceivedGnssMode(int mode);
    // While a configuration is being sent the display holds still.
    void onPauseGNSS(bool pause);
    // Non-zero: the receiver is of the extended (M8) type.
    void onUbloxM8(int m8);

private:
    void ResetDisplay();
    void ClearHistogram();
    // The mode admits satellites of this decoder system code to the chart.
    bool Admits(int system) const;

    std::unique_ptr<Ui::GpsStatusTab> ui;
    bool active = false;
    cHistogram* histogram = nullptr;
    int bars = 0;
    int gnssMode = AtoNDef::GNSS_GPS;
    bool paused = false;
    bool m8 = true;
};
