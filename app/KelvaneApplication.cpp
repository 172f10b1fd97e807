#include "app/KelvaneApplication.h"

#include <QBrush>
#include <QColor>
#include <QMainWindow>
#include <QPalette>
#include <QRegularExpression>
#include <QSettings>
#include <QThread>

#include <new>

#include "comms/CoreSettings.h"
#include "comms/SerialController.h"
#include "comms/SerialTransport.h"
#include "comms/StateMachine.h"
#include "decoders/GPSDecoder.h"
#include "decoders/MessageDecoder.h"
#include "model/AtoNDef.h"
#include "model/Model.h"
#include "model/vdl/VdlApplicationID.h"

namespace
{

QSettings UserSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, KelvaneApplication::OrganisationName,
                     KelvaneApplication::ApplicationName);
}

} // namespace

void KelvaneApplication::PrepareLook()
{
    QCoreApplication::setAttribute(Qt::AA_UseOpenGLES, true);
    // High-DPI scaling (attribute 20) is always on in Qt 6; the attribute is still set, by number, for the
    // Qt versions that read it.
    QCoreApplication::setAttribute(static_cast<Qt::ApplicationAttribute>(20), true);
    QApplication::setStyle(QStringLiteral("fusion"));

    // Selected rows and texts stand out in grey rather than the style's colour.
    QPalette palette = QApplication::palette();
    palette.setBrush(QPalette::All, QPalette::Highlight, QBrush(QColor(220, 220, 220, 255)));
    palette.setBrush(QPalette::All, QPalette::HighlightedText, QBrush(Qt::black));
    QApplication::setPalette(palette);
}

KelvaneApplication::KelvaneApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setOrganizationName(QCoreApplication::translate("Application", "Tidera"));
    setOrganizationDomain(OrganisationDomain);
    setApplicationName(QCoreApplication::translate("Application", "Kelvane"));
    setApplicationVersion(QStringLiteral("080500.02.08.02 ") + QStringLiteral(" (") + QLatin1String(__DATE__) +
                          QStringLiteral(")"));

    // Values that cross the thread boundary in queued signals.
    AtoNDef::RegisterMetaTypes();
    VDL::RegisterMetaTypes();

    tabModel = new Model(this);
    transportModel = new Model(this);
    gpsDecoder = new GPSDecoder(this);
    messageDecoder = new MessageDecoder(tabModel, this);

    VAtoNEnabled = true;
    LoadSettings();

    stateMachine = new StateMachine(tabModel, transportModel, VAtoNEnabled, this);

    connect(stateMachine, &StateMachine::Disconnect, this, &KelvaneApplication::Disconnect);
    connect(this, &KelvaneApplication::Disconnecting, stateMachine, &StateMachine::Disconnecting);
    connect(this, &KelvaneApplication::FaultLogRequest, stateMachine, &StateMachine::OnFaultLogRequest);
    connect(this, &KelvaneApplication::FaultLogMessageCount, stateMachine, &StateMachine::OnFaultLogMessageCount);
    connect(this, &KelvaneApplication::ProximityLogRequest, stateMachine, &StateMachine::OnProximityLogRequest);
    connect(this, &KelvaneApplication::prxLogMessageCount, stateMachine, &StateMachine::OnPrxLogMessageCount);
    connect(this, &QCoreApplication::aboutToQuit, this, &KelvaneApplication::OnClosing);

    workerThread = nullptr;
    transport = nullptr;
    mainWindow = nullptr;
}

KelvaneApplication::~KelvaneApplication()
{
    StopWorker();
    // Users before what they use: the state machine and the decoders hold the models.
    delete stateMachine;
    delete messageDecoder;
    delete gpsDecoder;
    delete transportModel;
    delete tabModel;
}

KelvaneApplication* KelvaneApplication::Instance()
{
    auto* application = qobject_cast<KelvaneApplication*>(QCoreApplication::instance());
    if (!application)
        throw std::bad_alloc();
    return application;
}

// ---------------------------------------------------------------------------------------------
// Settings

void KelvaneApplication::LoadSettings()
{
    QSettings user = UserSettings();
    Filename = user.value(FilenameKey, QString()).toString();
    DiagnosticsFilename = user.value(DiagnosticsFilenameKey, QString()).toString();
    ProximityAlertFilename = user.value(ProximityAlertFilenameKey, QString()).toString();
    LogFilename = user.value(LogFilenameKey, QString()).toString();
    PortName = user.value(PortNameKey, QString()).toString();
    ShowTransmit = user.value(ShowTransmitKey, false).toBool();
    FCCAccept = user.value(FCCAcceptKey, false).toBool();

    QSettings system(QSettings::NativeFormat, QSettings::SystemScope, OrganisationName, ApplicationName);
    // The code is only compared with replies, without regard to case: a code written in lower case
    // is the same code.
    VendorID = system.value(VendorIDKey, DefaultVendorID).toString().toUpper();
    // The code goes into every proprietary sentence: a text that is no three-character code would
    // break each of them, so such a value is not taken.
    static const QRegularExpression vendorCode(QStringLiteral("^[A-Z0-9]{3}$"));
    if (!vendorCode.match(VendorID).hasMatch())
        VendorID = DefaultVendorID;
    VAtoNEnabled = system.value(VAtoNEnabledKey, true).toBool();

    CoreSettings::SetVendorID(VendorID);
    settingsChanged = false;
}

