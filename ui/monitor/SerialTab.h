#pragma once

#include <QString>
#include <QWidget>

// The "Serial Data" tab: the raw sentence traffic with a terminal line for the user's own sentences
// and the switch of the raw traffic log. It has no model; while connected it reads and writes the
// transport's lines.
class SerialTab : public QWidget
{
    Q_OBJECT

public:
    explicit SerialTab(QWidget* parent = nullptr);
    ~SerialTab() override;

    // The main window's answer to Save(): true while a raw log is written.
    void SetLogState(bool logging);
    bool IsLogging() const { return logging; }
    bool IsPortOpen() const { return portOpen; }

Q_SIGNALS:
    // A complete sentence, checksum and line end included, for the unit.
    void Send(QString line);
    // The log button: false asks to start the raw log, true to stop it.
    void Save(bool save);

public Q_SLOTS:
    void OnSent(QString sent);
    void OnReceived(QString received);
    void OnOpened();
    void OnClosed();

private:
    bool logging = false;
    bool portOpen = false;
};
