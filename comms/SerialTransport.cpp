#include "comms/SerialTransport.h"

#include "comms/CoreSettings.h"
#include "comms/NmeaSentence.h"
#include "comms/SerialController.h"

#include <QTimer>

SerialTransport::SerialTransport(Model* transportModel, QObject* parent) : Transport(transportModel, parent)
{
    SetLastError(QString());
    ConnectController();
}

SerialTransport::~SerialTransport()
{
    DisconnectController();
}

void SerialTransport::ConnectController()
{
    controllerConnections << connect(this, &Transport::SerialSend, controller, &SerialController::OnSend)
                          << connect(controller, &SerialController::Sent, this, &SerialTransport::SerialSent)
                          << connect(controller, &SerialController::SendError, this, &SerialTransport::SerialSendError)
                          << connect(controller, &SerialController::Received, this, &SerialTransport::SerialReceived)
                          << connect(controller, &SerialController::Closed, this, &SerialTransport::SerialClosed)
                          << connect(controller, &SerialController::ConnectionLost, this,
                                     &SerialTransport::SerialConnectionLost);
}

void SerialTransport::DisconnectController()
{
    for (const QMetaObject::Connection& c : std::as_const(controllerConnections))
        disconnect(c);
    controllerConnections.clear();
}

bool SerialTransport::IsConnected() const
{
    return connected;
}

QString SerialTransport::ConnectionDescription() const
{
    if (replaying)
        return tr("Reading Log File ") + logFilename + tr(" ...");
    return tr("Connected to Serial Port: ") + SerialController::PortDisplayName(portName) + tr(" ...");
}

void SerialTransport::Connect(QString connection)
{
    if (connected)
        return;
    if (finished || controller->IsOpen())
    {
        SetLastError(tr("A connection is already open"));
        Q_EMIT ConnectError(GetLastError());
        return;
    }
    // The application names the port it wants (its "PortName" setting).
    portName = connection.isEmpty() ? CoreSettings::Value(QStringLiteral("PortName")).toString() : connection;
    if (controller->Open(portName, BaudRate))
    {
        connected = true;
        replaying = false;
        Q_EMIT Connected();
        return;
    }
    const QString reason = controller->ErrorString();
    SetLastError(reason);
    Q_EMIT ConnectError(
        tr("An error was encountered in trying to open the serial port it is probably blocked ( %1 ).").arg(reason));
}

bool SerialTransport::ConnectFile(QString filename)
{
    if (connected)
        return false;
    QString text;
    if (finished || controller->IsOpen())
    {
        text = tr("A connection is already open");
    }
    else if (controller->OpenFile(filename))
    {
        connected = true;
        replaying = true;
        logFilename = filename;
        Q_EMIT Connected();
        return true;
    }
    else
    {
        text = controller->ErrorString();
    }
    SetLastError(text);
    Q_EMIT ConnectError(text);
    return false;
}

void SerialTransport::Disconnect()
{
    if (!connected)
    {
        Q_EMIT DisconnectedCleanUp();
        return;
    }
    connected = false;
    finished = true;
    // Close emits Closed(), handled by SerialClosed before Close returns. The controller itself
    // stays until the transport goes: the GUI thread may still stop the raw log through it.
    if (!controller->Close())
        Q_EMIT Disconnected();
}

void SerialTransport::Send(QString send)
{
    Q_EMIT SerialSend(send);
}

void SerialTransport::SerialSent(QString sent)
{
    Q_UNUSED(sent);
}

void SerialTransport::SerialSendError()
{
    SetLastError(tr("Error writing to the serial port ( %1 ).").arg(controller->ErrorString()));
    NoteSendFailure();
    Q_EMIT SendError();
}

void SerialTransport::SerialReceived(QString received)
{
    DeliverReceived(received);
    const NmeaSentence sentence(received);
    if (sentence.IsValid())
        ProcessSentence(sentence);
}

void SerialTransport::SerialClosed()
{
    connected = false;
    finished = true;
    // Nothing more can arrive or leave: the run in progress stays as it was, but its timer has
    // nothing left to guard.
    responseTimer->stop();
    DisconnectController();
    Q_EMIT Disconnected();
}

void SerialTransport::SerialConnectionLost(QString error)
{
    if (!connected)
        return;
    const QString text = tr("The connection to the AtoN was lost ( %1 ).").arg(error);
    SetLastError(text);
    // Said before Disconnected(), whose receivers take the connection down.
    Q_EMIT ConnectError(text);
}