void KelvaneApplication::SaveSettings()
{
    QSettings user = UserSettings();
    user.setValue(LogFilenameKey, LogFilename);
    user.setValue(PortNameKey, PortName);
    user.setValue(FCCAcceptKey, FCCAccept);
    user.setValue(DiagnosticsFilenameKey, DiagnosticsFilename);
    user.setValue(ProximityAlertFilenameKey, ProximityAlertFilename);
    user.sync();
    settingsChanged = false;
}

void KelvaneApplication::SetFilename(const QString& value)
{
    Filename = value;
    settingsChanged = true;
}

void KelvaneApplication::SetDiagnosticsFilename(const QString& value)
{
    DiagnosticsFilename = value;
    settingsChanged = true;
}

void KelvaneApplication::SetProximityAlertFilename(const QString& value)
{
    ProximityAlertFilename = value;
    settingsChanged = true;
}

void KelvaneApplication::SetLogFilename(const QString& value)
{
    LogFilename = value;
    settingsChanged = true;
}

void KelvaneApplication::SetPortName(const QString& value)
{
    PortName = value;
    settingsChanged = true;
}

void KelvaneApplication::OnClosing()
{
    if (settingsChanged)
        SaveSettings();
    StopWorker();
}

// ---------------------------------------------------------------------------------------------
// Connection

SerialController* KelvaneApplication::GetTransportDevice() const
{
    return transport ? transport->GetSerialController() : nullptr;
}

void KelvaneApplication::ConnectSerialTransport()
{
    // An open connection is never probed: opening its port a second time would report it busy and
    // end the connection that is working.
    if (transport)
        return;
    const SerialController::PortState state = SerialController::ProbePort(PortName);
    if (state != SerialController::PortState::Free)
    {
        const QMetaObject::Connection report =
            connect(this, &KelvaneApplication::ConnectError, stateMachine, &StateMachine::ConnectError);
        // A port that is not there at all is no busy port: the user is sent to the cable, not to other programs.
        Q_EMIT ConnectError(state == SerialController::PortState::Absent
                                ? tr("An error was encountered in trying to open the serial port.  The port was not "
                                     "found (unplugged?). ( %1 ).")
                                      .arg(PortName)
                                : tr("An error was encountered in trying to open the serial port.  The port may be "
                                     "busy or resetting. ( %1 ).")
                                      .arg(PortName));
        disconnect(report);
        return;
    }
    if (!CreateTransport(false))
        return;
    Q_EMIT ConnectTransport(PortName);
}

void KelvaneApplication::ConnectSerialTransportToLogFile()
{
    if (transport)
        return;
    if (!CreateTransport(true))
        return;
    Q_EMIT ConnectTransportToFile(LogFilename);
}

bool KelvaneApplication::CreateTransport(bool replay)
{
    if (transport)
        return false;

    transport = transportFactory ? transportFactory(transportModel) : new SerialTransport(transportModel, nullptr);
    if (!transport)
        throw std::bad_alloc();
    workerThread = new QThread(this);
    transport->moveToThread(workerThread);
    // When the thread has ended its loop the transport is deleted there, so that the port closes and
    // the raw log ends in the thread that owns them; the thread object goes in Finished().
    connect(workerThread, &QThread::finished, transport, &QObject::deleteLater);
    connect(workerThread, &QThread::finished, this, &KelvaneApplication::Finished);
    workerThread->start(QThread::InheritPriority);

    stateMachine->SetReplay(replay);

    auto& c = transportConnections;
    c.clear();
    ConnectTransportToWindow();
    c << connect(this, &KelvaneApplication::ConnectTransport, transport, &SerialTransport::Connect);
    c << connect(this, &KelvaneApplication::ConnectTransportToFile, transport, &SerialTransport::ConnectFile);
    c << connect(this, &KelvaneApplication::DisconnectTransport, transport, &SerialTransport::Disconnect);
    c << connect(transport, &SerialTransport::Disconnected, this, &KelvaneApplication::Disconnected);
    // Also for a replay: a replay that cannot open its file is cleaned up through this road alone.
    c << connect(transport, &SerialTransport::DisconnectedCleanUp, this, &KelvaneApplication::Disconnected);
    c << connect(transport, &SerialTransport::Connected, stateMachine, &StateMachine::Connected);
    c << connect(transport, &SerialTransport::ConnectError, stateMachine, &StateMachine::ConnectError);
    c << connect(transport, &SerialTransport::CommandError, stateMachine, &StateMachine::CommandError);
    c << connect(transport, &SerialTransport::AtoNSentenceError, stateMachine, &StateMachine::AtoNSentenceError);
    c << connect(transport, &SerialTransport::JobComplete, stateMachine, &StateMachine::JobComplete);
    c << connect(transport, &SerialTransport::AllJobsComplete, stateMachine, &StateMachine::AllJobsComplete);
    c << connect(transport, &SerialTransport::Timeout, stateMachine, &StateMachine::Timeout);
    c << connect(transport, &SerialTransport::Disconnected, stateMachine, &StateMachine::Disconnected);
    c << connect(stateMachine, qOverload<QString, bool>(&StateMachine::QueueJob), transport,
                 qOverload<QString, bool>(&SerialTransport::QueueJob));
    c << connect(stateMachine, qOverload<QString, bool, int>(&StateMachine::QueueJob), transport,
                 qOverload<QString, bool, int>(&SerialTransport::QueueJob));
    if (!replay)
    {
        c << connect(stateMachine, &StateMachine::UpdateSensorCommands, transport,
                     &SerialTransport::OnSensorConfigurationUpdate);
        c << connect(stateMachine, &StateMachine::signalUbloxM8Timeout, transport, &SerialTransport::OnUbloxM8);
        c << connect(stateMachine, &StateMachine::signalGnssTypeTimeout, transport,
                     &SerialTransport::onReceivedGnssMode);
        gpsDecoder->Reset();
    }
    c << connect(transport, &SerialTransport::Received, gpsDecoder, &GPSDecoder::OnReceived);
    c << connect(transport, &SerialTransport::Received, messageDecoder, &MessageDecoder::OnReceived);
    return true;
}

