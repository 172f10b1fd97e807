#pragma once

#include <QDialog>
#include <memory>

namespace Ui
{
class AboutDialog;
}

// Help > About: product name, version, credits, and the Qt library's own About box.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

private Q_SLOTS:
    void on_buttonAboutQT_clicked();

private:
    std::unique_ptr<Ui::AboutDialog> ui;
};
