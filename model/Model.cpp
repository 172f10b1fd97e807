#include "model/Model.h"

#include <algorithm>

#include "model/AtoNDef.h"

namespace
{
// The largest configuration file: every schedule holding as many entries as a file may give it, every
// text and MMSI as long as a whole sentence line (82 characters, the most the unit's sentences give
// the record; files and editors give less).
constexpr qint64 LargestText = 4 + 2 * 82;
constexpr qint64 LargestMmsiSet = 4 + 3 * LargestText + 4 + 1;
constexpr qint64 LargestAtoN = 4 + LargestMmsiSet + 4 + 2 * 8 + 11 * 4 + LargestText + 4 * 4 + 1;
constexpr qint64 LargestSchedule = 4 + 4 + qint64(MessageSchedule::MaxStoredEntries) * (8 * 4 + 1 + 4);
constexpr qint64 LargestVirtualAtoN = 4 + 2 + LargestAtoN + LargestSchedule;
constexpr qint64 LargestFile = 4 + LargestAtoN + LargestSchedule + Model::VirtualAtoNCount * LargestVirtualAtoN +
                               (4 + 14 * 4) + (4 + 3 * 4 + 3 * LargestText + 4) + (4 + 8 * 4) + (4 + 2 * 3 + 6 * 4);
static_assert(LargestFile <= Model::MaxFileSize, "every configuration fits in the largest file read");

// Copies the record version, which the records' own assignments leave alone.
void CopyVersion(ModelObject& target, const ModelObject& source)
{
    target.ModelObject::operator=(source);
}
} // namespace

Model::Model(QObject* parent) : ModelObject(parent, 2), messageSchedule(false, false, nullptr)
{
    Clear();
}

Model::~Model() = default;

Model& Model::operator=(const Model& other)
{
    if (this == &other)
        return *this;
    CopyVersion(*this, other);

    realAtoN = other.realAtoN;
    CopyVersion(realAtoN, other.realAtoN);
    CopyVersion(*realAtoN.GetAtoNMMSI(), *other.realAtoN.GetAtoNMMSI());
    messageSchedule = other.messageSchedule;
    CopyVersion(messageSchedule, other.messageSchedule);
    messageSchedule.SetAtoN(&realAtoN);

    for (int k = 0; k < VirtualAtoNCount; ++k)
        virtualAtoNs[size_t(k)].CopyAll(other.virtualAtoNs[size_t(k)]);
    virtualAtoNReceiver.CopyAll(other.virtualAtoNReceiver);

    statusInputConfiguration = other.statusInputConfiguration;
    CopyVersion(statusInputConfiguration, other.statusInputConfiguration);
    alertMessages = other.alertMessages;
    CopyVersion(alertMessages, other.alertMessages);
    repeater = other.repeater;
    CopyVersion(repeater, other.repeater);
    sensorSettings = other.sensorSettings;
    CopyVersion(sensorSettings, other.sensorSettings);
    adcSettings = other.adcSettings;
    CopyVersion(adcSettings, other.adcSettings);
    messageSettings = other.messageSettings;
    CopyVersion(messageSettings, other.messageSettings);
    vdlModel.CopyAll(other.vdlModel);
    receivedSchedule = other.receivedSchedule;
    return *this;
}

void Model::Clear()
{
    realAtoN.Clear();
    realAtoN.SetStationKind(AtoNDef::REAL);
    messageSchedule.Clear();
    messageSchedule.SetAtoN(&realAtoN);
    for (VirtualAtoNModel& virtualAtoN : virtualAtoNs)
    {
        virtualAtoN.Clear();
        virtualAtoN.SetStationKind(AtoNDef::VIRTUAL);
    }
    statusInputConfiguration.Clear();
    alertMessages.Clear();
    sensorSettings.Clear();
    adcSettings.Clear();
    messageSettings.Clear();
    vdlModel.Clear();
    receivedSchedule.clear();
}

void Model::Save(QDataStream& stream)
{
    ModelObject::Save(stream);
    realAtoN.Save(stream);
    messageSchedule.Save(stream);
    for (VirtualAtoNModel& virtualAtoN : virtualAtoNs)
        virtualAtoN.Save(stream);
    statusInputConfiguration.Save(stream);
    alertMessages.Save(stream);
    repeater.Save(stream);
    vdlModel.Save(stream);
}

void Model::Load(QDataStream& stream)
{
    QList<ModelObject*> sections;
    sections << &realAtoN << &messageSchedule;
    for (VirtualAtoNModel& virtualAtoN : virtualAtoNs)
        sections << &virtualAtoN;
    sections << &statusInputConfiguration << &alertMessages << &repeater << &vdlModel;

    ModelObject::Load(stream);
    for (ModelObject* section : std::as_const(sections))
    {
        // Past an error every further read gives zeros: stop rather than fill records with them (and
        // rather than report a missing VDL section the file may well have).
        if (stream.status() != QDataStream::Ok)
            return;
        if (section == &vdlModel && IsZeroed())
        {
            stream.setStatus(QDataStream::ReadCorruptData);
            return;
        }
        section->Load(stream);
    }
    // The alert texts travel with the real AtoN's MMSI: they are cut to their lines once both are read.
    alertMessages.FitTexts(realAtoN.GetAtoNMMSI()->GetMMSI());
}

bool Model::IsZeroed() const
{
    QList<const ModelObject*> records{this, &realAtoN, realAtoN.GetAtoNMMSI(), &messageSchedule};
    records << &statusInputConfiguration << &alertMessages << &repeater;
    for (const VirtualAtoNModel& virtualAtoN : virtualAtoNs)
        records << &virtualAtoN << virtualAtoN.GetAtoN() << virtualAtoN.GetAtoNMmsi()
                << virtualAtoN.GetMessageSchedule();
    return std::all_of(records.cbegin(), records.cend(), [](const ModelObject* r) { return r->GetVersion() == 0; });
}

bool Model::LoadOrKeep(QDataStream& stream)
{
    Model scratch(nullptr);
    scratch = *this;
    scratch.Load(stream);
    if (stream.status() != QDataStream::Ok)
        return false;
    *this = scratch;
    return true;
}

VirtualAtoNModel* Model::GetVirtualAtoN(int k)
{
    return k >= 1 && k <= VirtualAtoNCount ? &virtualAtoNs[size_t(k - 1)] : nullptr;
}

QList<AtoNMMSI*> Model::GetEnabledMMSIs()
{
    QList<AtoNMMSI*> list;
    GetEnabledMMSIs(list);
    return list;
}

void Model::GetEnabledMMSIs(QList<AtoNMMSI*>& list)
{
    list.clear();
    if (realAtoN.GetAtoNMMSI()->IsEnabled())
        list.append(realAtoN.GetAtoNMMSI());
    for (VirtualAtoNModel& virtualAtoN : virtualAtoNs)
    {
        if (virtualAtoN.GetAtoNMmsi()->IsEnabled())
            list.append(virtualAtoN.GetAtoNMmsi());
    }
}

int Model::GetEnabledMMSICount()
{
    return int(GetEnabledMMSIs().size());
}

bool Model::IsMMSIInUse(const QString& mmsi) const
{
    for (const VirtualAtoNModel& virtualAtoN : virtualAtoNs)
    {
        if (virtualAtoN.GetAtoNMmsi()->GetMMSI() == mmsi)
            return true;
    }
    return false;
}
