#include "ui/vdl/VdlTab.h"

#include <QGridLayout>
#include <QTabWidget>

#include "ui/MainWindow.h"
#include "ui/vdl/VdlControlTab.h"
#include "ui/vdl/VdlCopTab.h"

VdlTab::VdlTab(Model* model, MainWindow* parent)
    : AtoNConfiguration(model, parent), tabWidget(new QTabWidget(this)), control(new VdlControlTab(model, this)),
      cop(new VdlCopTab(model, this)), pages{control, cop}
{
    auto* layout = new QGridLayout(this);
    layout->addWidget(tabWidget, 0, 0);
    control->setObjectName(QStringLiteral("tabVdlControl"));
    cop->setObjectName(QStringLiteral("tabVdlCop"));
    tabWidget->addTab(control, tr("Control"));
    tabWidget->addTab(cop, tr("Receiver On Time"));
    tabWidget->setCurrentIndex(0);
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
