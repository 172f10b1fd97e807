#include "ui/monitor/GpsStatusTab.h"

#include <QLabel>

#include <cmath>
#include <limits>

#include "decoders/GpsData.h"
#include "decoders/SatelliteData.h"
#include "model/GeoPosition.h"
#include "ui/monitor/cHistogram.h"
#include "ui_GpsStatusTab.h"

namespace
{
bool InRange(int mode)
{
    return mode >= AtoNDef::GNSS_UNDEFINED && mode <= AtoNDef::GNSS_SURVEYED;
}

constexpr int Bit(int system)
{
    return 1 << system;
}
constexpr int Gps = Bit(SatelliteData::SystemGps);
constexpr int Glonass = Bit(SatelliteData::SystemGlonass);
constexpr int Galileo = Bit(SatelliteData::SystemGalileo);
constexpr int Beidou = Bit(SatelliteData::SystemBeidou);
constexpr int Combined = Bit(SatelliteData::SystemGnss);

// What each GNSS mode shows: its label, how many satellite records it charts, which decoder systems it
// admits to the chart, and whose in-view counts make its satellites in view. Modes 0 (undefined) and 13
// (surveyed) depend on the receiver type and are settled in ModeRow.
struct ModeRow
{
    const char* text;
    int bars;
    int admitted;
    int inView; // bits of the in-view counts: GPS (talkers GP and GN), GLONASS, Galileo, BeiDou
};
constexpr ModeRow Modes[14] = {
    {nullptr, 0, 0, 0},
    {QT_TRANSLATE_NOOP("GpsStatusTab", "GPS only"), 16, Gps, Gps},
    {QT_TRANSLATE_NOOP("GpsStatusTab", "GLONASS only"), 16, Glonass, Glonass},
    {QT_TRANSLATE_NOOP("GpsStatusTab", "Galileo only"), 16, Galileo, Galileo},
    {QT_TRANSLATE_NOOP("GpsStatusTab", "BeiDou only"), 16, Beidou, Beidou},
    {QT_TRANSLATE_NOOP("GpsStatusTab", "GPS and Galileo"), 32, Gps | Galileo | Combined, Gps | Galileo},
    {QT_TRANSLATE_NOOP("GpsStatusTab", "GPS, GLONASS and Galileo"), 48, Gps | Glonass | Galileo | Combined,
     Gps | Galileo | Glonass},
    {QT_TRANSLATE_NOOP("GpsStatusTab", "GPS, BeiDou and Galileo"), 48, Gps | Galileo | Beidou | Combined,
     Gps | Galileo | Beidou},
    {QT_TRANSLATE_NOOP("GpsStatusTab", "GPS and GLONASS"), 32, Gps | Glonass | Combined, Gps | Glonass},
    {QT_TRANSLATE_NOOP("GpsStatusTab", "GPS and BeiDou"), 32, Gps | Beidou | Combined, Gps | Beidou},
    {QT_TRANSLATE_NOOP("GpsStatusTab", "GLONASS and Galileo"), 32, Glonass | Galileo | Combined, Galileo | Glonass},
    {QT_TRANSLATE_NOOP("GpsStatusTab", "BeiDou and Galileo"), 32, Galileo | Beidou | Combined, Galileo | Beidou},
    {QT_TRANSLATE_NOOP("GpsStatusTab", "GLONASS and BeiDou"), 32, Glonass | Beidou | Combined, Glonass | Beidou},
    {nullptr, 0, 0, 0},
};

ModeRow RowOf(int mode, bool m8)
{
    if (mode == AtoNDef::GNSS_UNDEFINED || mode == AtoNDef::GNSS_SURVEYED)
    {
        const int all = Gps | Glonass | Galileo | Beidou | Combined;
        return m8 ? ModeRow{QT_TRANSLATE_NOOP("GpsStatusTab", "GPS,GLONASS and Galileo"), 48, all,
                            Gps | Galileo | Glonass}
                  : ModeRow{QT_TRANSLATE_NOOP("GpsStatusTab", "GPS only"), 16, all, Gps};
    }
    return InRange(mode) ? Modes[mode] : ModeRow{nullptr, 0, 0, 0};
}
} // namespace

GpsStatusTab::GpsStatusTab(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::GpsStatusTab>()), histogram(new cHistogram(this))
{
    ui->setupUi(this);

    QFont caption = font();
    caption.setPixelSize(11);
    caption.setWeight(QFont::Weight(700));
    QFont value = font();
    value.setPixelSize(11);
    value.setWeight(QFont::Normal);
    for (QLabel* label : {ui->labelStatusLabel, ui->labelUTCLabel, ui->labelLatitudeLabel,
                          ui->labelSatellitesInViewLabel, ui->labelLongitudeLabel, ui->labelSatellitesInUseLabel,
                          ui->labelCOGLabel, ui->labelSBAS, ui->labelSOGLabel, ui->labelGnssModeLabel})
        label->setFont(caption);
    for (QLabel* label :
         {ui->labelStatus, ui->labelUTC, ui->labelLatitude, ui->labelSatellitesInView, ui->labelLongitude,
          ui->labelSatellitesInUse, ui->labelCOG, ui->labelSBAScount, ui->labelSOG, ui->labelGnssMode})
        label->setFont(value);

    histogram->setObjectName(QStringLiteral("histogram"));
    histogram->move(1, 50);
    histogram->gnssMode = gnssMode;
    histogram->m8 = m8;
}

GpsStatusTab::~GpsStatusTab() = default;

