#include "ui/MessageScheduleTab.h"

#include <QHeaderView>
#include <new>

#include "model/Model.h"
#include "ui/MessageScheduleDelegate.h"
#include "ui/MessageScheduleTableModel.h"
#include "ui/ScheduleTableCommon.h"
#include "ui_MessageScheduleTab.h"

namespace
{

// Position of the off-position report (message 21 index 2) in the real AtoN's schedule; it is always
// shown in the same table row.
constexpr int OffPositionReport = 1;

// Combo code of message 6 index 1: the status input tab depends on it.
constexpr int Message6Code = 6;

} // namespace

MessageScheduleTab::MessageScheduleTab(Model* model, QWidget* parent)
    : AtoNConfiguration(model, parent), ui(std::make_unique<Ui::MessageScheduleTab>())
{
    ui->setupUi(this);

    updating = true;
    FillMessageCombo();
    updating = false;

    MessageSchedule* schedule = Schedule();
    // The alert record is read to show which message 12 and 14 indices the alert settings use.
    tableModel = new MessageScheduleTableModel(schedule, model->GetAlertMessages(), this);
    delegate = new MessageScheduleDelegate(schedule, this);

    QTableView* table = ui->tableSchedules;
    ScheduleTable::SetUpView(table, tableModel);
    connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &MessageScheduleTab::OnSelected);

    table->setItemDelegate(delegate);
    connect(delegate, &MessageScheduleDelegate::DelegateEdited, this, &MessageScheduleTab::OnDelegateEdited);

    updating = true;
    ReloadTable();
    UpdateAddButton();
    updating = false;
    UpdateAddButton();
    UpdateActionButton();
}

MessageScheduleTab::~MessageScheduleTab() = default;

MessageSchedule* MessageScheduleTab::Schedule() const
{
    MessageSchedule* schedule = model->GetMessageSchedule();
    if (schedule == nullptr)
    {
        throw std::bad_alloc();
    }
    return schedule;
}

void MessageScheduleTab::FillMessageCombo()
{
    // Item data is the schedule's code of the entry: message id + 100 x (index - 1).
    struct Item
    {
        const char* text;
        int code;
    };
    static const Item items[] = {
        {QT_TR_NOOP("6 1 ( Binary Addressed Message )"), 6},
        {QT_TR_NOOP("6 2 ( Binary Addressed Message )"), 106},
        {QT_TR_NOOP("6 3 ( Binary Addressed Message )"), 206},
        {QT_TR_NOOP("6 4 ( Binary Addressed Message )"), 306},
        {QT_TR_NOOP("8 1 ( Binary Broadcast Message )"), 8},
        {QT_TR_NOOP("8 2 ( Binary Broadcast Message )"), 108},
        {QT_TR_NOOP("8 3 ( Binary Broadcast Message )"), 208},
        {QT_TR_NOOP("8 4 ( Binary Broadcast Message )"), 308},
        {QT_TR_NOOP("12 1 ( Addressed BIIT Failure Message )"), 12},
        {QT_TR_NOOP("12 2 ( Addressed Off Position Text Alert )"), 112},
        {QT_TR_NOOP("12 3 ( Addressed Vessel Proximity Alert )"), 212},
        {QT_TR_NOOP("12 4 ( Addressed Safety Related Message )"), 312},
        {QT_TR_NOOP("14 1 ( Broadcast BIIT Failure Message )"), 14},
        {QT_TR_NOOP("14 2 ( Broadcast Off Position Text Alert )"), 114},
        {QT_TR_NOOP("14 3 ( Broadcast Safety Related Message )"), 214},
        {QT_TR_NOOP("14 4 ( Broadcast Safety Related Message )"), 314},
    };
    for (const Item& item : items)
    {
        ui->comboMessageID->addItem(tr(item.text), item.code);
    }
}

void MessageScheduleTab::ReloadTable()
{
    // The schedule may have been replaced as a whole (load, retrieve): the view reads everything again.
    tableModel->Reset();
}

bool MessageScheduleTab::UpdateTabFromModel(Model* source)
{
    updating = true;
    MessageSchedule* schedule = Schedule();
    if (source != nullptr)
    {
        MessageSchedule* from = source->GetMessageSchedule();
        if (from == nullptr)
        {
            throw std::bad_alloc();
        }
        *schedule = *from;
    }
    ReloadTable();
    UpdateAddButton();
    updating = false;
    UpdateActionButton();
    return true;
}

bool MessageScheduleTab::UpdateModelFromTab(Model* target)
{
    // Every edit of this tab is made directly in the tab model's schedule: there is nothing to copy. The
    // state machine copies the schedule into the transport model before a send.
    Model* into = target != nullptr ? target : model;
    if (into->GetMessageSchedule() == nullptr)
    {
        throw std::bad_alloc();
    }
    return true;
}

void MessageScheduleTab::UpdateAddButton()
{
    const int code = ui->comboMessageID->currentData().toInt();
    if (Schedule()->CheckCode(code))
    {
        ui->buttonAdd->setEnabled(true);
        ui->buttonAdd->setToolTip(QString());
    }
    else
    {
        ui->buttonAdd->setEnabled(false);
        ui->buttonAdd->setToolTip(tr("Can't create a message as all the message indices are in use"));
    }
}

