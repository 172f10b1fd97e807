#pragma once

#include <QItemSelection>
#include <QModelIndex>
#include <memory>

#include "ui/AtoNConfiguration.h"

class MessageSchedule;
class MessageScheduleDelegate;
class MessageScheduleTableModel;

namespace Ui
{
class MessageScheduleTab;
}

// The "Message Schedule" page: the real AtoN's transmission schedule inside the tab model. The user adds
// binary and safety messages (6, 8, 12, 14, index 1 to 4) from the combo box, removes them, activates or
// deactivates the two message 21 reports, and edits timing in the table. Every change is made directly
// in the tab model's schedule. The off-position report (message 21 index 2) is kept in step with the
// Real AtoN tab's off-position check box.
class MessageScheduleTab : public AtoNConfiguration
{
    Q_OBJECT

public:
    // What the action button does for the current row.
    enum RowKind
    {
        NoRow = 0,      // no current row: "Remove", disabled
        RemovableRow,   // a binary or safety message: "Remove"
        InactiveReport, // message 21 not transmitted: "Activate"
        ActiveReport    // message 21 transmitted: "Deactivate"
    };

    explicit MessageScheduleTab(Model* model, QWidget* parent = nullptr);
    ~MessageScheduleTab() override;

    bool UpdateTabFromModel(Model* source = nullptr) override;
    bool UpdateModelFromTab(Model* target = nullptr) override;

Q_SIGNALS:
    void SelectionChanged(QItemSelection selected);
    // The user activated (true) or deactivated (false) the off-position report.
    void off_position_checked(bool ticked);
    // A message was added, or a row removed, activated or deactivated: tabs whose warnings depend on the
    // schedule re-evaluate them.
    void messageScheduleChanged();

public Q_SLOTS:
    void on_buttonAdd_clicked();
    void on_buttonAction_clicked();
    void on_comboMessageID_currentIndexChanged(int index);
    void OnDelegateEdited();
    void OnSelected(const QModelIndex& current, const QModelIndex& previous);
    // From the Real AtoN tab's off-position check box.
    void offPositionSelected(bool selected);

private:
    MessageSchedule* Schedule() const;
    void FillMessageCombo();
    void ReloadTable();
    void UpdateAddButton();
    void UpdateActionButton();
    RowKind SelectedRowKind(int& position) const;
    // Makes a message 21 report transmit; false when it already does.
    bool ActivateReport(int position);

    std::unique_ptr<Ui::MessageScheduleTab> ui;
    MessageScheduleTableModel* tableModel = nullptr;
    MessageScheduleDelegate* delegate = nullptr;
};
