#pragma once

#include "ui/AtoNConfiguration.h"

class QBoxLayout;
class VirtualAtoNModel;

// The editor of one virtual or synthetic AtoN: one of the ten virtual AtoN records of the tab model.
// The Virtual AtoN tab creates ten of them; the page builds its form into the placeholder layout the
// tab hands over and always loads from, and stores into, its own record.
class VirtualAtoNWidget : public AtoNConfiguration
{
    Q_OBJECT

public:
    // record: the tab model's record of this page (not owned; null is std::bad_alloc). placeholder: the
    // layout the page's form goes into.
    VirtualAtoNWidget(Model* model, VirtualAtoNModel* record, QBoxLayout* placeholder, QWidget* parent);
    ~VirtualAtoNWidget() override;

    // Both ignore their argument: the page's data is its own record.
    bool UpdateTabFromModel(Model* source = nullptr) override;
    bool UpdateModelFromTab(Model* target = nullptr) override;

    // Takes over a record (the unit's, after a retrieve) and reloads.
    void SetModel(VirtualAtoNModel* source);

    // Whether the page may be sent: a disabled page always; an enabled one needs a valid MMSI, a name
    // and a position.
    bool IsValid() const;

    VirtualAtoNModel* GetRecord() const { return record; }

private:
    VirtualAtoNModel* record;
};
