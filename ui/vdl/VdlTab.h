#pragma once

#include <array>
#include <memory>

#include "ui/AtoNConfiguration.h"

class MainWindow;
class VdlControlTab;
class VdlCopTab;

namespace Ui
{
class VdlTab;
}

// The "VDL" tab: a container of two pages over the same model, "Control" (requests to a remote unit)
// and "Receiver On Time". It passes loads, stores and the clearing of the edited flags on to both, so
// that the main window treats it like any other configuration tab.
class VdlTab : public AtoNConfiguration
{
    Q_OBJECT

public:
    VdlTab(Model* model, MainWindow* parent);
    ~VdlTab() override;

    // Both pages in order (Control, then Receiver On Time); true.
    bool UpdateTabFromModel(Model* source = nullptr) override;
    bool UpdateModelFromTab(Model* target = nullptr) override;
    // Clears the edited flag of both pages (this one included).
    void ClearEdited();

    VdlControlTab* GetControlTab() const { return control; }
    VdlCopTab* GetCopTab() const { return cop; }

private:
    std::unique_ptr<Ui::VdlTab> ui;
    VdlControlTab* control;
    VdlCopTab* cop;
    std::array<AtoNConfiguration*, 2> pages;
};
