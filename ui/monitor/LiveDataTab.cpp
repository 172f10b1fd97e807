#include "ui/monitor/LiveDataTab.h"

LiveDataTab::LiveDataTab(QWidget* parent) : QWidget(parent) {}

LiveDataTab::~LiveDataTab() = default;

void LiveDataTab::Stop()
{
    // Whatever runs: the unit leaves a stream on the escape character and its shell on "exit".
    Q_EMIT IsolateLiveDataTab(false);
    Q_EMIT Send(QStringLiteral("\x1b"));
    Q_EMIT Send(QStringLiteral("exit\n"));
}

void LiveDataTab::OnTabSelected()
{
    active = true;
}

void LiveDataTab::OnTabDeselected()
{
    active = false;
}

void LiveDataTab::OnReceived(QString received)
{
    Q_UNUSED(received);
}

void LiveDataTab::OnSent(QString sent)
{
    Q_UNUSED(sent);
}

void LiveDataTab::OnEnableWaveMeterDataControls(bool enable)
{
    waveMeterAllowed = enable;
}

void LiveDataTab::OnOpened()
{
    portOpen = true;
}

void LiveDataTab::OnClosed()
{
    portOpen = false;
}
