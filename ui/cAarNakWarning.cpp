#include "ui/cAarNakWarning.h"

#include <QPushButton>

#include "ui_cAarNakWarning.h"

cAarNakWarning::cAarNakWarning(QWidget* parent) : QDialog(nullptr), ui(std::make_unique<Ui::cAarNakWarning>())
{
    Q_UNUSED(parent);
    ui->setupUi(this);
    connect(ui->pushButton_close, &QPushButton::pressed, this, &QDialog::close);
}

cAarNakWarning::~cAarNakWarning() = default;
