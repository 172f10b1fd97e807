#pragma once

#include <QList>
#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "model/AtoN.h"
#include "model/FieldText.h"
#include "model/MessageSchedule.h"
#include "model/ModelObject.h"
#include "model/VdlItemTable.h"

class Model;

// The VDL chaining record: how the tool reaches a remote unit over the VHF data link (use-VDL switch,
// send delay, reply timeout, target MMSI), the chaining MMSIs and broadcast values the "VDL Chaining" job
// sends, and the receiver wake-up schedule. Only the wake-up schedule is stored in configuration files,
// in a section tagged "VDL".
class VdlModel : public ModelObject
{
    Q_OBJECT

public:
    // The only layout of the file section this program reads in full and writes.
    static constexpr qint32 SectionVersion = 2;

    explicit VdlModel(QObject* parent = nullptr);
    ~VdlModel() override;

    // Copies every setting, both MMSI records, the broadcast values and table (headers restored), the
    // receiver schedule and the chaining MMSI list. The removed chaining MMSIs stay: they belong to the
    // job that sends them.
    VdlModel& operator=(const VdlModel& other);
    VdlModel(const VdlModel&) = delete;

    // Use-VDL off, MMSI records and lists, broadcast values and table, and wake-up schedule cleared. The
    // send delay, reply timeout, texts, target MMSI, removed MMSIs and receiver schedule stay.
    void Clear() override;
    // Always the version-2 section: tag, version, mode, minute, hour, interval, duration.
    void Save(QDataStream& stream) override;
    // Clears first. A missing tag or a newer version is reported through ModelNotifier and stops the
    // section; an older version is reported and read on.
    void Load(QDataStream& stream) override;

    static void CopyItemModel(VdlItemTable* destination, const VdlItemTable* source);
    static void SetupTableHeaders(VdlItemTable* table);

    // Chaining MMSI list.
    void AddMmsi(const QString& mmsi);
    void AddMmsiOf(const AtoNMMSI* record);
    bool ContainsMmsi(const QString& mmsi) const;
    int GetChainingMmsiCount() const { return chainingMmsis->RowCount(); }
    VdlItemTable* GetChainingMmsis() { return chainingMmsis; }
    // A record for row `row` of the chaining list (index 3, enabled); a default record outside the list.
    std::unique_ptr<AtoNMMSI> GetMmsiAt(int row) const;
    // Moves row `row` of the chaining list to the removed MMSIs (index 3, not enabled); false outside.
    bool AppendMmsiFromRow(int row);
    // Removed chaining MMSIs, which the next "VDL Chaining" job sends as disabled records.
    int GetMmsiCount() const { return int(removedMmsis.size()); }
    // Takes removed entry i out of the list; a default record when i is outside the list.
    std::unique_ptr<AtoNMMSI> TakeMmsiAt(int i);
    // Hands the removed MMSIs over to another record (the transport model's before a send), which
    // appends them to its own; this record's list is left empty. Assignment never copies them.
    void MoveRemovedMmsisTo(VdlModel& target);

    // Broadcast (AFB) schedule table.
    void AddTableRow(int id, int index, int hour, int minute, int slot, int channel);
    VdlItemTable* GetScheduleTable() { return scheduleTable; }

    AtoNMMSI* GetFirstMmsi() { return &firstMmsi; }
    AtoNMMSI* GetSecondMmsi() { return &secondMmsi; }
    // The receiver schedule (message id 0), filled by AAR replies.
    MessageSchedule* GetMessageSchedule() { return messageSchedule.get(); }

    // Settings of the VDL Control page.
    bool useVdl = false;
    int sendDelay = 5;        // seconds between VDL request sentences
    int responseTimeout = 10; // seconds to wait for a reply
    QString furtherText1;
    QString furtherText2;
    QString targetMMSI; // the unit addressed over the VDL

    // The AFB sentence fields: message id, message index, UTC hour, UTC minute, slot, channel.
    std::array<int, 6> afbValues{};

    // The wake-up numbers a file keeps: what a VDL reply's fields hold (hour 5 bits, minute 6 bits, so
    // that the unit's "not available" 24:60 stays; interval 14 and duration 11 bits of minutes), which
    // is all the page's editors take and more.
    static constexpr FieldText::Range ReceiverHourRange{0, 31};
    static constexpr FieldText::Range ReceiverMinuteRange{0, 63};
    static constexpr FieldText::Range ReceiverIntervalRange{0, 16383 * 60};
    static constexpr FieldText::Range ReceiverDurationRange{0, 2047 * 60};

    // Receiver wake-up schedule (the COP sentence and messages).
    qint32 receiverMode = 0;     // 0 device schedule, 1 specified on time, 2 always on
    qint32 receiverHour = 0;     // UTC
    qint32 receiverMinute = 0;   // UTC
    qint32 receiverInterval = 0; // seconds
    qint32 receiverDuration = 0; // seconds

private:
    friend class Model;
    // Everything, the removed MMSIs included: the Model's snapshot copy.
    void CopyAll(const VdlModel& other);

    AtoNMMSI firstMmsi;
    VdlItemTable* chainingMmsis; // owned
    AtoNMMSI secondMmsi;
    std::vector<std::unique_ptr<AtoNMMSI>> removedMmsis;
    VdlItemTable* scheduleTable; // child
    std::unique_ptr<MessageSchedule> messageSchedule;
};
