#include "ui/cDirectionOfImpactInput.h"

#include "ui_cDirectionOfImpactInput.h"

cDirectionOfImpactInput::cDirectionOfImpactInput(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::DirectionOfImpactInput>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint);
}

cDirectionOfImpactInput::~cDirectionOfImpactInput() = default;

void cDirectionOfImpactInput::on_pushButton_OK_clicked()
{
    Q_EMIT setDirectionOfInput(ui->spinBoxDirectionOfImpact->value());
    ui->spinBoxDirectionOfImpact->setValue(0);
    accept();
    close();
}

void cDirectionOfImpactInput::on_pushButton_cancel_clicked()
{
    reject();
    Q_EMIT cancelTypeChange();
    ui->spinBoxDirectionOfImpact->setValue(0);
    close();
}
