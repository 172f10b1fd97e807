#include "ui/MessageScheduleTableModel.h"

#include <QColor>
#include <new>

#include "model/AlertMessagesModel.h"
#include "model/MessageSchedule.h"
#include "ui/ScheduleTableCommon.h"

namespace
{

// Alert actions of the alert record: which message carries the alert.
constexpr int AlertByMessage12 = 1;
constexpr int AlertByMessage14 = 2;

} // namespace

MessageScheduleTableModel::MessageScheduleTableModel(MessageSchedule* schedule, AlertMessagesModel* alertMessages,
                                                     QObject* parent)
    : QAbstractTableModel(parent), schedule(schedule), alertMessages(alertMessages)
{
    if (schedule == nullptr || alertMessages == nullptr)
    {
        throw std::bad_alloc();
    }
}

int MessageScheduleTableModel::rowCount(const QModelIndex& parent) const
{
    return ScheduleTable::RowCount(*schedule, parent);
}

int MessageScheduleTableModel::columnCount(const QModelIndex& parent) const
{
    return ScheduleTable::ColumnCountUnder(parent);
}

bool MessageScheduleTableModel::PositionOf(const QModelIndex& index, int& position) const
{
    return ScheduleTable::PositionOfIndex(*schedule, index, position);
}

QVariant MessageScheduleTableModel::IndexData(int messageId, int index, int role) const
{
    const bool tip = role == Qt::ToolTipRole;
    if (messageId == 21)
    {
        return ScheduleTable::Message21IndexData(index == 1, role);
    }

    // Messages 12 and 14 carry the alerts: show whether the alert settings send this index.
    auto alert = [&](bool configured, const QString& okText, const QString& openText, const QString& selected,
                     const QString& text, const QString& notConfigured) -> QVariant
    {
        if (tip)
        {
            return configured ? selected.arg(text) : notConfigured;
        }
        return configured ? okText : openText;
    };

    if (messageId == 12 || messageId == 14)
    {
        const int action = messageId == 12 ? AlertByMessage12 : AlertByMessage14;
        if (index == 1)
        {
            return alert(alertMessages->GetBiitAction() == action, tr("1 (OK)"), tr("1 (?)"),
                         tr("BIIT Failure message selected:\n%1"), alertMessages->GetBiitText(),
                         tr("BIIT Failure message not configured"));
        }
        if (index == 2)
        {
            return alert(alertMessages->GetOffPositionAction() == action, tr("2 (OK)"), tr("2 (?)"),
                         tr("Off Position message selected:\n%1"), alertMessages->GetOffPositionText(),
                         tr("Off Position message not configured"));
        }
        if (index == 3 && messageId == 12)
        {
            // The vessel proximity alert is sent only as message 12.
            return alert(alertMessages->GetProximityAction() == AlertByMessage12, tr("3 (OK)"), tr("3 (?)"),
                         tr("Vessel Proximity message selected:\n%1"), alertMessages->GetProximityText(),
                         tr("Vessel Proximity message not configured"));
        }
    }
    return index;
}

QVariant MessageScheduleTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != Qt::ForegroundRole)
    {
        return {};
    }
    int position = 0;
    if (!PositionOf(index, position))
    {
        return {};
    }
    const ScheduleEntry entry = schedule->GetEntry(position);

    if (role == Qt::ForegroundRole)
    {
        return entry.enabled ? QColor(Qt::black) : QColor(Qt::gray);
    }

    switch (index.column())
    {
    case ScheduleTable::MessageIdColumn:
        return ScheduleTable::MessageIdData(entry.messageId, role);
    case ScheduleTable::IndexColumn:
    {
        int messageId = 0;
        int entryIndex = 0;
        if (!schedule->GetMessageAndIndex(position, messageId, entryIndex))
        {
            return {};
        }
        return IndexData(messageId, entryIndex, role);
    }
    default:
        return ScheduleTable::TimingData(entry, index.column(), role);
    }
}

bool MessageScheduleTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!ScheduleTable::WriteCell(*schedule, index, value, role))
    {
        return false;
    }
    Q_EMIT dataChanged(index, index);
    if (index.column() == ScheduleTable::AccessSchemeColumn)
    {
        // The scheme decides how the timing cells read (slots or minutes, start slots shown or not).
        Q_EMIT dataChanged(this->index(index.row(), ScheduleTable::Channel1StartUtcColumn),
                           this->index(index.row(), ScheduleTable::Channel2IntervalColumn));
    }
    return true;
}

QVariant MessageScheduleTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return ScheduleTable::HeaderData(section, orientation, role);
}

Qt::ItemFlags MessageScheduleTableModel::flags(const QModelIndex& index) const
{
    // Only an active entry is edited; an inactive message 21 report is activated from the tab first.
    return ScheduleTable::CellFlags(QAbstractTableModel::flags(index), *schedule, index, true);
}

void MessageScheduleTableModel::BeginInsertRows(int row)
{
    beginInsertRows(QModelIndex(), row, row);
}

void MessageScheduleTableModel::BeginInsertRows2(int first, int last)
{
    beginInsertRows(QModelIndex(), first, last);
}

void MessageScheduleTableModel::BeginRemoveRows(int row)
{
    beginRemoveRows(QModelIndex(), row, row);
}

void MessageScheduleTableModel::BeginRemoveRows2(int first, int last)
{
    beginRemoveRows(QModelIndex(), first, last);
}

void MessageScheduleTableModel::EndInsertRows()
{
    endInsertRows();
}

void MessageScheduleTableModel::EndRemoveRows()
{
    endRemoveRows();
}

void MessageScheduleTableModel::Reset()
{
    beginResetModel();
    endResetModel();
}

void MessageScheduleTableModel::RowChanged(int row)
{
    if (row < 0 || row >= rowCount())
    {
        return;
    }
    Q_EMIT dataChanged(index(row, 0), index(row, ScheduleTable::ColumnCount - 1));
}
