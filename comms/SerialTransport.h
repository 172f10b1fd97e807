#pragma once
// The job engine bound to a serial port (or to the replay of a raw traffic log) through its
// SerialController. One per connection: after Disconnect it cannot connect again.

#include "comms/Transport.h"

class SerialTransport : public Transport
{
    Q_OBJECT

public:
    // The baud rate of the unit's port.
    static constexpr int BaudRate = 38400;

    explicit SerialTransport(Model* model, QObject* parent = nullptr);
    ~SerialTransport() override;

    bool IsConnected() const override;
    QString ConnectionDescription() const override;

public Q_SLOTS:
    // Opens the serial port named by connection (the application passes its "PortName").
    void Connect(QString connection) override;
    // Replays a raw traffic log in place of a port.
    bool ConnectFile(QString filename);
    void Send(QString send) override;
    void Disconnect() override;
    void SerialSent(QString sent) override;
    void SerialSendError() override;
    void SerialReceived(QString received) override;
    void SerialClosed() override;
    // The port failed for good while connected (unplugged): the user is told why.
    void SerialConnectionLost(QString error);

private:
    void ConnectController();
    void DisconnectController();

    bool connected = false;
    bool finished = false; // disconnected once: this transport does not connect again
    bool replaying = false;
    QString portName;
    QString logFilename;
    QList<QMetaObject::Connection> controllerConnections;
};
