#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTime>

// One alarm of the unit, as its latest ALR sentence reports it.
struct AlarmEntry
{
    int id = 0; // the unit's local alarm number
    QTime time; // time of the last change
    bool active = false;
    bool acknowledged = false;
    QString text;
};

// The unit's alarms, one entry per alarm number in the order they first appeared. The message
// decoder owns the one list and lends it through its signal.
class AlarmData : public QObject
{
    Q_OBJECT

public:
    // A unit reports a few dozen alarm numbers; a stream of ever new numbers must not grow the list
    // without end.
    static constexpr int MaxEntries = 1000;

    explicit AlarmData(QObject* parent = nullptr);

    // Replaces the entry of this alarm number in place, or appends a new one. False when a new
    // number finds the list full (the alarm is dropped).
    bool Update(int id, const QTime& time, bool active, bool acknowledged, const QString& text);
    // A copy of entry i; an index outside the list gives entry 0 (an empty entry when there is none).
    AlarmEntry At(int i) const;
    int Count() const { return int(entries.size()); }
    int ActiveCount() const;

private:
    QList<AlarmEntry> entries;
};
