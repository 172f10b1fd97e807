#pragma once

#include <QDialog>
#include <memory>

namespace Ui
{
class cAarNakWarning;
}

// Shown when the unit refuses a message schedule configuration with a negative acknowledgement.
class cAarNakWarning : public QDialog
{
    Q_OBJECT

public:
    // The dialog is application-modal and has no parent; the argument is kept for the caller's symmetry
    // with the other dialogs and is not used.
    explicit cAarNakWarning(QWidget* parent = nullptr);
    ~cAarNakWarning() override;

private:
    std::unique_ptr<Ui::cAarNakWarning> ui;
};
