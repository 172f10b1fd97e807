#include "ui/VirtualAtoNTab.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include <new>

#include "model/Model.h"
#include "ui/VirtualAtoNWidget.h"

VirtualAtoNTab::VirtualAtoNTab(Model* model, QWidget* parent) : QWidget(parent), tabWidget(new QTabWidget(this))
{
    if (!model)
        throw std::bad_alloc();
    setObjectName(QStringLiteral("VirtualAtoNTab"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(9, 9, 9, 9);
    layout->addWidget(tabWidget);
    tabWidget->setObjectName(QStringLiteral("tabWidget"));
    tabWidget->setTabPosition(QTabWidget::West);
    tabWidget->setIconSize(QSize(20, 20));
    tabWidget->setStyleSheet(QStringLiteral(
        "QTabBar::tab:selected { background: rgb(255,255,255); border-right: 1px solid rgb(255,255,255); "
        "border-top: 1px solid rgb(180, 180, 180); border-left: 1px solid rgb(180, 180, 180); "
        "border-bottom: 1px solid rgb(180, 180, 180); border-top-left-radius: 4px; "
        "border-bottom-left-radius: 4px; border-top-right-radius: 0px; }"
        "QTabBar::tab { background: rgb(240,240,240); border: 1px solid rgb(180, 180, 180); "
        "border-top-left-radius: 4px; border-bottom-left-radius: 4px; border-top-right-radius: 0px; "
        "margin-right: 0; margin-bottom: 0; min-height: 40; min-width: 20; }"));

    for (int k = 1; k <= PageCount; ++k)
    {
        auto* page = new QWidget(tabWidget);
        auto* pageLayout = new QVBoxLayout(page);
        auto* placeholderWidget = new QWidget(page);
        placeholderWidget->setObjectName(QStringLiteral("vAtoN%1PlaceHolder").arg(k, 2, 10, QLatin1Char('0')));
        auto* placeholder = new QVBoxLayout(placeholderWidget);
        placeholder->setContentsMargins(0, 0, 0, 0);
        placeholder->setSpacing(0);
        pageLayout->addWidget(placeholderWidget);
        pageLayout->addStretch();
        tabWidget->addTab(page, QString::number(k));
        pages[size_t(k - 1)] = new VirtualAtoNWidget(model, model->GetVirtualAtoN(k), placeholder, this);
    }
    tabWidget->setCurrentIndex(0);
    tabWidget->raise();
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
