#pragma once

#include <QMetaType>
#include <QTime>
#include <QtGlobal>

#include "model/FieldText.h"

// One channel block of a schedule entry. In FATDMA the unit transmits from the start slot every
// `increment` slots; in RATDMA it starts at the start time and repeats every `increment` slots of time
// (2250 slots make a minute). A start slot of -1 marks a block that is not used.
struct ScheduleBlock
{
    bool noTime = false;     // the block has no start time (the unit's "24:00" marker)
    QTime startTime{0, 0};   // UTC start time (RATDMA)
    qint32 startSlot = 0;    // -1: block not used
    qint32 increment = 6750; // slots; 6750 slots are three minutes

    bool operator==(const ScheduleBlock& other) const;
    bool operator!=(const ScheduleBlock& other) const { return !(*this == other); }
};

// One transmitted message of a schedule: a plain value, copied freely.
class ScheduleEntry
{
public:
    enum AccessScheme
    {
        FATDMA = 0,
        RATDMA = 1,
        CSTDMA = 2
    };

    // Slots of VHF data link time in one minute.
    static constexpr qint32 SlotsPerMinute = 2250;
    // Increments are held to one day of slots.
    static constexpr qint32 MaxIncrement = 24 * 60 * SlotsPerMinute; // 3240000

    // The numbers a file's entry keeps: the message ids of a VDL reply's 6-bit field (the tab offers 0,
    // 6, 8, 12, 14 and 21), the schemes the table shows, the start slots of the spin box (-1 ... 2249) or
    // a reply's 12-bit field. Increments are held as above.
    static constexpr FieldText::Range MessageIdRange{0, 63};
    static constexpr FieldText::Range ModeRange{FATDMA, CSTDMA};
    static constexpr FieldText::Range StartSlotRange{-1, 4095};

    // A default entry: the given message (21 unless said otherwise), index 1, FATDMA, start times 00:00,
    // start slots 0, increments 6750, enabled.
    explicit ScheduleEntry(qint32 messageId = 21);

    // The disabled form used for unused positions: both start slots -1 and not enabled.
    static ScheduleEntry Disabled(qint32 messageId);

    // Block A for channel 1, block B for any other channel.
    ScheduleBlock& Block(int channel) { return channel == 1 ? blockA : blockB; }
    const ScheduleBlock& Block(int channel) const { return channel == 1 ? blockA : blockB; }

    bool IsTimeBased() const { return mode != FATDMA; }

    bool operator==(const ScheduleEntry& other) const;
    bool operator!=(const ScheduleEntry& other) const { return !(*this == other); }

    qint32 messageId = 21; // 21, 6, 8, 12, 14; 0 in a receiver schedule
    qint32 index = 1;      // 1-based number among the entries of the same message
    qint32 mode = FATDMA;  // 0 FATDMA, non-zero RATDMA
    ScheduleBlock blockA;  // channel A
    ScheduleBlock blockB;  // channel B
    bool enabled = true;
    qint32 further = 0; // kept and stored as it came; 0 in every entry this program makes
};

Q_DECLARE_METATYPE(ScheduleEntry)
