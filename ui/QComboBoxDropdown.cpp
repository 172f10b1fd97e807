#include "ui/QComboBoxDropdown.h"

QComboBoxDropdown::QComboBoxDropdown(QWidget* parent) : QComboBox(parent) {}

void QComboBoxDropdown::showPopup()
{
    Q_EMIT Dropdown();
    QComboBox::showPopup();
}
