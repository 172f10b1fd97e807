#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <optional>

// A small table of read-only texts for the VDL chaining record: the list of chained MMSIs (one column)
// and the broadcast schedule table (six columns). It lives in the core, which has no Qt Gui, and any
// item view can show it. Like an item model whose cells are filled one by one, a row may hold fewer
// cells than the table has columns; a missing cell reads as "no item".
class VdlItemTable : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit VdlItemTable(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Removes every row and every header (the table then has no columns).
    void Clear();
    void SetHorizontalHeaders(const QStringList& headers);
    QStringList HorizontalHeaders() const { return headers; }
    void AppendRow(const QList<std::optional<QString>>& cells);
    void AppendRow(const QStringList& cells);
    bool RemoveRow(int row);

    // The cell's text, or nothing when the row or cell does not exist.
    std::optional<QString> Item(int row, int column) const;
    // The text of the cell, empty when there is none.
    QString Text(int row, int column) const;
    int RowCount() const { return int(rows.size()); }
    int ColumnCount() const { return columns; }

private:
    void GrowColumns(int wanted);

    QList<QList<std::optional<QString>>> rows;
    QStringList headers;
    int columns = 0;
};
