#include "ui/ScheduleTableCommon.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QStyleOptionViewItem>
#include <QTableView>

#include "model/MessageSchedule.h"

namespace ScheduleTable
{

namespace
{

// Remembers on an editor the value it was last filled with.
const char* const FilledValueProperty = "scheduleFilledValue";

constexpr int StartSlotMinimum = -1;
constexpr int StartSlotMaximum = 2249;
constexpr int MinutesPerDay = 24 * 60;

const char* const EditorNames[ColumnCount] = {
    nullptr,
    nullptr,
    "AccessScheme",
    "Channel1StartUTC",
    "Channel1StartSlot",
    "Channel1Interval",
    "Channel2StartUTC",
    "Channel2StartSlot",
    "Channel2Interval",
};

} // namespace

int ChannelOfColumn(int column)
{
    if (column >= Channel1StartUtcColumn && column <= Channel1IntervalColumn)
    {
        return 1;
    }
    if (column >= Channel2StartUtcColumn && column <= Channel2IntervalColumn)
    {
        return 2;
    }
    return 0;
}

bool IsStartUtcColumn(int column)
{
    return column == Channel1StartUtcColumn || column == Channel2StartUtcColumn;
}

bool IsStartSlotColumn(int column)
{
    return column == Channel1StartSlotColumn || column == Channel2StartSlotColumn;
}

bool IsIntervalColumn(int column)
{
    return column == Channel1IntervalColumn || column == Channel2IntervalColumn;
}

bool IsEditableColumn(int column)
{
    return column >= AccessSchemeColumn && column < ColumnCount;
}

QVariant HeaderData(int section, Qt::Orientation orientation, int role)
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    {
        return {};
    }
    switch (section)
    {
    case MessageIdColumn:
        return QCoreApplication::translate("ScheduleTable", "Message\nID");
    case IndexColumn:
        return QCoreApplication::translate("ScheduleTable", "Index");
    case AccessSchemeColumn:
        return QCoreApplication::translate("ScheduleTable", "Access\nScheme");
    case Channel1StartUtcColumn:
        return QCoreApplication::translate("ScheduleTable", "Channel 1\nStart UTC");
    case Channel1StartSlotColumn:
        return QCoreApplication::translate("ScheduleTable", "Channel 1\nStart Slot");
    case Channel1IntervalColumn:
        return QCoreApplication::translate("ScheduleTable", "Channel 1\nInterval");
    case Channel2StartUtcColumn:
        return QCoreApplication::translate("ScheduleTable", "Channel 2\nStart UTC");
    case Channel2StartSlotColumn:
        return QCoreApplication::translate("ScheduleTable", "Channel 2\nStart Slot");
    case Channel2IntervalColumn:
        return QCoreApplication::translate("ScheduleTable", "Channel 2\nInterval");
    default:
        return {};
    }
}

QVariant MessageIdData(int messageId, int role)
{
    const bool tip = role == Qt::ToolTipRole;
    switch (messageId)
    {
    case 6:
        return tip ? QCoreApplication::translate("ScheduleTable", "6 ( Binary Addressed Message )")
                   : QCoreApplication::translate("ScheduleTable", "6");
    case 8:
        return tip ? QCoreApplication::translate("ScheduleTable", "8 ( Binary Broadcast Message )")
                   : QCoreApplication::translate("ScheduleTable", "8");
    case 12:
        return tip ? QCoreApplication::translate("ScheduleTable", "12 ( Binary Broadcast Message )")
                   : QCoreApplication::translate("ScheduleTable", "12");
    case 14:
        return tip ? QCoreApplication::translate("ScheduleTable", "14 ( Binary Broadcast Message )")
                   : QCoreApplication::translate("ScheduleTable", "14");
    case 21:
        return tip ? QCoreApplication::translate("ScheduleTable", "21 ( AtoN Report )")
                   : QCoreApplication::translate("ScheduleTable", "21");
    default:
        return {};
    }
}

QVariant Message21IndexData(bool normalReport, int role)
{
    const bool tip = role == Qt::ToolTipRole;
    if (normalReport)
    {
        return tip ? QCoreApplication::translate("ScheduleTable", "1 ( Normal Report )")
                   : QCoreApplication::translate("ScheduleTable", "1");
    }
    return tip ? QCoreApplication::translate("ScheduleTable", "2 ( Off-position Report )")
               : QCoreApplication::translate("ScheduleTable", "2");
}

QString SchemeText(int scheme)
{
    switch (scheme)
    {
    case ScheduleEntry::FATDMA:
        return QCoreApplication::translate("ScheduleTable", "FATDMA");
    case ScheduleEntry::RATDMA:
        return QCoreApplication::translate("ScheduleTable", "RATDMA");
    case ScheduleEntry::CSTDMA:
        return QCoreApplication::translate("ScheduleTable", "CSTDMA");
    default:
        return {};
    }
}

