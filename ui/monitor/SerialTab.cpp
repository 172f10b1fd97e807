#include "ui/monitor/SerialTab.h"

#include <QCoreApplication>
#include <QFont>
#include <QRegularExpression>
#include <QTimer>

#include "app/KelvaneApplication.h"
#include "ui/monitor/TerminalCommandLine.h"
#include "ui/monitor/TrafficDisplay.h"

#include "ui_SerialTab.h"

namespace
{

// The filters hide a line holding such a sentence anywhere in it. Each needs the checksum field,
// so a line without one is never hidden.
const QRegularExpression TxtFilter(QStringLiteral("[!\\$][0-9A-Z]{2,2}[T][X][T][,].+\\*[0-9A-F]{2}"));
const QRegularExpression VdoFilter(QStringLiteral("[!\\$][0-9A-Z]{2,2}[V][D][O][,].+\\*[0-9A-F]{2}"));
const QRegularExpression VdmFilter(QStringLiteral("[!\\$][0-9A-Z]{2,2}[V][D][M][,].+\\*[0-9A-F]{2}"));
const QRegularExpression GnssFilter(QStringLiteral("[!\\$]G[NPLAB][A-Z]{3},.+\\*[0-9A-F]{2}"));

const QString TransmitPrefix = QStringLiteral("OUT > ");

constexpr int DisplayFontPixels = 12;

} // namespace

SerialTab::SerialTab(QWidget* parent) : QWidget(parent), ui(new Ui::SerialTab)
{
    ui->setupUi(this);
    display = new TrafficDisplay(ui->textEditReceived);
    commandLine = new TerminalCommandLine(this, ui->lineSend, ui->labelSendError);
    showTimer = new QTimer(this);
    showTimer->setSingleShot(true);
    showTimer->setInterval(ShowIntervalMs);
    ui->labelSendError->hide();
    // Without the application object (a tab on its own) there is no setting, and nothing sent is shown.
    if (auto* app = qobject_cast<KelvaneApplication*>(QCoreApplication::instance()))
        showTransmit = app->GetShowTransmit();
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(DisplayFontPixels);
    ui->textEditReceived->setFont(font);

    connect(ui->toolButtonPause, &QToolButton::clicked, this, &SerialTab::OnPause);
    connect(ui->toolButtonSaveToLog, &QToolButton::clicked, this, &SerialTab::OnSaveToLog);
    connect(ui->toolButtonSend, &QToolButton::clicked, this, &SerialTab::OnSend);
    connect(ui->lineSend, &QLineEdit::textEdited, this, &SerialTab::OnSendEdited);
    connect(ui->lineSend, &QLineEdit::editingFinished, this, &SerialTab::OnSendEditFinished);
    connect(commandLine, &TerminalCommandLine::Send, this, &SerialTab::Send);
    connect(showTimer, &QTimer::timeout, this, &SerialTab::ShowPending);
}

SerialTab::~SerialTab()
{
    // The command line outlives this part of the tab: losing the focus as the widgets go, it would
    // finish its edit into a tab that is no longer one.
    disconnect(ui->lineSend, nullptr, this, nullptr);
    delete display;
    delete ui;
}

bool SerialTab::IsPaused() const
{
    return ui->toolButtonPause->isChecked();
}

bool SerialTab::IsFiltered(const QString& line) const
{
    if (ui->filterXXTXTCheckBox->isChecked() && TxtFilter.match(line).hasMatch())
        return true;
    if (ui->filterXXVDOCheckBox->isChecked() && VdoFilter.match(line).hasMatch())
        return true;
    if (ui->filterXXVDMCheckBox->isChecked() && VdmFilter.match(line).hasMatch())
        return true;
    return ui->filterGXXXXCheckBox->isChecked() && GnssFilter.match(line).hasMatch();
}

void SerialTab::SetLogState(bool logging)
{
    this->logging = logging;
    ui->toolButtonSaveToLog->setText(logging ? tr("Stop Log") : tr("Log To File"));
    ui->toolButtonSaveToLog->setChecked(logging);
}

void SerialTab::OnSendEdited(QString text)
{
    Q_UNUSED(text);
    commandLine->OnEdited();
    UpdateControls();
}

void SerialTab::OnSendEditFinished()
{
    commandLine->Run();
    UpdateControls();
}

void SerialTab::OnSend()
{
    OnSendEditFinished();
}

void SerialTab::OnPause()
{
    // What came before the pause is shown before the display stands still, and before what the
    // pause collected.
    ShowPending();
    if (IsPaused())
        return;
    display->Append(pausedBuffer);
    pausedBuffer.clear();
    pausedBuffer.squeeze();
}

void SerialTab::OnSaveToLog()
{
    // The click has toggled the button already; what it shows must stay the log's real state, which
    // the window reports back through SetLogState (a cancelled dialog reports nothing).
    const bool checkedByClick = ui->toolButtonSaveToLog->isChecked();
    ui->toolButtonSaveToLog->setChecked(logging);
    Q_EMIT Save(!checkedByClick);
}

void SerialTab::OnSent(QString sent)
{
    if (!showTransmit)
        return;
    if (IsPaused())
    {
        Divert(sent);
        return;
    }
    Show(TransmitPrefix + sent);
}

void SerialTab::OnReceived(QString received)
{
    if (IsPaused())
    {
        Divert(received);
        return;
    }
    if (IsFiltered(received))
        return;
    Show(received);
}

void SerialTab::OnOpened()
{
    portOpen = true;
    UpdateControls();
}

void SerialTab::OnClosed()
{
    portOpen = false;
    ui->toolButtonSend->setEnabled(false);
    ui->lineSend->setEnabled(false);
    ui->toolButtonPause->setEnabled(false);
    ui->toolButtonSaveToLog->setEnabled(false);
}

void SerialTab::Divert(const QString& text)
{
    if (pausedBuffer.size() < PausedBufferLimit)
        pausedBuffer += text;
}

void SerialTab::Show(const QString& text)
{
    pending += text;
    if (pending.size() >= PendingLimit)
        ShowPending();
    else if (!showTimer->isActive())
        showTimer->start();
}

void SerialTab::ShowPending()
{
    showTimer->stop();
    if (pending.isEmpty())
        return;
    display->Append(pending);
    pending.clear();
}

void SerialTab::UpdateControls()
{
    ui->toolButtonSend->setEnabled(portOpen && !ui->lineSend->text().isEmpty());
    ui->lineSend->setEnabled(portOpen);
    ui->toolButtonPause->setEnabled(portOpen);
    ui->toolButtonSaveToLog->setEnabled(portOpen);
}
