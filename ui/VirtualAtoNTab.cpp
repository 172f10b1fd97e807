#include "ui/VirtualAtoNTab.h"

#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <new>

#include "model/Model.h"
#include "ui/VirtualAtoNWidget.h"

#include "ui_VirtualAtoNTab.h"

VirtualAtoNTab::VirtualAtoNTab(Model* model, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::VirtualAtoNTab>())
{
    if (!model)
        throw std::bad_alloc();
    ui->setupUi(this);
    // On the tab bar alone, so that the pages are not polished through the style-sheet style. The left
    // margin is that of the main window's tabs, which these tabs took when the rules sat on the tab widgets.
    ui->tabWidget->tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab:selected { background: rgb(255,255,255); border-right: 1px solid rgb(255,255,255); "
        "border-top: 1px solid rgb(180, 180, 180); border-left: 1px solid rgb(180, 180, 180); "
        "border-bottom: 1px solid rgb(180, 180, 180); border-top-left-radius: 4px; "
        "border-bottom-left-radius: 4px; border-top-right-radius: 0px; }"
        "QTabBar::tab { margin-left: 1px; background: rgb(240,240,240); border: 1px solid rgb(180, 180, 180); "
        "border-top-left-radius: 4px; border-bottom-left-radius: 4px; border-top-right-radius: 0px; "
        "margin-right: 0; margin-bottom: 0; min-height: 40; min-width: 20; }"));

    QBoxLayout* const placeholders[PageCount] = {ui->virtualAtoN01VerticalLayout, ui->virtualAtoN02VerticalLayout,
                                                 ui->virtualAtoN03VerticalLayout, ui->virtualAtoN04VerticalLayout,
                                                 ui->virtualAtoN05VerticalLayout, ui->virtualAtoN06VerticalLayout,
                                                 ui->virtualAtoN07VerticalLayout, ui->virtualAtoN08VerticalLayout,
                                                 ui->virtualAtoN09VerticalLayout, ui->virtualAtoN10VerticalLayout};
    for (int k = 1; k <= PageCount; ++k)
        pages[size_t(k - 1)] = new VirtualAtoNWidget(model, model->GetVirtualAtoN(k), placeholders[k - 1], this);
    // The page objects are empty widgets at the tab's top-left corner: they must not cover the pages.
    ui->tabWidget->raise();
}

VirtualAtoNTab::~VirtualAtoNTab() = default;

VirtualAtoNWidget* VirtualAtoNTab::GetVirtualAtoN(int k) const
{
    return k >= 1 && k <= PageCount ? pages[size_t(k - 1)] : nullptr;
}

void VirtualAtoNTab::SetModel(Model* source)
{
    if (!source)
        throw std::bad_alloc();
    for (int k = 1; k <= PageCount; ++k)
        pages[size_t(k - 1)]->SetModel(source->GetVirtualAtoN(k));
}

bool VirtualAtoNTab::UpdateModelFromTab(Model* target)
{
    bool result = true;
    for (VirtualAtoNWidget* page : pages)
        result = page->UpdateModelFromTab(target);
    return result;
}

void VirtualAtoNTab::ClearEdited()
{
    for (VirtualAtoNWidget* page : pages)
        page->ClearEdited();
}
