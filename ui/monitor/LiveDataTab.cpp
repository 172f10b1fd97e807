#include "ui/monitor/LiveDataTab.h"

#include "comms/NmeaSentence.h"
#include "ui/monitor/TerminalCommandLine.h"
#include "ui/monitor/TrafficDisplay.h"

#include "ui_LiveDataTab.h"

namespace
{
// Opens the unit's command shell.
const QString ShellOpen = QStringLiteral("+++\n");
// Ends a running stream; nothing follows it on the wire.
const QString StreamEnd = QStringLiteral("\x1b");
const QString ShellExit = QStringLiteral("exit\n");
// Shell-command sentences at access level 0, with that level's access code.
const QString WaveMeterOn = QStringLiteral("$PKVX,0,0,0x5E1D0A47,1,wavemeterout 1,99");
const QString WaveMeterOff = QStringLiteral("$PKVX,0,0,0x5E1D0A47,1,wavemeterout 0,98");
} // namespace

LiveDataTab::LiveDataTab(QWidget* parent) : QWidget(parent), ui(new Ui::LiveDataTab)
{
    ui->setupUi(this);
    display = new TrafficDisplay(ui->receivedTextEdit);
    commandLine = new TerminalCommandLine(this, ui->lineSend, ui->labelSendError);
    ui->labelSendError->hide();
    // Until the Sensor Settings tab reports an option with a wave meter there is none to start.
    ApplyWaveMeterPermission();

    connect(ui->toolButtonSend, &QToolButton::clicked, this, &LiveDataTab::OnSend);
    connect(ui->lineSend, &QLineEdit::textEdited, this, &LiveDataTab::OnSendEdited);
    connect(ui->lineSend, &QLineEdit::editingFinished, this, &LiveDataTab::OnSendEditFinished);
    connect(commandLine, &TerminalCommandLine::Send, this, &LiveDataTab::Send);
}

LiveDataTab::~LiveDataTab()
{
    // The command line outlives this part of the tab: losing the focus as the widgets go, it would
    // finish its edit into a tab that is no longer one.
    disconnect(ui->lineSend, nullptr, this, nullptr);
    // The window that would hear of the isolation ending is being destroyed around this tab: only
    // the tab's own state is put back, and the unit is told to leave its stream only while a link
    // can still carry it.
    ResetToIdle();
    if (portOpen)
    {
        Q_EMIT Send(StreamEnd);
        Q_EMIT Send(ShellExit);
    }
    delete display;
    delete ui;
}

QString LiveDataTab::AdcCommand(int index, bool raw)
{
    return (raw ? QStringLiteral("getadccont %1\n") : QStringLiteral("getadccontscaled %1\n")).arg(index);
}

QString LiveDataTab::WaveMeterCommand(bool on)
{
    const QString& sentence = on ? WaveMeterOn : WaveMeterOff;
    return sentence + QLatin1Char('*') + NmeaSentence::Checksum(sentence) + QLatin1Char('\n');
}

void LiveDataTab::Start()
{
    ui->toolButtonSend->setEnabled(false);
    ui->lineSend->setEnabled(false);
    ui->lineSend->clear();
    Q_EMIT Send(ShellOpen);
    ui->startStopPushButton->setText(tr("Stop"));
    running = true;
    Q_EMIT IsolateLiveDataTab(true);
    SendAdcCommand();
    ui->wavemeterGroupBox->setEnabled(false);
    showReceived = true;
}

void LiveDataTab::Stop()
{
    // Whatever runs: the unit leaves a stream on the escape character and its shell on "exit".
    ResetToIdle();
    Q_EMIT IsolateLiveDataTab(false);
    Q_EMIT Send(StreamEnd);
    Q_EMIT Send(ShellExit);
    ui->lineSend->setEnabled(true);
}

void LiveDataTab::ResetToIdle()
{
    ui->startStopPushButton->setText(tr("Start"));
    running = false;
    ApplyWaveMeterPermission();
    showReceived = false;
}

void LiveDataTab::SendAdcCommand()
{
    Q_EMIT Send(AdcCommand(ui->ADCSelectionComboBox->currentIndex(), ui->rawRadioButton->isChecked()));
}

void LiveDataTab::ApplyWaveMeterPermission()
{
    ui->wavemeterGroupBox->setEnabled(!running && waveMeterAllowed);
}

void LiveDataTab::OnTabSelected()
{
    active = true;
}

void LiveDataTab::OnTabDeselected()
{
    active = false;
}

void LiveDataTab::on_ADCSelectionComboBox_currentIndexChanged(int val)
{
    Q_UNUSED(val);
    if (!running)
        return;
    Q_EMIT Send(StreamEnd);
    SendAdcCommand();
}

void LiveDataTab::on_rawRadioButton_toggled(bool val)
{
    Q_UNUSED(val);
    if (!running)
        return;
    Q_EMIT Send(StreamEnd);
    SendAdcCommand();
}

void LiveDataTab::on_startStopPushButton_clicked()
{
    if (running)
        Stop();
    else
        Start();
}

void LiveDataTab::on_wavemeterStartStopPushButton_clicked()
{
    if (!wavemeterRunning)
    {
        wavemeterRunning = true;
        ui->adcGroupBox->setEnabled(false);
        ui->wavemeterStartStopPushButton->setText(tr("Stop"));
        Q_EMIT Send(WaveMeterCommand(true));
        showReceived = true;
        ui->lineSend->setEnabled(true);
        return;
    }
    ui->toolButtonSend->setEnabled(false);
    ui->lineSend->setEnabled(false);
    ui->lineSend->clear();
    wavemeterRunning = false;
    ui->adcGroupBox->setEnabled(true);
    ui->wavemeterStartStopPushButton->setText(tr("Start"));
    Q_EMIT Send(WaveMeterCommand(false));
    showReceived = false;
}

void LiveDataTab::OnReceived(QString received)
{
    if (showReceived)
        display->Append(received);
}

void LiveDataTab::OnEnableWaveMeterDataControls(bool enable)
{
    waveMeterAllowed = enable;
    ApplyWaveMeterPermission();
}

void LiveDataTab::OnSendEdited(QString text)
{
    Q_UNUSED(text);
    commandLine->OnEdited();
    UpdateSendControls();
}

void LiveDataTab::OnSendEditFinished() {}

void LiveDataTab::OnSend()
{
    commandLine->Run();
    UpdateSendControls();
}

void LiveDataTab::OnSent(QString sent)
{
    Q_UNUSED(sent);
}

void LiveDataTab::OnOpened()
{
    portOpen = true;
    UpdateSendControls();
}

void LiveDataTab::OnClosed()
{
    portOpen = false;
    ui->toolButtonSend->setEnabled(false);
    ui->lineSend->setEnabled(false);
}

void LiveDataTab::UpdateSendControls()
{
    ui->toolButtonSend->setEnabled(portOpen && !ui->lineSend->text().isEmpty());
    ui->lineSend->setEnabled(portOpen);
}
