#include "model/VdlModel.h"

#include <QCoreApplication>

#include "model/FieldText.h"
#include "model/ModelNotifier.h"

namespace
{
const QString SectionTag = QStringLiteral("VDL");
}

VdlModel::VdlModel(QObject* parent)
    : ModelObject(parent, SectionVersion), chainingMmsis(new VdlItemTable(nullptr)),
      scheduleTable(new VdlItemTable(this)), messageSchedule(std::make_unique<MessageSchedule>(false, true, nullptr))
{
    firstMmsi.SetIndex(2);
    firstMmsi.SetEnabled(false);
    secondMmsi.SetIndex(3);
    secondMmsi.SetEnabled(true);
    SetupTableHeaders(scheduleTable);
}

VdlModel::~VdlModel()
{
    delete chainingMmsis;
}

VdlModel& VdlModel::operator=(const VdlModel& other)
{
    if (this == &other)
        return *this;
    useVdl = other.useVdl;
    sendDelay = other.sendDelay;
    responseTimeout = other.responseTimeout;
    furtherText1 = other.furtherText1;
    furtherText2 = other.furtherText2;
    targetMMSI = other.targetMMSI;
    firstMmsi = other.firstMmsi;
    secondMmsi = other.secondMmsi;
    afbValues = other.afbValues;
    CopyItemModel(scheduleTable, other.scheduleTable);
    SetupTableHeaders(scheduleTable);
    *messageSchedule = *other.messageSchedule;
    receiverMode = other.receiverMode;
    receiverHour = other.receiverHour;
    receiverMinute = other.receiverMinute;
    receiverInterval = other.receiverInterval;
    receiverDuration = other.receiverDuration;
    chainingMmsis->Clear();
    for (int row = 0; row < other.chainingMmsis->RowCount(); ++row)
        chainingMmsis->AppendRow(QList<std::optional<QString>>{other.chainingMmsis->Item(row, 0)});
    return *this;
}

void VdlModel::CopyAll(const VdlModel& other)
{
    if (this == &other)
        return;
    *this = other;
    ModelObject::operator=(other);
    // The snapshot keeps the broadcast table exactly as it was, headers or not.
    CopyItemModel(scheduleTable, other.scheduleTable);
    scheduleTable->SetHorizontalHeaders(other.scheduleTable->HorizontalHeaders());
    removedMmsis.clear();
    for (const auto& removed : other.removedMmsis)
        removedMmsis.push_back(std::make_unique<AtoNMMSI>(*removed));
}

void VdlModel::Clear()
{
    useVdl = false;
    firstMmsi.Clear();
    firstMmsi.SetIndex(2);
    firstMmsi.SetEnabled(false);
    chainingMmsis->Clear();
    secondMmsi.Clear();
    secondMmsi.SetIndex(3);
    afbValues.fill(0);
    scheduleTable->Clear();
    receiverMode = 0;
    receiverHour = 0;
    receiverMinute = 0;
    receiverInterval = 0;
    receiverDuration = 0;
}

void VdlModel::Save(QDataStream& stream)
{
    stream << SectionTag;
    stream << SectionVersion;
    stream << receiverMode << receiverMinute << receiverHour << receiverInterval << receiverDuration;
}

