#pragma once

#include "model/AtoN.h"
#include "model/MessageSchedule.h"
#include "model/ModelObject.h"

class Model;

// One virtual or synthetic AtoN: its station data, its one-entry message schedule, whether it is in use
// and whether it is synthetic. The Model holds ten of them and the receiver record.
class VirtualAtoNModel : public ModelObject
{
    Q_OBJECT

public:
    explicit VirtualAtoNModel(QObject* parent = nullptr);
    ~VirtualAtoNModel() override = default;

    // Copies the station data and the schedule's entries; the enabled and synthetic flags, the version
    // and the Qt object identity stay.
    VirtualAtoNModel& operator=(const VirtualAtoNModel& other);
    VirtualAtoNModel(const VirtualAtoNModel&) = delete;

    // Station data back to the virtual defaults (MMSI not in use, index 1, surveyed position, station
    // kind virtual) and the schedule to its single message 21 entry. The record's own enabled and
    // synthetic flags stay.
    void Clear() override;
    void Save(QDataStream& stream) override;
    void Load(QDataStream& stream) override;

    bool IsEnabled() const { return enabled; }
    // Also marks the station's MMSI as in use or not.
    void SetEnabled(bool value);
    bool IsSynthetic() const { return synthetic; }
    // Also sets the station kind: 1 virtual, 2 synthetic.
    void SetSynthetic(bool value);
    // The station kind only; the synthetic flag stays.
    void SetStationKind(int kind);

    AtoN* GetAtoN() { return &aton; }
    const AtoN* GetAtoN() const { return &aton; }
    AtoNMMSI* GetAtoNMmsi() { return aton.GetAtoNMMSI(); }
    const AtoNMMSI* GetAtoNMmsi() const { return aton.GetAtoNMMSI(); }
    GeoPosition* GetPosition() { return aton.GetPosition(); }
    const GeoPosition* GetPosition() const { return aton.GetPosition(); }
    MessageSchedule* GetMessageSchedule() { return &schedule; }
    const MessageSchedule* GetMessageSchedule() const { return &schedule; }

    QString GetAtoNName() const { return aton.GetName(); }
    void SetAtoNName(const QString& name) { aton.SetName(name); }
    int GetPositionAccuracy() const { return aton.GetPositionAccuracy(); }
    void SetPositionAccuracy(int value) { aton.SetPositionAccuracy(value); }
    int GetPowerLevel() const { return aton.GetPowerLevel(); }
    void SetPowerLevel(int value) { aton.SetPowerLevel(value); }
    int GetTypeOfAtoN() const { return aton.GetTypeOfAtoN(); }
    void SetTypeOfAtoN(int type) { aton.SetTypeOfAtoN(type); }
    bool IsInland() const { return aton.IsInland(); }
    void SetInland(bool value) { aton.SetInland(value); }
    int GetInlandTypeCode() const { return aton.GetInlandTypeCode(); }
    int GetDimensionA() const { return aton.GetDimensionA(); }
    int GetDimensionB() const { return aton.GetDimensionB(); }
    int GetDimensionC() const { return aton.GetDimensionC(); }
    int GetDimensionD() const { return aton.GetDimensionD(); }
    void SetDimensionA(int value) { aton.SetDimensionA(value); }
    void SetDimensionB(int value) { aton.SetDimensionB(value); }
    void SetDimensionC(int value) { aton.SetDimensionC(value); }
    void SetDimensionD(int value) { aton.SetDimensionD(value); }

private:
    friend class Model;
    // Everything, flags and versions included: the Model's snapshot copy.
    void CopyAll(const VirtualAtoNModel& other);

    bool enabled = false;
    bool synthetic = false;
    AtoN aton;
    MessageSchedule schedule;
};
