#include "model/GeoPosition.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace
{
const QChar DegreeSign(0x00B0);

QString Tr(const char* text)
{
    return QCoreApplication::translate("GeoPosition", text);
}
} // namespace

GeoPosition::GeoPosition(QObject* parent) : QObject(parent) {}

GeoPosition::GeoPosition(const GeoPosition& other)
    : QObject(nullptr), latitude(other.latitude), longitude(other.longitude)
{
}

GeoPosition& GeoPosition::operator=(const GeoPosition& other)
{
    latitude = other.latitude;
    longitude = other.longitude;
    return *this;
}

bool GeoPosition::IsAvailable() const
{
    return latitude <= 90.0 && latitude >= -90.0 && longitude <= 180.0 && longitude >= -180.0;
}

void GeoPosition::SetLatitude(double value)
{
    // The comparison is false for NaN, which therefore becomes "not available" too.
    latitude = (value >= -90.0 && value <= 90.0) ? value : NotAvailableLatitude;
}

void GeoPosition::SetLongitude(double value)
{
    longitude = (value >= -180.0 && value <= 180.0) ? value : NotAvailableLongitude;
}

void GeoPosition::SetLatitude(const QString& input)
{
    QString text = input.trimmed();
    if (text.contains(QLatin1Char('_')))
    {
        latitude = NotAvailableLatitude;
        return;
    }
    const QString north = Tr("N"), south = Tr("S");
    const bool isSouth = text.endsWith(south, Qt::CaseInsensitive);
    if (text.endsWith(north, Qt::CaseInsensitive) || isSouth)
        text.chop(1);
    double value = ParseDMS(text);
    if (isSouth && value > 0)
        value = -value;
    latitude = value;
}

void GeoPosition::SetLongitude(const QString& input)
{
    QString text = input.trimmed();
    if (text.contains(QLatin1Char('_')))
    {
        longitude = NotAvailableLongitude;
        return;
    }
    const QString east = Tr("E"), west = Tr("W");
    // "O" is the west letter of several languages (Oeste, Ouest).
    const bool isWest =
        text.endsWith(west, Qt::CaseInsensitive) || text.endsWith(QLatin1Char('O'), Qt::CaseInsensitive);
    if (text.endsWith(east, Qt::CaseInsensitive) || isWest)
        text.chop(1);
    double value = ParseDMS(text);
    if (isWest && value > 0)
        value = -value;
    longitude = value;
}

QString GeoPosition::ToDMS(double value, int degreeWidth, const QString& positive, const QString& negative)
{
    // Work in whole thousandths of a second so that rounding carries into minutes and degrees:
    // a value just below a whole degree reads 52° 00' 0.000", never 51° 60' or 59' 60.000".
    const double a = std::fabs(value);
    const qint64 total = qint64(std::llround(std::min(a, 1000.0) * 3600.0 * 1000.0));
    const qint64 degrees = total / 3600000;
    const qint64 minutes = (total / 60000) % 60;
    const double seconds = double(total % 60000) / 1000.0;
    return QStringLiteral("%1%2 %3' %4\"")
               .arg(degrees, degreeWidth, 10, QLatin1Char('0'))
               .arg(DegreeSign)
               .arg(minutes, 2, 10, QLatin1Char('0'))
               .arg(seconds, 5, 'f', 3, QLatin1Char('0')) +
           QLatin1Char(' ') + (value < 0 ? negative : positive);
}

QString GeoPosition::ToDM(double value, int degreeWidth, const QString& positive, const QString& negative)
{
    // Ten-thousandths of a minute, rounded once, so 60.0000 minutes carries into the degrees.
    // Typed text is stored without a range check; keep absurd values from overflowing the rounding.
    const double a = std::isfinite(value) ? std::fabs(value) : 0.0;
    const qint64 total = qint64(std::llround(std::min(a, 1000.0) * 60.0 * 10000.0));
    const qint64 degrees = total / 600000;
    const double minutes = double(total % 600000) / 10000.0;
    return QStringLiteral("%1%2 %3'")
               .arg(degrees, degreeWidth, 10, QLatin1Char('0'))
               .arg(DegreeSign)
               .arg(minutes, 6, 'f', 4, QLatin1Char('0')) +
           QLatin1Char(' ') + (value < 0 ? negative : positive);
}

QString GeoPosition::LatitudeToDMS() const
{
    if (!(latitude >= -90.0 && latitude <= 90.0))
        return QStringLiteral("__%1 __' __.___\"").arg(DegreeSign) + QLatin1Char(' ') + Tr("N");
    return ToDMS(latitude, 2, Tr("N"), Tr("S"));
}

QString GeoPosition::LongitudeToDMS() const
{
    if (!(longitude >= -180.0 && longitude <= 180.0))
        return QStringLiteral("__%1 __' __.___\"").arg(DegreeSign) + QLatin1Char(' ') + Tr("E");
    return ToDMS(longitude, 3, Tr("E"), Tr("W"));
}

QString GeoPosition::LatitudeToDM() const
{
    return ToDM(latitude, 2, Tr("N"), Tr("S"));
}

QString GeoPosition::LongitudeToDM() const
{
    return ToDM(longitude, 3, Tr("E"), Tr("W"));
}

int GeoPosition::ClassifyUnit(const QString& text)
{
    if (text.size() != 1)
        return 3;
    const QChar c = text.at(0);
    if (c == DegreeSign || QString(c).compare(Tr("D"), Qt::CaseInsensitive) == 0)
        return 0;
    if (c == QLatin1Char('\'') || QString(c).compare(Tr("M"), Qt::CaseInsensitive) == 0)
        return 1;
    if (c == QLatin1Char('"') || QString(c).compare(Tr("S"), Qt::CaseInsensitive) == 0)
        return 2;
    return 3;
}

double GeoPosition::ParseDMS(const QString& input)
{
    QString text = input.trimmed();
    bool negative = false;
    if (text.startsWith(Tr("-")))
    {
        negative = true;
        text.remove(0, 1);
    }
    text.replace(QLatin1Char(':'), QLatin1Char(' '));
    text.replace(QLatin1Char(';'), QLatin1Char(' '));

    // Separate every unit mark from what follows it, across the whole text, so that compact input
    // such as 12°30' or 12d30m15s splits into its pieces.
    QString spaced;
    spaced.reserve(text.size() + 8);
    for (int i = 0; i < text.size(); ++i)
    {
        const QChar c = text.at(i);
        spaced.append(c);
        if (ClassifyUnit(QString(c)) != 3 && i + 1 < text.size() && text.at(i + 1) != QLatin1Char(' '))
            spaced.append(QLatin1Char(' '));
    }

    // Runs of blanks give empty pieces: dropped, so "12  30" reads as 12 degrees 30 minutes.
    const QStringList pieces = spaced.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    int expected = 0;
    double sum = 0.0;
    for (QString piece : pieces)
    {
        piece = piece.trimmed();
        if (piece.isEmpty())
            continue;
        int unit = ClassifyUnit(piece.right(1));
        if (unit != 3)
        {
            piece.chop(1);
            expected = unit == 2 ? 3 : unit + 1;
        }
        else
        {
            unit = expected;
            if (expected < 3)
                ++expected;
        }
        bool ok = false;
        double value = piece.toDouble(&ok);
        if (!ok || !std::isfinite(value))
            value = 0.0;
        switch (unit)
        {
        case 0:
            sum += value;
            break;
        case 1:
            sum += value / 60.0;
            break;
        case 2:
            sum += value / 3600.0;
            break;
        default:
            break;
        }
    }
    return negative ? -sum : sum;
}