void VdlModel::Load(QDataStream& stream)
{
    Clear();
    // Whatever the file held, this record now holds (and will save) the version-2 layout.
    version = SectionVersion;

    // A file written before the section existed simply ends here: report it, and leave the stream
    // good, since everything before the section was read.
    if (stream.atEnd())
    {
        ModelNotifier::Notify(QCoreApplication::translate("VdlModel", "VDL info not found in file"));
        return;
    }
    QString tag;
    FieldText::Read(stream, tag);
    if (stream.status() != QDataStream::Ok || tag != SectionTag)
    {
        ModelNotifier::Notify(QCoreApplication::translate("VdlModel", "VDL info not found in file"));
        return;
    }
    qint32 stored = 0;
    stream >> stored;
    if (stream.status() != QDataStream::Ok)
        return;
    if (stored > SectionVersion)
    {
        ModelNotifier::Notify(
            QCoreApplication::translate("VdlModel", "VDL info is from a newer version - it will be ignored"));
        return;
    }
    if (stored < SectionVersion)
        ModelNotifier::Notify(QCoreApplication::translate("VdlModel", "VDL info is from an old version"));

    qint32 mode = 0, minute = 0, hour = 0, interval = 0, duration = 0;
    stream >> mode >> minute >> hour >> interval >> duration;
    if (stream.status() != QDataStream::Ok)
        return;
    receiverMode = mode;
    receiverMinute = ReceiverMinuteRange.Nearest(minute);
    receiverHour = ReceiverHourRange.Nearest(hour);
    receiverInterval = ReceiverIntervalRange.Nearest(interval);
    receiverDuration = ReceiverDurationRange.Nearest(duration);
}

void VdlModel::CopyItemModel(VdlItemTable* destination, const VdlItemTable* source)
{
    if (!destination || !source || destination == source)
        return;
    destination->Clear();
    const int columns = source->ColumnCount();
    for (int row = 0; row < source->RowCount(); ++row)
    {
        QStringList cells;
        for (int column = 0; column < columns; ++column)
            cells.append(source->Item(row, column).value_or(QStringLiteral("oops!")));
        destination->AppendRow(cells);
    }
}

void VdlModel::SetupTableHeaders(VdlItemTable* table)
{
    if (!table)
        return;
    table->SetHorizontalHeaders({QStringLiteral("Message Id"), QStringLiteral("Message Index"),
                                 QStringLiteral("UTC Hour"), QStringLiteral("UTC Minute"), QStringLiteral("Slot"),
                                 QStringLiteral("Channel")});
}

void VdlModel::AddMmsi(const QString& mmsi)
{
    if (!ContainsMmsi(mmsi))
        chainingMmsis->AppendRow(QStringList{mmsi});
}

void VdlModel::AddMmsiOf(const AtoNMMSI* record)
{
    if (record)
        AddMmsi(record->GetMMSI());
}

bool VdlModel::ContainsMmsi(const QString& mmsi) const
{
    for (int row = 0; row < chainingMmsis->RowCount(); ++row)
    {
        if (chainingMmsis->Item(row, 0) == mmsi)
            return true;
    }
    return false;
}

std::unique_ptr<AtoNMMSI> VdlModel::GetMmsiAt(int row) const
{
    auto record = std::make_unique<AtoNMMSI>();
    if (row < 0 || row >= chainingMmsis->RowCount())
        return record;
    record->SetMMSI(chainingMmsis->Text(row, 0));
    record->SetIndex(3);
    record->SetEnabled(true);
    return record;
}

bool VdlModel::AppendMmsiFromRow(int row)
{
    if (row < 0 || row >= chainingMmsis->RowCount())
        return false;
    auto record = std::make_unique<AtoNMMSI>();
    record->SetMMSI(chainingMmsis->Text(row, 0));
    record->SetIndex(3);
    record->SetEnabled(false);
    removedMmsis.push_back(std::move(record));
    chainingMmsis->RemoveRow(row);
    return true;
}

std::unique_ptr<AtoNMMSI> VdlModel::TakeMmsiAt(int i)
{
    if (i < 0 || i >= GetMmsiCount())
        return std::make_unique<AtoNMMSI>();
    std::unique_ptr<AtoNMMSI> taken = std::move(removedMmsis[size_t(i)]);
    removedMmsis.erase(removedMmsis.begin() + i);
    return taken;
}

void VdlModel::AddTableRow(int id, int index, int hour, int minute, int slot, int channel)
{
    scheduleTable->AppendRow(QStringList{QString::number(id), QString::number(index), QString::number(hour),
                                         QString::number(minute), QString::number(slot), QString::number(channel)});
}

void VdlModel::MoveRemovedMmsisTo(VdlModel& target)
{
    if (&target == this)
        return;
    for (auto& removed : removedMmsis)
        target.removedMmsis.push_back(std::move(removed));
    removedMmsis.clear();
}
