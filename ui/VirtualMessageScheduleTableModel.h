#pragma once

#include <QAbstractTableModel>

class MessageSchedule;

// A virtual AtoN's message schedule as a nine-column table, one row per visible entry (normally its one
// message 21 report). It keeps no copy: every call reads or writes the schedule's entries, and an edit
// goes straight into the schedule. Rows are never added or removed here.
class VirtualMessageScheduleTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Over the schedule of a virtual AtoN record (not owned); null is refused with std::bad_alloc.
    explicit VirtualMessageScheduleTableModel(MessageSchedule* schedule, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Views read everything again (after the schedule's entries were replaced by a load).
    void Reset();

private:
    MessageSchedule* schedule;
};
