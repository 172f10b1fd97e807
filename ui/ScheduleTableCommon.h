#pragma once

#include <QComboBox>
#include <QModelIndex>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVariant>

#include "model/ScheduleEntry.h"

class MessageSchedule;
class QAbstractItemModel;
class QModelIndex;
class QStyleOptionViewItem;
class QTableView;

// What the real AtoN's schedule table and the virtual AtoNs' schedule tables share: the nine columns,
// their texts, the slot/minute conversions of the interval, and the cell editors. Both tables read and
// write a MessageSchedule directly; these helpers work on one ScheduleEntry at a time.
//
// A table model answers headerData with HeaderData, data with MessageIdData / Message21IndexData and
// TimingData, flags with IsCellEditable, and setData with ApplyEdit. A delegate creates editors with
// CreateEditor and ConnectEditorChange (to its slot that emits commitData for the sender), fills them
// with SetEditorData, and in setModelData writes only what TakeEditorChange hands it.
namespace ScheduleTable
{

enum Column
{
    MessageIdColumn = 0,
    IndexColumn = 1,
    AccessSchemeColumn = 2,
    Channel1StartUtcColumn = 3,
    Channel1StartSlotColumn = 4,
    Channel1IntervalColumn = 5,
    Channel2StartUtcColumn = 6,
    Channel2StartSlotColumn = 7,
    Channel2IntervalColumn = 8,
    ColumnCount = 9
};

// The channel (1 or 2) a timing column belongs to; 0 for the other columns.
int ChannelOfColumn(int column);
bool IsStartUtcColumn(int column);
bool IsStartSlotColumn(int column);
bool IsIntervalColumn(int column);
// Columns 2 to 8: the ones the user may edit.
bool IsEditableColumn(int column);

// Translated horizontal header texts for sections 0 to 8 and the display role; empty otherwise.
QVariant HeaderData(int section, Qt::Orientation orientation, int role);

// Column 0 for messages 6, 8, 12, 14 and 21 (display: the number; tool tip: the number and the
// message's name); empty for any other id.
QVariant MessageIdData(int messageId, int role);
// Column 1 of a message 21 row: the normal report (first) or the off-position report.
QVariant Message21IndexData(bool normalReport, int role);
// "FATDMA", "RATDMA" or "CSTDMA"; empty for any other scheme.
QString SchemeText(int scheme);
// Columns 2 to 8 of an entry, for the display and tool-tip roles; empty for other columns and roles.
QVariant TimingData(const ScheduleEntry& entry, int column, int role);

// Flags of an editable cell of the entry: editable except for columns 0 and 1, and the start slots of
// an entry whose scheme is not FATDMA (only FATDMA uses start slots).
bool IsCellEditable(const ScheduleEntry& entry, int column);

// The interval as the user sees and edits it: minutes (integer, toward zero) for a time-based scheme,
// slots for FATDMA.
int IntervalInEditorUnits(const ScheduleEntry& entry, int channel);
// An interval typed in the editor units of `scheme`, in slots: minutes are multiplied by 2250 and held
// to one day; slots are taken as they are (the schedule holds every increment to 0 ... one day).
qint32 IntervalFromEditorUnits(int scheme, qint64 value);

// Applies one edited value to the entry (columns 2 to 8). The interval is read in the units of the
// scheme the entry has before this edit; changing the scheme does not convert the stored interval.
// False for any other column.
bool ApplyEdit(ScheduleEntry& entry, int column, const QVariant& value);

// Creates the editor of a column (null for columns 0, 1 and beyond 8), with its range, format and
// object name; the interval editors are built for the given scheme.
QWidget* CreateEditor(QWidget* parent, int column, int scheme);

// Fills an editor from the entry with the editor's signals blocked, so that filling is never taken for a
// user change (which would commit the value, mark the tab edited, and round a time-based interval to
// whole minutes). The filled value is remembered on the editor.
void SetEditorData(QWidget* editor, const ScheduleEntry& entry, int column);

// The value the editor holds now (typed text interpreted first): the scheme combo's item data, the time
// of a time editor, the value of a spin box. Invalid when the combo has no current item (an entry whose
// scheme the combo does not offer) or the editor is not one of ours.
QVariant EditorValue(QWidget* editor, int column);

// Takes the user's change from an editor: true, with the value to write, when the editor holds
// something other than what it was last filled with or last gave; false when nothing changed (an
// editor merely opened and closed) or there is no value (a combo without a current item).
bool TakeEditorChange(QWidget* editor, int column, QVariant& value);

// Sets up a schedule table view over its model: whole rows selected one at a time, every column
// stretched, no row numbers, no sorting, editing on a double click, a click on the selected cell or the
// edit key.
void SetUpView(QTableView* table, QAbstractItemModel* model);

// A table model's flags: the base flags, enabled for a valid index, and editable where IsCellEditable
// allows it; with onlyEnabledEntries, an entry that is not enabled is not edited.
Qt::ItemFlags CellFlags(Qt::ItemFlags base, const MessageSchedule& schedule, const QModelIndex& index,
                        bool onlyEnabledEntries);

// A table model's rowCount and columnCount: the visible entries and the nine columns; none under a
// valid parent (a table's items have no children).
int RowCount(const MessageSchedule& schedule, const QModelIndex& parent);
int ColumnCountUnder(const QModelIndex& parent);

// The list position shown in the index's row; false for an index outside the table (invalid, a row at
// or past the visible-entry count, a column past the last).
bool PositionOfIndex(const MessageSchedule& schedule, const QModelIndex& index, int& position);
// The entry shown in the index's row; false (entry untouched) for an index outside the table.
bool EntryOfIndex(const MessageSchedule& schedule, const QModelIndex& index, ScheduleEntry& entry);
// A table model's setData for the edit role: applies the value to the entry of the index's row and
// writes the entry back. False for another role, a column the user does not edit, or a row outside the
// table; the model announces the change itself.
bool WriteCell(MessageSchedule& schedule, const QModelIndex& index, const QVariant& value, int role);

// A delegate's setModelData: hands the model what the user changed in the editor (see TakeEditorChange);
// true when the model took a value.
bool CommitEditor(const MessageSchedule& schedule, QWidget* editor, QAbstractItemModel* model,
                  const QModelIndex& index);
// A delegate's updateEditorGeometry: the editor covers the cell.
void PlaceEditor(QWidget* editor, const QStyleOptionViewItem& option);

// Connects the editor's change signal to the receiver's slot, so that every change is committed at once.
template <class Receiver> void ConnectEditorChange(QWidget* editor, Receiver* receiver, void (Receiver::*onChange)())
{
    if (auto* combo = qobject_cast<QComboBox*>(editor))
    {
        QObject::connect(combo, &QComboBox::currentIndexChanged, receiver, onChange);
    }
    else if (auto* time = qobject_cast<QTimeEdit*>(editor))
    {
        QObject::connect(time, &QTimeEdit::timeChanged, receiver, onChange);
    }
    else if (auto* spin = qobject_cast<QSpinBox*>(editor))
    {
        QObject::connect(spin, &QSpinBox::valueChanged, receiver, onChange);
    }
}

// A delegate's createEditor: the column's editor, its interval unit that of the entry's scheme now (after
// a change of scheme the cell is opened again to get the other unit), every change connected to the
// delegate's commit slot. Null for an invalid index and for columns without an editor.
template <class Delegate>
QWidget* CreateConnectedEditor(const MessageSchedule& schedule, QWidget* parent, const QModelIndex& index,
                               Delegate* delegate, void (Delegate::*onChange)())
{
    if (!index.isValid())
    {
        return nullptr;
    }
    ScheduleEntry entry;
    EntryOfIndex(schedule, index, entry);
    QWidget* editor = CreateEditor(parent, index.column(), entry.mode);
    if (editor != nullptr)
    {
        ConnectEditorChange(editor, delegate, onChange);
    }
    return editor;
}

} // namespace ScheduleTable
