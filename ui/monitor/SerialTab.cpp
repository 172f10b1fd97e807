#include "ui/monitor/SerialTab.h"

SerialTab::SerialTab(QWidget* parent) : QWidget(parent) {}

SerialTab::~SerialTab() = default;

void SerialTab::SetLogState(bool logging)
{
    this->logging = logging;
}

void SerialTab::OnSent(QString sent)
{
    Q_UNUSED(sent);
}

void SerialTab::OnReceived(QString received)
{
    Q_UNUSED(received);
}

void SerialTab::OnOpened()
{
    portOpen = true;
}

void SerialTab::OnClosed()
{
    portOpen = false;
}