QVariant TimingData(const ScheduleEntry& entry, int column, int role)
{
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
    {
        return {};
    }
    const bool tip = role == Qt::ToolTipRole;
    const bool fatdma = entry.mode == ScheduleEntry::FATDMA;

    if (column == AccessSchemeColumn)
    {
        const QString text = SchemeText(entry.mode);
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    const int channel = ChannelOfColumn(column);
    if (channel == 0)
    {
        return {};
    }
    const ScheduleBlock& block = entry.Block(channel);

    if (IsStartUtcColumn(column))
    {
        return block.startTime.toString(QStringLiteral("hh:mm"));
    }
    if (IsStartSlotColumn(column))
    {
        if (fatdma)
        {
            return block.startSlot;
        }
        return tip ? QCoreApplication::translate("ScheduleTable",
                                                 "Start slots only valid if the Access Scheme is FATDMA")
                   : QString();
    }
    // Interval: slots for FATDMA, whole minutes for the time-based schemes.
    if (fatdma)
    {
        return QString::number(block.increment) + QCoreApplication::translate("ScheduleTable", " Slots");
    }
    const int minutes = block.increment / ScheduleEntry::SlotsPerMinute;
    if (tip && minutes == 0)
    {
        return QCoreApplication::translate("ScheduleTable",
                                           "Interval is 0 minutes, therefore this channel is deactivated");
    }
    return QString::number(minutes) + QCoreApplication::translate("ScheduleTable", " Minutes");
}

bool IsCellEditable(const ScheduleEntry& entry, int column)
{
    if (!IsEditableColumn(column))
    {
        return false;
    }
    return !(IsStartSlotColumn(column) && entry.mode != ScheduleEntry::FATDMA);
}

int IntervalInEditorUnits(const ScheduleEntry& entry, int channel)
{
    const qint32 increment = entry.Block(channel).increment;
    return entry.mode == ScheduleEntry::FATDMA ? increment : increment / ScheduleEntry::SlotsPerMinute;
}

qint32 IntervalFromEditorUnits(int scheme, qint64 value)
{
    if (scheme == ScheduleEntry::FATDMA)
    {
        return qint32(qBound(qint64(0), value, qint64(ScheduleEntry::MaxIncrement)));
    }
    // Computed wide: a value from outside the editor must not overflow before it is held to one day.
    return qint32(qBound(qint64(0), value * ScheduleEntry::SlotsPerMinute, qint64(ScheduleEntry::MaxIncrement)));
}

bool ApplyEdit(ScheduleEntry& entry, int column, const QVariant& value)
{
    if (column == AccessSchemeColumn)
    {
        entry.mode = value.toInt();
        return true;
    }
    const int channel = ChannelOfColumn(column);
    if (channel == 0)
    {
        return false;
    }
    ScheduleBlock& block = entry.Block(channel);
    if (IsStartUtcColumn(column))
    {
        // A block the unit reported without a start time is sent and saved as "no time" (24:00) for as
        // long as its no-time flag stands: a time the user sets must replace it, or the unit never gets it.
        block.startTime = value.toTime();
        block.noTime = !block.startTime.isValid();
    }
    else if (IsStartSlotColumn(column))
    {
        block.startSlot = value.toInt();
    }
    else
    {
        block.increment = IntervalFromEditorUnits(entry.mode, value.toLongLong());
    }
    return true;
}

QWidget* CreateEditor(QWidget* parent, int column, int scheme)
{
    if (!IsEditableColumn(column))
    {
        return nullptr;
    }
    QWidget* editor = nullptr;
    if (column == AccessSchemeColumn)
    {
        // CSTDMA is shown but not offered: the unit is only configured for FATDMA or RATDMA.
        auto* combo = new QComboBox(parent);
        combo->addItem(QCoreApplication::translate("ScheduleTable", "FATDMA"), int(ScheduleEntry::FATDMA));
        combo->addItem(QCoreApplication::translate("ScheduleTable", "RATDMA"), int(ScheduleEntry::RATDMA));
        editor = combo;
    }
    else if (IsStartUtcColumn(column))
    {
        auto* time = new QTimeEdit(parent);
        time->setDisplayFormat(QStringLiteral("hh:mm"));
        editor = time;
    }
    else if (IsStartSlotColumn(column))
    {
        auto* spin = new QSpinBox(parent);
        spin->setRange(StartSlotMinimum, StartSlotMaximum);
        editor = spin;
    }
    else
    {
        auto* spin = new QSpinBox(parent);
        if (scheme != ScheduleEntry::FATDMA)
        {
            spin->setRange(0, MinutesPerDay);
            spin->setSuffix(QCoreApplication::translate("ScheduleTable", " mins"));
        }
        else
        {
            spin->setRange(0, ScheduleEntry::MaxIncrement);
            spin->setSuffix(QCoreApplication::translate("ScheduleTable", " slots"));
        }
        editor = spin;
    }
    editor->setObjectName(QLatin1String(EditorNames[column]));
    return editor;
}

void SetEditorData(QWidget* editor, const ScheduleEntry& entry, int column)
{
    if (editor == nullptr)
    {
        return;
    }
    const QSignalBlocker blocker(editor);
    const int channel = ChannelOfColumn(column);
    if (auto* combo = qobject_cast<QComboBox*>(editor); combo && column == AccessSchemeColumn)
    {
        // An entry whose scheme the combo does not offer (CSTDMA) selects no item.
        combo->setCurrentIndex(combo->findData(entry.mode, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive));
    }
    else if (auto* time = qobject_cast<QTimeEdit*>(editor); time && IsStartUtcColumn(column))
    {
        time->setTime(entry.Block(channel).startTime);
    }
    else if (auto* spin = qobject_cast<QSpinBox*>(editor); spin && IsStartSlotColumn(column))
    {
        spin->setValue(entry.Block(channel).startSlot);
    }
    else if (spin && IsIntervalColumn(column))
    {
        spin->setValue(IntervalInEditorUnits(entry, channel));
    }
    editor->setProperty(FilledValueProperty, EditorValue(editor, column));
}

QVariant EditorValue(QWidget* editor, int column)
{
    if (auto* combo = qobject_cast<QComboBox*>(editor); combo && column == AccessSchemeColumn)
    {
        return combo->currentIndex() < 0 ? QVariant() : combo->currentData();
    }
    if (auto* time = qobject_cast<QTimeEdit*>(editor); time && IsStartUtcColumn(column))
    {
        time->interpretText();
        return time->time();
    }
    if (auto* spin = qobject_cast<QSpinBox*>(editor); spin && (IsStartSlotColumn(column) || IsIntervalColumn(column)))
    {
        spin->interpretText();
        return spin->value();
    }
    return {};
}

bool TakeEditorChange(QWidget* editor, int column, QVariant& value)
{
    if (editor == nullptr)
    {
        return false;
    }
    const QVariant now = EditorValue(editor, column);
    if (!now.isValid() || now == editor->property(FilledValueProperty))
    {
        return false;
    }
    editor->setProperty(FilledValueProperty, now);
    value = now;
    return true;
}

void SetUpView(QTableView* table, QAbstractItemModel* model)
{
    table->setModel(model);
    table->setSortingEnabled(false);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->horizontalHeader()->setStretchLastSection(false);
    table->horizontalHeader()->setHighlightSections(false);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                           QAbstractItemView::EditKeyPressed);
}

