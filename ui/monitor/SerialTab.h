#pragma once

#include <QString>
#include <QWidget>

class QTimer;
class TerminalCommandLine;
class TrafficDisplay;

namespace Ui
{
class SerialTab;
}

// The "Serial Data" tab: the raw sentence traffic with a terminal line for the user's own sentences
// and the switch of the raw traffic log. It has no model; while connected it reads and writes the
// transport's lines.
//
// Four filters hide classes of received sentences; the pause button diverts the traffic into a
// bounded buffer that is shown, unfiltered, when the display resumes. Transmitted lines are shown
// (with "OUT > ") only when the "ShowTransmit" setting is on.
//
// The display is not touched for every line: each one would be laid out and painted on its own, and
// a busy link would keep the GUI thread at it. Lines to show are gathered and added together every
// ShowIntervalMs, so the cost of showing them follows the time, not the number of lines; what is
// shown, and in what order, is the same.
class SerialTab : public QWidget
{
    Q_OBJECT

public:
    // Text collected while paused; beyond it further lines are dropped until the pause ends.
    static constexpr int PausedBufferLimit = 500000;
    static constexpr int ShowIntervalMs = 50;
    // Gathered text beyond this is shown at once, so that a GUI thread that falls behind neither
    // gathers without end nor stops for long to show it. A serial link brings a small part of this
    // in ShowIntervalMs.
    static constexpr int PendingLimit = 10000;

    explicit SerialTab(QWidget* parent = nullptr);
    ~SerialTab() override;

    // The main window's answer to Save(): true while a raw log is written. Only this changes the log
    // button, so a cancelled or failed start leaves it as it was.
    void SetLogState(bool logging);
    bool IsLogging() const { return logging; }
    bool IsPortOpen() const { return portOpen; }
    bool IsPaused() const;
    int PausedCharacters() const { return int(pausedBuffer.size()); }
    // Text gathered for the display and not yet shown.
    int PendingCharacters() const { return int(pending.size()); }

    // Whether a received line is hidden by the filters checked now.
    bool IsFiltered(const QString& line) const;

Q_SIGNALS:
    // A complete sentence, checksum and line end included, for the unit.
    void Send(QString line);
    // The log button: false asks to start the raw log, true to stop it.
    void Save(bool save);

public Q_SLOTS:
    void OnSendEdited(QString text);
    void OnSendEditFinished();
    void OnPause();
    void OnSaveToLog();
    void OnSend();
    void OnSent(QString sent);
    void OnReceived(QString received);
    void OnOpened();
    void OnClosed();

private:
    void Divert(const QString& text);
    void Show(const QString& text);
    void ShowPending();
    void UpdateControls();

    Ui::SerialTab* ui;
    TrafficDisplay* display;
    TerminalCommandLine* commandLine;
    QTimer* showTimer;
    bool logging = false;
    bool portOpen = false;
    bool showTransmit = false;
    QString pausedBuffer;
    QString pending;
};
