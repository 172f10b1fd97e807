#include "decoders/GpsData.h"

#include "model/GeoPosition.h"

GpsData::GpsData(QObject* parent) : QObject(parent), position(new GeoPosition(this))
{
    Reset();
}

void GpsData::Reset()
{
    time = QTime(0, 0, 0);
    date = QDate(1900, 1, 1);
    // Not 0/0: nothing downstream may average or show a position that was never received.
    position->SetLatitude(GeoPosition::NotAvailableLatitude);
    position->SetLongitude(GeoPosition::NotAvailableLongitude);
    speed = 0.0;
    course = 0.0;
}

bool GpsData::SetTime(const QString& text, const QString& format)
{
    time = QTime::fromString(text, format);
    return time.isValid();
}

bool GpsData::SetDate(const QString& text, const QString& format)
{
    // QDate reads "yy" as 19yy. Receivers send two-digit years, so put the century into the text
    // before parsing (also keeps 29 February 2000 valid, which 1900 is not). The fields of these
    // formats have a fixed width, so the year sits at the same place in text and format.
    const int at = format.indexOf(QLatin1String("yy"));
    const bool twoDigitYear =
        at >= 0 && format.indexOf(QLatin1String("yyyy")) < 0 && format.indexOf(QLatin1String("yy"), at + 2) < 0;
    if (twoDigitYear && text.size() >= at + 2 && text.at(at).isDigit() && text.at(at + 1).isDigit())
    {
        const int yy = text.at(at).digitValue() * 10 + text.at(at + 1).digitValue();
        QString fullText = text;
        fullText.insert(at, yy >= 80 ? QLatin1String("19") : QLatin1String("20"));
        QString fullFormat = format;
        fullFormat.replace(at, 2, QLatin1String("yyyy"));
        date = QDate::fromString(fullText, fullFormat);
    }
    else
    {
        date = QDate::fromString(text, format);
    }
    return date.isValid();
}

void GpsData::SetPosition(double latitude, double longitude)
{
    position->SetLatitude(latitude);
    position->SetLongitude(longitude);
}

void GpsData::SetSpeed(double knots)
{
    speed = knots;
}

bool GpsData::SetCourse(double degrees)
{
    if (!(degrees >= 0.0 && degrees < 360.0))
        return false;
    course = degrees;
    return true;
}

void GpsData::SetMode(int value)
{
    mode = value;
}

bool GpsData::IsHighAccuracy() const
{
    return mode == ModeDifferential || mode == ModePrecise;
}
