#pragma once

#include <QObject>
#include <QString>

// One latitude/longitude pair in decimal degrees. 91 (latitude) and 181 (longitude) mean that no
// position is available. Offers the degrees-minutes-seconds and degrees-decimal-minutes text forms
// shown to the user and a tolerant parser for typed positions.
class GeoPosition : public QObject
{
    Q_OBJECT

public:
    static constexpr double NotAvailableLatitude = 91.0;
    static constexpr double NotAvailableLongitude = 181.0;

    explicit GeoPosition(QObject* parent = nullptr);
    GeoPosition(const GeoPosition& other);
    GeoPosition& operator=(const GeoPosition& other);

    double GetLatitude() const { return latitude; }
    double GetLongitude() const { return longitude; }
    bool IsAvailable() const;

    // Out of range (NaN included) stores the "not available" value.
    void SetLatitude(double value);
    void SetLongitude(double value);

    // Typed text: hemisphere letter at the end, "_" for not available; no range check.
    void SetLatitude(const QString& text);
    void SetLongitude(const QString& text);

    QString LatitudeToDMS() const;
    QString LongitudeToDMS() const;
    QString LatitudeToDM() const;
    QString LongitudeToDM() const;

    // Degrees from text such as "12 30 15", "12°30'15\"", "12d30m15s", "-12:30".
    static double ParseDMS(const QString& text);
    // 0 degrees, 1 minutes, 2 seconds, 3 not a unit mark.
    static int ClassifyUnit(const QString& text);

private:
    static QString ToDMS(double value, int degreeWidth, const QString& positive, const QString& negative);
    static QString ToDM(double value, int degreeWidth, const QString& positive, const QString& negative);

    double latitude = NotAvailableLatitude;
    double longitude = NotAvailableLongitude;
};
