#include "decoders/GPSDecoder.h"

#include "comms/NmeaSentence.h"
#include "decoders/DecoderText.h"
#include "decoders/GpsData.h"
#include "decoders/SatelliteData.h"
#include "model/GeoPosition.h"

#include <QTimer>

namespace
{

// "ddmm.mmmm" (latitude, two degree digits) or "dddmm.mmmm" (longitude, three): degrees. False for
// anything that is not such a number, so that garbage never becomes a position.
bool ParseDegreesMinutes(QStringView field, int degreeDigits, double& degrees)
{
    if (field.size() <= degreeDigits)
        return false;
    int whole = 0;
    for (int i = 0; i < degreeDigits; ++i)
    {
        const char16_t c = field[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        whole = whole * 10 + (c - u'0');
    }
    const QStringView minutesText = field.mid(degreeDigits);
    for (QChar c : minutesText)
        if (!c.isDigit() && c != QLatin1Char('.'))
            return false;
    bool ok = false;
    const double minutes = minutesText.toDouble(&ok);
    if (!ok || !(minutes >= 0.0 && minutes < 60.0))
        return false;
    degrees = whole + minutes / 60.0;
    return true;
}

double ToDouble(QStringView field)
{
    bool ok = false;
    const double value = field.toDouble(&ok);
    return ok ? value : 0.0;
}

int ModeFromLetter(QChar letter)
{
    switch (letter.unicode())
    {
    case u'A':
        return GpsData::ModeAutonomous;
    case u'D':
        return GpsData::ModeDifferential;
    case u'E':
        return GpsData::ModeEstimated;
    case u'F':
        return GpsData::ModeFloatRtk;
    case u'M':
        return GpsData::ModeManual;
    case u'N':
        return GpsData::ModeNoFix;
    case u'P':
        return GpsData::ModePrecise;
    case u'R':
        return GpsData::ModeRtk;
    case u'S':
        return GpsData::ModeSimulator;
    default:
        return GpsData::ModeNoFix;
    }
}

} // namespace

GPSDecoder::GPSDecoder(QObject* parent)
    : QObject(parent), rmcWatchdog(new QTimer(this)), gsaWatchdog(new QTimer(this)), gsvWatchdog(new QTimer(this))
{
    for (QTimer* t : {rmcWatchdog, gsaWatchdog, gsvWatchdog})
    {
        t->setInterval(WatchdogInterval);
        // A coarse timer may fire up to 5 % early and blank a receiver that reports on time.
        t->setTimerType(Qt::PreciseTimer);
        // Each expiry reports once; the next sentence of its kind starts the watch again.
        t->setSingleShot(true);
    }
    connect(rmcWatchdog, &QTimer::timeout, this, &GPSDecoder::OnRMCTimeout);
    connect(gsaWatchdog, &QTimer::timeout, this, &GPSDecoder::OnGSATimeout);
    connect(gsvWatchdog, &QTimer::timeout, this, &GPSDecoder::OnGSVTimeout);
}

void GPSDecoder::Reset()
{
    if (satelliteData)
        satelliteData->Clear();
    if (gpsData)
        gpsData->Reset();
}

GpsData* GPSDecoder::EnsureGpsData()
{
    if (!gpsData)
        gpsData = new GpsData(this);
    return gpsData;
}

SatelliteData* GPSDecoder::EnsureSatelliteData()
{
    if (!satelliteData)
        satelliteData = new SatelliteData(this);
    return satelliteData;
}

void GPSDecoder::OnReceived(QString received)
{
    // Most of the traffic is of no interest here (AIS, other GNSS sentences). A formatter can only
    // be one of ours if its letters occur in the line, which is far cheaper to see than a parse.
    if (!DecoderText::ContainsAny(received, {u"RMC", u"GSA", u"GSV", u"TXT"}))
        return;
    const NmeaSentence sentence(received);
    if (!sentence.IsValid())
        return;
    QStringView talker;
    const QStringView formatter = DecoderText::FormatterOf(sentence, &talker);
    if (formatter == u"RMC")
        DecodeRMC(sentence);
    else if (formatter == u"GSA")
        DecodeGSA(sentence);
    else if (formatter == u"GSV")
        DecodeGSV(sentence, talker);
    else if (formatter == u"TXT")
        DecodeTXT(sentence);
}

void GPSDecoder::DecodeRMC(const NmeaSentence& sentence)
{
    GpsData* data = EnsureGpsData();
    rmcWatchdog->start();
    data->Reset();

    if (sentence.HasValue(1))
        data->SetTime(sentence.FieldView(1).left(6).toString(), QStringLiteral("hhmmss"));

    // Field 2 (status) is not evaluated: a "V" fix is passed on like any other, its mode says more.
    // A position field that is empty or no number leaves "not available" (91 / 181).
    double latitude = GeoPosition::NotAvailableLatitude;
    double longitude = GeoPosition::NotAvailableLongitude;
    if (ParseDegreesMinutes(sentence.FieldView(3), 2, latitude) && sentence.FieldView(4).startsWith(QLatin1Char('S')))
        latitude = -latitude;
    if (ParseDegreesMinutes(sentence.FieldView(5), 3, longitude) && sentence.FieldView(6).startsWith(QLatin1Char('W')))
        longitude = -longitude;
    data->SetPosition(latitude, longitude);

    if (sentence.HasValue(7))
        data->SetSpeed(ToDouble(sentence.FieldView(7)));
    if (sentence.HasValue(8))
        data->SetCourse(ToDouble(sentence.FieldView(8)));
    if (sentence.HasValue(9))
        data->SetDate(sentence.FieldView(9).toString(), QStringLiteral("ddMMyy"));
    // NMEA 2.3 and later carry the mode; older receivers never do, and then it stays as it was.
    if (sentence.HasField(12))
    {
        const QStringView mode = sentence.FieldView(12);
        data->SetMode(mode.isEmpty() ? int(GpsData::ModeNoFix) : ModeFromLetter(mode.front()));
    }
    Q_EMIT GpsDataReceived(data);
}

void GPSDecoder::DecodeGSA(const NmeaSentence& sentence)
{
    SatelliteData* data = EnsureSatelliteData();
    gsaWatchdog->start();

    int fixType = 0;
    sentence.GetInt(2, fixType);
    switch (fixType)
    {
    case 0:
    case 1:
        data->SetFixMode(0);
        break;
    case 2:
        data->SetFixMode(1);
        break;
    case 3:
        data->SetFixMode(2);
        break;
    default:
        data->SetFixMode(fixType);
        break;
    }

    // NMEA 4.10 names the constellation of the list (1 GPS, 2 GLONASS, 3 Galileo, 4 BeiDou); without
    // it the PRNs are matched in every constellation.
    int system = SatelliteData::SystemNone;
    if (sentence.HasValue(18))
    {
        sentence.GetInt(18, system);
        // Later constellations (QZSS, NavIC) number their satellites like GPS: their lists would
        // mark the wrong satellites, and the table holds none of theirs.
        if (system < SatelliteData::SystemGps || system > SatelliteData::SystemBeidou)
            return;
    }
    for (int i = 3; i <= 14 && sentence.HasField(i); ++i)
    {
        int prn = 0;
        sentence.GetInt(i, prn);
        data->AddUsed(prn, system);
    }
}

void GPSDecoder::DecodeGSV(const NmeaSentence& sentence, QStringView talker)
{
    gsvWatchdog->start();
    SatelliteData* data = EnsureSatelliteData();

    int sentences = 0;
    int number = 0;
    sentence.GetInt(1, sentences);
    sentence.GetInt(2, number);
    if (sentence.HasField(3))
    {
        int inView = 0;
        sentence.GetInt(3, inView);
        const bool last = number == sentences;
        if (talker == u"GP" || talker == u"GN")
        {
            data->SetGpsInView(inView);
            gpsGroupComplete = last;
        }
        else if (talker == u"GL")
        {
            data->SetGlonassInView(inView);
            glonassGroupComplete = last;
        }
        else if (talker == u"GB")
        {
            data->SetBeidouInView(inView);
            beidouGroupComplete = last;
        }
        else if (talker == u"GA")
        {
            data->SetGalileoInView(inView);
            galileoGroupComplete = last;
        }
    }

    int system = SatelliteData::SystemNone;
    if (talker == u"GP")
        system = SatelliteData::SystemGps;
    else if (talker == u"GL")
        system = SatelliteData::SystemGlonass;
    else if (talker == u"GA")
        system = SatelliteData::SystemGalileo;
    else if (talker == u"GB")
        system = SatelliteData::SystemBeidou;
    else if (talker == u"GN")
        system = SatelliteData::SystemGnss;

    // Satellites come in blocks of four fields after the in-view count. NMEA 4.10 receivers end the
    // sentence with a signal identifier: one field over the blocks, which is no satellite.
    int fieldEnd = sentence.FieldCount();
    if (fieldEnd > 4 && (fieldEnd - 4) % 4 == 1)
        --fieldEnd;
    if (system != SatelliteData::SystemNone)
    {
        for (int block = 0; block < 4; ++block)
        {
            const int first = 4 + 4 * block;
            if (first >= fieldEnd)
                break;
            int prn = 0, elevation = 0, azimuth = 0, snr = 0;
            sentence.GetInt(first, prn);
            if (first + 1 < fieldEnd)
                sentence.GetInt(first + 1, elevation);
            if (first + 2 < fieldEnd)
                sentence.GetInt(first + 2, azimuth);
            const bool snrPresent = first + 3 < fieldEnd;
            if (snrPresent)
                sentence.GetInt(first + 3, snr);
            if (prn != 0)
                data->AddSatellite(system, prn, elevation, azimuth, snr, snrPresent);
        }
    }

    if (gpsGroupComplete && glonassGroupComplete && beidouGroupComplete && galileoGroupComplete)
    {
        data->ApplyUsed();
        Q_EMIT SatelliteDataReceived(data);
    }
}

void GPSDecoder::DecodeTXT(const NmeaSentence& sentence)
{
    int id = 0;
    sentence.GetInt(3, id);
    if (id < 0 || id >= TextBufferCount)
        return;
    if (DecoderText::AddTextPart(sentence, textBuffers[id], MaxTextLength))
        Q_EMIT GPSTextMessageReceived(textBuffers[id]);
}

void GPSDecoder::OnRMCTimeout()
{
    rmcWatchdog->stop();
    if (gpsData)
        gpsData->Reset();
    Q_EMIT GpsDataReceived(nullptr);
}

void GPSDecoder::OnGSATimeout()
{
    gsaWatchdog->stop();
    if (satelliteData)
    {
        satelliteData->ClearUsedList();
        satelliteData->ClearUsedFlags();
    }
    Q_EMIT SatelliteDataReceived(satelliteData);
}

void GPSDecoder::OnGSVTimeout()
{
    gsvWatchdog->stop();
    if (satelliteData)
        satelliteData->Clear();
    Q_EMIT SatelliteDataReceived(nullptr);
}
