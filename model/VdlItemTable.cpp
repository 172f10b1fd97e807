#include "model/VdlItemTable.h"

VdlItemTable::VdlItemTable(QObject* parent) : QAbstractTableModel(parent) {}

int VdlItemTable::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RowCount();
}

int VdlItemTable::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount();
}

QVariant VdlItemTable::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    const std::optional<QString> cell = Item(index.row(), index.column());
    return cell ? QVariant(*cell) : QVariant();
}

QVariant VdlItemTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < headers.size())
        return headers.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags VdlItemTable::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void VdlItemTable::Clear()
{
    beginResetModel();
    rows.clear();
    headers.clear();
    columns = 0;
    endResetModel();
}

void VdlItemTable::GrowColumns(int wanted)
{
    if (wanted <= columns)
        return;
    beginInsertColumns(QModelIndex(), columns, wanted - 1);
    columns = wanted;
    endInsertColumns();
}

void VdlItemTable::SetHorizontalHeaders(const QStringList& newHeaders)
{
    GrowColumns(int(newHeaders.size()));
    headers = newHeaders;
    if (columns > 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, columns - 1);
}

void VdlItemTable::AppendRow(const QList<std::optional<QString>>& cells)
{
    GrowColumns(int(cells.size()));
    const int row = RowCount();
    beginInsertRows(QModelIndex(), row, row);
    rows.append(cells);
    endInsertRows();
}

void VdlItemTable::AppendRow(const QStringList& cells)
{
    QList<std::optional<QString>> row;
    row.reserve(cells.size());
    for (const QString& text : cells)
        row.append(text);
    AppendRow(row);
}

bool VdlItemTable::RemoveRow(int row)
{
    if (row < 0 || row >= RowCount())
        return false;
    beginRemoveRows(QModelIndex(), row, row);
    rows.removeAt(row);
    endRemoveRows();
    return true;
}

std::optional<QString> VdlItemTable::Item(int row, int column) const
{
    if (row < 0 || row >= rows.size() || column < 0 || column >= rows.at(row).size())
        return std::nullopt;
    return rows.at(row).at(column);
}

QString VdlItemTable::Text(int row, int column) const
{
    return Item(row, column).value_or(QString());
}
