#pragma once

#include <QList>
#include <array>

#include "model/ModelObject.h"
#include "model/ScheduleEntry.h"

class AtoN;

// The transmission schedule of one AtoN station.
//
// A normal schedule (the real AtoN's) has a fixed layout of 18 positions: message 21 at 0 and 1, then
// four entries each of the binary messages 6 (2-5), 8 (6-9), 12 (10-13) and 14 (14-17). Unused positions
// hold disabled entries, so a position always names the same message slot of the unit. A virtual AtoN's
// schedule holds one message 21 entry; a receiver schedule holds one entry with message id 0.
//
// A schedule read from a file or filled from the unit may hold any number of entries, so every operation
// checks its positions against Count(): outside the list a query gives false or a default entry and a
// change is refused.
class MessageSchedule : public ModelObject
{
    Q_OBJECT

public:
    // Entries a stored schedule may hold; more marks a corrupt file.
    static constexpr int MaxStoredEntries = 1024;

    MessageSchedule(bool virtualAtoN = false, bool receiver = false, QObject* parent = nullptr);
    ~MessageSchedule() override = default;

    // Replaces the entry list with a copy of the source's; the kind flags, the AtoN link and the
    // Qt object identity stay.
    MessageSchedule& operator=(const MessageSchedule& other);
    MessageSchedule(const MessageSchedule&) = delete;

    // Back to the default layout of this kind of schedule.
    void Clear() override;
    void Save(QDataStream& stream) override;
    // Stops at the first stream error; a negative or absurd entry count marks the stream corrupt. The
    // list then holds the entries read before the error.
    void Load(QDataStream& stream) override;

    bool IsVirtual() const { return virtualAtoN; }
    bool IsReceiver() const { return receiver; }

    // Basic access.
    int Count() const { return int(entries.size()); }
    const QList<ScheduleEntry>& GetEntries() const { return entries; }
    ScheduleEntry GetEntry(int position) const;
    // Stores the entry with both increments held to 0 ... MaxIncrement; false outside the list.
    bool SetEntry(int position, const ScheduleEntry& entry);
    // The entry when its mode is the given one, else a default entry. Asking for position 1 first gives
    // entry 1 its index 2 (entries read from a file all carry index 1).
    ScheduleEntry GetEntryWithMode(int position, int mode);
    // The mode of the entry; 0 (FATDMA) outside the list.
    int GetEntryMode(int position) const;
    AtoN* GetAtoN() const { return aton; }
    // The station the schedule belongs to; a null link is refused with std::bad_alloc.
    void SetAtoN(AtoN* newAtoN);
    int CountEntriesWithMode(int mode) const;
    // The message id and its 1-based number among the entries of that id; false outside the list.
    bool GetMessageAndIndex(int position, int& messageId, int& index) const;

    // Group queries over the fixed layout.
    int FirstPositionOf(int messageId) const;
    int LastPositionOf(int messageId) const;
    bool FindFreeEntry(int messageId, int& position) const;
    int CountEnabled(int messageId) const;
    std::array<bool, 4> GetEnabledFlags(int messageId) const;
    // Whether the n-th message 6 entry (n 1 ... 4, counted in list order) is enabled.
    bool IsMessage6Enabled(int n) const;

    // Codes name one binary-message entry as k * 100 + message id, k (0 ... 3) its number in the group;
    // code 0 names the receiver entry.
    bool PositionOfCode(int code, int& position) const;
    bool CheckCode(int code) const;
    bool EnableByCode(int code);

    // For message 21 and receiver entries only.
    bool EnableEntry(int position);
    bool DisableEntry(int position);

    // For message 21, `position` is the position to fill (0 or 1 in a normal schedule). For messages
    // 6, 8, 12 and 14 it is the entry's number in its group (0 ... 3) and comes back as the position.
    bool AddEntry(int messageId, int& position);
    bool RemoveEntry(int position);

    // Table rows: rows 0 and 1 are the two message 21 positions, then the enabled binary entries,
    // message 6 first, then 8, 12 and 14, each in position order.
    int CountVisibleEntries() const;
    bool PositionOfRow(int row, int& position) const;
    bool GetVisibleRow(int position, int& row) const;

Q_SIGNALS:
    void off_position_checked(bool ticked);

private:
    bool IsInside(int position) const { return position >= 0 && position < entries.size(); }
    int EnabledInGroupBefore(int messageId, int position) const;

    QList<ScheduleEntry> entries;
    AtoN* aton = nullptr;
    bool virtualAtoN;
    bool receiver;
};
