#include "ui/VirtualMessageScheduleTableModel.h"

#include <new>

#include "model/MessageSchedule.h"
#include "ui/ScheduleTableCommon.h"

VirtualMessageScheduleTableModel::VirtualMessageScheduleTableModel(MessageSchedule* schedule, QObject* parent)
    : QAbstractTableModel(parent), schedule(schedule)
{
    if (schedule == nullptr)
    {
        throw std::bad_alloc();
    }
}

int VirtualMessageScheduleTableModel::rowCount(const QModelIndex& parent) const
{
    return ScheduleTable::RowCount(*schedule, parent);
}

int VirtualMessageScheduleTableModel::columnCount(const QModelIndex& parent) const
{
    return ScheduleTable::ColumnCountUnder(parent);
}

QVariant VirtualMessageScheduleTableModel::data(const QModelIndex& index, int role) const
{
    int position = 0;
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) ||
        !ScheduleTable::PositionOfIndex(*schedule, index, position))
    {
        return {};
    }
    const ScheduleEntry entry = schedule->GetEntry(position);
    switch (index.column())
    {
    case ScheduleTable::MessageIdColumn:
        // A virtual AtoN sends its report and binary messages 6 and 8; the alert messages are the real
        // AtoN's.
        if (entry.messageId != 6 && entry.messageId != 8 && entry.messageId != 21)
        {
            return {};
        }
        return ScheduleTable::MessageIdData(entry.messageId, role);
    case ScheduleTable::IndexColumn:
    {
        int messageId = 0;
        int number = 0;
        if (!schedule->GetMessageAndIndex(position, messageId, number))
        {
            return {};
        }
        if (messageId == 21)
        {
            return ScheduleTable::Message21IndexData(number == 1, role);
        }
        return number;
    }
    default:
        return ScheduleTable::TimingData(entry, index.column(), role);
    }
}

bool VirtualMessageScheduleTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!ScheduleTable::WriteCell(*schedule, index, value, role))
    {
        return false;
    }
    if (index.column() == ScheduleTable::AccessSchemeColumn)
    {
        // The scheme decides how the row's timing cells read (slots or minutes, start slots shown or not)
        // and whether the start slots can be edited: the whole row changes.
        Q_EMIT dataChanged(this->index(index.row(), 0), this->index(index.row(), ScheduleTable::ColumnCount - 1));
    }
    else
    {
        Q_EMIT dataChanged(index, index);
    }
    return true;
}

QVariant VirtualMessageScheduleTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return ScheduleTable::HeaderData(section, orientation, role);
}

Qt::ItemFlags VirtualMessageScheduleTableModel::flags(const QModelIndex& index) const
{
    // Unlike the real AtoN's table, an entry is edited whether or not it is enabled: the page's Enable
    // decides whether the AtoN exists at all.
    return ScheduleTable::CellFlags(QAbstractTableModel::flags(index), *schedule, index, false);
}

void VirtualMessageScheduleTableModel::Reset()
{
    beginResetModel();
    endResetModel();
}
