#include "decoders/AlarmData.h"

AlarmData::AlarmData(QObject* parent) : QObject(parent) {}

bool AlarmData::Update(int id, const QTime& time, bool active, bool acknowledged, const QString& text)
{
    const AlarmEntry entry{id, time, active, acknowledged, text};
    for (AlarmEntry& existing : entries)
    {
        if (existing.id == id)
        {
            existing = entry;
            return true;
        }
    }
    if (entries.size() >= MaxEntries)
        return false;
    entries.append(entry);
    return true;
}

AlarmEntry AlarmData::At(int i) const
{
    if (i >= 0 && i < entries.size())
        return entries.at(i);
    return entries.isEmpty() ? AlarmEntry() : entries.first();
}

int AlarmData::ActiveCount() const
{
    int n = 0;
    for (const AlarmEntry& e : entries)
        if (e.active)
            ++n;
    return n;
}
