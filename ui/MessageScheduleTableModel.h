#pragma once

#include <QAbstractTableModel>

class AlertMessagesModel;
class MessageSchedule;

// The real AtoN's message schedule as a nine-column table: row 0 the normal message 21 report, row 1 the
// off-position report (both always shown), then the enabled messages 6, 8, 12 and 14. It keeps no copy:
// every call reads or writes the schedule's entries. Rows of messages 12 and 14 also tell whether the
// alert settings use them.
//
// The tab that owns the table changes the schedule's rows itself (add, remove, activate) and announces
// those changes through the row-notification operations below.
class MessageScheduleTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Over a schedule and the alert record of the same configuration. Null pointers are refused with
    // std::bad_alloc.
    MessageScheduleTableModel(MessageSchedule* schedule, AlertMessagesModel* alertMessages, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Row notifications for changes the tab makes to the schedule.
    void BeginInsertRows(int row);
    void BeginInsertRows2(int first, int last);
    void BeginRemoveRows(int row);
    void BeginRemoveRows2(int first, int last);
    void EndInsertRows();
    void EndRemoveRows();
    void Reset();
    void RowChanged(int row);

private:
    // The list position shown in a row; false for a row outside the table.
    bool PositionOf(const QModelIndex& index, int& position) const;
    QVariant IndexData(int messageId, int index, int role) const;

    MessageSchedule* schedule;
    AlertMessagesModel* alertMessages;
};
