#pragma once

#include <QWidget>

class Model;

// Base of every configuration tab. A tab is bound to one Model (the application's tab model) for its
// whole life. Its edit slots write each user change straight into that model, set the edited flag and
// announce the change with Edited(this); the main window does every transfer to and from the unit.
//
// The edit road every tab's slot follows unless the tab says otherwise:
//   1. return at once while `updating` is set (the change came from loading the tab);
//   2. compare the widget's new value with the stored one and stop when they are equal;
//   3. UpdateModelFromTab() without a target;
//   4. edited = true;
//   5. emit Edited(this).
class AtoNConfiguration : public QWidget
{
    Q_OBJECT

public:
    // A null model is refused with std::bad_alloc: no tab may ever run without its model.
    AtoNConfiguration(Model* model, QWidget* parent = nullptr);
    ~AtoNConfiguration() override = default;

    AtoNConfiguration(const AtoNConfiguration&) = delete;
    AtoNConfiguration& operator=(const AtoNConfiguration&) = delete;

    // Loads the widgets. With a source, the tab first copies the record(s) it edits from the source into
    // its own model (so the tab model takes over what was read from the unit), then fills every widget from
    // its own model with `updating` set. Returns true.
    virtual bool UpdateTabFromModel(Model* source = nullptr) = 0;

    // Writes the widgets into the record(s) of the target, or of the tab's own model when no target is
    // given. Returns true.
    virtual bool UpdateModelFromTab(Model* target = nullptr) = 0;

    void ClearEdited();
    Model* GetModel() const;

    bool IsEdited() const { return edited; }
    bool IsUpdating() const { return updating; }

Q_SIGNALS:
    // Emitted with the tab itself when the user changed a value.
    void Edited(QWidget* tab);

protected:
    // Steps 3 to 5 of the edit road, for a slot that found a real change: store the whole tab into its own
    // model, set the edited flag, and announce the change.
    void CommitUserEdit();

    Model* model;
    bool edited;
    bool updating;
};
