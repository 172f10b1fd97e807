#pragma once

#include <QString>
#include <QWidget>

class TerminalCommandLine;
class TrafficDisplay;

namespace Ui
{
class LiveDataTab;
}

// The "Live Data" tab of the sensor set: streams of ADC and wave-meter data from the unit's command
// shell. It has no model; while connected it writes shell text to the unit and reads its lines. While a
// stream runs, the rest of the sensor set is isolated.
//
// An ADC stream opens the unit's shell ("+++") and asks for continuous readings of one ADC, raw or
// scaled; the escape character ends a stream and "exit" leaves the shell. The wave meter is switched
// by a shell-command sentence and needs no shell of its own. Whatever the unit sends while a stream
// or the wave meter runs is shown as it comes.
class LiveDataTab : public QWidget
{
    Q_OBJECT

public:
    explicit LiveDataTab(QWidget* parent = nullptr);
    ~LiveDataTab() override;

    // Ends a running stream (the unit's shell is left); on a user disconnect and on close.
    void Stop();
    // The sensor tab set tells the tab whether it is the current one.
    void OnTabSelected();
    void OnTabDeselected();

    bool IsActive() const { return active; }
    bool IsPortOpen() const { return portOpen; }
    bool IsWaveMeterAllowed() const { return waveMeterAllowed; }
    bool IsRunning() const { return running; }
    bool IsWaveMeterRunning() const { return wavemeterRunning; }

    // The shell command that streams ADC index (0 to 6), raw or scaled.
    static QString AdcCommand(int index, bool raw);
    // The sentence that switches the wave meter output on or off, checksum and line feed included.
    static QString WaveMeterCommand(bool on);

Q_SIGNALS:
    // true while a live data stream runs, false when it stops.
    void IsolateLiveDataTab(bool isolate);
    // Shell or sentence text for the unit, unchanged.
    void Send(QString line);

public Q_SLOTS:
    void on_ADCSelectionComboBox_currentIndexChanged(int val);
    void on_rawRadioButton_toggled(bool val);
    void on_startStopPushButton_clicked();
    void on_wavemeterStartStopPushButton_clicked();
    void OnReceived(QString received);
    // Whether the unit's sensor option has a wave meter.
    void OnEnableWaveMeterDataControls(bool enable);
    void OnSendEdited(QString text);
    // Enter in the command line does not send here: only the Send button does.
    void OnSendEditFinished();
    void OnSend();
    // Transmitted text is not shown.
    void OnSent(QString sent);
    void OnOpened();
    void OnClosed();

private:
    void Start();
    // Puts the tab's own state back to idle; the caller decides what the unit and the window are told.
    void ResetToIdle();
    void SendAdcCommand();
    void ApplyWaveMeterPermission();
    void UpdateSendControls();

    Ui::LiveDataTab* ui;
    TrafficDisplay* display;
    TerminalCommandLine* commandLine;
    bool running = false;
    bool wavemeterRunning = false;
    bool showReceived = false;
    bool active = false;
    bool waveMeterAllowed = false;
    bool portOpen = false;
};
