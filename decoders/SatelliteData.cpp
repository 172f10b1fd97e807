#include "decoders/SatelliteData.h"

#include <QTimer>

SatelliteData::SatelliteData(QObject* parent)
    : QObject(parent), gsaExpiry(new QTimer(this)), gsvExpiry(new QTimer(this))
{
    gsaExpiry->setInterval(ExpiryInterval);
    gsvExpiry->setInterval(ExpiryInterval);
    connect(gsaExpiry, &QTimer::timeout, this, &SatelliteData::OnGsaExpiry);
    connect(gsvExpiry, &QTimer::timeout, this, &SatelliteData::OnGsvExpiry);
    gsaExpiry->start();
    gsvExpiry->start();
}

bool SatelliteData::IsSbas(int system, int prn)
{
    // SBAS satellites are reported as PRN 33 to 64, where Galileo (up to 36) and BeiDou (up to 37)
    // use the low end of that range for their own satellites.
    const int first = system == SystemGalileo ? 37 : system == SystemBeidou ? 38 : 33;
    return prn >= first && prn <= 64;
}

bool SatelliteData::AddSatellite(int system, int prn, int elevation, int azimuth, int snr, bool snrPresent)
{
    int target = -1;
    for (int i = 0; i < MaxSatellites; ++i)
        if (satellites[i].system == system && satellites[i].prn == prn)
            target = i;
    if (target < 0)
    {
        for (int i = 0; i < MaxSatellites && target < 0; ++i)
            if (satellites[i].system == SystemNone)
                target = i;
    }
    if (target < 0)
        return false;
    SatelliteInfo& s = satellites[target];
    s.prn = prn;
    s.elevation = elevation;
    s.azimuth = azimuth;
    s.snr = snr;
    s.system = system;
    s.sbas = IsSbas(system, prn);
    s.snrPresent = snrPresent;
    s.age = 0;
    return true;
}

void SatelliteData::AddUsed(int prn, int system)
{
    // The first GSA after an evaluation starts the receiver's next list. What an earlier, longer
    // list left behind would otherwise keep marking satellites the receiver dropped from its fix.
    if (usedListEvaluated)
    {
        ClearUsedList();
        usedListEvaluated = false;
    }
    if (usedCount >= MaxSatellites)
    {
        usedCount = 0;
        return;
    }
    usedList[usedCount].prn = prn;
    usedList[usedCount].system = system;
    ++usedCount;
}

void SatelliteData::ApplyUsed()
{
    // The list stays as it is until the next GSA: each constellation's GSV group that completes
    // evaluates the same list again.
    usedCount = 0;
    usedListEvaluated = true;
    ClearUsedFlags();
    for (const UsedEntry& entry : usedList)
    {
        // PRN 0 stands for an empty GSA field; it must not mark the free records.
        if (entry.prn == 0)
            continue;
        for (SatelliteInfo& s : satellites)
        {
            if (s.system != SystemNone && s.prn == entry.prn &&
                (entry.system == SystemNone || s.system == entry.system))
            {
                s.used = true;
                s.usedAged = false;
            }
        }
    }
}

void SatelliteData::ClearUsedList()
{
    for (UsedEntry& entry : usedList)
        entry = UsedEntry();
    usedCount = 0;
    usedListEvaluated = false;
}

void SatelliteData::ClearUsedFlags()
{
    for (SatelliteInfo& s : satellites)
        s.used = false;
}

void SatelliteData::Clear()
{
    for (SatelliteInfo& s : satellites)
        s = SatelliteInfo();
    ClearUsedList();
    gpsInView = glonassInView = beidouInView = galileoInView = 0;
    fixMode = 0;
}

bool SatelliteData::GetSatellite(int i, SatelliteInfo& out) const
{
    if (i < 0 || i >= MaxSatellites)
        return false;
    out = satellites[i];
    return true;
}

int SatelliteData::CountUsed() const
{
    int n = 0;
    for (const SatelliteInfo& s : satellites)
        if (s.snrPresent && s.used)
            ++n;
    return n;
}

int SatelliteData::CountSbas() const
{
    int n = 0;
    for (const SatelliteInfo& s : satellites)
        if (s.sbas)
            ++n;
    return n;
}

void SatelliteData::OnGsvExpiry()
{
    // Three periods without a report free the record (1.4 to 2.1 s after the last one).
    for (SatelliteInfo& s : satellites)
    {
        if (s.age >= 2)
            s = SatelliteInfo();
        else
            ++s.age;
    }
    gsaExpiry->stop();
}

void SatelliteData::OnGsaExpiry()
{
    for (SatelliteInfo& s : satellites)
    {
        if (s.usedAged)
        {
            s.used = false;
            s.usedAged = false;
        }
        else if (s.used)
        {
            s.usedAged = true;
        }
    }
    gsaExpiry->stop();
}
