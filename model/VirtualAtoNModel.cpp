#include "model/VirtualAtoNModel.h"

#include "model/AtoNDef.h"

VirtualAtoNModel::VirtualAtoNModel(QObject* parent) : ModelObject(parent, 2), schedule(true, false, nullptr)
{
    Clear();
}

VirtualAtoNModel& VirtualAtoNModel::operator=(const VirtualAtoNModel& other)
{
    if (this != &other)
    {
        aton = other.aton;
        schedule = other.schedule;
    }
    return *this;
}

void VirtualAtoNModel::CopyAll(const VirtualAtoNModel& other)
{
    if (this == &other)
        return;
    *this = other;
    ModelObject::operator=(other);
    enabled = other.enabled;
    synthetic = other.synthetic;
    static_cast<ModelObject&>(aton) = other.aton;
    static_cast<ModelObject&>(*aton.GetAtoNMMSI()) = *other.aton.GetAtoNMMSI();
    static_cast<ModelObject&>(schedule) = other.schedule;
}

void VirtualAtoNModel::Clear()
{
    aton.Clear();
    aton.GetAtoNMMSI()->SetEnabled(false);
    aton.SetGnssTypeFromEpfd(AtoNDef::EPFS_SURVEYED, false);
    aton.SetStationKind(AtoNDef::VIRTUAL);
    schedule.SetAtoN(&aton);
    aton.GetAtoNMMSI()->SetIndex(1);
    schedule.Clear();
}

void VirtualAtoNModel::Save(QDataStream& stream)
{
    ModelObject::Save(stream);
    stream << qint8(enabled ? 1 : 0) << qint8(synthetic ? 1 : 0);
    aton.Save(stream);
    schedule.Save(stream);
}

void VirtualAtoNModel::Load(QDataStream& stream)
{
    ModelObject::Load(stream);
    bool storedEnabled = false;
    bool storedSynthetic = false;
    stream >> storedEnabled >> storedSynthetic;
    if (stream.status() != QDataStream::Ok)
        return;
    // The flags come as stored; the station kind and the MMSI's enabled flag come with the station.
    enabled = storedEnabled;
    synthetic = storedSynthetic;
    aton.Load(stream);
    if (stream.status() != QDataStream::Ok)
        return;
    schedule.Load(stream);
}

void VirtualAtoNModel::SetEnabled(bool value)
{
    enabled = value;
    aton.GetAtoNMMSI()->SetEnabled(value);
}

void VirtualAtoNModel::SetSynthetic(bool value)
{
    synthetic = value;
    aton.SetStationKind(value ? AtoNDef::SYNTHETIC : AtoNDef::VIRTUAL);
}

void VirtualAtoNModel::SetStationKind(int kind)
{
    aton.SetStationKind(kind);
}
