#pragma once

#include <QItemDelegate>

#include "model/ScheduleEntry.h"

class MessageSchedule;

// Cell editors of the message schedule table. Every change the user makes in an open editor is written
// into the schedule at once (not only when the editor closes) and reported with DelegateEdited(), which
// marks the tab edited.
class MessageScheduleDelegate : public QItemDelegate
{
    Q_OBJECT

public:
    // A null schedule is refused with std::bad_alloc.
    explicit MessageScheduleDelegate(MessageSchedule* schedule, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

Q_SIGNALS:
    void DelegateEdited();

public Q_SLOTS:
    void cleanupEditor();
    void saveDataOnWidgetEdit();

private:
    MessageSchedule* schedule;
};
