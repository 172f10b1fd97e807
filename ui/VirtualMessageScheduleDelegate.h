#pragma once

#include <QItemDelegate>

class MessageSchedule;

// Cell editors of a virtual AtoN's schedule table. Every change the user makes in an open editor is
// written into the schedule at once and reported with DelegateEdited(), which marks the page edited.
class VirtualMessageScheduleDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    // Over the schedule the table shows (not owned); null is refused with std::bad_alloc.
    explicit VirtualMessageScheduleDelegate(MessageSchedule* schedule, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

Q_SIGNALS:
    void DelegateEdited();

public Q_SLOTS:
    void saveDataOnWidgetEdit();

private:
    MessageSchedule* schedule;
};