Qt::ItemFlags CellFlags(Qt::ItemFlags base, const MessageSchedule& schedule, const QModelIndex& index,
                        bool onlyEnabledEntries)
{
    if (!index.isValid())
    {
        return base;
    }
    base |= Qt::ItemIsEnabled;
    ScheduleEntry entry;
    if (EntryOfIndex(schedule, index, entry) && (entry.enabled || !onlyEnabledEntries) &&
        IsCellEditable(entry, index.column()))
    {
        base |= Qt::ItemIsEditable;
    }
    return base;
}

int RowCount(const MessageSchedule& schedule, const QModelIndex& parent)
{
    return parent.isValid() ? 0 : schedule.CountVisibleEntries();
}

int ColumnCountUnder(const QModelIndex& parent)
{
    return parent.isValid() ? 0 : int(ColumnCount);
}

bool PositionOfIndex(const MessageSchedule& schedule, const QModelIndex& index, int& position)
{
    if (!index.isValid() || index.row() >= schedule.CountVisibleEntries() || index.column() >= ColumnCount)
    {
        return false;
    }
    return schedule.PositionOfRow(index.row(), position);
}

bool EntryOfIndex(const MessageSchedule& schedule, const QModelIndex& index, ScheduleEntry& entry)
{
    int position = 0;
    if (!PositionOfIndex(schedule, index, position))
    {
        return false;
    }
    entry = schedule.GetEntry(position);
    return true;
}

bool WriteCell(MessageSchedule& schedule, const QModelIndex& index, const QVariant& value, int role)
{
    int position = 0;
    if (role != Qt::EditRole || !IsEditableColumn(index.column()) || !PositionOfIndex(schedule, index, position))
    {
        return false;
    }
    ScheduleEntry entry = schedule.GetEntry(position);
    return ApplyEdit(entry, index.column(), value) && schedule.SetEntry(position, entry);
}

bool CommitEditor(const MessageSchedule& schedule, QWidget* editor, QAbstractItemModel* model, const QModelIndex& index)
{
    ScheduleEntry entry;
    if (model == nullptr || !IsEditableColumn(index.column()) || !EntryOfIndex(schedule, index, entry))
    {
        return false;
    }
    // Only what the user changed is written: an editor that was merely opened and closed again leaves
    // the schedule (and the edited mark) alone, and a time-based interval that is no whole number of
    // minutes is not rounded by looking at it; a combo without a current item (a scheme it does not
    // offer) writes nothing.
    QVariant value;
    return TakeEditorChange(editor, index.column(), value) && model->setData(index, value, Qt::EditRole);
}

void PlaceEditor(QWidget* editor, const QStyleOptionViewItem& option)
{
    if (editor != nullptr)
    {
        editor->setGeometry(option.rect);
    }
}

} // namespace ScheduleTable
