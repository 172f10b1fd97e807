#pragma once

#include <QDate>
#include <QObject>
#include <QString>
#include <QTime>

class GeoPosition;

// The latest fix of the unit's GNSS receiver, as one RMC sentence reports it: UTC time and date,
// position, speed and course over ground and the mode indicator. The GNSS decoder owns the one
// instance and lends it through its signals; receivers read it during the signal and never keep it.
class GpsData : public QObject
{
    Q_OBJECT

public:
    // RMC mode indicator letters A, D, E, F, M, N, P, R, S in this order.
    enum Mode
    {
        ModeAutonomous = 0,
        ModeDifferential = 1,
        ModeEstimated = 2,
        ModeFloatRtk = 3,
        ModeManual = 4,
        ModeNoFix = 5,
        ModePrecise = 6,
        ModeRtk = 7,
        ModeSimulator = 8
    };

    explicit GpsData(QObject* parent = nullptr);

    // Time 00:00:00, date 1 January 1900, position not available, speed and course 0. The mode is
    // kept: receivers that never send it (NMEA 2.x) would otherwise flip between modes.
    void Reset();

    // Parse with QTime::fromString; the result is stored even when invalid. Returns validity.
    bool SetTime(const QString& text, const QString& format);
    // Two-digit years are read as 1980 to 2079. The result is stored even when invalid.
    bool SetDate(const QString& text, const QString& format);
    // Through the range-checking setters: an out-of-range value becomes "not available".
    void SetPosition(double latitude, double longitude);
    void SetSpeed(double knots);
    // Refuses (returns false, keeps the course) a value outside 0 <= course < 360.
    bool SetCourse(double degrees);
    void SetMode(int mode);

    QTime GetTime() const { return time; }
    QDate GetDate() const { return date; }
    // Never null; owned by this object.
    GeoPosition* GetPosition() const { return position; }
    double GetSpeed() const { return speed; }
    double GetCourse() const { return course; }
    int GetMode() const { return mode; }
    // Differential and precise fixes.
    bool IsHighAccuracy() const;

private:
    QTime time;
    QDate date;
    GeoPosition* position;
    double speed = 0.0;
    double course = 0.0;
    // Undefined until an RMC carries a mode field: "no fix" is the honest default.
    int mode = ModeNoFix;
};
