#include "ui/VirtualMessageScheduleDelegate.h"

#include <new>

#include "model/MessageSchedule.h"
#include "ui/ScheduleTableCommon.h"

VirtualMessageScheduleDelegate::VirtualMessageScheduleDelegate(MessageSchedule* schedule, QObject* parent)
    : QItemDelegate(parent), schedule(schedule)
{
    if (schedule == nullptr)
    {
        throw std::bad_alloc();
    }
}

QWidget* VirtualMessageScheduleDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                                      const QModelIndex& index) const
{
    Q_UNUSED(option);
    return ScheduleTable::CreateConnectedEditor(*schedule, parent, index,
                                                const_cast<VirtualMessageScheduleDelegate*>(this),
                                                &VirtualMessageScheduleDelegate::saveDataOnWidgetEdit);
}

void VirtualMessageScheduleDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    ScheduleEntry entry;
    if (ScheduleTable::EntryOfIndex(*schedule, index, entry))
    {
        ScheduleTable::SetEditorData(editor, entry, index.column());
    }
}

void VirtualMessageScheduleDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                                  const QModelIndex& index) const
{
    if (ScheduleTable::CommitEditor(*schedule, editor, model, index))
    {
        Q_EMIT const_cast<VirtualMessageScheduleDelegate*>(this)->DelegateEdited();
    }
}

void VirtualMessageScheduleDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                          const QModelIndex& index) const
{
    Q_UNUSED(index);
    ScheduleTable::PlaceEditor(editor, option);
}

void VirtualMessageScheduleDelegate::saveDataOnWidgetEdit()
{
    Q_EMIT commitData(qobject_cast<QWidget*>(sender()));
}
