#include "ui/vdl/VdlTab.h"

#include <QTabBar>

#include "ui/MainWindow.h"
#include "ui/vdl/VdlControlTab.h"
#include "ui/vdl/VdlCopTab.h"
#include "ui_VdlTab.h"

namespace
{
// The style of the page tabs: a selected tab merges with the page below it. The side margins are those of
// the main window's tabs, which these tabs took when the rules sat on the tab widgets.
const char* const PageTabStyle =
    "QTabBar::tab { margin-left: 1px; margin-right: 1px; background: rgb(240,240,240); "
    "border-left: 1px solid rgb(202, 202, 202); "
    "border-right: 1px solid rgb(202, 202, 202); border-top: 1px solid rgb(202, 202, 202); "
    "border-bottom: 1px solid rgb(202, 202, 202); border-top-left-radius: 4px; border-top-right-radius: 4px; "
    "margin-bottom: 1px; min-height: 30px; min-width: 40ex; padding: 2px; }"
    "QTabBar::tab:selected { background: rgb(255,255,255); border-left: 1px solid rgb(202, 202, 202); "
    "border-right: 1px solid rgb(202, 202, 202); border-top: 1px solid rgb(202, 202, 202); "
    "border-bottom: 1px solid rgb(255,255,255); border-top-left-radius: 4px; border-top-right-radius: 4px; }";
} // namespace

VdlTab::VdlTab(Model* model, MainWindow* parent)
    : AtoNConfiguration(model, parent), ui(std::make_unique<Ui::VdlTab>()), control(nullptr), cop(nullptr), pages{}
{
    ui->setupUi(this);
    // The form's placeholder pages only give the designer something to show.
    while (ui->tabWidget->count() > 0)
    {
        QWidget* placeholder = ui->tabWidget->widget(0);
        ui->tabWidget->removeTab(0);
        delete placeholder;
    }
    // On the tab bar alone, so that the pages are not polished through the style-sheet style.
    ui->tabWidget->tabBar()->setStyleSheet(QLatin1String(PageTabStyle));

    control = new VdlControlTab(model, this);
    control->setObjectName(QStringLiteral("tabVdlControl"));
    ui->tabWidget->insertTab(0, control, tr("Control"));
    cop = new VdlCopTab(model, this);
    cop->setObjectName(QStringLiteral("tabVdlCop"));
    ui->tabWidget->insertTab(1, cop, tr("Receiver On Time"));
    ui->tabWidget->setCurrentIndex(0);
    pages = {control, cop};
}

VdlTab::~VdlTab()
{
    delete control;
    delete cop;
}

bool VdlTab::UpdateTabFromModel(Model* source)
{
    for (AtoNConfiguration* page : pages)
        page->UpdateTabFromModel(source);
    return true;
}

bool VdlTab::UpdateModelFromTab(Model* target)
{
    for (AtoNConfiguration* page : pages)
        page->UpdateModelFromTab(target);
    return true;
}

void VdlTab::ClearEdited()
{
    AtoNConfiguration::ClearEdited();
    for (AtoNConfiguration* page : pages)
        page->ClearEdited();
}