void GpsStatusTab::OnTabSelected()
{
    active = true;
}

void GpsStatusTab::OnTabDeselected()
{
    active = false;
}

void GpsStatusTab::ResetDisplay()
{
    const QString noFix = tr("No Fix");
    for (QLabel* label :
         {ui->labelStatus, ui->labelLatitude, ui->labelLongitude, ui->labelSOG, ui->labelCOG, ui->labelUTC,
          ui->labelSatellitesInView, ui->labelSatellitesInUse, ui->labelSBAScount, ui->labelGnssMode})
        label->setText(noFix);
    ui->labelLatitude->setToolTip(QString());
    ui->labelLongitude->setToolTip(QString());
    ClearHistogram();
}

void GpsStatusTab::ClearHistogram()
{
    histogram->SetData({});
}

bool GpsStatusTab::Admits(int system) const
{
    return system >= 0 && system < 31 && (RowOf(gnssMode, m8).admitted & Bit(system)) != 0;
}

void GpsStatusTab::OnGpsDataReceived(GpsData* gpsData)
{
    if (paused)
        return;
    if (gpsData == nullptr)
    {
        ResetDisplay();
        return;
    }
    ui->labelUTC->setText(gpsData->GetTime().toString(QStringLiteral("hh:mm:ss")));
    const GeoPosition* position = gpsData->GetPosition();
    // Without a fix the receiver gives no position: the labels show their placeholder, and the tooltips
    // must not offer the "not available" markers (91 N, 181 E) as a position.
    const double latitude = position->GetLatitude();
    const double longitude = position->GetLongitude();
    ui->labelLatitude->setText(position->LatitudeToDMS());
    ui->labelLatitude->setToolTip(std::fabs(latitude) <= 90.0
                                      ? QString::number(latitude, 'f', 4) + QLatin1Char('\n') + position->LatitudeToDM()
                                      : QString());
    ui->labelLongitude->setText(position->LongitudeToDMS());
    ui->labelLongitude->setToolTip(std::fabs(longitude) <= 180.0 ? QString::number(longitude, 'f', 4) +
                                                                       QLatin1Char('\n') + position->LongitudeToDM()
                                                                 : QString());
    ui->labelSOG->setText(QString::number(gpsData->GetSpeed(), 'f', 3));
    ui->labelCOG->setText(QString::number(gpsData->GetCourse(), 'f', 3));
}

void GpsStatusTab::OnSatelliteDataReceived(SatelliteData* satelliteData)
{
    if (paused)
        return;
    if (satelliteData == nullptr)
    {
        const QString noFix = tr("No Fix");
        ui->labelSatellitesInView->setText(noFix);
        ui->labelSatellitesInUse->setText(noFix);
        ui->labelSBAScount->setText(noFix);
        ClearHistogram();
        return;
    }

    switch (satelliteData->GetFixMode())
    {
    case 1:
        ui->labelStatus->setText(tr("2D Fix"));
        break;
    case 2:
        ui->labelStatus->setText(tr("3D Fix"));
        break;
    default:
        ui->labelStatus->setText(tr("No Fix"));
        break;
    }

    // The record is copied out during this call: the decoder owns the table and keeps changing it.
    QMap<int, SatelliteBar> chart;
    for (int i = 0; i < bars; ++i)
    {
        SatelliteInfo record;
        if (!satelliteData->GetSatellite(i, record) || record.prn < 1 || !Admits(record.system))
            continue;
        qint64 key = record.prn;
        if (record.system == SatelliteData::SystemGalileo)
            key += 300;
        else if (record.system == SatelliteData::SystemBeidou)
            key += 200;
        // The PRN is whatever the sentence's field held: one that no key can name is no satellite to chart.
        if (key > std::numeric_limits<int>::max())
            continue;
        chart.insert(int(key), SatelliteBar{record.snr, record.used});
    }

    if (InRange(gnssMode))
    {
        const int counted = RowOf(gnssMode, m8).inView;
        // Each count is the receiver's own field, any integer: their sum must not overflow.
        qint64 inView = 0;
        inView += (counted & Gps) ? satelliteData->GetGpsInView() : 0;
        inView += (counted & Glonass) ? satelliteData->GetGlonassInView() : 0;
        inView += (counted & Galileo) ? satelliteData->GetGalileoInView() : 0;
        inView += (counted & Beidou) ? satelliteData->GetBeidouInView() : 0;
        ui->labelSatellitesInView->setText(QString::number(inView));
    }
    ui->labelSatellitesInUse->setText(QString::number(satelliteData->CountUsed()));
    ui->labelSBAScount->setText(QString::number(satelliteData->CountSbas()));
    histogram->SetData(chart);
}

void GpsStatusTab::onGnssType(AtoNDef::eGnssSystem mode)
{
    onReceivedGnssMode(int(mode));
}

void GpsStatusTab::onReceivedGnssMode(int mode)
{
    ResetDisplay();
    gnssMode = mode;
    histogram->gnssMode = mode;
    if (!InRange(mode))
    {
        // The mode is kept, so nothing is admitted until a valid one arrives; the label keeps "No Fix".
        return;
    }

    const ModeRow row = RowOf(mode, m8);
    ui->labelGnssMode->setText(tr(row.text));
    bars = row.bars;
}

void GpsStatusTab::onPauseGNSS(bool pause)
{
    paused = pause;
    if (paused)
        ResetDisplay();
}

void GpsStatusTab::onUbloxM8(int isM8)
{
    m8 = isM8 != 0;
    histogram->m8 = m8;
}