MessageScheduleTab::RowKind MessageScheduleTab::SelectedRowKind(int& position) const
{
    const QItemSelectionModel* selection = ui->tableSchedules->selectionModel();
    const QModelIndex current = selection != nullptr ? selection->currentIndex() : QModelIndex();
    if (!current.isValid() || current.row() >= tableModel->rowCount() ||
        !Schedule()->PositionOfRow(current.row(), position))
    {
        return NoRow;
    }
    const ScheduleEntry entry = Schedule()->GetEntry(position);
    if (entry.messageId != 21)
    {
        return RemovableRow;
    }
    // A report without start slots is not transmitted; so is a disabled one, whatever slots a file or the
    // unit left in it (offering "Deactivate" there would offer an action that cannot happen).
    if (!entry.enabled || (entry.blockA.startSlot == -1 && entry.blockB.startSlot == -1))
    {
        return InactiveReport;
    }
    return ActiveReport;
}

void MessageScheduleTab::UpdateActionButton()
{
    int position = 0;
    switch (SelectedRowKind(position))
    {
    case NoRow:
        ui->buttonAction->setText(tr("Remove"));
        ui->buttonAction->setEnabled(false);
        break;
    case RemovableRow:
        ui->buttonAction->setText(tr("Remove"));
        ui->buttonAction->setEnabled(true);
        break;
    case InactiveReport:
        ui->buttonAction->setText(tr("Activate"));
        ui->buttonAction->setEnabled(true);
        break;
    case ActiveReport:
        ui->buttonAction->setText(tr("Deactivate"));
        ui->buttonAction->setEnabled(true);
        break;
    }
}

bool MessageScheduleTab::ActivateReport(int position)
{
    MessageSchedule* schedule = Schedule();
    if (schedule->EnableEntry(position))
    {
        return true;
    }
    // A report can also come from a file or from the unit enabled but without start slots: it reads as
    // inactive, and activating it gives it its start slots, as activating a disabled report does.
    ScheduleEntry entry = schedule->GetEntry(position);
    if (entry.messageId != 21 || !entry.enabled || entry.blockA.startSlot != -1 || entry.blockB.startSlot != -1)
    {
        return false;
    }
    entry.blockA.startSlot = 0;
    entry.blockB.startSlot = 0;
    return schedule->SetEntry(position, entry);
}

void MessageScheduleTab::on_buttonAdd_clicked()
{
    if (updating)
    {
        return;
    }
    const int code = ui->comboMessageID->currentData().toInt();
    MessageSchedule* schedule = Schedule();
    int position = 0;
    if (schedule->PositionOfCode(code, position))
    {
        // The view must hear of the new row before the schedule changes: find the row the entry will
        // take on a copy first.
        MessageSchedule probe(schedule->IsVirtual(), schedule->IsReceiver());
        probe = *schedule;
        int row = -1;
        if (probe.EnableByCode(code) && probe.GetVisibleRow(position, row))
        {
            tableModel->BeginInsertRows(row);
            schedule->EnableByCode(code);
            tableModel->EndInsertRows();

            CommitUserEdit();
            // The Status Inputs tab warns about message 6 indices 1 to 4 the schedule does not send; any of
            // them may have just been added.
            if (code % 100 == Message6Code)
            {
                Q_EMIT messageScheduleChanged();
            }
        }
    }
    UpdateAddButton();
    UpdateActionButton();
}

void MessageScheduleTab::on_buttonAction_clicked()
{
    if (updating)
    {
        return;
    }
    MessageSchedule* schedule = Schedule();
    int position = 0;
    const RowKind kind = SelectedRowKind(position);
    int row = -1;
    bool changed = false;

    switch (kind)
    {
    case NoRow:
        break;
    case RemovableRow:
        // RemoveEntry refuses only a disabled entry, and a removable row always shows an enabled one.
        if (schedule->GetEntry(position).enabled && schedule->GetVisibleRow(position, row))
        {
            tableModel->BeginRemoveRows(row);
            changed = schedule->RemoveEntry(position);
            tableModel->EndRemoveRows();
        }
        break;
    case InactiveReport:
        changed = ActivateReport(position);
        if (changed)
        {
            tableModel->RowChanged(position);
            if (position == OffPositionReport)
            {
                Q_EMIT off_position_checked(true);
            }
        }
        break;
    case ActiveReport:
        changed = schedule->DisableEntry(position);
        if (changed)
        {
            tableModel->RowChanged(position);
            if (position == OffPositionReport)
            {
                Q_EMIT off_position_checked(false);
            }
        }
        break;
    }

    if (changed)
    {
        CommitUserEdit();
        Q_EMIT messageScheduleChanged();
    }
    UpdateAddButton();
    UpdateActionButton();
}

void MessageScheduleTab::offPositionSelected(bool selected)
{
    if (updating)
    {
        return;
    }
    MessageSchedule* schedule = Schedule();
    const bool changed = selected ? ActivateReport(OffPositionReport) : schedule->DisableEntry(OffPositionReport);
    if (changed)
    {
        tableModel->RowChanged(OffPositionReport);
        CommitUserEdit();
    }
    UpdateAddButton();
    UpdateActionButton();
}

void MessageScheduleTab::OnDelegateEdited()
{
    CommitUserEdit();
    UpdateActionButton();
}

void MessageScheduleTab::OnSelected(const QModelIndex& current, const QModelIndex& previous)
{
    Q_UNUSED(current);
    Q_UNUSED(previous);
    UpdateActionButton();
}

void MessageScheduleTab::on_comboMessageID_currentIndexChanged(int index)
{
    Q_UNUSED(index);
    UpdateAddButton();
}
