#include "ui/MessageScheduleDelegate.h"

#include <new>

#include "model/MessageSchedule.h"
#include "ui/ScheduleTableCommon.h"

MessageScheduleDelegate::MessageScheduleDelegate(MessageSchedule* schedule, QObject* parent)
    : QItemDelegate(parent), schedule(schedule)
{
    if (schedule == nullptr)
    {
        throw std::bad_alloc();
    }
}

bool MessageScheduleDelegate::EntryOf(const QModelIndex& index, ScheduleEntry& entry) const
{
    int position = 0;
    if (!index.isValid() || index.row() >= schedule->CountVisibleEntries() ||
        index.column() >= ScheduleTable::ColumnCount || !schedule->PositionOfRow(index.row(), position))
    {
        return false;
    }
    entry = schedule->GetEntry(position);
    return true;
}

QWidget* MessageScheduleDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                               const QModelIndex& index) const
{
    Q_UNUSED(option);
    if (!index.isValid())
    {
        return nullptr;
    }
    // The interval editor works in the units of the scheme the entry has now; after a change of scheme
    // the cell is opened again to get the other unit.
    ScheduleEntry entry;
    EntryOf(index, entry);
    QWidget* editor = ScheduleTable::CreateEditor(parent, index.column(), entry.mode);
    if (editor != nullptr)
    {
        ScheduleTable::ConnectEditorChange(editor, const_cast<MessageScheduleDelegate*>(this),
                                           &MessageScheduleDelegate::saveDataOnWidgetEdit);
    }
    return editor;
}

void MessageScheduleDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    ScheduleEntry entry;
    if (!EntryOf(index, entry))
    {
        return;
    }
    ScheduleTable::SetEditorData(editor, entry, index.column());
}

void MessageScheduleDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (!index.isValid() || model == nullptr)
    {
        return;
    }
    ScheduleEntry entry;
    if (!EntryOf(index, entry) || !ScheduleTable::IsEditableColumn(index.column()))
    {
        return;
    }
    // Only what the user changed is written: an editor that was merely opened and closed again leaves
    // the schedule (and the tab's edited mark) alone, and a combo without a current item (a scheme it
    // does not offer) writes nothing.
    QVariant value;
    if (!ScheduleTable::TakeEditorChange(editor, index.column(), value) || !model->setData(index, value, Qt::EditRole))
    {
        return;
    }
    Q_EMIT const_cast<MessageScheduleDelegate*>(this)->DelegateEdited();
}

void MessageScheduleDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                   const QModelIndex& index) const
{
    Q_UNUSED(index);
    if (editor != nullptr)
    {
        editor->setGeometry(option.rect);
    }
}

void MessageScheduleDelegate::cleanupEditor() {}

void MessageScheduleDelegate::saveDataOnWidgetEdit()
{
    Q_EMIT commitData(qobject_cast<QWidget*>(sender()));
}
