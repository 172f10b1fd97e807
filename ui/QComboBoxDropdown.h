#pragma once

#include <QComboBox>

// Combo box that announces that its list is about to open, so that its owner can refill the list (the
// serial ports present now) before the user sees it.
class QComboBoxDropdown : public QComboBox
{
    Q_OBJECT

public:
    explicit QComboBoxDropdown(QWidget* parent = nullptr);

    void showPopup() override;

Q_SIGNALS:
    // Delivered directly (connect with the default or a direct connection), before the list is shown.
    void Dropdown();
};
