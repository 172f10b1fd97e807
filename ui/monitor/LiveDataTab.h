#pragma once

#include <QString>
#include <QWidget>

// The "Live Data" tab of the sensor set: streams of ADC and wave-meter data from the unit's command
// shell. It has no model; while connected it writes shell text to the unit and reads its lines. While a
// stream runs, the rest of the sensor set is isolated.
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

Q_SIGNALS:
    // true while a live data stream runs, false when it stops.
    void IsolateLiveDataTab(bool isolate);
    // Shell or sentence text for the unit, unchanged.
    void Send(QString line);

public Q_SLOTS:
    void OnReceived(QString received);
    // Transmitted text is not shown.
    void OnSent(QString sent);
    // Whether the unit's sensor option has a wave meter.
    void OnEnableWaveMeterDataControls(bool enable);
    void OnOpened();
    void OnClosed();

private:
    bool active = false;
    bool portOpen = false;
    bool waveMeterAllowed = false;
};
