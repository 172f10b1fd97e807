#pragma once

#include <QDialog>
#include <memory>

namespace Ui
{
class DirectionOfImpactInput;
}

// Asks for the direction of impact (0 to 359 degrees) that inland types 16 and 17 carry in the AtoN
// name. OK reports the value, Cancel reports the cancel; Escape or the close button only reject.
class cDirectionOfImpactInput : public QDialog
{
    Q_OBJECT

public:
    explicit cDirectionOfImpactInput(QWidget* parent = nullptr);
    ~cDirectionOfImpactInput() override;

Q_SIGNALS:
    void setDirectionOfInput(int direction);
    void cancelTypeChange();

private Q_SLOTS:
    void on_pushButton_OK_clicked();
    void on_pushButton_cancel_clicked();

private:
    std::unique_ptr<Ui::DirectionOfImpactInput> ui;
};
