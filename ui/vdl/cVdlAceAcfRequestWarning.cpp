#include "ui/vdl/cVdlAceAcfRequestWarning.h"

#include <QPushButton>

#include "ui/vdl/VdlControlTab.h"
#include "ui_cVdlAceAcfRequestWarning.h"

cVdlAceAcfRequestWarning::cVdlAceAcfRequestWarning(QObject* owner)
    : QDialog(nullptr), ui(std::make_unique<Ui::cVdlAceAcfRequestWarning>())
{
    ui->setupUi(this);
    // The query first, then the close: the page has sent it by the time the notice is gone.
    if (auto* page = qobject_cast<VdlControlTab*>(owner))
        connect(ui->pushButton_continue, &QPushButton::pressed, page, &VdlControlTab::OnAceAcfQueryRequested);
    connect(ui->pushButton_continue, &QPushButton::pressed, this, &QDialog::close);
}

cVdlAceAcfRequestWarning::~cVdlAceAcfRequestWarning() = default;
