#include "ui/cNeedAllDataWarning.h"

#include <QPushButton>

#include "ui_cNeedAllDataWarning.h"

cNeedAllDataWarning::cNeedAllDataWarning(QObject* mainWindow)
    : QDialog(nullptr), ui(std::make_unique<Ui::cNeedAllDataWarning>())
{
    ui->setupUi(this);

    // The main window's handlers are reached by signature: this dialog sits below the main window and
    // must not depend on its class. The order matters: the main window's handler runs before the close.
    if (mainWindow != nullptr)
    {
        connect(ui->pushButton_continue, SIGNAL(pressed()), mainWindow, SLOT(onNeedAllDataContinueButtonPressed()));
        connect(ui->pushButton_cancel, SIGNAL(pressed()), mainWindow, SLOT(onNeedAllDataCancelButtonPressed()));
    }
    connect(ui->pushButton_continue, &QPushButton::pressed, this, &QDialog::close);
    connect(ui->pushButton_cancel, &QPushButton::pressed, this, &QDialog::close);
    if (mainWindow != nullptr)
    {
        connect(this, SIGNAL(sendCancel()), mainWindow, SLOT(onNeedAllDataCancelButtonPressed()));
    }
}

cNeedAllDataWarning::~cNeedAllDataWarning() = default;

void cNeedAllDataWarning::SetWarning(const QString& text)
{
    ui->label_warning->clear();
    ui->label_warning->setText(text);
}

void cNeedAllDataWarning::SetRealAndVirtualMessage()
{
    SetWarning(tr("All Real and enabled Virtual AtoN data must be completed with valid values to avoid the messages "
                  "being rejected."));
}

void cNeedAllDataWarning::SetRealMessage()
{
    SetWarning(tr("All Real AtoN data must be completed with valid values to avoid the messages being rejected."));
}

void cNeedAllDataWarning::SetVirtualMessage()
{
    SetWarning(
        tr("All enabled Virtual AtoN data must be completed with valid values to avoid the messages being rejected."));
}

void cNeedAllDataWarning::reject()
{
    Q_EMIT sendCancel();
    QDialog::reject();
}
