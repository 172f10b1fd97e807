#pragma once

#include <QList>
#include <QString>
#include <array>

#include "model/ADCSettingsModel.h"
#include "model/AlertMessagesModel.h"
#include "model/AtoN.h"
#include "model/MessageSchedule.h"
#include "model/MessageSettingsModel.h"
#include "model/ModelObject.h"
#include "model/RepeaterModel.h"
#include "model/ScheduleEntry.h"
#include "model/SensorSettingsModel.h"
#include "model/StatusInputConfigurationModel.h"
#include "model/VdlModel.h"
#include "model/VirtualAtoNModel.h"

class VDLCodecModel;

// One complete configuration of an AtoN transponder: the real AtoN and its schedule, ten virtual AtoNs
// and the receiver record, the unit settings, the VDL chaining record, and the schedule entries received
// over the VDL. The application keeps two: the tab model (what the tabs edit and files store) and the
// transport model (what the jobs fill from and send to the unit).
//
// Save and Load are the configuration file: the records' own sections in a fixed order, with no header.
class Model : public ModelObject
{
    Q_OBJECT

public:
    static constexpr int VirtualAtoNCount = 10;
    // No configuration file is larger (Model.cpp adds up the largest one): a larger file is refused
    // before it is read. A file the tool writes is about 3.3 kB.
    static constexpr qint64 MaxFileSize = 512 * 1024;

    explicit Model(QObject* parent = nullptr);
    ~Model() override;

    // A complete copy of every member, including what files do not store and every record's version, so
    // that a file can be read into a copy and taken over only when it read cleanly. The Qt object
    // identity (parent, name, connections) stays.
    Model& operator=(const Model& other);
    Model(const Model&) = delete;

    // Back to defaults; the repeater and the receiver virtual AtoN keep their contents.
    void Clear() override;
    // Version, real AtoN, its schedule, virtual AtoNs 1 ... 10, status inputs, alert messages, repeater,
    // VDL section.
    void Save(QDataStream& stream) override;
    // Reads the same sections in the same order and stops at the first stream error. Sections read before
    // an error keep what was read; use LoadOrKeep to take a file all or nothing. A file whose model and
    // record versions are all 0, which nothing writes (a file zeroed by a crash or a failing disk), is
    // marked corrupt before its VDL section is read.
    void Load(QDataStream& stream) override;
    // Reads the file into a copy of this model and takes it over only when every section was read
    // without a stream error. Returns whether it was taken; the stream's status tells what went wrong.
    bool LoadOrKeep(QDataStream& stream);

    AtoN* GetRealAtoN() { return &realAtoN; }
    MessageSchedule* GetMessageSchedule() { return &messageSchedule; }
    VirtualAtoNModel* GetVirtualAtoN01() { return &virtualAtoNs[0]; }
    VirtualAtoNModel* GetVirtualAtoN02() { return &virtualAtoNs[1]; }
    VirtualAtoNModel* GetVirtualAtoN03() { return &virtualAtoNs[2]; }
    VirtualAtoNModel* GetVirtualAtoN04() { return &virtualAtoNs[3]; }
    VirtualAtoNModel* GetVirtualAtoN05() { return &virtualAtoNs[4]; }
    VirtualAtoNModel* GetVirtualAtoN06() { return &virtualAtoNs[5]; }
    VirtualAtoNModel* GetVirtualAtoN07() { return &virtualAtoNs[6]; }
    VirtualAtoNModel* GetVirtualAtoN08() { return &virtualAtoNs[7]; }
    VirtualAtoNModel* GetVirtualAtoN09() { return &virtualAtoNs[8]; }
    VirtualAtoNModel* GetVirtualAtoN10() { return &virtualAtoNs[9]; }
    // Virtual AtoN k, 1 ... 10; null for any other k.
    VirtualAtoNModel* GetVirtualAtoN(int k);
    VirtualAtoNModel* GetVirtualAtoNReceiver() { return &virtualAtoNReceiver; }
    StatusInputConfigurationModel* GetStatusInputConfiguration() { return &statusInputConfiguration; }
    AlertMessagesModel* GetAlertMessages() { return &alertMessages; }
    RepeaterModel* GetRepeater() { return &repeater; }
    SensorSettingsModel* GetSensorSettings() { return &sensorSettings; }
    ADCSettingsModel* GetADCSettings() { return &adcSettings; }
    MessageSettingsModel* GetMessageSettings() { return &messageSettings; }
    VdlModel* GetVdlModel() { return &vdlModel; }

    // The MMSI records in use: the real AtoN's first, then virtual AtoNs 1 ... 10 in order (never the
    // receiver record).
    QList<AtoNMMSI*> GetEnabledMMSIs();
    void GetEnabledMMSIs(QList<AtoNMMSI*>& list);
    int GetEnabledMMSICount();
    // Whether one of virtual AtoNs 1 ... 10 has this MMSI (exact comparison).
    bool IsMMSIInUse(const QString& mmsi) const;

    // Schedule entries received over the VDL, at most one per (message id, index), in order of arrival.
    const QList<ScheduleEntry>& GetReceivedSchedule() const { return receivedSchedule; }

    // Applying VDL replies (defined in ModelVdl.cpp).
    void ApplyVdlMessage(VDLCodecModel* codec, int applicationId, const QString& mmsi);
    void AssignMMSI(int kind, const QString& current, const QString& mmsi);
    void ApplyReceivedSchedule(const QString& mmsi);
    void ClearReceivedSchedule();

    // Steps of the above, open to the VDL pages and tests.
    void ApplyVirtualAtoNMessage(VirtualAtoNModel* virtualAtoN, VDLCodecModel* codec, int applicationId,
                                 const QString& mmsi);
    void ApplyAtoNMessage(AtoN* aton, VDLCodecModel* codec, int applicationId, const QString& mmsi);
    void ApplyMMSIMessage(VDLCodecModel* codec, const QString& mmsi);
    void ApplyScheduleMessage(VDLCodecModel* codec);
    void UpdateReceivedSchedule(int channel, const ScheduleEntry& entry);
    void ApplyReceivedScheduleTo(MessageSchedule* target);
    void AssignVirtualMMSI(AtoNMMSI* record, const QString& current, const QString& mmsi);

private:
    // Whether the model and every stored record took version 0.
    bool IsZeroed() const;
    AtoN realAtoN;
    MessageSchedule messageSchedule;
    std::array<VirtualAtoNModel, VirtualAtoNCount> virtualAtoNs;
    VirtualAtoNModel virtualAtoNReceiver;
    StatusInputConfigurationModel statusInputConfiguration;
    AlertMessagesModel alertMessages;
    RepeaterModel repeater;
    SensorSettingsModel sensorSettings;
    ADCSettingsModel adcSettings;
    MessageSettingsModel messageSettings;
    VdlModel vdlModel;
    QList<ScheduleEntry> receivedSchedule;
};
