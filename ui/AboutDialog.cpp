#include "ui/AboutDialog.h"

#include <QApplication>

#include "ui_AboutDialog.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::AboutDialog>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint);

    // Name and version are the ones the application object set at start.
    setWindowTitle(tr("About") + QLatin1Char(' ') + QCoreApplication::applicationName());
    ui->labelProduct->setText(QCoreApplication::applicationName());
    ui->labelVersion->setText(QCoreApplication::applicationVersion());
    ui->labelLicence->setText(tr("This application has been developed with the QT Framework\n") +
                              tr("Parts are based on the work of the Qwt project (https://qwt.sourceforge.io)."));
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::on_buttonAboutQT_clicked()
{
    QApplication::aboutQt();
}
