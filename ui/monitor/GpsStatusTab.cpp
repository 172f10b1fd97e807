#include "ui/monitor/GpsStatusTab.h"

GpsStatusTab::GpsStatusTab(QWidget* parent) : QWidget(parent) {}

GpsStatusTab::~GpsStatusTab() = default;

void GpsStatusTab::OnTabSelected()
{
    active = true;
}

void GpsStatusTab::OnTabDeselected()
{
    active = false;
}

void GpsStatusTab::OnGpsDataReceived(GpsData* gpsData)
{
    Q_UNUSED(gpsData);
}

void GpsStatusTab::OnSatelliteDataReceived(SatelliteData* satelliteData)
{
    Q_UNUSED(satelliteData);
}

void GpsStatusTab::onGnssType(AtoNDef::eGnssSystem mode)
{
    onReceivedGnssMode(int(mode));
}

void GpsStatusTab::onReceivedGnssMode(int mode)
{
    if (mode < 0 || mode > AtoNDef::GNSS_SURVEYED)
        return;
    gnssMode = mode;
}

void GpsStatusTab::onPauseGNSS(bool pause)
{
    paused = pause;
}

void GpsStatusTab::onUbloxM8(int m8)
{
    this->m8 = m8 != 0;
}