void KelvaneApplication::ConnectTransportToWindow()
{
    if (!transport || !mainWindow)
        return;
    // By signature: the application object knows the window only as a QMainWindow.
    const auto unique = Qt::UniqueConnection;
    for (const QMetaObject::Connection& c :
         {connect(transport, SIGNAL(Connected()), mainWindow, SLOT(OnConnected()), unique),
          connect(transport, SIGNAL(SendError()), mainWindow, SLOT(OnSendError()), unique),
          connect(transport, SIGNAL(Disconnected()), mainWindow, SLOT(OnDisconnected()), unique)})
        if (c)
            transportConnections << c;
}

void KelvaneApplication::DropTransportConnections()
{
    for (const QMetaObject::Connection& connection : std::as_const(transportConnections))
        disconnect(connection);
    transportConnections.clear();
}

void KelvaneApplication::Disconnect()
{
    if (!transport)
        return;
    Q_EMIT Disconnecting();
    Q_EMIT DisconnectTransport();
    gpsDecoder->Reset();
}

void KelvaneApplication::Disconnected()
{
    if (!transport)
        return;
    DropTransportConnections();
    // The state machine hears of the end of the connection from here as well: its own connection
    // to the transport was just removed, and a call that was already on its way may not arrive.
    stateMachine->Disconnected();
    stateMachine->SetReplay(false);
    workerThread->quit();
    transport = nullptr;
}

void KelvaneApplication::Finished()
{
    // Only the thread's own finished() ends it. A thread of an earlier connection can finish after a
    // new connection has started: it must not make the application forget the new transport.
    auto* thread = qobject_cast<QThread*>(sender());
    if (!thread || thread->parent() != this)
        return;
    thread->wait();
    if (thread == workerThread)
    {
        workerThread = nullptr;
        transport = nullptr;
    }
    // Deleted here and nowhere else, so that no later thread can take its address before this
    // call has compared it.
    thread->deleteLater();
}

void KelvaneApplication::StopWorker()
{
    DropTransportConnections();
    SerialTransport* running = transport;
    transport = nullptr;
    workerThread = nullptr;
    const QList<QThread*> threads = findChildren<QThread*>(Qt::FindDirectChildrenOnly);
    for (QThread* thread : threads)
    {
        disconnect(thread, nullptr, this, nullptr);
        if (running && running->thread() == thread)
        {
            // Close the link in its own thread, then end the thread; its finished() deletes the
            // transport there, which closes the controller and ends the raw log.
            QMetaObject::invokeMethod(
                running,
                [running]
                {
                    running->Disconnect();
                    QThread::currentThread()->quit();
                },
                Qt::QueuedConnection);
        }
        else
        {
            thread->quit();
        }
        if (!thread->wait(WorkerStopTimeoutMs))
        {
            thread->quit();
            if (!thread->wait(1000))
            {
                qWarning("Kelvane: the serial link thread did not end; stopping it");
                thread->terminate();
                thread->wait();
            }
        }
        delete thread;
    }
}

// ---------------------------------------------------------------------------------------------
// Relays between the Diagnostics tab, the transport and the state machine

void KelvaneApplication::OnFaultLogRequest()
{
    Q_EMIT FaultLogRequest();
}

void KelvaneApplication::OnFaultLogMessageCount(int sentenceNumber, int totalNumberOfSentences)
{
    Q_EMIT FaultLogMessageCount(sentenceNumber, totalNumberOfSentences);
}

void KelvaneApplication::OnProximityLogRequest()
{
    Q_EMIT ProximityLogRequest();
}

void KelvaneApplication::OnPrxLogMessageCount(int sentenceNumber, int totalNumberOfSentences)
{
    Q_EMIT prxLogMessageCount(sentenceNumber, totalNumberOfSentences);
}
